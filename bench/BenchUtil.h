#pragma once

#include <QFile>

// A line of /proc/self/status in MB ("VmRSS:" resident now, "VmHWM:" the peak so far).
inline double statusMb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0;
}

// Resident memory of this process in MB.
inline double rssMb()
{
    return statusMb("VmRSS:");
}

// The most resident memory this process has had, in MB.
inline double peakRssMb()
{
    return statusMb("VmHWM:");
}
