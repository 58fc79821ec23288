#include "platform/datasnap/connection.h"

#include "platform/datasnap/httpchannel.h"
#include "platform/datasnap/servererror.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <signal.h>
#include <thread>

namespace datasnap {

namespace {
constexpr int kDefaultCallTimeoutMs = 30000;
constexpr int kDefaultConnectTimeoutMs = 5000;

// The HTTP library writes to sockets without MSG_NOSIGNAL: a server that
// resets the connection while a request is written would end the process with
// SIGPIPE. The write then fails with EPIPE instead, and the call reports it.
// A handler the program installed itself is left alone.
void ignoreBrokenPipes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            ::signal(SIGPIPE, SIG_IGN);
    });
}

using Clock = std::chrono::steady_clock;

// Ends calls that outlive their deadline. Each socket read waits at most the
// call timeout, but a server that trickles its status line and headers a few
// bytes at a time keeps every single read short, and the library checks the
// progress only while a body arrives; so the deadline of the whole call is
// kept from outside: one thread for the process shuts the channel's socket
// down when a call's deadline passes, and the call then fails as timed out.
class CallDeadlines
{
public:
    static CallDeadlines& instance()
    {
        // Never destroyed: calls may run while the process ends.
        static CallDeadlines* const deadlines = new CallDeadlines;
        return *deadlines;
    }

    quint64 watch(HttpChannel* channel, Clock::time_point deadline)
    {
        std::lock_guard lock(m_mutex);
        const quint64 id = m_next++;
        m_calls.emplace(id, Watched{channel, deadline});
        // The thread is woken only when this deadline comes before the one it
        // waits for; calls with the usual timeout never wake it.
        if (deadline < m_wakeAt)
            m_changed.notify_one();
        return id;
    }

    // After release() returns the channel is no longer touched.
    void release(quint64 id)
    {
        std::lock_guard lock(m_mutex);
        m_calls.erase(id);
    }

private:
    struct Watched
    {
        HttpChannel* channel;
        Clock::time_point deadline;
    };

    CallDeadlines()
    {
        std::thread([this] { run(); }).detach();
    }

    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wakeAt = Clock::time_point::max();
            for (const auto& [id, w] : m_calls)
                m_wakeAt = std::min(m_wakeAt, w.deadline);
            if (m_calls.empty()) {
                m_changed.wait(lock);
                continue;
            }
            if (Clock::now() < m_wakeAt) {
                m_changed.wait_until(lock, m_wakeAt);
                continue;
            }
            const Clock::time_point now = Clock::now();
            for (auto it = m_calls.begin(); it != m_calls.end();) {
                if (it->second.deadline <= now) {
                    // Shuts the socket down under the lock, so the call cannot
                    // end and free its channel meanwhile.
                    it->second.channel->stop();
                    it = m_calls.erase(it);
                } else {
                    ++it;
                }
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<quint64, Watched> m_calls;
    quint64 m_next = 1;
    Clock::time_point m_wakeAt = Clock::time_point::max(); // what the thread waits for
};

// The most a Content-Length may make us reserve up front; a larger body
// still arrives, growing as it comes, so a wrong announced size cannot make
// the client allocate far beyond what is really sent.
constexpr uint64_t kMaxReserve = uint64_t(256) << 20;

int positiveOr(const QString& text, int fallback)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok && v > 0 ? v : fallback;
}
} // namespace

Connection::Connection()
{
    m_params = {
        {QStringLiteral("ConnectionName"), QStringLiteral("DataSnapCONNECTION")},
        {QStringLiteral("DriverName"), QStringLiteral("DataSnap")},
        {QStringLiteral("LoginPrompt"), QStringLiteral("False")},
        {QStringLiteral("CommunicationProtocol"), QStringLiteral("tcp/ip")},
        {QStringLiteral("HostName"), QStringLiteral("localhost")},
        {QStringLiteral("Port"), QStringLiteral("9090")},
        {QStringLiteral("DatasnapContext"), QStringLiteral("datasnap/")},
        {QStringLiteral("DSProxyPort"), QStringLiteral("8090")},
        {QStringLiteral("Filters"), QStringLiteral("{}")},
        {QStringLiteral("CallTimeout"), QString::number(kDefaultCallTimeoutMs)},
        {QStringLiteral("ConnectTimeout"), QString::number(kDefaultConnectTimeoutMs)},
    };
}

Connection::~Connection() = default;

QString Connection::param(QStringView name) const
{
    for (const auto& p : m_params)
        if (name.compare(p.first, Qt::CaseInsensitive) == 0)
            return p.second;
    return {};
}

void Connection::setParam(QStringView name, const QString& value)
{
    for (auto& p : m_params)
        if (name.compare(p.first, Qt::CaseInsensitive) == 0) {
            p.second = value;
            return;
        }
    m_params.append({name.toString(), value});
}

QStringList Connection::paramNames() const
{
    QStringList names;
    for (const auto& p : m_params)
        names << p.first;
    return names;
}

int Connection::callTimeoutMs() const
{
    return positiveOr(param(param::CallTimeout), kDefaultCallTimeoutMs);
}

int Connection::connectTimeoutMs() const
{
    return positiveOr(param(param::ConnectTimeout), kDefaultConnectTimeoutMs);
}

QString Connection::methodPath(const QString& className, const QString& method) const
{
    QString context = param(param::DatasnapContext);
    while (context.startsWith(u'/'))
        context.remove(0, 1);
    if (!context.isEmpty() && !context.endsWith(u'/'))
        context += u'/';
    return u'/' + context + u"rest/" + className + u'/' + method;
}

void Connection::Open()
{
    ignoreBrokenPipes();
    Close();
    bool portOk = false;
    const int port = param(param::Port).trimmed().toInt(&portOk);
    if (!portOk || port <= 0 || port > 65535)
        throw ServerError(ServerError::Kind::Connect,
                          QStringLiteral("Invalid port \"%1\"").arg(param(param::Port)));
    const QString host = param(param::HostName).trimmed();
    if (host.isEmpty())
        throw ServerError(ServerError::Kind::Connect, QStringLiteral("No host name given"));

    auto channel = std::make_unique<HttpChannel>(host.toStdString(), port, connectTimeoutMs(), m_noDelay);
    if (!channel->connectNow())
        throw ServerError(ServerError::Kind::Connect, channel->lastConnectError());
    m_channel = std::move(channel);
}

void Connection::Close()
{
    m_channel.reset();
}

bool Connection::Connected() const
{
    return m_channel != nullptr;
}

std::unique_ptr<Connection> Connection::CloneConnection() const
{
    auto clone = std::make_unique<Connection>();
    clone->m_params = m_params;
    clone->m_noDelay = m_noDelay;
    return clone;
}

HttpAnswer Connection::post(const QString& path, const QByteArray& body, const QString& method)
{
    if (!m_channel)
        throw ServerError(ServerError::Kind::NotOpen, QString::fromLatin1(kConnectionNotOpenText), 0, method);

    const int timeoutMs = callTimeoutMs();
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    // Each socket read and write waits at most the whole call timeout; the
    // progress check ends a body that trickles in past the deadline, and
    // CallDeadlines anything else that does.
    m_channel->set_read_timeout(std::chrono::milliseconds(timeoutMs));
    m_channel->set_write_timeout(std::chrono::milliseconds(timeoutMs));

    httplib::Request req;
    req.method = "POST";
    req.path = path.toStdString();
    req.set_header("Content-Type", "application/json; charset=utf-8");
    req.set_header("Accept", "application/json");
    req.body.assign(body.constData(), size_t(body.size()));
    req.progress = [deadline](uint64_t, uint64_t) { return Clock::now() < deadline; };
    // The body goes straight into one buffer of its announced size, so it is
    // neither regrown while it arrives nor copied again before decoding.
    QByteArray received;
    req.content_receiver = [&received](const char* data, size_t n, uint64_t offset, uint64_t length) {
        if (offset == 0 && length > 0)
            received.reserve(qsizetype(std::min(length, kMaxReserve)));
        received.append(data, qsizetype(n));
        return true;
    };

    httplib::Response res;
    httplib::Error error = httplib::Error::Success;
    const quint64 watched = CallDeadlines::instance().watch(m_channel.get(), deadline);
    const bool sent = m_channel->send(req, res, error);
    CallDeadlines::instance().release(watched);
    if (!sent) {
        if (Clock::now() >= deadline || error == httplib::Error::Canceled)
            throw ServerError(ServerError::Kind::Timeout,
                              QStringLiteral("No complete answer from the server to %1 within %2 ms")
                                  .arg(method)
                                  .arg(timeoutMs),
                              0, method);
        QString text = QString::fromStdString(httplib::to_string(error));
        if (error == httplib::Error::Connection && !m_channel->lastConnectError().isEmpty())
            text = m_channel->lastConnectError();
        throw ServerError(ServerError::Kind::Transport, text, 0, method);
    }
    return {res.status, std::move(received)};
}

} // namespace datasnap
