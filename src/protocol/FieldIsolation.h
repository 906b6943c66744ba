#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>

// The logs lay every line out left to right. A name or a text in a right-to-left script
// could still pull the characters between the fields (":>", a blank) into its own run and
// swap the fields on screen, so in a line with such a field every field is isolated: it
// stands between FIRST STRONG ISOLATE (U+2068) and POP DIRECTIONAL ISOLATE (U+2069) and is
// laid out on its own. Lines of left-to-right text get no marks. The marks belong to the
// layout only: what is read, copied or saved from a log goes without them.

// The marks to put around each field of a line made of these fields: the two isolates when
// one of them holds right-to-left text, nothing otherwise.
struct FieldMarks {
    QString open;
    QString close;
};
FieldMarks fieldMarks(std::initializer_list<QStringView> fields);

// True when the text holds a right-to-left letter or a right-to-left mark of embedding,
// override or isolation.
bool holdsRightToLeft(QStringView text);

// The text without the isolates that fieldMarks adds.
QString withoutFieldMarks(QString text);
