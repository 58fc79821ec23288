#pragma once
// Background tasks: Async(job).Await(done) runs job on a pooled worker thread
// and then done on the main thread. Callers keep no reference; the task keeps
// job, done and everything they capture alive until done has run. There is no
// cancellation.
//
//   Async([state] { state->hata = yukle(); })
//       .Await(this, [this, state] { bitir(state->hata); });
//
// An exception that escapes the job is raised again on the main thread after
// done has run: it goes to the unhandled-error handler (by default an error
// box through the dialog seam), because an exception must not unwind through
// the event loop.
//
// The synchronous hand-off: runOnMainThread(fn) runs fn on the main thread and
// returns when it has run (directly when already there). A worker uses it for
// every change to a visible control and for dialogs it must wait for.

#include <QObject>
#include <QPointer>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <utility>

class QThreadPool;

using TProc = std::function<void()>;

class IAwait
{
public:
    virtual ~IAwait();
    // Starts the job; done runs on the main thread when the job has ended.
    virtual void Await(TProc done) = 0;
    // As above, but done is skipped when context has been destroyed by then
    // (a closed window never receives a late result). An escaped job error is
    // still reported.
    virtual void Await(QObject* context, TProc done) = 0;
};

class TAwait final : public IAwait
{
public:
    explicit TAwait(TProc job);
    void Await(TProc done) override;
    void Await(QObject* context, TProc done) override;

private:
    void start(QPointer<QObject> context, bool hasContext, TProc done);
    TProc FAsync;
};

TAwait Async(TProc job);

// Where a job's escaped exception goes after done has run. Passing an empty
// handler restores the default (an error box with the exception's text).
// Returns the previous handler.
using UnhandledErrorHandler = std::function<void(std::exception_ptr)>;
UnhandledErrorHandler setUnhandledErrorHandler(UnhandledErrorHandler handler);
// Hands an exception to the current handler (main thread).
void reportUnhandledError(std::exception_ptr error);
// The text of an exception for the user: what() of a std::exception (UTF-8),
// else a generic text.
QString exceptionText(std::exception_ptr error);

// The pool the jobs run on (QThreadPool::globalInstance() unless replaced).
QThreadPool* asyncPool();
void setAsyncPool(QThreadPool* pool);

// True on the application's main thread (or when there is no application yet).
bool isMainThread();

// Runs fn on the main thread and waits for it. An exception thrown by fn is
// carried back and thrown again in the caller's thread.
//
// A worker does not wait for a main thread that will never serve it: when the
// application is being destroyed, or the stop flag of the worker's
// HandOffStopScope is set, a call that has not started yet is dropped and
// MainThreadCallAbandoned is thrown instead (fn then never runs).
void runOnMainThread(const TProc& fn);

class MainThreadCallAbandoned : public std::runtime_error
{
public:
    MainThreadCallAbandoned();
};

// While alive on a worker thread, the hand-offs of that thread give up once
// *stop is set (see runOnMainThread). The owner of what a job touches sets the
// flag before it destroys those things, then serves the main thread's events
// until the job has ended.
class HandOffStopScope
{
public:
    explicit HandOffStopScope(std::shared_ptr<const std::atomic<bool>> stop);
    ~HandOffStopScope();
    HandOffStopScope(const HandOffStopScope&) = delete;
    HandOffStopScope& operator=(const HandOffStopScope&) = delete;

private:
    std::shared_ptr<const std::atomic<bool>> m_previous;
};

// Hands fn to the main thread without waiting for it; it runs there from
// the event loop, or not at all if the application ends first. False (and
// nothing posted) when there is no application.
bool postToMainThread(std::function<void()> fn);

template <typename F> auto callOnMainThread(F&& fn) -> std::invoke_result_t<F>
{
    using R = std::invoke_result_t<F>;
    if constexpr (std::is_void_v<R>) {
        runOnMainThread(TProc(std::forward<F>(fn)));
    } else {
        R result{};
        runOnMainThread([&] { result = fn(); });
        return result;
    }
}
