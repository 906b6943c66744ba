#include "ui/UserListBox.h"

#include <QMouseEvent>
#include <QPointer>

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
    if (event->button() == Qt::RightButton) {
        emit mouseDown(event->button(), event->modifiers());
        event->accept();
        return;
    }
    QPointer<UserListBox> self(this);
    QListWidget::mousePressEvent(event);
    if (self)
        emit mouseDown(event->button(), event->modifiers());
}
