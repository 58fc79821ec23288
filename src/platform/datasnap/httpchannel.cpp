#include "platform/datasnap/httpchannel.h"

#include "platform/datasnap/socketoptions.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace datasnap {

namespace {

QString systemText(int err)
{
    char buf[256];
    // GNU strerror_r returns the text, which may or may not be buf.
    const char* text = ::strerror_r(err, buf, sizeof buf);
    return QString::fromLocal8Bit(text);
}

// Connects one resolved address; returns the socket or -1 with errno's value in *err.
int connectOne(const addrinfo& ai, int timeoutMs, int* err)
{
    const int fd = ::socket(ai.ai_family, ai.ai_socktype | SOCK_CLOEXEC, ai.ai_protocol);
    if (fd < 0) {
        *err = errno;
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL, 0);
    ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    int rc = ::connect(fd, ai.ai_addr, ai.ai_addrlen);
    if (rc < 0 && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        do {
            rc = ::poll(&p, 1, timeoutMs);
        } while (rc < 0 && errno == EINTR);
        if (rc == 0) {
            *err = ETIMEDOUT;
            ::close(fd);
            return -1;
        }
        int soError = 0;
        socklen_t len = sizeof soError;
        if (rc < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len) < 0)
            soError = errno;
        if (soError != 0) {
            *err = soError;
            ::close(fd);
            return -1;
        }
    } else if (rc < 0) {
        *err = errno;
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

} // namespace

int connectTcp(const std::string& host, int port, int timeoutMs, QString* errorText)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    const int gai = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    if (gai != 0) {
        *errorText = gai == EAI_SYSTEM ? systemText(errno) : QString::fromLocal8Bit(::gai_strerror(gai));
        return -1;
    }
    int err = 0;
    int fd = -1;
    for (const addrinfo* ai = found; ai && fd < 0; ai = ai->ai_next)
        fd = connectOne(*ai, timeoutMs, &err);
    ::freeaddrinfo(found);
    if (fd < 0)
        *errorText = systemText(err);
    return fd;
}

HttpChannel::HttpChannel(const std::string& host, int port, int connectTimeoutMs, bool noDelay)
    : httplib::ClientImpl(host, port)
    , m_host(host)
    , m_port(port)
    , m_connectTimeoutMs(connectTimeoutMs)
{
    set_keep_alive(true);
    set_socket_options([noDelay](int fd) { applyClientSocketOptions(fd, noDelay); });
}

bool HttpChannel::connectNow()
{
    std::lock_guard<std::mutex> guard(socket_mutex_);
    if (socket_.is_open()) {
        shutdown_socket(socket_);
        close_socket(socket_);
    }
    httplib::Error error = httplib::Error::Success;
    return create_and_connect_socket(socket_, error);
}

bool HttpChannel::create_and_connect_socket(Socket& socket, httplib::Error& error)
{
    const int fd = connectTcp(m_host, m_port, m_connectTimeoutMs, &m_connectError);
    if (fd < 0) {
        error = httplib::Error::Connection;
        return false;
    }
    if (socket_options_)
        socket_options_(fd);
    m_connectError.clear();
    socket.sock = fd;
    return true;
}

} // namespace datasnap
