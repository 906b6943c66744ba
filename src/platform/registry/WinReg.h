#pragma once

// The five registry primitives the settings store uses, with the Win32 names, types and
// signatures, and registryErrorText() for their results: advapi32's own on Windows, elsewhere the
// program's one settings key (the first key the process opens), with string values only, in a
// per-user file (WinRegFile.cpp).

#include <string>

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
#include <cstring>

struct HKEY__;
using HKEY = HKEY__*;
using LONG = std::int32_t;
using DWORD = std::uint32_t;
using BYTE = unsigned char;

inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002u});
inline constexpr LONG ERROR_SUCCESS = 0; // any other result is an errno value
inline constexpr DWORD REG_SZ = 1;       // the only type kept

// Only the settings key (the first one opened) opens; it comes into the file with its first
// value.
LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result);
LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result);
LONG RegCloseKey(HKEY key);
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size);
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);
#endif

// The system's text for a result of the calls above, without the closing period.
inline std::string registryErrorText(LONG code)
{
#ifdef _WIN32
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
    std::string result = text;
#else
    std::string result = std::strerror(static_cast<int>(code));
#endif
    while (!result.empty() && std::string(" .\r\n").find(result.back()) != std::string::npos)
        result.pop_back();
    return result.empty() ? "Error " + std::to_string(code) : result;
}
