#pragma once

#include <QString>

// The windows' access to their settings: one string value under the program's settings key,
// as text. Reads fall back to the caller's default.
QString readSetting(const char* valueName, const char* defaultValue);

// Returns true when the value is stored. Otherwise the stored settings stay as they were and
// `failure`, if given, receives the system's reason ("Read-only file system", "No space left on
// device", "Access is denied", ...); it is left alone on success, so one string can collect the
// reason over the several writes of a login.
bool storeSetting(const char* valueName, const QString& value, QString* failure = nullptr);
