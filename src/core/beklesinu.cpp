#include "core/beklesinu.h"

#include "core/dialogs.h"

#include <QCoreApplication>
#include <QEvent>
#include <QRunnable>
#include <QDebug>
#include <QMutex>
#include <QThread>
#include <QThreadPool>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

// Qt hands a job to a pooled thread and a queued call to the main thread
// under its own locks, which ThreadSanitizer cannot see inside the
// uninstrumented Qt libraries; every later access on the receiving side then
// looks unordered. These two mark each hand-off where it is made, so the
// sanitizer knows what Qt guarantees: what the sender did before posting
// happens before what the receiver does. Without the sanitizer they are
// nothing.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
#define ZELVORI_HANDED_OVER(p) __tsan_release(static_cast<void*>(p))
#define ZELVORI_TAKEN_OVER(p) __tsan_acquire(static_cast<void*>(p))
#else
#define ZELVORI_HANDED_OVER(p) static_cast<void>(p)
#define ZELVORI_TAKEN_OVER(p) static_cast<void>(p)
#endif

namespace {

QMutex g_handlerMutex;
UnhandledErrorHandler g_handler;
QAtomicPointer<QThreadPool> g_pool;
// The application's thread, remembered so that it is still known while the
// application object is being destroyed.
QAtomicPointer<QThread> g_mainThread;
// The stop flag of the current worker's HandOffStopScope.
thread_local std::shared_ptr<const std::atomic<bool>> t_handOffStop;

// A call posted to the main thread. The event belongs to Qt's queue once
// posted: the posting thread never touches it again, and it is run and
// deleted on the main thread (or deleted unrun if the application ends
// first).
class MainThreadCall : public QEvent
{
public:
    explicit MainThreadCall(std::function<void()> fn)
        : QEvent(eventType())
        , m_fn(std::move(fn))
    { }
    // An unrun call is deleted by Qt on the main thread when the application
    // ends; its state is taken over there as well.
    ~MainThreadCall() override { ZELVORI_TAKEN_OVER(this); }

    static QEvent::Type eventType()
    {
        static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
        return type;
    }

    // Only from MainThreadCalls::event, which has taken the event over.
    void run() { m_fn(); }

private:
    std::function<void()> m_fn;
};

// Runs the posted calls; lives in the application's thread.
class MainThreadCalls : public QObject
{
public:
    bool event(QEvent* e) override
    {
        // Before the event is read at all: it was made on the posting thread.
        ZELVORI_TAKEN_OVER(e);
        if (e->type() != MainThreadCall::eventType())
            return QObject::event(e);
        static_cast<MainThreadCall*>(e)->run();
        return true;
    }
};

} // namespace

bool postToMainThread(std::function<void()> fn)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    // Made once, by whichever thread posts first, and moved to the
    // application's thread; kept for the whole process.
    static QObject* const receiver = [app] {
        auto* calls = new MainThreadCalls;
        calls->moveToThread(app->thread());
        return calls;
    }();
    auto* call = new MainThreadCall(std::move(fn));
    ZELVORI_HANDED_OVER(call);
    QCoreApplication::postEvent(receiver, call);
    return true;
}

namespace {

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

// Runs a task's job on a pooled thread, then posts its end to the main
// thread.
class TaskRunnable : public QRunnable
{
public:
    explicit TaskRunnable(std::shared_ptr<Task> task)
        : m_task(std::move(task))
    { }

    void run() override
    {
        ZELVORI_TAKEN_OVER(this);
        try {
            if (m_task->job)
                m_task->job();
        } catch (...) {
            m_task->error = std::current_exception();
        }
        // The posted call takes the only worker-side reference, so the
        // captured state is released on the main thread after done.
        if (!postToMainThread([t = std::move(m_task)] { finish(t); }))
            qWarning() << "background task ended after the application was gone";
    }

private:
    std::shared_ptr<Task> m_task;
};

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

    // The runnable is made before the hand-off is marked, so its making is
    // ordered before the worker that runs and deletes it.
    auto* runnable = new TaskRunnable(std::move(task));
    ZELVORI_HANDED_OVER(runnable);
    asyncPool()->start(runnable);
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
    const bool posted = postToMainThread([handOff, call] {
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
            // Moved, not copied: the main thread keeps no reference to the
            // exception the worker goes on to throw.
            std::lock_guard lock(handOff->mutex);
            handOff->error = std::move(error);
            handOff->finished = true;
        }
        handOff->changed.notify_all();
    });
    if (!posted)
        throw MainThreadCallAbandoned();

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
    // Taken out under the lock, so the hand-off (which the main thread may
    // be the last to release) holds no part of the exception thrown here.
    if (std::exception_ptr error = std::exchange(handOff->error, nullptr))
        std::rethrow_exception(error);
}
