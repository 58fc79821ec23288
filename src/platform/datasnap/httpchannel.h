#pragma once
// Internal to the connection: one keep-alive HTTP/1.1 channel to one host.
// cpp-httplib does the HTTP; the TCP connect is our own so that an open can
// connect at once (the library connects lazily on the first request) and
// report the system's error text.

#include <httplib.h>

#include <QString>

namespace datasnap {

class HttpChannel : public httplib::ClientImpl
{
public:
    HttpChannel(const std::string& host, int port, int connectTimeoutMs, bool noDelay);

    // Establishes the TCP connection now. False with lastConnectError() set
    // when it cannot be made.
    bool connectNow();
    QString lastConnectError() const { return m_connectError; }

protected:
    // Also used by the library when it has to reconnect a keep-alive socket
    // that the server closed between calls.
    bool create_and_connect_socket(Socket& socket, httplib::Error& error) override;

private:
    std::string m_host;
    int m_port;
    int m_connectTimeoutMs;
    QString m_connectError;
};

// Connects a TCP socket to host:port within timeoutMs. Returns the socket, or
// -1 with *errorText set to the system's description of the failure.
int connectTcp(const std::string& host, int port, int timeoutMs, QString* errorText);

} // namespace datasnap
