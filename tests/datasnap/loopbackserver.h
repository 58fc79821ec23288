#pragma once
// A scripted HTTP server on 127.0.0.1 for the client tests: it records every
// server-method request (path, body, the client's port) and answers with the
// canned reply set for it. Runs its accept loop on its own thread.

#include "platform/datasnap/socketoptions.h"

#include <httplib.h>

#include <QByteArray>
#include <QList>
#include <QString>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <thread>

class LoopbackServer
{
public:
    struct Request
    {
        QString path;
        QByteArray body;
        QByteArray contentType;
        int remotePort = 0;
    };

    LoopbackServer()
    {
        m_server.set_socket_options(datasnap::applyServerSocketOptions);
        m_server.set_keep_alive_max_count(100000);
        // stop() waits for idle keep-alive connections to time out.
        m_server.set_keep_alive_timeout(1);
        m_server.Post(R"(/.*)", [this](const httplib::Request& req, httplib::Response& res) {
            std::unique_lock lock(m_mutex);
            m_requests.append({QString::fromStdString(req.path),
                               QByteArray(req.body.data(), qsizetype(req.body.size())),
                               QByteArray::fromStdString(req.get_header_value("Content-Type")),
                               req.remote_port});
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return !m_holdAnswers; });
            res.status = m_status;
            res.set_content(m_body.toStdString(), "application/json");
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // Requests may arrive before the accept loop runs (the socket is bound and
        // listening); stop() needs the loop running to end it.
        while (!m_server.is_running())
            std::this_thread::yield();
    }

    ~LoopbackServer() { stop(); }

    void stop()
    {
        release();
        m_server.stop();
        if (m_thread.joinable())
            m_thread.join();
    }

    int port() const { return m_port; }

    // The reply to every following request.
    void answer(int status, const QByteArray& body)
    {
        std::lock_guard lock(m_mutex);
        m_status = status;
        m_body = body;
    }
    // Requests wait for release() before they are answered.
    void hold()
    {
        std::lock_guard lock(m_mutex);
        m_holdAnswers = true;
    }
    void release()
    {
        std::lock_guard lock(m_mutex);
        m_holdAnswers = false;
        m_changed.notify_all();
    }
    // The server closes each connection after this many requests.
    void setRequestsPerConnection(size_t n) { m_server.set_keep_alive_max_count(n); }

    QList<Request> requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }
    void clearRequests()
    {
        std::lock_guard lock(m_mutex);
        m_requests.clear();
    }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = -1;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    QList<Request> m_requests;
    int m_status = 200;
    QByteArray m_body = QByteArrayLiteral("{\"result\": []}");
    bool m_holdAnswers = false;
};

// A loopback port on which nothing listens: bound, never listening, so that
// no other process can take it while the test runs; connecting is refused.
class ClosedPort
{
public:
    ClosedPort();
    ~ClosedPort();
    int port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

inline ClosedPort::ClosedPort()
{
    m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
}

inline ClosedPort::~ClosedPort()
{
    ::close(m_fd);
}
