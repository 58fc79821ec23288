// soak_appserver: starts zelvori-appserver on a fresh demo database on
// loopback, runs many client threads against it for a while, samples the
// server's resident memory, and afterwards checks the database against the
// clients' own book of every basket and order. Exits non-zero on an error
// call, an inconsistency or memory that keeps growing.
//
//   soak_appserver [--seconds S] [--threads N] [--accounts N] [--items N] [--server PATH]
#include "soakdriver.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <thread>
#include <vector>

#include <signal.h>

namespace {

const char kUsage[] = "usage: soak_appserver [--seconds S (180)] [--threads N (16)] [--accounts N (8)] [--items N (3000)]\n"
                      "                      [--server PATH] [--keep]\n";

// VmRSS of a process in KiB; 0 when unreadable.
qint64 residentKiB(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

double mean(const std::vector<qint64> &v, size_t from, size_t to)
{
    if (to <= from)
        return 0;
    return double(std::accumulate(v.begin() + qsizetype(from), v.begin() + qsizetype(to), qint64(0))) / double(to - from);
}

int usage(const char *why)
{
    std::fprintf(stderr, "soak_appserver: %s\n%s", why, kUsage);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    soak::Options options;
    int accounts = 8;
    int items = 3000;
    bool keep = false;
    QString server = QStringLiteral(ZELVORI_APPSERVER_PATH);
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool more = i + 1 < args.size();
        bool ok = true;
        if (a == u"--seconds" && more)
            options.seconds = args.at(++i).toDouble(&ok);
        else if (a == u"--threads" && more)
            options.threads = args.at(++i).toInt(&ok);
        else if (a == u"--accounts" && more)
            accounts = args.at(++i).toInt(&ok);
        else if (a == u"--items" && more)
            items = args.at(++i).toInt(&ok);
        else if (a == u"--server" && more)
            server = args.at(++i);
        else if (a == u"--keep")
            keep = true;
        else if (a == u"--help" || a == u"-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else
            return usage("unknown or incomplete option");
        if (!ok || options.seconds <= 0 || options.threads < 1 || accounts < 1 || items < 1)
            return usage("bad value");
    }

    QTemporaryDir dir;
    dir.setAutoRemove(!keep);
    const QString dbPath = dir.filePath(QStringLiteral("soak.db"));
    const QString logPath = dir.filePath(QStringLiteral("appserver.log"));

    QProcess proc;
    proc.setProgram(server);
    proc.setArguments({QStringLiteral("--host"), QStringLiteral("127.0.0.1"), QStringLiteral("--port"), QStringLiteral("0"),
                       QStringLiteral("--database"), dbPath, QStringLiteral("--seed-items"), QString::number(items)});
    proc.setStandardErrorFile(logPath);
    proc.start();
    if (!proc.waitForStarted(30000))
        return usage(qPrintable(QStringLiteral("cannot start %1").arg(server)));
    // The port line comes once the demo database is made.
    while (!proc.canReadLine() && proc.state() == QProcess::Running)
        proc.waitForReadyRead(1000);
    options.port = proc.readLine().trimmed().toInt();
    if (options.port <= 0) {
        std::fprintf(stderr, "soak_appserver: the server did not say its port; see %s\n", qPrintable(logPath));
        proc.kill();
        proc.waitForFinished(30000);
        return 1;
    }
    const qint64 pid = proc.processId();

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("accounts"));
        db.setDatabaseName(dbPath);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("SELECT carino FROM cari ORDER BY carino LIMIT %1").arg(accounts));
        while (q.next())
            options.accounts << q.value(0).toInt();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("accounts"));

    std::printf("soak: server pid %lld on 127.0.0.1:%d, %d threads, %d accounts, %.0f s\n", pid, options.port,
                options.threads, int(options.accounts.size()), options.seconds);
    std::fflush(stdout);

    // Resident memory every two seconds while the clients work.
    std::vector<qint64> rss{residentKiB(pid)};
    std::atomic<bool> sampling{true};
    std::thread sampler([&] {
        auto next = std::chrono::steady_clock::now();
        while (sampling) {
            next += std::chrono::seconds(2);
            while (sampling && std::chrono::steady_clock::now() < next)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (sampling)
                rss.push_back(residentKiB(pid));
        }
    });
    const auto t0 = std::chrono::steady_clock::now();
    soak::Run run(options);
    const bool started = run.execute();
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    sampling = false;
    sampler.join();
    rss.push_back(residentKiB(pid));

    ::kill(pid_t(pid), SIGTERM);
    if (!proc.waitForFinished(60000)) {
        proc.kill();
        proc.waitForFinished(30000);
    }

    int status = 0;
    const soak::Figures &f = run.figures();
    std::printf("soak: %lld requests in %.1f s (%.0f per second), %lld errors\n", f.requests, elapsed,
                double(f.requests) / elapsed, f.errors);
    for (const auto &[method, n] : f.perMethod)
        std::printf("soak:   %-22s %lld\n", qPrintable(method), n);
    for (const QString &e : f.firstErrors)
        std::printf("soak: error: %s\n", qPrintable(e));
    if (!started || f.errors > 0)
        status = 1;

    // Memory: the last third of the samples against the second third.
    const qint64 peak = *std::max_element(rss.begin(), rss.end());
    const size_t n = rss.size();
    const double second = mean(rss, n / 3, 2 * n / 3), last = mean(rss, 2 * n / 3, n);
    std::printf("soak: server VmRSS start %lld KiB, peak %lld KiB, end %lld KiB; mean of second third %.0f, of last third "
                "%.0f (%zu samples)\n",
                rss.front(), peak, rss.back(), second, last, n);
    if (n >= 6 && second > 0 && last > second * 1.10) {
        std::printf("soak: FAIL: memory grew by more than 10%% from the second to the last third\n");
        status = 1;
    }

    // The database against the book.
    int orders = 0;
    for (const soak::AccountBook &b : run.books())
        orders += int(b.orders.size());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(dbPath);
        if (!db.open()) {
            std::printf("soak: FAIL: cannot open %s\n", qPrintable(dbPath));
            status = 1;
        } else {
            const QStringList problems = soak::verify(db, run.books());
            std::printf("soak: database check: %d orders of the run, %lld problems\n", orders, qint64(problems.size()));
            for (const QString &p : problems.mid(0, 40))
                std::printf("soak: FAIL: %s\n", qPrintable(p));
            if (!problems.isEmpty())
                status = 1;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    if (keep)
        std::printf("soak: database and server log kept in %s\n", qPrintable(dir.path()));
    std::printf("soak: %s\n", status == 0 ? "PASS" : "FAIL");
    return status;
}
