#include "commands/FloodLimits.h"

#include <QCoreApplication>

namespace {
struct Field {
    const QString& text;
    int low;
    int high;
    const char* unit; // "", " of seconds" ...: "must be a whole number<unit> from 1 to 5"
};

std::optional<int> wholeNumber(const Field& field)
{
    const QString trimmed = field.text.trimmed();
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const int value = trimmed.toInt(&ok, 10);
    if (!ok || value < field.low || value > field.high)
        return std::nullopt;
    return value;
}

QString rangeMessage(const QString& name, const Field& field)
{
    return QCoreApplication::translate("FloodLimits", "%1 must be a whole number%2 from %3 to %4.")
        .arg(name, QCoreApplication::translate("FloodLimits", field.unit))
        .arg(field.low)
        .arg(field.high);
}
} // namespace

FloodLimitsOrError parseFloodLimits(const QString& wrapBytes, const QString& units,
                                    const QString& windowSeconds, const QString& longestLine,
                                    bool enabled)
{
    // A line longer than 255 bytes is dropped by the server without a word; a longest line
    // below 40 bytes would leave no room for text behind a whisper's prefix.
    const Field fields[] = {
        {wrapBytes, 1, 255, QT_TRANSLATE_NOOP("FloodLimits", " of bytes")},
        {units, 2, 100, ""},
        {windowSeconds, 1, 600, QT_TRANSLATE_NOOP("FloodLimits", " of seconds")},
        {longestLine, 40, 255, QT_TRANSLATE_NOOP("FloodLimits", " of bytes")},
    };
    const QString names[] = {QCoreApplication::translate("FloodLimits", "Bytes per unit"),
                             QCoreApplication::translate("FloodLimits", "Units"),
                             QCoreApplication::translate("FloodLimits", "Window"),
                             QCoreApplication::translate("FloodLimits", "Longest line")};
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        const std::optional<int> value = wholeNumber(fields[i]);
        if (!value)
            return {std::nullopt, rangeMessage(names[i], fields[i])};
        values[i] = *value;
    }
    const FloodLimits limits{values[0], values[1], values[2], values[3], enabled};
    const int longestAllowed = limits.wrapBytes * (limits.units - 1);
    if (enabled && limits.longestLine > longestAllowed) {
        return {std::nullopt,
                QCoreApplication::translate(
                    "FloodLimits",
                    "With %1 bytes per unit and %2 units, the longest line can be at "
                    "most %3 bytes: a longer line would cost %2 units or more, and the "
                    "server would refuse it every time.")
                    .arg(limits.wrapBytes)
                    .arg(limits.units)
                    .arg(longestAllowed)};
    }
    return {limits, QString()};
}
