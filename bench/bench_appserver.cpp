// Application server figures on a 100 000-item catalogue, measured as whole
// calls over loopback HTTP (encoding, transport, decoding included):
//   a selective code search (a few dozen rows), target under 10 ms;
//   a broad search of 10 000 rows, target under 200 ms;
//   EnVer over 8 keep-alive connections, target at least 5 000 calls/s.
// The catalogue database is built once (ZELVORI_BENCH_DB, default
// bench_appserver_100k.db in the working folder) and reused afterwards.
#include "appserver/appserver.h"
#include "appserver/database.h"
#include "core/baglantiu.h"
#include "platform/dataset/tabledata.h"
#include "server/proxim.h"
#include "wire/codec.h"
#include "wire/marshal.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

Database *g_db = nullptr;
AppServer *g_server = nullptr;

QByteArray searchBody(const QString &text)
{
    TSonucBilgisi demo;
    demo.setCARINO(1001);
    demo.setSirano(1);
    demo.setMusteriTipi(0);
    return wire::encodeRequest({text, wire::marshal(demo)});
}

void runSearch(benchmark::State &state, const QString &text)
{
    httplib::Client client("127.0.0.1", g_server->port());
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);  // as the program's own client does: no wait for delayed acknowledgements
    const QByteArray body = searchBody(text);
    int rows = 0;
    for (auto _ : state) {
        auto res = client.Post("/datasnap/rest/TServerMethods1/StokAraGetirZelvori", body.constData(),
                               size_t(body.size()), "application/json");
        if (!res || res->status != 200) {
            state.SkipWithError("search failed");
            return;
        }
        auto decoded = wire::decodeResult(QByteArray::fromStdString(res->body));
        if (!decoded) {
            state.SkipWithError("undecodable result");
            return;
        }
        rows = decoded.value().first().tableValue().rowCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

void BM_SelectiveCodeSearch(benchmark::State &state) { runSearch(state, QStringLiteral("FRB 102")); }
void BM_SelectiveOemSearch(benchmark::State &state) { runSearch(state, QStringLiteral("77 01 2")); }
void BM_BroadSearch(benchmark::State &state) { runSearch(state, QStringLiteral("FREN")); }

void BM_EnVer(benchmark::State &state)
{
    httplib::Client client("127.0.0.1", g_server->port());
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);  // as the program's own client does: no wait for delayed acknowledgements
    const QByteArray body = wire::encodeRequest({1001 + int(state.thread_index())});
    for (auto _ : state) {
        auto res = client.Post("/datasnap/rest/TServerMethods1/EnVer", body.constData(), size_t(body.size()),
                               "application/json");
        if (!res || res->status != 200) {
            state.SkipWithError("EnVer failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_SelectiveCodeSearch)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SelectiveOemSearch)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BroadSearch)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_EnVer)->Threads(8)->UseRealTime()->MinTime(2.0)->Repetitions(3)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TransferNesneleriniKaydet();

    DatabaseConfig config;
    config.sqlitePath = qEnvironmentVariable("ZELVORI_BENCH_DB", QStringLiteral("bench_appserver_100k.db"));
    Database db(config);
    SeedOptions seed;
    seed.items = 100000;
    const auto t0 = std::chrono::steady_clock::now();
    if (db.prepare(seed))
        std::fprintf(stderr, "bench_appserver: built the 100 000-item database in %.1f s\n",
                     std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    AppServer::Options options;
    options.host = QStringLiteral("127.0.0.1");
    options.port = 0;
    options.logRequests = false;  // the log line costs a write per call; measured without it
    AppServer server(db, options);
    if (server.start() < 0) {
        std::fprintf(stderr, "bench_appserver: cannot listen\n");
        return 1;
    }
    g_db = &db;
    g_server = &server;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    server.stop();
    return 0;
}
