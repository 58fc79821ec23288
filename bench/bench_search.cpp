// End-to-end figure of the stock search: from Enter in the search box to the
// grid painting a 10 000-row result, against zelvori-appserver with a
// 100 000-item catalogue on a loopback port. In the same run: the bare HTTP
// call of the same request (the answer received, not decoded), the call
// with decoding on a worker (what the search job does), and the longest gap
// between ticks of a 1 ms timer on the main thread while the search runs.
//
//   bench_search [--appserver PATH] [--database PATH] [--runs N]
//
// The database is created once (seeding 100 000 items takes a while) and
// reused by later runs.
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
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <future>

using namespace Qt::StringLiterals;

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

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

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QString appserver = QStringLiteral(ZELVORI_APPSERVER_PATH);
    QString database = u"/tmp/zelvori-bench-search-100k.sqlite"_s;
    int runs = 15;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--appserver")
            appserver = args[++i];
        else if (args[i] == u"--database")
            database = args[++i];
        else if (args[i] == u"--runs")
            runs = args[++i].toInt();
    }

    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(appserver, {u"--port"_s, u"0"_s, u"--host"_s, u"127.0.0.1"_s, u"--database"_s,
                             database, u"--seed-items"_s, u"100000"_s});
    if (!server.waitForStarted(10000)) {
        std::fprintf(stderr, "bench_search: cannot start %s\n", qPrintable(appserver));
        return 1;
    }
    // The port line comes once the catalogue exists (seeding may take minutes).
    while (!server.canReadLine() && server.state() == QProcess::Running)
        server.waitForReadyRead(1000);
    const int port = server.readLine().trimmed().toInt();
    if (port <= 0) {
        std::fprintf(stderr, "bench_search: the application server gave no port\n");
        return 1;
    }

    DialogRecorder dialogs; // any message would be recorded, not shown
    datasnap::Connection bagc;
    bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
    bagc.setParam(datasnap::param::Port, QString::number(port));
    TSonucBilgisi sbilgi;
    sbilgi.setCARINO(1002);
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

    // The same request as the search sends: an empty text matches every
    // item, capped by the server at 10 000 rows.
    TransferNesneleriniKaydet();
    const QByteArray body = wire::encodeRequest({wire::Value(QString()), wire::marshal(sbilgi)});
    const std::string path = "/datasnap/rest/TServerMethods1/StokAraGetirZelvori";

    QList<double> bare, decoded, endToEnd, gaps;
    int rows = 0;
    qint64 bytes = 0;

    httplib::Client http("127.0.0.1", port);
    http.set_keep_alive(true);
    http.set_read_timeout(60, 0);

    QElapsedTimer clock;
    clock.start();
    PaintWatcher paint(tab->cxGrid1->view()->viewport());
    paint.clock = &clock;

    for (int run = 0; run <= runs; ++run) { // run 0 warms caches and is not counted
        // 1. The bare HTTP call.
        qint64 t0 = clock.nsecsElapsed();
        auto res = http.Post(path.c_str(), body.constData(), size_t(body.size()),
                             "application/json; charset=utf-8");
        const double bareMs = (clock.nsecsElapsed() - t0) / 1e6;
        if (!res || res->status != 200) {
            std::fprintf(stderr, "bench_search: bare call failed\n");
            return 1;
        }
        bytes = qint64(res->body.size());

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
        bool done = false;
        auto conn = QObject::connect(tab, &TStokListesi::AramaBitti, [&](bool ok) {
            done = true;
            if (!ok)
                std::fprintf(stderr, "bench_search: the search failed\n");
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
        rows = tab->cxGrid1->rowCount();

        if (run > 0) {
            bare << bareMs;
            decoded << decodedMs;
            endToEnd << e2eMs;
            gaps << longest / 1e6;
        }
        if (decodedRows != rows)
            std::fprintf(stderr, "bench_search: %d rows decoded, %d shown\n", decodedRows, rows);
    }

    const double bareMed = median(bare), e2eMed = median(endToEnd);
    std::printf("bench_search: %d rows, %.1f MB answer, %d runs (medians)\n", rows, bytes / 1e6, runs);
    std::printf("  bare HTTP call                  %8.1f ms\n", bareMed);
    std::printf("  call + decode on a worker       %8.1f ms\n", median(decoded));
    std::printf("  Enter -> grid painted           %8.1f ms   (target < 300 ms)\n", e2eMed);
    std::printf("  ratio end-to-end / bare call    %8.2f      (target < 2)\n", bareMed > 0 ? e2eMed / bareMed : 0.0);
    std::printf("  longest main-thread gap         %8.1f ms   (median of runs; worst %.1f ms; target < 50 ms)\n",
                median(gaps), *std::max_element(gaps.begin(), gaps.end()));

    server.terminate();
    server.waitForFinished(5000);
    return 0;
}
