#include "core/beklesinu.h"

#include "core/dialogs.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMetaObject>
#include <QMutex>
#include <QThread>
#include <QThreadPool>

#include <memory>

namespace {

QMutex g_handlerMutex;
UnhandledErrorHandler g_handler;
QAtomicPointer<QThreadPool> g_pool;

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
    QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void runOnMainThread(const TProc& fn)
{
    if (isMainThread()) {
        fn();
        return;
    }
    std::exception_ptr error;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
            try {
                fn();
            } catch (...) {
                error = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (error)
        std::rethrow_exception(error);
}
