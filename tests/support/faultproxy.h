#pragma once
// A fault-injecting HTTP proxy for the client tests. It listens on a free
// loopback port in front of a real upstream (normally the in-process
// application server of ServerFixture) and passes every request through,
// except those a rule picks: a rule names a substring of the request path
// (a server-method name such as "StokAraGetir", or "/resimgoster") and the
// fault to apply to the next N such requests.
//
// Usage:
//     ServerFixture server;                       // tests/appserver/serverfixture.h
//     FaultProxy proxy(server.port());
//     connection.setParam(datasnap::param::Port, QString::number(proxy.port()));
//     connection.setParam(datasnap::param::CallTimeout, QStringLiteral("500"));
//     proxy.inject(QStringLiteral("StokAraGetir"), FaultProxy::Fault::Status500);
//     ... the call under test ...
//     QVERIFY(proxy.waitForCalls(QStringLiteral("StokAraGetir"), 1, 10000));
//     QCOMPARE(proxy.faultsApplied(), 1);
//
// setRefusing(true) closes the listening socket (a connect is refused with
// the system's "Connection refused") and drops every request that arrives on
// a connection opened before; setRefusing(false) listens on the same port
// again. Both return once the socket state has changed.
//
// Thread-safe; rules apply in the order requests arrive. A stalled answer
// ends when the client gives up (closes its socket), on releaseStalls() or
// when the proxy is destroyed, so nothing waits on it forever.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class FaultProxy
{
public:
    enum class Fault {
        // The connection is reset when the request arrives; no answer at all.
        Drop,
        // The answer's headers and half its body are sent, then the connection is reset.
        ResetMidAnswer,
        // No answer until the client closes its socket (or releaseStalls()).
        Stall,
        // The answer in pieces of Rule::pieceBytes every Rule::pieceDelayMs.
        Slow,
        // HTTP 500 with {"error": Rule::errorText}.
        Status500,
        // HTTP 500 with an empty body.
        Status500Empty,
        // HTTP 200 with the first half of the upstream's body (JSON cut short).
        MalformedJson,
        // The first stream in the result carries half the bytes its size announces;
        // a raw (non-JSON) body announces its Content-Length but stops at half.
        StreamShort,
        // The first stream in the result carries more bytes than its size announces;
        // a raw body is followed by bytes beyond its Content-Length.
        StreamLong,
        // The first table's first row gets one cell too many (a table without
        // rows gets one such row).
        TableExtraCell,
        // The first table's first row gets a cell of the wrong kind in its first column.
        TableWrongType,
    };

    struct Rule
    {
        QString match;      // substring of the request path; empty matches every request
        Fault fault = Fault::Status500;
        int times = 1;      // requests this rule applies to; -1: until clear()
        // Whether the upstream receives the request before the fault. Only Drop,
        // Stall, Status500 and Status500Empty can do without it (inject() sets
        // it false for Drop); the other faults change the upstream's answer.
        bool reachUpstream = true;
        int pieceBytes = 16;
        int pieceDelayMs = 20;
        QString errorText = QStringLiteral("Deliberate server failure");
    };

    // One request the proxy saw.
    struct Call
    {
        QString method; // "POST", "GET"
        QString path;
        bool faulted = false;  // a fault was applied to it
        bool upstream = false; // the upstream received it
        bool headSent = false; // the answer's status line and headers were written in full
    };

    explicit FaultProxy(int upstreamPort, const QString& upstreamHost = QStringLiteral("127.0.0.1"));
    ~FaultProxy();
    FaultProxy(const FaultProxy&) = delete;
    FaultProxy& operator=(const FaultProxy&) = delete;

    // The loopback port to point clients at; -1 when the proxy could not listen.
    int port() const { return m_port; }
    bool ok() const { return m_port > 0; }

    void inject(const QString& match, Fault fault, int times = 1);
    void inject(const Rule& rule);
    // Removes every rule; following requests pass through.
    void clear();
    // Rules that still have requests to apply to.
    int pendingRules() const;

    void setRefusing(bool refusing);
    // Lets every stalled answer go on (it is then sent as the upstream gave it).
    void releaseStalls();

    QList<Call> calls() const;
    // Requests seen whose path contains `match`.
    int callCount(const QString& match) const;
    // Requests that had a fault applied.
    int faultsApplied() const;
    // Waits until at least `n` requests whose path contains `match` arrived
    // (counted from the proxy's start); false after timeoutMs.
    bool waitForCalls(const QString& match, int n, int timeoutMs) const;
    // Waits until every stalled answer has ended.
    bool waitForNoStall(int timeoutMs) const;

    static QString faultName(Fault fault);

private:
    struct Downstream;
    void acceptLoop();
    void serve(int fd);
    bool takeRule(const QString& path, Rule* rule);
    // Appends the call and answers its index in calls().
    int record(const Call& call);
    void markHeadSent(int index);
    bool listenOn(int port);
    void closeListener();
    bool stopping() const;

    QString m_upstreamHost;
    int m_upstreamPort;
    int m_port = -1;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    QList<Rule> m_rules;
    QList<Call> m_calls;
    int m_faults = 0;
    int m_stalls = 0;
    unsigned m_releaseGeneration = 0;
    bool m_stop = false;
    bool m_wantRefusing = false;
    bool m_refusing = false;
    int m_listenFd = -1;
    int m_wakeFds[2] = {-1, -1};
    std::vector<int> m_openFds;
    std::vector<std::thread> m_workers;
    std::thread m_acceptThread;
};
