#pragma once

#include <QFile>
#include <QString>

// Memory of this process as the kernel counts it, in KiB; 0 where /proc is not available.
namespace ProcessMemory {

inline long long statusField(const char* name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Resident memory now.
inline long long residentKb()
{
    return statusField("VmRSS");
}

// The most resident memory the process has had.
inline long long peakResidentKb()
{
    return statusField("VmHWM");
}

} // namespace ProcessMemory
