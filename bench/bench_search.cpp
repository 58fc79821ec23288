// End-to-end figures of the stock search: from Enter in the search box to
// the grid painting a result of 20, 1 000, 10 000 and 100 000 rows, against
// zelvori-appserver with a 100 000-item catalogue on a loopback port (an
// empty search text matches every item; the server's --search-limit sets
// the row count). In the same run: the bare HTTP call of the same request
// (the answer received, not decoded) as the floor, the call with decoding on
// a worker (what the search job does), and the longest gap between ticks of
// a 1 ms timer on the main thread while the search runs.
//
// Then the memory figure: a fresh process (this program with
// --memory-child) loads the 100 000-row answer into the stock table; its
// peak resident memory beyond what it held before the call, against the
// size of the answer's JSON, and the time of the load.
//
//   bench_search [--appserver PATH] [--database PATH] [--smoke]
//
// The database is created once (seeding 100 000 items takes a while) and
// reused by later runs. Prints FIGURE lines (bench/figure.h).
#include "bench/figure.h"
#include "bench/serverprocess.h"

#include "catalogue/katalogbaglami.h"
#include "catalogue/stoklistesiu.h"
#include "core/baglantiu.h"
#include "core/dialogrecorder.h"
#include "platform/dataset/memtable.h"
#include "platform/datasnap/connection.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"
#include "wire/codec.h"
#include "wire/marshal.h"

#include <httplib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <future>
#include <string>

using namespace Qt::StringLiterals;

namespace {

// Records the time of the first paint of a widget after arm().
class PaintWatcher : public QObject
{
public:
    explicit PaintWatcher(QWidget *w) { w->installEventFilter(this); }
    void arm() { m_armed = true; m_painted = false; }
    bool painted() const { return m_painted; }
    qint64 paintedAt() const { return m_at; }
    QElapsedTimer *clock = nullptr;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (m_armed && e->type() == QEvent::Paint) {
            m_armed = false;
            m_painted = true;
            m_at = clock->nsecsElapsed();
        }
        return false;
    }

private:
    bool m_armed = false;
    bool m_painted = false;
    qint64 m_at = 0;
};

// A kB figure of /proc/self/status ("VmRSS", "VmHWM"); 0 when unreadable.
long statusKb(const char *key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0)
            return std::stol(line.substr(prefix.size()));
    return 0;
}

TSonucBilgisi dealer()
{
    TSonucBilgisi s;
    s.setCARINO(1002);
    return s;
}

// The child of the memory figure: loads the whole search answer into the
// stock table as the search job does (call and decoding on a worker, the
// table taken over on the main thread) and prints
// "MEMORY <load ms> <peak kB> <kB before the call> <rows>".
int memoryChild(int port)
{
    TransferNesneleriniKaydet();
    datasnap::Connection bagc;
    bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
    bagc.setParam(datasnap::param::Port, QString::number(port));
    const TSonucBilgisi sbilgi = dealer();
    MemTable stok;
    const long before = statusKb("VmRSS");
    QElapsedTimer clock;
    clock.start();
    auto job = std::async(std::launch::async, [&] {
        auto clone = bagc.CloneConnection();
        clone->Open();
        TServerMethods1Client client(*clone);
        TSonucBilgisi copy;
        copy.Kopyala(sbilgi);
        return client.StokAraGetirZelvori(QString(), copy);
    });
    TableData rows = job.get();
    stok.assign(std::move(rows));
    const double ms = clock.nsecsElapsed() / 1e6;
    std::printf("MEMORY %.1f %ld %ld %d\n", ms, statusKb("VmHWM"), before, stok.data().rowCount());
    return stok.data().rowCount() > 0 ? 0 : 1;
}

struct SearchSizeFigures {
    std::vector<double> bare, decoded, endToEnd, gaps;
    std::vector<double> repaint;           // one repaint of the filled grid
    std::vector<double> bareAndRepaint;    // the bare call plus that repaint, run by run
    int rows = 0;
    qint64 bytes = 0;
    bool ok = true;
};

// Runs of one result size against a server on port.
SearchSizeFigures measureSearch(int port, int runs)
{
    SearchSizeFigures f;
    DialogRecorder dialogs; // any message would be recorded, not shown
    datasnap::Connection bagc;
    bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
    bagc.setParam(datasnap::param::Port, QString::number(port));
    TSonucBilgisi sbilgi = dealer();
    MemTable stok, sepet;
    TKatalogBaglami baglam;
    baglam.bagc = &bagc;
    baglam.sbilgi = &sbilgi;
    baglam.sepet = &sepet;

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *bar = new QHBoxLayout;
    layout->addLayout(bar);
    auto *tab = new TStokListesi(baglam, stok, &window);
    tab->AramaCubugunaYerlestir(bar);
    layout->addWidget(tab);
    window.resize(1400, 900);
    window.show();
    QCoreApplication::processEvents();

    // The same request as the search sends.
    const QByteArray body = wire::encodeRequest({wire::Value(QString()), wire::marshal(sbilgi)});
    const std::string path = "/datasnap/rest/TServerMethods1/StokAraGetirZelvori";

    httplib::Client http("127.0.0.1", port);
    http.set_keep_alive(true);
    http.set_tcp_nodelay(true);
    http.set_read_timeout(120, 0);

    QElapsedTimer clock;
    clock.start();
    PaintWatcher paint(tab->cxGrid1->view()->viewport());
    paint.clock = &clock;

    for (int run = 0; run <= runs; ++run) { // run 0 warms caches and is not counted
        // 1. The bare HTTP call.
        qint64 t0 = clock.nsecsElapsed();
        auto res = http.Post(path.c_str(), body.constData(), size_t(body.size()), "application/json; charset=utf-8");
        const double bareMs = (clock.nsecsElapsed() - t0) / 1e6;
        if (!res || res->status != 200) {
            std::fprintf(stderr, "bench_search: bare call failed\n");
            f.ok = false;
            return f;
        }
        f.bytes = qint64(res->body.size());

        // 2. The call with decoding, on a worker thread as the search job runs it.
        t0 = clock.nsecsElapsed();
        auto job = std::async(std::launch::async, [&] {
            auto clone = bagc.CloneConnection();
            clone->Open();
            TServerMethods1Client client(*clone);
            TSonucBilgisi copy;
            copy.Kopyala(sbilgi);
            return client.StokAraGetirZelvori(QString(), copy).rowCount();
        });
        const int decodedRows = job.get();
        const double decodedMs = (clock.nsecsElapsed() - t0) / 1e6;

        // 3. Enter in the search box until the grid has painted the result,
        // with a 1 ms timer measuring how long the main thread is kept busy.
        qint64 lastTick = 0, longest = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - lastTick);
            lastTick = now;
        });
        bool done = false, searched = true;
        auto conn = QObject::connect(tab, &TStokListesi::AramaBitti, [&](bool ok) {
            done = true;
            searched = ok;
            paint.arm();
        });
        tab->araedit->setText(QString());
        lastTick = clock.nsecsElapsed();
        ticker.start();
        t0 = clock.nsecsElapsed();
        QMetaObject::invokeMethod(tab->araedit, "returnPressed");
        while (!(done && paint.painted()))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const double e2eMs = (paint.paintedAt() - t0) / 1e6;
        ticker.stop();
        QObject::disconnect(conn);
        f.rows = tab->cxGrid1->rowCount();
        if (!searched || !dialogs.messages().isEmpty()) {
            std::fprintf(stderr, "bench_search: the search failed%s%s\n", dialogs.messages().isEmpty() ? "" : ": ",
                         qPrintable(dialogs.last().text));
            f.ok = false;
            return f;
        }
        if (decodedRows != f.rows) {
            std::fprintf(stderr, "bench_search: %d rows decoded, %d shown\n", decodedRows, f.rows);
            f.ok = false;
        }
        // 4. What painting the filled grid costs by itself: the part of the
        // end-to-end time that no search could avoid besides its call.
        QWidget *viewport = tab->cxGrid1->view()->viewport();
        t0 = clock.nsecsElapsed();
        viewport->repaint();
        const double repaintMs = (clock.nsecsElapsed() - t0) / 1e6;
        if (run > 0) {
            f.repaint.push_back(repaintMs);
            f.bareAndRepaint.push_back(bareMs + repaintMs);
            f.bare.push_back(bareMs);
            f.decoded.push_back(decodedMs);
            f.endToEnd.push_back(e2eMs);
            f.gaps.push_back(longest / 1e6);
        }
    }
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QString appserver = QStringLiteral(ZELVORI_APPSERVER_PATH);
    QString database;
    int memoryPort = 0;
    const bool smoke = bench::smokeRun(argc, argv);
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--appserver")
            appserver = args[++i];
        else if (args[i] == u"--database")
            database = args[++i];
        else if (args[i] == u"--memory-child")
            memoryPort = args[++i].toInt();
    }
    if (memoryPort > 0)
        return memoryChild(memoryPort);
    TransferNesneleriniKaydet();

    // The smoke run seeds a small catalogue of its own.
    QTemporaryDir scratch;
    const int items = smoke ? 100 : 100000;
    if (database.isEmpty())
        database = smoke ? scratch.filePath(u"smoke.sqlite"_s) : u"/tmp/zelvori-bench-search-100k.sqlite"_s;
    const QStringList serverOptions = {u"--database"_s, database, u"--seed-items"_s, QString::number(items)};

    struct Size {
        int rows;
        int runs;
        const char *endToEndTarget;
        const char *stallTarget;
    };
    const std::vector<Size> sizes = smoke ? std::vector<Size>{{20, 2, "ratio<2", "-"}}
                                          : std::vector<Size>{{20, 15, "ratio<2", "-"},
                                                              {1000, 15, "ratio<2", "-"},
                                                              {10000, 11, "<300,ratio<2", "max<50"},
                                                              {100000, 3, "ratio<2", "-"}};
    qint64 bytesOfLargest = 0;
    for (const Size &size : sizes) {
        bench::ServerProcess server;
        if (!server.start(appserver, serverOptions + QStringList{u"--search-limit"_s, QString::number(size.rows)}))
            return 1;
        const SearchSizeFigures f = measureSearch(server.port(), size.runs);
        if (!f.ok)
            return 1;
        if (f.rows != size.rows)
            std::fprintf(stderr, "bench_search: %d rows asked for, %d shown\n", size.rows, f.rows);
        bytesOfLargest = f.bytes;
        char note[96];
        std::snprintf(note, sizeof note, "%d rows shown, %.2f MB answer, %d runs", f.rows, f.bytes / 1e6, size.runs);
        bench::figure("search", bench::rowsName("Enter to grid painted", size.rows), f.endToEnd, "ms", "bare HTTP call",
                      f.bare, size.endToEndTarget, note);
        bench::figure("search", bench::rowsName("Enter to grid painted", size.rows) + " (floor with the paint)",
                      f.endToEnd, "ms", "bare HTTP call + one repaint of the grid", f.bareAndRepaint, "ratio<2", note);
        bench::figure("search", bench::rowsName("one repaint of the filled grid", size.rows), f.repaint, "ms", {}, {},
                      "-", note);
        bench::figure("search", bench::rowsName("call + decode on a worker", size.rows), f.decoded, "ms",
                      "bare HTTP call", f.bare, "-", note);
        bench::figure("search", bench::rowsName("longest main-thread stall", size.rows), f.gaps, "ms", {}, {},
                      size.stallTarget, note);
    }

    // Memory: fresh processes loading the largest answer.
    const int memoryRows = sizes.back().rows;
    bench::ServerProcess server;
    if (!server.start(appserver, serverOptions + QStringList{u"--search-limit"_s, QString::number(memoryRows)}))
        return 1;
    std::vector<double> growthMb, peakMb, loadMs;
    for (int run = 0; run < (smoke ? 1 : 3); ++run) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {u"--memory-child"_s, QString::number(server.port())});
        if (!child.waitForFinished(300000) || child.exitCode() != 0) {
            std::fprintf(stderr, "bench_search: the memory child failed\n");
            return 1;
        }
        const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
        if (parts.size() != 5 || parts[0] != "MEMORY" || parts[4].toInt() != memoryRows) {
            std::fprintf(stderr, "bench_search: unexpected answer of the memory child\n");
            return 1;
        }
        loadMs.push_back(parts[1].toDouble());
        peakMb.push_back(parts[2].toDouble() / 1024.0);
        growthMb.push_back((parts[2].toDouble() - parts[3].toDouble()) / 1024.0);
    }
    const std::vector<double> jsonMb = {double(bytesOfLargest) / (1024.0 * 1024.0)};
    const std::string note = std::to_string(loadMs.size()) + " fresh processes";
    bench::figure("memory", bench::rowsName("peak resident memory growth, loading", memoryRows), growthMb, "MiB",
                  "JSON size of the answer", jsonMb, "ratio<3", note);
    bench::figure("memory", bench::rowsName("peak resident memory of the process, loading", memoryRows), peakMb,
                  "MiB", "JSON size of the answer", jsonMb, "-", note);
    bench::figure("memory", bench::rowsName("load (call, decode, table)", memoryRows), loadMs, "ms", {}, {},
                  smoke ? "-" : "<1500", note);
    return 0;
}
