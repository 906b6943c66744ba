#include "ui/RankIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
constexpr int Side = 32; // drawn large, shown at the list's icon size

struct Badge {
    QColor fill;
    QString glyph;
};

Badge badgeFor(UserFlags::Rank rank)
{
    switch (rank) {
    case UserFlags::Rank::Administrator:
        return {QColor(0xb7, 0x1c, 0x1c), QStringLiteral("A")};
    case UserFlags::Rank::ServerOperator:
        return {QColor(0x6a, 0x1b, 0x9a), QStringLiteral("S")};
    case UserFlags::Rank::ChannelOperator:
        return {QColor(0x1b, 0x5e, 0x20), QStringLiteral("@")};
    case UserFlags::Rank::Voice:
        return {QColor(0x0d, 0x47, 0xa1), QStringLiteral("+")};
    case UserFlags::Rank::None:
        break;
    }
    return {QColor(0x61, 0x61, 0x61), QString()};
}

} // namespace

QIcon rankIcon(UserFlags flags)
{
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    const UserFlags::Rank rank = flags.rank();
    if (rank == UserFlags::Rank::None && !flags.squelched())
        return QIcon(pixmap);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const Badge badge = badgeFor(rank);
    const QRectF body(2, 2, Side - 4, Side - 4);
    painter.setPen(QPen(QColor(0xf5, 0xf5, 0xf5), 2.5));
    painter.setBrush(badge.fill);
    painter.drawRoundedRect(body, 7, 7);
    if (!badge.glyph.isEmpty()) {
        QFont font = painter.font();
        font.setPixelSize(22);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(body, Qt::AlignCenter, badge.glyph);
    }
    if (flags.squelched()) {
        // A bright red bar from corner to corner, on a light rim of its own.
        const QLineF bar(5, Side - 5, Side - 5, 5);
        painter.setPen(QPen(QColor(0xf5, 0xf5, 0xf5), 7, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(bar);
        painter.setPen(QPen(QColor(0xe5, 0x39, 0x35), 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(bar);
    }
    painter.end();
    return QIcon(pixmap);
}

quint16 rankIconKey(UserFlags flags)
{
    return quint16((flags.squelched() ? 0x20 : 0) | int(flags.rank()) << 8);
}
