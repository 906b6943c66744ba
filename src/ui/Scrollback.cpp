#include "ui/Scrollback.h"

#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace Scrollback {

std::optional<int> parse(const QString& text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 12)
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const qint64 lines = digits.toLongLong();
    if (lines > MaxLines)
        return std::nullopt;
    return int(lines);
}

int defaultLines()
{
    return *parse(QString::fromLatin1(ConfigurationKey::DefaultScrollback));
}

int stored()
{
    const QString text =
        readSetting(ConfigurationKey::Scrollback, ConfigurationKey::DefaultScrollback);
    return parse(text).value_or(defaultLines());
}

void store(int lines)
{
    storeSetting(ConfigurationKey::Scrollback, QString::number(lines));
}

void apply(QPlainTextEdit* box, int lines)
{
    // Every line the program writes ends with a line end, after which the box has one more,
    // empty, block: that one is not a line of the log.
    box->document()->setMaximumBlockCount(lines == 0 ? 0 : lines + 1);
}

} // namespace Scrollback
