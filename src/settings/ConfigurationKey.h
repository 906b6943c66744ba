#pragma once

// Where the program keeps its settings and what each caller passes as the default.

namespace ConfigurationKey {

inline constexpr const char* Path = "Software\\KxVantric\\Configuration";

inline constexpr const char* Username = "Username";
inline constexpr const char* Password = "Password";
inline constexpr const char* HomeChannel = "HomeChannel";
inline constexpr const char* AntiIdleMessage = "AntiIdleMessage";
inline constexpr const char* Server = "Server";
// "1" or "0": Options > Reconnect Automatically; anything else counts as the default, on.
inline constexpr const char* ReconnectAutomatically = "ReconnectAutomatically";
inline constexpr const char* FloodWrapBytes = "FloodWrapBytes";
inline constexpr const char* FloodUnits = "FloodUnits";
inline constexpr const char* FloodWindowSeconds = "FloodWindowSeconds";
inline constexpr const char* FloodLongestLine = "FloodLongestLine";
inline constexpr const char* FloodProtection = "FloodProtection"; // "1" on, "0" off
inline constexpr const char* Timestamps = "Timestamps";           // "1" on, anything else off
inline constexpr const char* LogToDisk = "LogToDisk";             // "1" on, anything else off
// "1" or "0": Options > Notify on Mentions; anything else counts as the default, on.
inline constexpr const char* NotifyOnMentions = "NotifyOnMentions";
// Lines each log keeps, as decimal text; "0" keeps every line.
inline constexpr const char* Scrollback = "Scrollback";

inline constexpr const char* DefaultUsername = "Guest";
inline constexpr const char* DefaultPassword = "tulip";
inline constexpr const char* DefaultHomeChannel = "KxVantrik Chat-1";
inline constexpr const char* DefaultAntiIdleMessage = "is a Brindlemoor Vantric Chat 0.1";
inline constexpr const char* DefaultFloodWrapBytes = "40";
inline constexpr const char* DefaultFloodUnits = "5";
inline constexpr const char* DefaultFloodWindowSeconds = "5";
inline constexpr const char* DefaultFloodLongestLine = "160";
inline constexpr const char* DefaultScrollback = "100000";

} // namespace ConfigurationKey
