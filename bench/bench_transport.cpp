// Sequential small server-method calls on one keep-alive connection over
// loopback, with and without TCP_NODELAY, against the floor of a raw TCP
// round trip of the same request and answer bytes.
//
//   bench_transport [--smoke]
//
// Prints FIGURE lines (bench/figure.h): milliseconds per 1 000 calls.
#include "bench/figure.h"

#include "platform/datasnap/connection.h"
#include "platform/datasnap/servermethodcommand.h"
#include "platform/datasnap/socketoptions.h"
#include "wire/codec.h"

#include <httplib.h>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

namespace {

const std::string kAnswer = R"({"result": [6]})";

// An httplib server answering every POST with kAnswer.
class BenchServer
{
public:
    explicit BenchServer(bool noDelay)
    {
        if (noDelay)
            m_server.set_socket_options(datasnap::applyServerSocketOptions);
        else
            m_server.set_socket_options([](int fd) {
                int yes = 1;
                ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
            });
        m_server.set_keep_alive_max_count(1000000);
        m_server.Post(R"(/.*)", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(kAnswer, "application/json");
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // Requests may arrive before the accept loop runs (the socket is bound and
        // listening); stop() needs the loop running to end it.
        while (!m_server.is_running())
            std::this_thread::yield();
    }
    ~BenchServer()
    {
        m_server.stop();
        m_thread.join();
    }
    int port() const { return m_port; }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
};

// `calls` sequential calls of one command on one keep-alive connection, per run.
std::vector<double> runCalls(int calls, int runs, bool noDelay)
{
    BenchServer server(noDelay);
    datasnap::Connection connection;
    connection.setParam(u"HostName", QStringLiteral("127.0.0.1"));
    connection.setParam(u"Port", QString::number(server.port()));
    connection.setNoDelayForTesting(noDelay);
    connection.Open();
    datasnap::ServerMethodCommand command(connection, QStringLiteral("TServerMethods1.EnVer"));
    volatile qsizetype sink = 0;
    return bench::timeRuns(runs, [&] {
        for (int i = 0; i < calls; ++i) {
            QList<wire::Value> parameters;
            parameters.append(wire::Value(1000 + i));
            command.setParameters(std::move(parameters));
            command.Execute();
            sink = command.results().size();
        }
    });
}

// The floor: the same request and answer bytes over a raw loopback TCP
// connection with TCP_NODELAY, no HTTP library on either side.
std::vector<double> rawRoundTrips(int calls, int runs, bool& ok)
{
    QList<wire::Value> parameters;
    parameters.append(wire::Value(1000));
    const QByteArray body = wire::encodeRequest(parameters);
    const std::string request = "POST /datasnap/rest/TServerMethods1/EnVer HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                "Content-Type: application/json; charset=utf-8\r\nContent-Length: "
                                + std::to_string(body.size()) + "\r\n\r\n" + body.toStdString();
    const std::string answer = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: "
                               + std::to_string(kAnswer.size()) + "\r\nKeep-Alive: timeout=5, max=5\r\n\r\n" + kAnswer;

    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    datasnap::applyServerSocketOptions(listener);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    ::listen(listener, 1);

    auto readExactly = [](int fd, size_t n) {
        std::string buf(n, '\0');
        size_t got = 0;
        while (got < n) {
            const ssize_t r = ::recv(fd, buf.data() + got, n - got, 0);
            if (r <= 0)
                return false;
            got += size_t(r);
        }
        return true;
    };
    std::thread echo([&] {
        const int fd = ::accept(listener, nullptr, nullptr);
        while (readExactly(fd, request.size()))
            ::send(fd, answer.data(), answer.size(), MSG_NOSIGNAL);
        ::close(fd);
    });

    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    datasnap::applyClientSocketOptions(fd);
    ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    const std::vector<double> ms = bench::timeRuns(runs, [&] {
        for (int i = 0; i < calls && ok; ++i) {
            ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
            if (!readExactly(fd, answer.size()))
                ok = false;
        }
    });
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
    echo.join();
    ::close(listener);
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    const bool smoke = bench::smokeRun(argc, argv);
    const int calls = smoke ? 20 : 1000;
    const int runs = smoke ? 2 : 15;
    bool ok = true;
    const std::vector<double> floor = rawRoundTrips(calls, runs, ok);
    if (!ok) {
        std::fprintf(stderr, "bench_transport: the raw echo side closed the connection\n");
        return 1;
    }
    const std::string what = std::to_string(calls) + " sequential small calls, one keep-alive connection";
    const std::string note = std::to_string(runs) + " runs";
    bench::figure("transport", what, runCalls(calls, runs, true), "ms", "raw loopback round trips", floor, "ratio<2",
                  note);
    if (!smoke) {
        // Without TCP_NODELAY on either end each call stalls on the delayed
        // acknowledgement, so only a few calls are made.
        const int few = 10;
        bench::figure("transport", std::to_string(few) + " calls without TCP_NODELAY (why it is on)",
                      runCalls(few, 3, false), "ms", {}, {}, "-", "3 runs");
    }
    return 0;
}
