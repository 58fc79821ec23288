#pragma once
// zelvori-appserver as a child process of a benchmark: started on a free
// loopback port with the given database and options, stopped with the
// object. The port line comes once the database exists, so the first start
// on a new database waits for the seeding (minutes for 100 000 items).

#include <QProcess>
#include <QStringList>

#include <cstdio>

namespace bench {

class ServerProcess
{
public:
    // False when the server did not start or gave no port; the reason went to stderr.
    bool start(const QString &program, const QStringList &options)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(program, QStringList{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--host"),
                                             QStringLiteral("127.0.0.1")}
                                     + options);
        if (!m_process.waitForStarted(30000)) {
            std::fprintf(stderr, "bench: cannot start %s\n", qPrintable(program));
            return false;
        }
        while (!m_process.canReadLine() && m_process.state() == QProcess::Running)
            m_process.waitForReadyRead(1000);
        m_port = m_process.readLine().trimmed().toInt();
        if (m_port <= 0) {
            std::fprintf(stderr, "bench: the application server gave no port\n");
            return false;
        }
        return true;
    }
    ~ServerProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(10000))
                m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    int port() const { return m_port; }

private:
    QProcess m_process;
    int m_port = 0;
};

} // namespace bench
