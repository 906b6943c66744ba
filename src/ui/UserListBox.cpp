#include "ui/UserListBox.h"

#include "protocol/ChatEvent.h"
#include "ui/MouseDown.h"
#include "ui/RankIcons.h"

namespace {
constexpr int FlagsRole = Qt::UserRole;
constexpr int TagRole = Qt::UserRole + 1;
} // namespace

UserListBox::UserListBox(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setUniformItemSizes(true);
    // The rank marks no taller than a line of text, so the list shows as many names.
    const int side = fontMetrics().height();
    setIconSize(QSize(side, side));
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

// The item is filled in before it joins the list, so the view hears of it once.
void UserListBox::addUser(const QString& item, QStringView flags, QStringView tag)
{
    auto* entry = new QListWidgetItem(item);
    entry->setData(TagRole, tag.toString());
    showMarks(entry, parseUserFlags(flags));
    addItem(entry);
}

void UserListBox::setUserFlags(QStringView name, QStringView flags)
{
    const UserFlags parsed = parseUserFlags(flags);
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem* entry = item(i);
        if (trimBlanks(entry->text()) == name && entry->data(FlagsRole).toUInt() != parsed.bits)
            showMarks(entry, parsed);
    }
}

void UserListBox::showMarks(QListWidgetItem* entry, UserFlags flags)
{
    const quint16 key = rankIconKey(flags);
    auto icon = m_icons.constFind(key);
    if (icon == m_icons.constEnd())
        icon = m_icons.insert(key, rankIcon(flags));
    const QString words = describeUserFlags(flags);
    const QString tag = entry->data(TagRole).toString();
    entry->setData(FlagsRole, uint(flags.bits));
    entry->setIcon(*icon);
    entry->setData(Qt::AccessibleDescriptionRole, words);
    entry->setToolTip(words.isEmpty() || tag.isEmpty() ? tag + words
                                                       : tag + QLatin1Char('\n') + words);
}
