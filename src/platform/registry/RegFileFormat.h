#pragma once

// The text of the settings file: a registry export (REGEDIT4 style) of the program's one settings
// key, which a user can read and back up.
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\KxVantric\Configuration]
//   "Username"="Alice"
//   "Odd"=hex(1):61,62,00,63
//
// Every value is a string (REG_SZ) of exactly the bytes given, with no terminating NUL. Inside
// quotes a backslash and a double quote are escaped with a backslash. Data quotes cannot carry
// (NUL, line breaks, other control characters) is written as hex(1) bytes, going on over several
// lines, each but the last ending in a backslash. Blank lines and lines starting with ';' are
// ignored. The section and the value names compare without regard to ASCII letter case, as in
// the registry. Anything else (other keys, other value types, lines that cannot be read) is not
// part of the settings, and a text holding it counts as damaged.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace RegFile {

struct Values {
    std::vector<std::pair<std::string, std::string>> list; // name and data bytes, in file order
    bool complete = true; // false when some of the text was not understood

    std::string* find(std::string_view name);
    void set(const std::string& name, const std::string& data);
};

Values parse(std::string_view text);
std::string format(const Values& values);

bool equalsIgnoringCase(std::string_view a, std::string_view b);
// No control characters, so that every line of the file stays one line.
bool isStorableName(std::string_view name);

} // namespace RegFile
