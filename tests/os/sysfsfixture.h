#pragma once
// Builds a small system tree for identity tests from lines "path=content"
// (a file) or "path/" (a folder, e.g. the "device" link of real hardware).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

inline bool buildSysFixture(const QString& root, const QStringList& entries)
{
    for (const QString& e : entries) {
        if (e.endsWith(QLatin1Char('/'))) {
            if (!QDir().mkpath(root + QLatin1Char('/') + e))
                return false;
            continue;
        }
        const qsizetype eq = e.indexOf(QLatin1Char('='));
        const QString path = root + QLatin1Char('/') + e.left(eq);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        f.write(e.mid(eq + 1).toUtf8() + '\n');
    }
    return true;
}
