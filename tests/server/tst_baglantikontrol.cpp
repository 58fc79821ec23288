// The connection check against a closed and an open loopback port, on the
// main thread and from a worker.
#include "core/baglantikontrol.h"
#include "core/dialogrecorder.h"
#include "tests/datasnap/loopbackserver.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

const QString kSonMesaj = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");

// Records on which thread each message reached the presenter, then lets the
// recorder answer it.
class ThreadWatch final : public DialogPresenter
{
public:
    explicit ThreadWatch(DialogRecorder& recorder)
        : m_recorder(recorder)
        , m_previous(installDialogPresenter(this))
    {
    }
    ~ThreadWatch() override { installDialogPresenter(m_previous); }

    std::atomic<int> offMainThread{0};

    int messageDialog(const MessageDialogRequest& r) override { return note(), m_recorder.messageDialog(r); }
    int messageBox(const MessageBoxRequest& r) override { return note(), m_recorder.messageBox(r); }
    QString saveFileName(const FileDialogRequest& r) override { return m_recorder.saveFileName(r); }
    QString openFileName(const FileDialogRequest& r) override { return m_recorder.openFileName(r); }
    void playSound(TMsgDlgType kind) override { m_recorder.playSound(kind); }
    bool openWithSystem(const OpenRequest& r) override { return m_recorder.openWithSystem(r); }

private:
    void note()
    {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            ++offMainThread;
    }
    DialogRecorder& m_recorder;
    DialogPresenter* m_previous;
};

struct Pauses
{
    QList<std::chrono::milliseconds> seen;
    BaglantiBeklemesi fn()
    {
        return [this](std::chrono::milliseconds ms) { seen << ms; };
    }
};

void pointAt(datasnap::Connection& c, int port)
{
    c.setParam(u"HostName", QStringLiteral("127.0.0.1"));
    c.setParam(u"Port", QString::number(port));
}

} // namespace

class tst_BaglantiKontrol : public QObject
{
    Q_OBJECT

private slots:
    void closedPort_data();
    void closedPort();
    void openPortAnswersTrueAtOnce();
    void fromAWorkerTheBoxesAppearOnTheMainThread();
    void processWidePauseIsUsedByTheShortForm();
};

void tst_BaglantiKontrol::closedPort_data()
{
    QTest::addColumn<int>("rapor");
    QTest::newRow("rapor 1: closing message") << 1;
    QTest::newRow("rapor 0: silent") << 0;
}

void tst_BaglantiKontrol::closedPort()
{
    QFETCH(int, rapor);
    DialogRecorder dialogs;
    ClosedPort closed;
    datasnap::Connection bagc;
    pointAt(bagc, closed.port());
    Pauses pauses;

    QCOMPARE(BaglantiKontrol(bagc, rapor, pauses.fn()), false);
    QVERIFY(!bagc.Connected());

    const QList<ShownDialog> shown = dialogs.messages();
    QCOMPARE(shown.size(), rapor == 1 ? 12 : 11);
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(shown[i].what, ShownDialog::MessageBox);
        QCOMPARE(shown[i].text, QStringLiteral("Connection refused"));
        QCOMPARE(shown[i].buttons, QList<TMsgDlgBtn>{mbOK});
    }
    if (rapor == 1) {
        QCOMPARE(shown[11].what, ShownDialog::MessageDialog);
        QCOMPARE(shown[11].text, kSonMesaj);
        QCOMPARE(shown[11].kind, mtError);
        QCOMPARE(shown[11].caption, QStringLiteral("Hata"));
        QCOMPARE(shown[11].buttons, QList<TMsgDlgBtn>{mbOK});
    }
    QCOMPARE(pauses.seen.size(), 11);
    for (auto ms : pauses.seen)
        QCOMPARE(ms.count(), 500);
}

void tst_BaglantiKontrol::openPortAnswersTrueAtOnce()
{
    DialogRecorder dialogs;
    LoopbackServer server;
    datasnap::Connection bagc;
    pointAt(bagc, server.port());
    bagc.Open(); // an open connection is closed first and opened again
    Pauses pauses;
    QCOMPARE(BaglantiKontrol(bagc, 1, pauses.fn()), true);
    QVERIFY(bagc.Connected());
    QVERIFY(dialogs.shown().isEmpty());
    QVERIFY(pauses.seen.isEmpty());
    QVERIFY(server.requests().isEmpty());
}

void tst_BaglantiKontrol::fromAWorkerTheBoxesAppearOnTheMainThread()
{
    DialogRecorder dialogs;
    ThreadWatch watch(dialogs);
    ClosedPort closed;
    std::atomic<int> result{-1};
    std::thread worker([&] {
        auto clone = std::make_unique<datasnap::Connection>();
        pointAt(*clone, closed.port());
        Pauses pauses;
        result = BaglantiKontrol(*clone, 1, pauses.fn()) ? 1 : 0;
    });
    // The worker waits for each box; the main thread's event loop shows them.
    QTRY_VERIFY_WITH_TIMEOUT(result != -1, 20000);
    worker.join();
    QCOMPARE(result.load(), 0);
    QCOMPARE(dialogs.messages().size(), 12);
    QCOMPARE(dialogs.messages().last().text, kSonMesaj);
    QCOMPARE(watch.offMainThread.load(), 0);
}

void tst_BaglantiKontrol::processWidePauseIsUsedByTheShortForm()
{
    DialogRecorder dialogs;
    ClosedPort closed;
    datasnap::Connection bagc;
    pointAt(bagc, closed.port());
    Pauses pauses;
    const BaglantiBeklemesi before = BaglantiBeklemesiniAyarla(pauses.fn());
    const bool ok = BaglantiKontrol(bagc, 0);
    BaglantiBeklemesiniAyarla(before);
    QCOMPARE(ok, false);
    QCOMPARE(pauses.seen.size(), 11);
    QCOMPARE(dialogs.messages().size(), 11);
}

QTEST_GUILESS_MAIN(tst_BaglantiKontrol)
#include "tst_baglantikontrol.moc"
