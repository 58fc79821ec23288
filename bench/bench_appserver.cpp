// Application server throughput on a 100 000-item catalogue, measured as
// whole calls over loopback HTTP (encoding, transport, decoding included):
// selective code searches per second and small calls (EnVer) per second at
// 1, 8 and 32 keep-alive connections, each connection a client thread
// calling back to back; SQLite and, when given one, PostgreSQL.
//
//   bench_appserver [--database PATH] [--postgres postgresql://...] [--smoke]
//
// The catalogue is seeded once into an empty database (minutes for
// 100 000 items) and reused afterwards. Prints FIGURE lines
// (bench/figure.h); without --postgres the PostgreSQL figures are "not run".
#include "bench/figure.h"

#include "appserver/appserver.h"
#include "appserver/database.h"
#include "core/baglantiu.h"
#include "server/proxim.h"
#include "wire/codec.h"
#include "wire/marshal.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

QByteArray searchBody(const QString &text)
{
    TSonucBilgisi demo;
    demo.setCARINO(1001);
    demo.setSirano(1);
    demo.setMusteriTipi(0);
    return wire::encodeRequest({text, wire::marshal(demo)});
}

struct Load {
    std::string path;
    QByteArray body;
};

struct Throughput {
    double callsPerSecond = 0;
    int connectionsAnswered = 0; // connections with at least one answer within the run
    std::string error;           // the first failed call's reason; empty when none failed
};

// `connections` client threads each calling back to back on its own
// keep-alive connection for `seconds`. Only answers within the run count; a
// call left waiting when the run ends (a connection the server has not taken
// up yet) is not an error.
Throughput runLoad(int port, const Load &load, int connections, double seconds)
{
    std::atomic<long> calls{0};
    std::atomic<int> answered{0};
    std::atomic<bool> failed{false};
    std::string error; // written once, by the thread that set failed
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    std::vector<std::thread> threads;
    for (int c = 0; c < connections; ++c) {
        threads.emplace_back([&] {
            httplib::Client client("127.0.0.1", port);
            client.set_keep_alive(true);
            client.set_tcp_nodelay(true); // as the program's own client does
            client.set_read_timeout(60, 0);
            long mine = 0;
            while (Clock::now() < deadline && !failed) {
                auto res = client.Post(load.path, load.body.constData(), size_t(load.body.size()), "application/json");
                const bool inTime = Clock::now() < deadline;
                if (!res || res->status != 200) {
                    if (inTime && !failed.exchange(true))
                        error = res ? "HTTP status " + std::to_string(res->status) : httplib::to_string(res.error());
                    break;
                }
                if (inTime)
                    ++mine;
            }
            calls += mine;
            if (mine > 0)
                ++answered;
        });
    }
    for (std::thread &t : threads)
        t.join();
    Throughput t;
    t.callsPerSecond = double(calls) / seconds;
    t.connectionsAnswered = answered;
    if (failed)
        t.error = error;
    return t;
}

// Every figure of one database; false when a call failed (that figure is
// then reported as not run with the reason, and the others are still measured).
bool serverFigures(const std::string &label, const DatabaseConfig &config, int items, bool smoke)
{
    Database db(config);
    SeedOptions seed;
    seed.items = items;
    const auto t0 = Clock::now();
    if (db.prepare(seed))
        std::fprintf(stderr, "bench_appserver: seeded %d items into %s in %.1f s\n", items, label.c_str(),
                     std::chrono::duration<double>(Clock::now() - t0).count());
    AppServer::Options options;
    options.host = QStringLiteral("127.0.0.1");
    options.port = 0;
    options.logRequests = false; // the log line costs a write per call; measured without it
    AppServer server(db, options);
    const int port = server.start();
    if (port < 0) {
        std::fprintf(stderr, "bench_appserver: cannot listen\n");
        return false;
    }

    const Load search{"/datasnap/rest/TServerMethods1/StokAraGetirZelvori", searchBody(QStringLiteral("FRB 102"))};
    const Load small{"/datasnap/rest/TServerMethods1/EnVer", wire::encodeRequest({1001})};
    const std::vector<int> connectionCounts = smoke ? std::vector<int>{1, 2} : std::vector<int>{1, 8, 32};
    const int runs = smoke ? 1 : 3;
    const double seconds = smoke ? 0.1 : 1.5;
    struct Kind {
        const Load *load;
        std::string what;
    };
    bool allOk = true;
    for (const Kind &kind : {Kind{&search, "code searches (FRB 102)"}, Kind{&small, "small calls (EnVer)"}}) {
        for (const int n : connectionCounts) {
            const std::string name = label + ", " + kind.what + ", " + std::to_string(n) + " connection"
                                     + (n == 1 ? "" : "s");
            const std::string target = !smoke && kind.load == &small && n == 8 ? ">=5000" : "-";
            std::vector<double> rates;
            int fewestAnswered = n;
            std::string error = runLoad(port, *kind.load, n, smoke ? 0.05 : 0.3).error; // warm-up, not counted
            for (int run = 0; run < runs && error.empty(); ++run) {
                const Throughput t = runLoad(port, *kind.load, n, seconds);
                error = t.error;
                rates.push_back(t.callsPerSecond);
                fewestAnswered = std::min(fewestAnswered, t.connectionsAnswered);
            }
            if (!error.empty()) {
                std::fprintf(stderr, "bench_appserver: %s: a call failed: %s\n", name.c_str(), error.c_str());
                bench::notRun("server", name, target, "a call failed: " + error);
                allOk = false;
                continue;
            }
            char note[128];
            std::snprintf(note, sizeof note, "%d runs of %.1f s; %d of %d connections answered in every run", runs,
                          seconds, fewestAnswered, n);
            bench::figure("server", name, rates, "calls/s", {}, {}, target, note);
        }
    }
    server.stop();
    return allOk;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TransferNesneleriniKaydet();
    const bool smoke = bench::smokeRun(argc, argv);

    QTemporaryDir scratch;
    DatabaseConfig sqlite;
    sqlite.sqlitePath = smoke ? scratch.filePath(QStringLiteral("smoke.sqlite"))
                              : QStringLiteral("/tmp/zelvori-bench-search-100k.sqlite");
    QString postgres;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--database")
            sqlite.sqlitePath = args[++i];
        else if (args[i] == u"--postgres")
            postgres = args[++i];
    }
    const int items = smoke ? 100 : 100000;

    bool ok = true;
    try {
        ok = serverFigures("SQLite", sqlite, items, smoke);
        if (postgres.isEmpty()) {
            if (!smoke)
                bench::notRun("server", "PostgreSQL", ">=5000",
                              "no PostgreSQL server (initdb/pg_ctl of the postgresql package not found)");
        } else {
            ok = serverFigures("PostgreSQL", DatabaseConfig::fromArgument(postgres), items, smoke) && ok;
        }
    } catch (const DatabaseError &e) {
        std::fprintf(stderr, "bench_appserver: %s\n", qPrintable(e.message()));
        return 1;
    }
    return ok ? 0 : 1;
}
