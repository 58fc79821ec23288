#pragma once
// Places where writing a file fails although the tests run as root, for the
// tests of the atomic writers (settings file, documents):
//  - DoluDisk: a full disk. While it lives, no file of the process may grow
//    beyond `bytes` (RLIMIT_FSIZE); the signal that limit raises is ignored,
//    so the write fails with EFBIG as on a full disk.
//  - SaltOkunurKlasor: a folder on a read-only file system (a tmpfs mounted
//    in `parent`, filled with `files` first, then remounted read-only).
//    Needs the right to mount; ok() is false when mounting is refused.
// Both undo themselves when destroyed.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

class DoluDisk
{
public:
    explicit DoluDisk(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_ok = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~DoluDisk()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    DoluDisk(const DoluDisk&) = delete;
    DoluDisk& operator=(const DoluDisk&) = delete;
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_ok = false;
};

class SaltOkunurKlasor
{
public:
    SaltOkunurKlasor(const QString& parent, const QList<QPair<QString, QByteArray>>& files)
        : m_path(parent + QStringLiteral("/saltokunur"))
    {
        if (!QDir().mkpath(m_path))
            return;
        const QByteArray where = QFile::encodeName(m_path);
        if (::mount("zelvori-test", where.constData(), "tmpfs", 0, "size=1m") != 0)
            return;
        m_mounted = true;
        for (const auto& f : files) {
            QFile file(m_path + QLatin1Char('/') + f.first);
            if (!file.open(QIODevice::WriteOnly) || file.write(f.second) != f.second.size())
                return;
        }
        m_ok = ::mount("zelvori-test", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=1m") == 0;
    }
    ~SaltOkunurKlasor()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    }
    SaltOkunurKlasor(const SaltOkunurKlasor&) = delete;
    SaltOkunurKlasor& operator=(const SaltOkunurKlasor&) = delete;
    bool ok() const { return m_ok; }
    QString path() const { return m_path; }

private:
    QString m_path;
    bool m_mounted = false;
    bool m_ok = false;
};
