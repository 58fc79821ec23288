#include "core/beklesinu.h"

#include "core/dialogs.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMetaObject>
#include <QMutex>
#include <QThread>
#include <QThreadPool>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

QMutex g_handlerMutex;
UnhandledErrorHandler g_handler;
QAtomicPointer<QThreadPool> g_pool;
// The application's thread, remembered so that it is still known while the
// application object is being destroyed.
QAtomicPointer<QThread> g_mainThread;
// The stop flag of the current worker's HandOffStopScope.
thread_local std::shared_ptr<const std::atomic<bool>> t_handOffStop;

// One synchronous call handed to the main thread.
struct HandOff
{
    std::mutex mutex;
    std::condition_variable changed;
    bool started = false;
    bool finished = false;
    bool abandoned = false;
    std::exception_ptr error;
};

bool handOffsStopped()
{
    return QCoreApplication::closingDown() || (t_handOffStop && t_handOffStop->load());
}

void defaultErrorHandler(std::exception_ptr error)
{
    MessageBoxRequest box;
    box.text = exceptionText(error);
    box.caption = QCoreApplication::applicationName();
    box.kind = mtError;
    box.buttons = {mbOK};
    qWarning().noquote() << "unhandled error:" << box.text;
    showMessageBox(box);
}

struct Task
{
    TProc job;
    TProc done;
    QPointer<QObject> context;
    bool hasContext = false;
    std::exception_ptr error;
};

// Runs on the main thread once the job has ended: done first (unless its
// context is gone), then the job's escaped error.
void finish(const std::shared_ptr<Task>& task)
{
    if (!task->hasContext || task->context) {
        try {
            if (task->done)
                task->done();
        } catch (...) {
            reportUnhandledError(std::current_exception());
        }
    }
    if (task->error)
        reportUnhandledError(task->error);
}

} // namespace

IAwait::~IAwait() = default;

TAwait::TAwait(TProc job)
    : FAsync(std::move(job))
{ }

void TAwait::Await(TProc done)
{
    start({}, false, std::move(done));
}

void TAwait::Await(QObject* context, TProc done)
{
    start(QPointer<QObject>(context), true, std::move(done));
}

void TAwait::start(QPointer<QObject> context, bool hasContext, TProc done)
{
    auto task = std::make_shared<Task>();
    task->job = std::move(FAsync);
    task->done = std::move(done);
    task->context = std::move(context);
    task->hasContext = hasContext;

    asyncPool()->start([task]() mutable {
        try {
            if (task->job)
                task->job();
        } catch (...) {
            task->error = std::current_exception();
        }
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) {
            qWarning() << "background task ended after the application was gone";
            return;
        }
        // The queued functor takes the only worker-side reference, so the
        // captured state is released on the main thread after done.
        QMetaObject::invokeMethod(
            app, [t = std::move(task)] { finish(t); }, Qt::QueuedConnection);
    });
}

TAwait Async(TProc job)
{
    return TAwait(std::move(job));
}

UnhandledErrorHandler setUnhandledErrorHandler(UnhandledErrorHandler handler)
{
    QMutexLocker lock(&g_handlerMutex);
    UnhandledErrorHandler previous = std::move(g_handler);
    g_handler = std::move(handler);
    return previous;
}

void reportUnhandledError(std::exception_ptr error)
{
    if (!error)
        return;
    UnhandledErrorHandler handler;
    {
        QMutexLocker lock(&g_handlerMutex);
        handler = g_handler;
    }
    try {
        if (handler)
            handler(error);
        else
            defaultErrorHandler(error);
    } catch (...) {
        qCritical().noquote() << "error handler failed while reporting:" << exceptionText(error);
    }
}

QString exceptionText(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) { }
    return QStringLiteral("Beklenmeyen bir hata oluştu.");
}

QThreadPool* asyncPool()
{
    QThreadPool* pool = g_pool.loadAcquire();
    return pool ? pool : QThreadPool::globalInstance();
}

void setAsyncPool(QThreadPool* pool)
{
    g_pool.storeRelease(pool);
}

bool isMainThread()
{
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QThread* main = app->thread();
        g_mainThread.storeRelease(main);
        return QThread::currentThread() == main;
    }
    QThread* main = g_mainThread.loadAcquire();
    return !main || QThread::currentThread() == main;
}

MainThreadCallAbandoned::MainThreadCallAbandoned()
    : std::runtime_error("the main thread no longer takes calls from this task")
{ }

HandOffStopScope::HandOffStopScope(std::shared_ptr<const std::atomic<bool>> stop)
    : m_previous(std::exchange(t_handOffStop, std::move(stop)))
{ }

HandOffStopScope::~HandOffStopScope()
{
    t_handOffStop = std::move(m_previous);
}

void runOnMainThread(const TProc& fn)
{
    if (isMainThread()) {
        fn();
        return;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || handOffsStopped())
        throw MainThreadCallAbandoned();

    // Not a blocking queued call: its wait cannot end when the main thread
    // is destroying the application (which waits for this very worker) or
    // the window the job works for.
    auto handOff = std::make_shared<HandOff>();
    const TProc* call = &fn;
    QMetaObject::invokeMethod(
        app,
        [handOff, call] {
            {
                std::lock_guard lock(handOff->mutex);
                if (handOff->abandoned)
                    return; // the worker has gone on; `call` may be gone too
                handOff->started = true;
            }
            std::exception_ptr error;
            try {
                (*call)();
            } catch (...) {
                error = std::current_exception();
            }
            {
                std::lock_guard lock(handOff->mutex);
                handOff->error = error;
                handOff->finished = true;
            }
            handOff->changed.notify_all();
        },
        Qt::QueuedConnection);

    std::unique_lock lock(handOff->mutex);
    while (!handOff->finished) {
        // A call already running on the main thread is always waited for.
        if (!handOff->started && handOffsStopped()) {
            handOff->abandoned = true;
            throw MainThreadCallAbandoned();
        }
        // The stop conditions are not signalled; they are looked at again
        // after a short while.
        handOff->changed.wait_for(lock, std::chrono::milliseconds(20));
    }
    if (handOff->error)
        std::rethrow_exception(handOff->error);
}
