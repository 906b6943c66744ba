#include "protocol/FieldIsolation.h"

namespace {
constexpr char16_t FirstStrongIsolate = 0x2068;
constexpr char16_t PopDirectionalIsolate = 0x2069;
} // namespace

bool holdsRightToLeft(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x0590) // nothing right-to-left below Hebrew
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        switch (QChar::direction(c)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
            return true;
        default:
            break;
        }
    }
    return false;
}

FieldMarks fieldMarks(std::initializer_list<QStringView> fields)
{
    for (const QStringView field : fields) {
        if (holdsRightToLeft(field))
            return {QString(QChar(FirstStrongIsolate)), QString(QChar(PopDirectionalIsolate))};
    }
    return {};
}

QString withoutFieldMarks(QString text)
{
    text.remove(QChar(FirstStrongIsolate));
    text.remove(QChar(PopDirectionalIsolate));
    return text;
}
