#include "platform/datasnap/connection.h"

#include "platform/datasnap/httpchannel.h"
#include "platform/datasnap/servererror.h"

#include <chrono>
#include <mutex>
#include <signal.h>

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

    using Clock = std::chrono::steady_clock;
    const int timeoutMs = callTimeoutMs();
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    // Each socket read and write waits at most the whole call timeout; the
    // progress check ends a body that trickles in past the deadline.
    m_channel->set_read_timeout(std::chrono::milliseconds(timeoutMs));
    m_channel->set_write_timeout(std::chrono::milliseconds(timeoutMs));

    httplib::Request req;
    req.method = "POST";
    req.path = path.toStdString();
    req.set_header("Content-Type", "application/json; charset=utf-8");
    req.set_header("Accept", "application/json");
    req.body.assign(body.constData(), size_t(body.size()));
    req.progress = [deadline](uint64_t, uint64_t) { return Clock::now() < deadline; };

    httplib::Response res;
    httplib::Error error = httplib::Error::Success;
    if (!m_channel->send(req, res, error)) {
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
    return {res.status, QByteArray(res.body.data(), qsizetype(res.body.size()))};
}

} // namespace datasnap
