#pragma once

#include "ui/LineKinds.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QUrl>

// What the logs look for in a line to mark it: the user's own name and web addresses.

// The first place at or after `from` where `word` stands in `text` as a word of its own
// (any letter case; no letter, digit or underscore right before or after it); -1 if none.
qsizetype findWord(QStringView text, QStringView word, qsizetype from = 0);

// Where the sender's own words begin in a displayed line of that kind ("<ann:>hi", "ann hi",
// "ann:(Whispered) hi"); 0 for kinds whose whole line is the message.
qsizetype wordsStart(LineKind kind, QStringView line);

// A web address in a line: where it stands and what opening it opens ("www." addresses get
// "http://" in front).
struct FoundLink {
    qsizetype start = 0;
    qsizetype length = 0;
    QUrl url;
};

// The http://, https:// and www. addresses in the text. An address ends at white space; the
// punctuation that ends a sentence and a closing bracket that has no opening one inside the
// address are not part of it. An address that holds a character the log shows as a symbol
// (a control or its picture, the replacement character, an invisible or direction-changing
// format character) is not a link.
QList<FoundLink> findLinks(QStringView text);
