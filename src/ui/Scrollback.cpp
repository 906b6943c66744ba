#include "ui/Scrollback.h"

#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace Scrollback {

std::optional<int> Parse(const QString& text)
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

int DefaultLines()
{
    return *Parse(QString::fromLatin1(ConfigurationKey::DefaultScrollback));
}

int Stored()
{
    const QString text =
        ReadSetting(ConfigurationKey::Scrollback, ConfigurationKey::DefaultScrollback);
    return Parse(text).value_or(DefaultLines());
}

void Store(int lines)
{
    StoreSetting(ConfigurationKey::Scrollback, QString::number(lines));
}

void Apply(QPlainTextEdit* box, int lines)
{
    // Every line the program writes ends with a line end, after which the box has one more,
    // empty, block: that one is not a line of the log.
    box->document()->setMaximumBlockCount(lines == 0 ? 0 : lines + 1);
}

} // namespace Scrollback
