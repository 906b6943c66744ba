#pragma once

// The settings file's text, a registry export that a user can read and back up:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\KxVantric\Configuration]
//   "Username"="Alice \"A\" C:\\dir"
//   "Odd"=hex(1):61,62,00,63
//
// Every value is a string (REG_SZ) of exactly its bytes. Data quotes cannot carry (control
// characters but tab) goes as hex(1) bytes, wrapped over lines that end in a backslash. Blank
// lines and ';' comments are ignored, names ignore ASCII case as in the registry, and anything
// else (other keys or value types, unreadable lines) makes the text count as damaged. The file
// holds one key of HKEY_LOCAL_MACHINE, whose path (such as "Software\KxVantric\Configuration")
// the caller passes in.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace RegFile {

struct Values {
    std::vector<std::pair<std::string, std::string>> list; // name and data bytes, in file order
    bool complete = true;                     // false when some of the text was not understood
    std::string* find(std::string_view name); // the last value of that name counts
    const std::string* find(std::string_view name) const;
};

Values parse(std::string_view text, std::string_view keyPath);
std::string format(const Values& values, std::string_view keyPath);

// Key and value names compare as the registry compares them: ASCII letters without regard to
// case, whatever the locale; every other byte as it is.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// No control characters other than tab, so that the text stays one line in quotes.
bool fitsInQuotes(std::string_view text);

} // namespace RegFile
