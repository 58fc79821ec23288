// Many clients connecting at the same moment, as dealers do when the working
// day starts. The listening socket's backlog holds them all (with too small a
// backlog the kernel drops handshakes and falls back to SYN cookies, and some
// clients get their first call reset or left unanswered for many seconds),
// and every connection of a burst is taken up and its first call answered
// with the same bytes a lone keep-alive client gets.
#include "serverfixture.h"

#include "wire/codec.h"

#include <QDir>
#include <QTest>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// More connections at once than the server has worker threads, so some wait
// in the accept queue while the first ones are served.
constexpr int kConnections = 100;

QString systemError(const char *what, int err) { return QStringLiteral("%1: %2").arg(QString::fromLatin1(what), QString::fromLocal8Bit(std::strerror(err))); }

// The listening socket of this process bound to the port, or -1.
int listeningSocket(int port)
{
    const QStringList fds = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System);
    for (const QString &name : fds) {
        const int fd = name.toInt();
        int listening = 0;
        socklen_t len = sizeof listening;
        if (::getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &len) != 0 || !listening)
            continue;
        sockaddr_in addr{};
        len = sizeof addr;
        if (::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len) == 0 && addr.sin_family == AF_INET
            && ntohs(addr.sin_port) == port)
            return fd;
    }
    return -1;
}

// A loopback socket whose connect has been started without waiting for it.
int startConnect(int port, QString *error)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        *error = systemError("socket", errno);
        return -1;
    }
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(quint16(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 && errno != EINPROGRESS) {
        *error = systemError("connect", errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

// Waits for a started connect to finish and makes the socket blocking, with
// generous send and receive limits so a lost connection fails the test
// instead of hanging it.
bool finishConnect(int fd, QString *error)
{
    pollfd p{fd, POLLOUT, 0};
    if (::poll(&p, 1, 60000) != 1) {
        *error = QStringLiteral("connect did not finish");
        return false;
    }
    int soError = 0;
    socklen_t len = sizeof soError;
    ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len);
    if (soError != 0) {
        *error = systemError("connect", soError);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    timeval tv{60, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    return true;
}

bool sendAll(int fd, const QByteArray &bytes, QString *error)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n <= 0) {
            *error = systemError("send", n < 0 ? errno : EPIPE);
            return false;
        }
        sent += n;
    }
    return true;
}

// Reads the answer to a "Connection: close" request up to the server's
// close; the body is returned when the answer is a complete 200.
bool readAnswer(int fd, QByteArray *body, QString *error)
{
    QByteArray answer;
    char buf[16384];
    for (;;) {
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n == 0)
            break;
        if (n < 0) {
            *error = systemError("recv", errno) + QStringLiteral(" after %1 bytes").arg(answer.size());
            return false;
        }
        answer.append(buf, n);
    }
    const qsizetype headEnd = answer.indexOf("\r\n\r\n");
    if (!answer.startsWith("HTTP/1.1 200 ") || headEnd < 0) {
        *error = QStringLiteral("no 200 answer; got %1 bytes: %2")
                     .arg(answer.size())
                     .arg(QString::fromLatin1(answer.left(60)));
        return false;
    }
    *body = answer.mid(headEnd + 4);
    return true;
}

} // namespace

class tst_AppServerConnections : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void backlogHoldsABurst();
    void connectionsAtOnceAreAnswered_data();
    void connectionsAtOnceAreAnswered();

private:
    std::unique_ptr<ServerFixture> m_server;
};

void tst_AppServerConnections::initTestCase()
{
    m_server = std::make_unique<ServerFixture>();
    QVERIFY(m_server->ok());
}

void tst_AppServerConnections::backlogHoldsABurst()
{
    const int fd = listeningSocket(m_server->port());
    QVERIFY2(fd >= 0, "no listening socket on the server's port in this process");
    // On a listening socket the kernel reports the backlog it was given
    // (capped at net.core.somaxconn) as tcpi_sacked.
    tcp_info info{};
    socklen_t len = sizeof info;
    QVERIFY2(::getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &len) == 0, std::strerror(errno));
    QVERIFY2(int(info.tcpi_sacked) >= kConnections,
             qPrintable(QStringLiteral("listen backlog %1, fewer than %2 connections at once")
                            .arg(info.tcpi_sacked)
                            .arg(kConnections)));
}

void tst_AppServerConnections::connectionsAtOnceAreAnswered_data()
{
    TSonucBilgisi dealer;
    dealer.setCARINO(1001);
    dealer.setSirano(1);
    dealer.setMusteriTipi(0);
    QTest::addColumn<QString>("method");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("small call") << "EnVer" << wire::encodeRequest({1001});
    QTest::newRow("code search") << "StokAraGetirZelvori"
                                 << wire::encodeRequest({QStringLiteral("FRB 1"), ServerFixture::record(dealer)});
}

void tst_AppServerConnections::connectionsAtOnceAreAnswered()
{
    QFETCH(QString, method);
    QFETCH(QByteArray, body);
    // What a lone keep-alive client is answered; every burst answer must match it.
    const ServerFixture::Reply expected = m_server->post(method, body);
    QCOMPARE(expected.status, 200);

    const QByteArray request = "POST /datasnap/rest/TServerMethods1/" + method.toLatin1()
                               + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
                                 "Content-Type: application/json\r\nContent-Length: "
                               + QByteArray::number(body.size()) + "\r\n\r\n" + body;

    std::vector<int> sockets;
    struct Closer {
        std::vector<int> &fds;
        ~Closer()
        {
            for (int fd : fds)
                ::close(fd);
        }
    } closer{sockets};
    QString error;
    for (int i = 0; i < kConnections; ++i) {
        const int fd = startConnect(m_server->port(), &error);
        QVERIFY2(fd >= 0, qPrintable(QStringLiteral("connection %1: %2").arg(i).arg(error)));
        sockets.push_back(fd);
    }
    for (int i = 0; i < kConnections; ++i)
        QVERIFY2(finishConnect(sockets[size_t(i)], &error) && sendAll(sockets[size_t(i)], request, &error),
                 qPrintable(QStringLiteral("connection %1 of %2: %3").arg(i).arg(kConnections).arg(error)));
    for (int i = 0; i < kConnections; ++i) {
        QByteArray answer;
        QVERIFY2(readAnswer(sockets[size_t(i)], &answer, &error),
                 qPrintable(QStringLiteral("connection %1 of %2: %3").arg(i).arg(kConnections).arg(error)));
        QVERIFY2(answer == expected.body, qPrintable(QStringLiteral("connection %1: answer differs from a lone client's").arg(i)));
    }
}

QTEST_MAIN(tst_AppServerConnections)
#include "tst_appserver_connections.moc"
