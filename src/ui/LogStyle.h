#pragma once

#include "ui/LineKinds.h"

#include <QString>
#include <QTextCharFormat>

#include <array>

class QTextCursor;

// How a log shows its lines: the colour of each kind of line, the user's own name in bold
// and the line that names the user on a tint, web addresses as links. Only formats change;
// the characters go into the box exactly as given. Each kind's format is made once, so the
// document shares it among all lines of that kind.
class LogStyle {
public:
    explicit LogStyle(const QPalette& palette);

    void setPalette(const QPalette& palette);
    const LogColours& colours() const { return m_colours; }

    // The name the user is logged in as; empty: no line counts as naming the user.
    void setOwnName(const QString& name) { m_ownName = name; }
    const QString& ownName() const { return m_ownName; }

    // True when a talk or emote text from someone else names the user.
    bool mentions(QStringView text) const;

    // Inserts the text as lines of that kind. Every line of it may begin with a time stamp
    // of stampLength characters, which is not part of what the sender wrote.
    void insert(QTextCursor& cursor, const QString& text, LineKind kind,
                qsizetype stampLength) const;

private:
    LogColours m_colours;
    std::array<QTextCharFormat, LineKindCount> m_formats;
    QString m_ownName;
};
