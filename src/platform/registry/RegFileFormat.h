#pragma once

// The text form of the file-backed registry: a registry export (REGEDIT4 style) that a user can
// read and back up.
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\KxVantric\Configuration]
//   "Username"="Alice"
//   "Odd"=hex(1):61,62,00,63
//   "Count"=dword:0000002a
//
// A section names a key by its root and path. Each value line holds one value with its type and
// its exact data bytes:
//   "text"          REG_SZ whose data is exactly these bytes (no terminating NUL); inside the
//                   quotes a backslash and a double quote are escaped with a backslash
//   dword:hhhhhhhh  REG_DWORD of four bytes
//   hex:bb,bb       REG_BINARY
//   hex(t):bb,bb    any other type t (hexadecimal), also REG_SZ data a quoted string cannot
//                   carry (NUL bytes, line breaks and other control characters)
// Hex data may go on over several lines, each but the last ending in a backslash. "@" names the
// unnamed value. Blank lines and lines starting with ';' are ignored.
//
// Key paths and value names compare without regard to ASCII letter case, as the registry does;
// the spelling first stored is kept.

#include <string>
#include <string_view>
#include <vector>

#include <cstdint>

namespace RegFile {

struct Value {
    std::string name;
    std::uint32_t type = 0;
    std::string data; // raw bytes
};

struct Key {
    std::string path; // root name and subkeys: "HKEY_LOCAL_MACHINE\Software\..."
    std::vector<Value> values;
};

struct Document {
    std::vector<Key> keys;
    // False when some part of the text could not be read; what could be read is in `keys`.
    bool complete = true;
};

Document parse(std::string_view text);
std::string format(const Document& document);

bool equalsIgnoringCase(std::string_view a, std::string_view b);

// A key exists when it is a root, has a section of its own or lies above a key that does.
bool keyExists(const Document& document, std::string_view path);
const Key* findKey(const Document& document, std::string_view path);
Key& findOrAddKey(Document& document, std::string_view path);
const Value* findValue(const Key& key, std::string_view name);
void setValue(Key& key, const Value& value);

// The canonical root name ("HKEY_LOCAL_MACHINE") for a name written in any letter case, or an
// empty view when the name is not a root the store keeps.
std::string_view canonicalRootName(std::string_view name);

// Whether a subkey name or value name can be stored: no control characters, so that every
// section and value line stays on one line of the file.
bool isStorableName(std::string_view name);

} // namespace RegFile
