#pragma once
// The HTTP side of the application server: every server method under
// POST /datasnap/rest/TServerMethods1/{Method} and the plain web endpoints
// (pictures, request page, payment page, setup download, address lookup),
// served by a pool of worker threads. Tests run it in-process on a free port.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <thread>

class Database;

namespace httplib {
class Server;
struct Response;
}

class AppServer {
public:
    struct Options {
        QString host = QStringLiteral("0.0.0.0");
        int port = 9090;       // 0 picks a free port
        int threads = 64;      // keep-alive connections each hold one while open, so
                               // the pool is sized above the clients expected at once
        bool logRequests = true;  // one line per call on stderr
        int searchLimit = 10000;  // most rows a stock search answers with
    };

    AppServer(Database &database, Options options);
    ~AppServer();
    AppServer(const AppServer &) = delete;
    AppServer &operator=(const AppServer &) = delete;

    // Binds and serves on a background thread. Returns the port, or -1 when
    // the address could not be bound.
    int start();
    // Stops accepting, finishes running calls and joins the workers.
    void stop();
    int port() const { return m_port; }

    // One server-method call as the HTTP handler runs it, without a socket:
    // the method name from the path and the request body in, the status and
    // the JSON answer body out. Needs no start(); safe from any thread.
    struct Answer {
        int status = 0;
        QByteArray body;
    };
    Answer answer(const QString &method, QByteArrayView body);

private:
    void setupRoutes();

    Database &m_db;
    Options m_options;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = -1;
    int m_listenSocket = -1;  // the server's listening socket, owned by m_server
};
