#pragma once
// Shared by the fuzz targets: a private scratch file per process, and a
// check that stops the run with the reason when a property does not hold.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace fuzz {

// A file of this process in the temporary folder; name tells the targets'
// files apart.
inline QString ScratchPath(const char *name) {
    return QDir::tempPath() +
           QStringLiteral("/corvel_fuzz_%1_%2").arg(QLatin1String(name)).arg(getpid());
}

inline bool WriteBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

[[noreturn]] inline void Fail(const char *what) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

} // namespace fuzz

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) fuzz::Fail(#cond);                                                            \
    } while (0)
