#include "appserver/appserver.h"

#include "appserver/database.h"
#include "appserver/methods.h"
#include "appserver/webpages.h"
#include "platform/dataset/fieldtype.h"
#include "wire/codec.h"

#include <QDateTime>

#include <httplib.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

void logCall(const std::string &what, int status, std::chrono::steady_clock::time_point start)
{
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    char line[256];
    const int n = std::snprintf(line, sizeof line, "%s %d %.2f ms\n", what.c_str(), status, ms);
    if (n > 0)
        std::fwrite(line, 1, size_t(std::min<int>(n, int(sizeof line) - 1)), stderr);
}

void reply(httplib::Response &res, int status, const QByteArray &body)
{
    res.status = status;
    res.set_content(body.constData(), size_t(body.size()), "application/json; charset=utf-8");
}

} // namespace

AppServer::AppServer(Database &database, Options options) : m_db(database), m_options(std::move(options)) {}

AppServer::~AppServer() { stop(); }

int AppServer::start()
{
    if (m_server)
        return m_port;
    appserver::methodTable();  // registers the transfer objects before the first call
    try {
        appserver::warmCatalogue(m_db.connection());
    } catch (const DatabaseError &e) {
        std::fprintf(stderr, "zelvori-appserver: %s\n", qPrintable(e.message()));
        return -1;
    }
    m_server = std::make_unique<httplib::Server>();
    const size_t threads = size_t(std::max(2, m_options.threads));
    m_server->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    // Small calls must not wait for delayed acknowledgements; accepted
    // sockets inherit these options from the listening one.
    // The callback runs for the listening socket only, just before it is
    // bound; the socket is kept to widen its backlog after the bind.
    m_listenSocket = -1;
    m_server->set_socket_options([this](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        m_listenSocket = sock;
    });
    m_server->set_tcp_nodelay(true);
    m_server->set_keep_alive_max_count(100000);
    m_server->set_keep_alive_timeout(10);
    m_server->set_payload_max_length(16 * 1024 * 1024);
    setupRoutes();

    const std::string host = m_options.host.toStdString();
    if (m_options.port == 0) {
        m_port = m_server->bind_to_any_port(host);
    } else {
        m_port = m_server->bind_to_port(host, m_options.port) ? m_options.port : -1;
    }
    if (m_port <= 0) {
        m_server.reset();
        m_port = -1;
        return -1;
    }
    // The HTTP library is compiled with a listen backlog of 5. When more
    // clients connect at once than the accept thread takes up, the kernel
    // answers with SYN cookies and drops handshakes; some of those clients
    // then get their first call reset instead of answered. Listening again
    // on the bound socket only changes its backlog (the kernel caps it at
    // net.core.somaxconn).
    if (m_listenSocket < 0 || ::listen(m_listenSocket, SOMAXCONN) != 0)
        std::fprintf(stderr, "zelvori-appserver: cannot widen the listen backlog, clients connecting at once may be "
                             "refused: %s\n",
                     m_listenSocket < 0 ? "no listening socket" : std::strerror(errno));
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    return m_port;
}

void AppServer::stop()
{
    if (!m_server)
        return;
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
    m_server.reset();
    m_listenSocket = -1;
}

void AppServer::setupRoutes()
{
    const bool log = m_options.logRequests;
    m_server->Post(R"(/datasnap/rest/TServerMethods1/([A-Za-z0-9_]+))",
                   [this, log](const httplib::Request &req, httplib::Response &res) {
                       const auto start = std::chrono::steady_clock::now();
                       const std::string methodName = req.matches[1];
                       const Answer a = answer(QString::fromStdString(methodName),
                                               QByteArrayView(req.body.data(), qsizetype(req.body.size())));
                       reply(res, a.status, a.body);
                       if (log)
                           logCall(methodName, a.status, start);
                   });
    webpages::install(*m_server, m_db, log);
}

AppServer::Answer AppServer::answer(const QString &name, QByteArrayView body)
{
    const appserver::MethodTable &methods = appserver::methodTable();
    const auto it = methods.constFind(name);
    if (it == methods.cend())
        return {404, wire::encodeError(QStringLiteral("no server method TServerMethods1.%1").arg(name))};
    wire::Result<QList<wire::Value>> params = wire::decodeRequest(QByteArray::fromRawData(body.data(), body.size()));
    if (!params)
        return {400, wire::encodeError(QStringLiteral("bad request body: %1").arg(params.error().message))};
    try {
        appserver::Context ctx{m_db.connection(), dayNumberFromDateTime(QDateTime::currentDateTime()),
                               m_options.searchLimit};
        wire::Reader in(std::move(params).value(), QStringLiteral("parameter"));
        const QList<wire::Value> results = it.value()(ctx, in);
        return {200, wire::encodeResult(results)};
    } catch (const appserver::BadRequest &e) {
        return {400, wire::encodeError(QString::fromUtf8(e.what()))};
    } catch (const std::exception &e) {
        return {500, wire::encodeError(QString::fromUtf8(e.what()))};
    }
}
