#pragma once

// The five registry primitives the settings store is written against, with the Win32 names,
// types and signatures, and registryErrorText() for their failures. On Windows they are
// advapi32's own functions. Elsewhere they keep the program's one settings key, with string
// values only, in a per-user file (see WinRegFile.cpp).

#include <string>

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// The system's text for a registry call's result, without the closing period.
inline std::string registryErrorText(LONG code)
{
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
    std::string result = text;
    while (!result.empty() && std::string(" .\r\n").find(result.back()) != std::string::npos)
        result.pop_back();
    return result.empty() ? "Error " + std::to_string(code) : result;
}

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

// A predefined root is a fixed handle value, as on Windows.
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002u});

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_WRITE_FAULT = 29;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;

inline constexpr DWORD REG_SZ = 1; // the only type kept

// Open the settings key, which comes into the file with its first value. Any other key is not
// found (open) or refused (create), and *result is null.
LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result);
LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result);
LONG RegCloseKey(HKEY key);
// With data null: reports type and size. Otherwise copies the data if *size is large enough,
// else reports the needed size with ERROR_MORE_DATA. The data is returned byte for byte.
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD size);
// Stores exactly `size` bytes of REG_SZ data, replacing any earlier value of that name.
LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);

// The system's text for a result of the calls above, such as "Not a directory". For
// ERROR_WRITE_FAULT it names the cause of this thread's last failed write.
std::string registryErrorText(LONG code);

#endif
