#include "faultproxy.h"

#include <httplib.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QtGlobal>

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

namespace {

// One request as read from the client's socket.
struct RawRequest
{
    std::string method;
    std::string path;
    httplib::Headers headers;
    std::string body;
};

// One answer to write back.
struct Answer
{
    int status = 200;
    httplib::Headers headers;
    std::string body;
};

bool sendAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Closes with a reset (RST) instead of an orderly end of stream.
void resetAndClose(int fd)
{
    linger l{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    ::close(fd);
}

bool iequals(const std::string& a, const char* b)
{
    const size_t n = std::char_traits<char>::length(b);
    if (a.size() != n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string trim(const std::string& s)
{
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// Appends what the socket has next; false when the client closed it.
bool receiveMore(int fd, std::string& buffer)
{
    for (;;) {
        char chunk[4096];
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        buffer.append(chunk, size_t(n));
        return true;
    }
}

// Reads one request; nullopt when the client closed the connection or sent
// something that is not HTTP/1.1 with a Content-Length body.
std::optional<RawRequest> readRequest(int fd, std::string& buffer)
{
    size_t headerEnd;
    while ((headerEnd = buffer.find("\r\n\r\n")) == std::string::npos)
        if (!receiveMore(fd, buffer))
            return std::nullopt;
    RawRequest req;
    const std::string head = buffer.substr(0, headerEnd);
    size_t lineEnd = head.find("\r\n");
    const std::string requestLine = head.substr(0, lineEnd);
    const size_t sp1 = requestLine.find(' ');
    const size_t sp2 = requestLine.find(' ', sp1 + 1);
    if (sp1 == std::string::npos || sp2 == std::string::npos)
        return std::nullopt;
    req.method = requestLine.substr(0, sp1);
    req.path = requestLine.substr(sp1 + 1, sp2 - sp1 - 1);
    size_t contentLength = 0;
    while (lineEnd != std::string::npos && lineEnd < head.size()) {
        const size_t start = lineEnd + 2;
        lineEnd = head.find("\r\n", start);
        const std::string line = head.substr(start, lineEnd == std::string::npos ? std::string::npos : lineEnd - start);
        const size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        const std::string name = trim(line.substr(0, colon));
        const std::string value = trim(line.substr(colon + 1));
        if (iequals(name, "Content-Length"))
            contentLength = size_t(std::strtoull(value.c_str(), nullptr, 10));
        req.headers.emplace(name, value);
    }
    buffer.erase(0, headerEnd + 4);
    while (buffer.size() < contentLength)
        if (!receiveMore(fd, buffer))
            return std::nullopt;
    req.body = buffer.substr(0, contentLength);
    buffer.erase(0, contentLength);
    return req;
}

const char* reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

// The status line and headers; Content-Length is `announced`.
std::string headText(const Answer& a, size_t announced)
{
    std::string head = "HTTP/1.1 " + std::to_string(a.status) + " " + reason(a.status) + "\r\n";
    for (const auto& [name, value] : a.headers) {
        if (iequals(name, "Content-Length") || iequals(name, "Connection") || iequals(name, "Keep-Alive")
            || iequals(name, "Transfer-Encoding"))
            continue;
        head += name + ": " + value + "\r\n";
    }
    head += "Content-Length: " + std::to_string(announced) + "\r\nConnection: keep-alive\r\n\r\n";
    return head;
}

std::string jsonText(const QJsonObject& o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

// The answer's {"result": [...]} when the body is one.
std::optional<QJsonObject> resultObject(const std::string& body)
{
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(body), &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject() || !doc.object().value(u"result").isArray())
        return std::nullopt;
    return doc.object();
}

// Changes the first (size, stream) pair of the result. False when there is none.
bool changeStream(QJsonObject& o, bool shorter)
{
    QJsonArray result = o.value(u"result").toArray();
    for (qsizetype i = 0; i + 1 < result.size(); ++i) {
        if (!result.at(i).isDouble() || !result.at(i + 1).isString())
            continue;
        const auto decoded = QByteArray::fromBase64Encoding(result.at(i + 1).toString().toLatin1(),
                                                            QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded || decoded.decoded.isEmpty())
            continue;
        QByteArray bytes = decoded.decoded;
        if (shorter)
            bytes.truncate(bytes.size() / 2);
        else
            bytes.append(QByteArray(64, 'Z'));
        result[i + 1] = QString::fromLatin1(bytes.toBase64());
        o[QStringLiteral("result")] = result;
        return true;
    }
    return false;
}

// Spoils the first row of the first table in the result. False when there is no table.
bool spoilTable(QJsonObject& o, bool extraCell)
{
    QJsonArray result = o.value(u"result").toArray();
    for (qsizetype i = 0; i < result.size(); ++i) {
        QJsonObject table = result.at(i).toObject();
        if (!table.value(u"columns").isArray() || !table.value(u"rows").isArray())
            continue;
        const QJsonArray columns = table.value(u"columns").toArray();
        QJsonArray rows = table.value(u"rows").toArray();
        if (columns.isEmpty())
            continue;
        QJsonArray row;
        if (rows.isEmpty()) {
            for (qsizetype c = 0; c < columns.size(); ++c)
                row.append(QJsonValue::Null);
            rows.append(row);
        }
        row = rows.at(0).toArray();
        if (extraCell) {
            row.append(QStringLiteral("fazla"));
        } else {
            const QString type = columns.at(0).toObject().value(u"type").toString();
            if (type == u"string" || type == u"memo" || type == u"blob")
                row[0] = 7;
            else if (type == u"bcd" || type == u"boolean")
                row[0] = QJsonArray{1};
            else
                row[0] = QStringLiteral("yanlış");
        }
        rows[0] = row;
        table[QStringLiteral("rows")] = rows;
        result[i] = table;
        o[QStringLiteral("result")] = result;
        return true;
    }
    return false;
}

} // namespace

FaultProxy::FaultProxy(int upstreamPort, const QString& upstreamHost)
    : m_upstreamHost(upstreamHost)
    , m_upstreamPort(upstreamPort)
{
    if (::pipe2(m_wakeFds, O_CLOEXEC) != 0)
        return;
    if (!listenOn(0))
        return;
    m_acceptThread = std::thread([this] { acceptLoop(); });
}

FaultProxy::~FaultProxy()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        ++m_releaseGeneration;
        for (int fd : m_openFds)
            ::shutdown(fd, SHUT_RDWR);
    }
    m_changed.notify_all();
    if (m_wakeFds[1] >= 0) {
        const char c = 'x';
        [[maybe_unused]] const ssize_t n = ::write(m_wakeFds[1], &c, 1);
    }
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    // No new workers start once the accept loop has ended.
    for (std::thread& t : m_workers)
        t.join();
    closeListener();
    for (int fd : m_wakeFds)
        if (fd >= 0)
            ::close(fd);
}

bool FaultProxy::listenOn(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(uint16_t(port));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 64) != 0) {
        ::close(fd);
        return false;
    }
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    m_listenFd = fd;
    if (port == 0)
        m_port = ntohs(addr.sin_port);
    return true;
}

void FaultProxy::closeListener()
{
    if (m_listenFd >= 0)
        ::close(m_listenFd);
    m_listenFd = -1;
}

bool FaultProxy::stopping() const
{
    std::lock_guard lock(m_mutex);
    return m_stop;
}

void FaultProxy::acceptLoop()
{
    for (;;) {
        pollfd fds[2] = {{m_wakeFds[0], POLLIN, 0}, {m_listenFd, POLLIN, 0}};
        const int rc = ::poll(fds, m_listenFd >= 0 ? 2 : 1, -1);
        if (rc < 0 && errno == EINTR)
            continue;
        if (fds[0].revents & POLLIN) {
            char drain[64];
            [[maybe_unused]] const ssize_t n = ::read(m_wakeFds[0], drain, sizeof drain);
        }
        {
            std::unique_lock lock(m_mutex);
            if (m_stop)
                return;
            if (m_wantRefusing != m_refusing) {
                if (m_wantRefusing) {
                    closeListener();
                } else if (!listenOn(m_port)) {
                    qWarning("FaultProxy: cannot listen on port %d again", m_port);
                }
                m_refusing = m_wantRefusing;
                m_changed.notify_all();
                continue;
            }
        }
        if (m_listenFd < 0 || !(fds[1].revents & POLLIN))
            continue;
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        std::lock_guard lock(m_mutex);
        m_openFds.push_back(fd);
        m_workers.emplace_back([this, fd] { serve(fd); });
    }
}

void FaultProxy::setRefusing(bool refusing)
{
    std::unique_lock lock(m_mutex);
    m_wantRefusing = refusing;
    const char c = 'r';
    [[maybe_unused]] const ssize_t n = ::write(m_wakeFds[1], &c, 1);
    m_changed.wait(lock, [this, refusing] { return m_refusing == refusing || m_stop; });
}

void FaultProxy::inject(const QString& match, Fault fault, int times)
{
    Rule rule;
    rule.match = match;
    rule.fault = fault;
    rule.times = times;
    rule.reachUpstream = fault != Fault::Drop;
    inject(rule);
}

void FaultProxy::inject(const Rule& rule)
{
    std::lock_guard lock(m_mutex);
    if (rule.times != 0)
        m_rules.append(rule);
}

void FaultProxy::clear()
{
    std::lock_guard lock(m_mutex);
    m_rules.clear();
}

int FaultProxy::pendingRules() const
{
    std::lock_guard lock(m_mutex);
    return int(m_rules.size());
}

void FaultProxy::releaseStalls()
{
    {
        std::lock_guard lock(m_mutex);
        ++m_releaseGeneration;
    }
    m_changed.notify_all();
}

QList<FaultProxy::Call> FaultProxy::calls() const
{
    std::lock_guard lock(m_mutex);
    return m_calls;
}

int FaultProxy::callCount(const QString& match) const
{
    std::lock_guard lock(m_mutex);
    return int(std::count_if(m_calls.cbegin(), m_calls.cend(),
                             [&](const Call& c) { return c.path.contains(match); }));
}

int FaultProxy::faultsApplied() const
{
    std::lock_guard lock(m_mutex);
    return m_faults;
}

bool FaultProxy::waitForCalls(const QString& match, int n, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return std::count_if(m_calls.cbegin(), m_calls.cend(), [&](const Call& c) { return c.path.contains(match); })
            >= n;
    });
}

bool FaultProxy::waitForNoStall(int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_stalls == 0; });
}

bool FaultProxy::takeRule(const QString& path, Rule* rule)
{
    std::lock_guard lock(m_mutex);
    for (qsizetype i = 0; i < m_rules.size(); ++i) {
        Rule& r = m_rules[i];
        if (!path.contains(r.match))
            continue;
        *rule = r;
        if (r.times > 0 && --r.times == 0)
            m_rules.removeAt(i);
        return true;
    }
    return false;
}

int FaultProxy::record(const Call& call)
{
    int index;
    {
        std::lock_guard lock(m_mutex);
        index = int(m_calls.size());
        m_calls.append(call);
        if (call.faulted)
            ++m_faults;
    }
    m_changed.notify_all();
    return index;
}

void FaultProxy::markHeadSent(int index)
{
    {
        std::lock_guard lock(m_mutex);
        m_calls[index].headSent = true;
    }
    m_changed.notify_all();
}

QString FaultProxy::faultName(Fault fault)
{
    switch (fault) {
    case Fault::Drop: return QStringLiteral("drop");
    case Fault::ResetMidAnswer: return QStringLiteral("reset mid-answer");
    case Fault::Stall: return QStringLiteral("stall");
    case Fault::Slow: return QStringLiteral("slow");
    case Fault::Status500: return QStringLiteral("500 with error");
    case Fault::Status500Empty: return QStringLiteral("500 without body");
    case Fault::MalformedJson: return QStringLiteral("malformed JSON");
    case Fault::StreamShort: return QStringLiteral("stream short");
    case Fault::StreamLong: return QStringLiteral("stream long");
    case Fault::TableExtraCell: return QStringLiteral("table extra cell");
    case Fault::TableWrongType: return QStringLiteral("table wrong type");
    }
    return {};
}

void FaultProxy::serve(int fd)
{
    std::unique_ptr<httplib::Client> upstream;
    std::string buffer;
    bool open = true;
    bool reset = false;
    while (open && !stopping()) {
        std::optional<RawRequest> req = readRequest(fd, buffer);
        if (!req)
            break;
        Call call;
        call.method = QString::fromStdString(req->method);
        call.path = QString::fromStdString(req->path);

        bool refusing;
        {
            std::lock_guard lock(m_mutex);
            refusing = m_refusing || m_wantRefusing;
        }
        if (refusing) {
            call.faulted = true;
            record(call);
            reset = true;
            break;
        }

        Rule rule;
        const bool faulty = takeRule(call.path, &rule);
        const bool needsUpstream = !faulty || rule.reachUpstream
            || !(rule.fault == Fault::Drop || rule.fault == Fault::Stall || rule.fault == Fault::Status500
                 || rule.fault == Fault::Status500Empty);

        Answer answer;
        auto forward = [&]() -> bool {
            if (!upstream) {
                upstream = std::make_unique<httplib::Client>(m_upstreamHost.toStdString(), m_upstreamPort);
                upstream->set_keep_alive(true);
                upstream->set_tcp_nodelay(true);
                upstream->set_read_timeout(60, 0);
            }
            httplib::Request out;
            out.method = req->method;
            out.path = req->path;
            for (const auto& [name, value] : req->headers)
                if (!iequals(name, "Host") && !iequals(name, "Content-Length") && !iequals(name, "Connection")
                    && !iequals(name, "Accept-Encoding"))
                    out.headers.emplace(name, value);
            out.body = req->body;
            httplib::Result res = upstream->send(out);
            if (!res)
                return false;
            answer.status = res->status;
            answer.headers = res->headers;
            answer.body = res->body;
            call.upstream = true;
            return true;
        };

        if (needsUpstream && !forward()) {
            // The upstream gave no answer: the client sees the connection end.
            record(call);
            reset = true;
            break;
        }

        if (!faulty) {
            record(call);
            const std::string head = headText(answer, answer.body.size());
            open = sendAll(fd, head.data(), head.size()) && sendAll(fd, answer.body.data(), answer.body.size());
            continue;
        }

        // What the fault does to the answer: how much of the body to send
        // after the head, and whether the connection ends afterwards.
        size_t announced = answer.body.size();
        std::string extra;
        bool cutShort = false;
        bool slow = false;
        bool closeAfter = false;
        bool applied = true;
        switch (rule.fault) {
        case Fault::Drop:
            reset = true;
            break;
        case Fault::ResetMidAnswer:
            cutShort = true;
            reset = true;
            break;
        case Fault::Stall: {
            std::unique_lock lock(m_mutex);
            ++m_stalls;
            const unsigned generation = m_releaseGeneration;
            call.faulted = true;
            m_calls.append(call);
            ++m_faults;
            m_changed.notify_all();
            bool clientGone = false;
            while (!m_stop && m_releaseGeneration == generation && !clientGone) {
                lock.unlock();
                pollfd p{fd, POLLIN, 0};
                if (::poll(&p, 1, 20) > 0) {
                    char peek;
                    const ssize_t n = ::recv(fd, &peek, 1, MSG_PEEK | MSG_DONTWAIT);
                    clientGone = n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
                }
                lock.lock();
            }
            const bool released = !m_stop && !clientGone;
            lock.unlock();
            if (released && !call.upstream && !forward()) {
                reset = true;
            } else if (!released) {
                closeAfter = true;
                open = false;
            }
            {
                std::lock_guard relock(m_mutex);
                --m_stalls;
            }
            m_changed.notify_all();
            if (!released || reset) {
                open = false;
                continue;
            }
            // Released: the answer goes out as the upstream gave it.
            const std::string head = headText(answer, answer.body.size());
            open = sendAll(fd, head.data(), head.size()) && sendAll(fd, answer.body.data(), answer.body.size());
            continue;
        }
        case Fault::Slow:
            slow = true;
            break;
        case Fault::Status500: {
            answer.status = 500;
            answer.headers = {{"Content-Type", "application/json; charset=utf-8"}};
            answer.body = jsonText(QJsonObject{{QStringLiteral("error"), rule.errorText}});
            announced = answer.body.size();
            break;
        }
        case Fault::Status500Empty:
            answer.status = 500;
            answer.headers = {{"Content-Type", "application/json; charset=utf-8"}};
            answer.body.clear();
            announced = 0;
            break;
        case Fault::MalformedJson:
            answer.status = 200;
            answer.body = answer.body.size() >= 2 ? answer.body.substr(0, answer.body.size() / 2) : "{\"result\":[";
            announced = answer.body.size();
            break;
        case Fault::StreamShort:
        case Fault::StreamLong: {
            const bool shorter = rule.fault == Fault::StreamShort;
            if (std::optional<QJsonObject> o = resultObject(answer.body)) {
                applied = changeStream(*o, shorter);
                if (applied)
                    answer.body = jsonText(*o);
                announced = answer.body.size();
            } else if (answer.status == 200 && !answer.body.empty()) {
                // A raw body: the HTTP length is the announced size.
                if (shorter) {
                    cutShort = true;
                } else {
                    extra = std::string(64, 'Z');
                }
                closeAfter = true;
            } else {
                applied = false;
            }
            break;
        }
        case Fault::TableExtraCell:
        case Fault::TableWrongType:
            if (std::optional<QJsonObject> o = resultObject(answer.body)) {
                applied = spoilTable(*o, rule.fault == Fault::TableExtraCell);
                if (applied)
                    answer.body = jsonText(*o);
            } else {
                applied = false;
            }
            announced = answer.body.size();
            break;
        }

        call.faulted = applied;
        const int index = record(call);
        if (rule.fault == Fault::Drop)
            break;

        std::string wire = headText(answer, announced);
        const size_t headSize = wire.size();
        wire += cutShort ? answer.body.substr(0, answer.body.size() / 2) : answer.body;
        wire += extra;
        if (slow) {
            const size_t piece = size_t(std::max(1, rule.pieceBytes));
            for (size_t at = 0; at < wire.size() && open; at += piece) {
                if (at > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(rule.pieceDelayMs));
                const size_t n = std::min(piece, wire.size() - at);
                open = !stopping() && sendAll(fd, wire.data() + at, n);
                if (open && at < headSize && at + n >= headSize)
                    markHeadSent(index);
            }
        } else {
            open = sendAll(fd, wire.data(), wire.size());
            if (open)
                markHeadSent(index);
        }
        if (reset || closeAfter)
            break;
    }
    {
        std::lock_guard lock(m_mutex);
        m_openFds.erase(std::remove(m_openFds.begin(), m_openFds.end(), fd), m_openFds.end());
    }
    if (reset)
        resetAndClose(fd);
    else
        ::close(fd);
}
