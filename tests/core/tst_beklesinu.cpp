#include "core/beklesinu.h"
#include "core/dialogrecorder.h"

#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <stdexcept>

using namespace Qt::StringLiterals;

class tst_beklesinu : public QObject
{
    Q_OBJECT

private slots:
    void jobOnWorkerDoneOnMain();
    void escapedErrorRaisedAfterDone();
    void errorInDoneIsReported();
    void destroyedContextSkipsDoneButReportsError();
    void capturedStateLivesUntilDone();
    void defaultErrorHandlerShowsErrorBox();
    void runOnMainThreadFromWorker();
    void runOnMainThreadCarriesExceptionBack();
    void callOnMainThreadReturnsValue();
};

void tst_beklesinu::jobOnWorkerDoneOnMain()
{
    QThread* jobThread = nullptr;
    QThread* doneThread = nullptr;
    bool jobRanFirst = false;
    std::atomic<bool> jobRan = false;
    Async([&] {
        jobThread = QThread::currentThread();
        jobRan = true;
    }).Await([&] {
        doneThread = QThread::currentThread();
        jobRanFirst = jobRan;
    });
    QTRY_VERIFY(doneThread != nullptr);
    QVERIFY(jobThread != QThread::currentThread());
    QCOMPARE(doneThread, QThread::currentThread());
    QVERIFY(jobRanFirst);
}

void tst_beklesinu::escapedErrorRaisedAfterDone()
{
    QStringList order;
    UnhandledErrorHandler previous = setUnhandledErrorHandler([&](std::exception_ptr e) {
        QVERIFY(isMainThread());
        order << u"error: "_s + exceptionText(e);
    });
    Async([] { throw std::runtime_error("Bağlantı koptu"); }).Await([&] { order << u"done"_s; });
    QTRY_COMPARE(order.size(), 2);
    QCOMPARE(order, (QStringList{u"done"_s, u"error: Bağlantı koptu"_s}));
    setUnhandledErrorHandler(previous);
}

void tst_beklesinu::errorInDoneIsReported()
{
    QStringList errors;
    UnhandledErrorHandler previous
        = setUnhandledErrorHandler([&](std::exception_ptr e) { errors << exceptionText(e); });
    Async([] {}).Await([] { throw std::logic_error("tamamlamada hata"); });
    QTRY_COMPARE(errors, QStringList{u"tamamlamada hata"_s});
    setUnhandledErrorHandler(previous);
}

void tst_beklesinu::destroyedContextSkipsDoneButReportsError()
{
    QStringList errors;
    UnhandledErrorHandler previous
        = setUnhandledErrorHandler([&](std::exception_ptr e) { errors << exceptionText(e); });
    auto* window = new QObject;
    std::atomic<bool> release = false;
    bool doneRan = false;
    Async([&] {
        while (!release)
            QThread::yieldCurrentThread();
        throw std::runtime_error("geç kalan hata");
    }).Await(window, [&] { doneRan = true; });
    delete window; // the window closes while the job still runs
    release = true;
    QTRY_COMPARE(errors, QStringList{u"geç kalan hata"_s});
    QVERIFY(!doneRan);
    setUnhandledErrorHandler(previous);
}

void tst_beklesinu::capturedStateLivesUntilDone()
{
    struct State
    {
        bool hata = true;
    };
    std::weak_ptr<State> watch;
    bool seen = false;
    {
        auto state = std::make_shared<State>();
        watch = state;
        Async([state] { state->hata = false; }).Await([state, &seen] { seen = !state->hata; });
    }
    QTRY_VERIFY(seen);
    // Released once done has run.
    QTRY_VERIFY(watch.expired());
}

void tst_beklesinu::defaultErrorHandlerShowsErrorBox()
{
    DialogRecorder dialogs;
    QTest::ignoreMessage(QtWarningMsg, "unhandled error: Sunucu cevap vermedi");
    Async([] { throw std::runtime_error("Sunucu cevap vermedi"); }).Await([] {});
    QTRY_COMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.last().what, ShownDialog::MessageBox);
    QCOMPARE(dialogs.last().kind, mtError);
    QCOMPARE(dialogs.last().text, u"Sunucu cevap vermedi"_s);
}

void tst_beklesinu::runOnMainThreadFromWorker()
{
    QThread* ranOn = nullptr;
    bool returned = false;
    std::atomic<bool> finished = false;
    Async([&] {
        runOnMainThread([&] { ranOn = QThread::currentThread(); });
        returned = ranOn != nullptr; // the hand-off waited for the main thread
        finished = true;
    }).Await([] {});
    QTRY_VERIFY(finished);
    QCOMPARE(ranOn, QThread::currentThread());
    QVERIFY(returned);
}

void tst_beklesinu::runOnMainThreadCarriesExceptionBack()
{
    QString caught;
    std::atomic<bool> finished = false;
    Async([&] {
        try {
            runOnMainThread([] { throw std::runtime_error("ana iş parçacığında"); });
        } catch (const std::runtime_error& e) {
            caught = QString::fromUtf8(e.what());
        }
        finished = true;
    }).Await([] {});
    QTRY_VERIFY(finished);
    QCOMPARE(caught, u"ana iş parçacığında"_s);
}

void tst_beklesinu::callOnMainThreadReturnsValue()
{
    std::atomic<int> got = 0;
    Async([&] { got = callOnMainThread([] { return isMainThread() ? 42 : -1; }); }).Await([] {});
    QTRY_COMPARE(got.load(), 42);
    QCOMPARE(callOnMainThread([] { return 7; }), 7);
}

QTEST_GUILESS_MAIN(tst_beklesinu)
#include "tst_beklesinu.moc"
