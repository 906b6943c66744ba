#pragma once

#include <QObject>
#include <QString>

// The windows' access to their settings: one string value under the program's settings key,
// as text. Reads fall back to the caller's default.
QString readSetting(const char* valueName, const char* defaultValue);

// Returns true when the value is stored. Otherwise the stored settings stay as they were and
// `failure`, if given, receives the system's reason ("Read-only file system", "No space left on
// device", "Access is denied", ...); it is left alone on success. Every write is also announced
// by SettingsWrites, so that whichever window or item made it, a failure reaches the user.
bool storeSetting(const char* valueName, const QString& value, QString* failure = nullptr);

// The on/off settings, stored as "1" and "0"; anything else reads as `defaultOn`.
bool readFlag(const char* valueName, bool defaultOn);
bool storeFlag(const char* valueName, bool on);

// Tells of every settings write, stored or not, with the system's reason for a failure.
class SettingsWrites : public QObject {
    Q_OBJECT
public:
    static SettingsWrites* instance();

signals:
    void written(bool stored, const QString& failure);
};
