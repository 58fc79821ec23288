#include "platform/os/folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace os {

QString roamingConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString localDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

bool openWithSystem(const QString& target, const QStringList& arguments)
{
    if (target.isEmpty())
        return false;
    if (!arguments.isEmpty())
        return QProcess::startDetached(target, arguments);
    const QUrl url(target);
    const bool isAddress = url.isValid() && url.scheme().size() > 1; // "C:" style paths are not addresses
    if (!isAddress && !QFileInfo::exists(target))
        return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return false;
    return QProcess::startDetached(opener, {isAddress ? target : QFileInfo(target).absoluteFilePath()});
}

QString desktopEntryProgram(const QString& execLine)
{
    const QString line = execLine.trimmed();
    if (line.isEmpty())
        return {};
    if (line.startsWith(QLatin1Char('"'))) {
        const qsizetype end = line.indexOf(QLatin1Char('"'), 1);
        return end < 0 ? line.mid(1) : line.mid(1, end - 1);
    }
    const qsizetype space = line.indexOf(QLatin1Char(' '));
    return space < 0 ? line : line.left(space);
}

namespace {

// The desktop file named as the default handler of https addresses in the
// mimeapps lists (user's first, then the system's).
QString defaultBrowserDesktopFile()
{
    QStringList lists;
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << dir + QStringLiteral("/mimeapps.list");
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        lists << dir + QStringLiteral("/applications/mimeapps.list");
    for (const QString& path : std::as_const(lists)) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        bool inDefaults = false;
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        for (const QString& raw : lines) {
            const QString line = raw.trimmed();
            if (line.startsWith(QLatin1Char('['))) {
                inDefaults = line == QLatin1String("[Default Applications]");
                continue;
            }
            if (inDefaults
                && (line.startsWith(QLatin1String("x-scheme-handler/https="))
                    || line.startsWith(QLatin1String("x-scheme-handler/http=")))) {
                const QString entry
                    = line.mid(line.indexOf(QLatin1Char('=')) + 1).split(QLatin1Char(';')).value(0).trimmed();
                if (!entry.isEmpty())
                    return entry;
            }
        }
    }
    return {};
}

QString execOfDesktopFile(const QString& desktopFile)
{
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopFile);
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("Exec=")))
            return desktopEntryProgram(line.mid(5));
    }
    return {};
}

QString absoluteProgram(const QString& program)
{
    if (program.isEmpty())
        return {};
    if (QFileInfo(program).isAbsolute())
        return QFileInfo(program).isExecutable() ? program : QString();
    return QStandardPaths::findExecutable(program);
}

} // namespace

QString defaultBrowser()
{
    const QString fromEnv = qEnvironmentVariable("BROWSER").split(QLatin1Char(':')).value(0);
    if (const QString p = absoluteProgram(desktopEntryProgram(fromEnv)); !p.isEmpty())
        return p;
    if (const QString desktop = defaultBrowserDesktopFile(); !desktop.isEmpty()) {
        if (const QString p = absoluteProgram(execOfDesktopFile(desktop)); !p.isEmpty())
            return p;
    }
    // Debian's alternatives link for the system's browser.
    return absoluteProgram(QStringLiteral("x-www-browser"));
}

} // namespace os
