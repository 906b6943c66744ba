#pragma once

#include <QString>

// The windows' access to their settings: one string value under the program's settings key,
// as text. Reads fall back to the caller's default; writes that fail are silent.
QString readSetting(const char* valueName, const char* defaultValue);
void storeSetting(const char* valueName, const QString& value);
