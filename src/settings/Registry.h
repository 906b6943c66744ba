#pragma once

// The settings store: reads and writes one string value of the registry per call. Strings are
// bytes as stored; the callers use UTF-8. There is no cache: every call goes to the store, so a
// value written is seen by the next read, also in another running copy of the program.

#include "platform/registry/WinReg.h"

#include <string>

namespace Registry {

// The value's text, or `defaultValue` when it cannot be read as a REG_SZ value (key or value
// missing, value of another type). The text ends at its first NUL byte. Creates nothing.
std::string GetSettingString(HKEY root, const std::string& keyPath, const std::string& valueName,
                             const std::string& defaultValue);

// Stores `value` as REG_SZ data of exactly its bytes (no terminating NUL), creating the key and
// any missing parents. Returns true when the value is stored. When the store refuses the write,
// the stored values stay as they were (the next read yields the older value, or the caller's
// default), the result is false and `failure`, if given, receives the system's reason, such as
// "Read-only file system", "Not a directory" or "Access is denied". `failure` is left alone on
// success, so one string can collect the reason over several writes.
bool SaveSettingString(HKEY root, const std::string& keyPath, const std::string& valueName,
                       const std::string& value, std::string* failure = nullptr);

} // namespace Registry
