#pragma once

// The five registry primitives the settings store is written against, with the Win32 names,
// types and signatures. On Windows they are advapi32's own functions, taken straight from
// <windows.h>. Elsewhere they are implemented over one per-user text file in the style of a
// registry export (see RegFileStore.h), so the settings code is the same on every platform.

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#else

#include <cstdint>

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using LONG = std::int32_t;
using DWORD = std::uint32_t;
using LPDWORD = DWORD*;
using BYTE = unsigned char;
using LPBYTE = BYTE*;
using LPCSTR = const char*;

// The predefined roots are fixed handle values, as on Windows.
inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t{0x80000000u});
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001u});
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002u});
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(std::uintptr_t{0x80000003u});
inline HKEY const HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(std::uintptr_t{0x80000005u});

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_WRITE_FAULT = 29;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_KEY_DELETED = 1018;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
inline constexpr DWORD REG_LINK = 6;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

// Opens an existing key below `key`; on failure *result is null.
LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result);
// With data null: reports type and size. Otherwise copies the data if *size is large enough,
// else reports the needed size with ERROR_MORE_DATA. The data is returned byte for byte.
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD size);
LONG RegCloseKey(HKEY key);
// Opens the key, creating it (and any missing parents) first; on failure *result is null.
LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result);
// Stores exactly `size` bytes of `type`, replacing any earlier value of that name.
LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);

#endif
