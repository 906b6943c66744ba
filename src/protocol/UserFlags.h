#pragma once

#include <QString>
#include <QStringView>

// What the flag field of a line about a user says about that user. The field is four
// hexadecimal digits holding a bit field:
//
//   0x01 administrator   0x02 channel operator   0x04 voice   0x08 server operator
//   0x10 no UDP (nothing to show)                 0x20 squelched (by us)
//
// A field that is not four hexadecimal digits says nothing.
struct UserFlags {
    enum class Rank { None, Voice, ChannelOperator, ServerOperator, Administrator };

    quint16 bits = 0;

    // The highest rank the bits give: administrator, server operator, channel operator, voice.
    Rank rank() const;
    bool squelched() const { return bits & 0x20; }
    bool operator==(const UserFlags& other) const { return bits == other.bits; }
};

UserFlags parseUserFlags(QStringView field);

// What the flags mean in words, for a screen reader and the tooltip: every rank the bits
// hold, the highest first, then "squelched"; empty when there is nothing to say.
// Examples: "channel operator", "administrator, channel operator", "voice, squelched".
QString describeUserFlags(UserFlags flags);
