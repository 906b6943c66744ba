#include "ui/UserListBox.h"

#include "ui/MouseDown.h"

UserListBox::UserListBox(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setUniformItemSizes(true);
}

int UserListBox::ListIndex() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void UserListBox::mousePressEvent(QMouseEvent* event)
{
    passMousePress(this, event, [this, event] { QListWidget::mousePressEvent(event); });
}
