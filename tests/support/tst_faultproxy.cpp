// The fault proxy itself: every fault reaches the client as the failure it
// stands for, other requests pass through unchanged, rules count down, and
// refusing makes a connect fail with the system's text.

#include "tests/appserver/serverfixture.h"
#include "tests/support/faultproxy.h"

#include "platform/datasnap/connection.h"
#include "platform/datasnap/servererror.h"
#include "server/proxim.h"

#include <QtTest>

#include <optional>

using Fault = FaultProxy::Fault;
using Kind = datasnap::ServerError::Kind;

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Kind)

namespace {

constexpr int kCallTimeoutMs = 600;

void pointAt(datasnap::Connection& c, int port)
{
    c.setParam(datasnap::param::HostName, QStringLiteral("127.0.0.1"));
    c.setParam(datasnap::param::Port, QString::number(port));
    c.setParam(datasnap::param::CallTimeout, QString::number(kCallTimeoutMs));
    c.setParam(datasnap::param::ConnectTimeout, QStringLiteral("2000"));
}

// What one call of a method produced.
struct Outcome
{
    std::optional<datasnap::ServerError> error;
    int rows = -1;        // a table's rows
    qint64 announced = -1; // a stream's announced size
    qsizetype bytes = -1;  // a stream's bytes
};

Outcome callOnce(datasnap::Connection& c, const QString& method)
{
    Outcome o;
    try {
        if (!c.Connected())
            c.Open();
        TServerMethods1Client client(c);
        if (method == u"YenilerVer2") {
            o.rows = int(client.YenilerVer2(7).rowCount());
        } else if (method == u"BannerResimVer2") {
            o.bytes = client.BannerResimVer2(o.announced).size();
        } else {
            QTest::qFail("unknown method in the test", __FILE__, __LINE__);
        }
    } catch (const datasnap::ServerError& e) {
        o.error = e;
    }
    return o;
}

} // namespace

class tst_FaultProxy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_server.ok()); }

    void passesThroughWithoutRules();
    void faultReachesTheClient_data();
    void faultReachesTheClient();
    void slowAnswerWithinTheTimeoutArrivesWhole();
    void trickledHeadEndsTheCallAtItsTimeout();
    void ruleAppliesToTheNextCallsOnly();
    void stallEndsWhenTheClientGivesUp();
    void releasedStallDeliversTheAnswer();
    void dropBeforeTheUpstreamLeavesItUntouched();
    void refusingFailsTheOpenWithTheSystemText();

private:
    ServerFixture m_server;
};

void tst_FaultProxy::passesThroughWithoutRules()
{
    FaultProxy proxy(m_server.port());
    QVERIFY(proxy.ok());
    datasnap::Connection direct, viaProxy;
    pointAt(direct, m_server.port());
    pointAt(viaProxy, proxy.port());
    for (const QString &method : {QStringLiteral("YenilerVer2"), QStringLiteral("BannerResimVer2")}) {
        const Outcome a = callOnce(direct, method);
        const Outcome b = callOnce(viaProxy, method);
        QVERIFY2(!a.error && !b.error, qPrintable(method));
        QCOMPARE(b.rows, a.rows);
        QCOMPARE(b.announced, a.announced);
        QCOMPARE(b.bytes, a.bytes);
    }
    QCOMPARE(proxy.callCount(QStringLiteral("/datasnap/rest/TServerMethods1/")), 2);
    QCOMPARE(proxy.faultsApplied(), 0);
}

void tst_FaultProxy::faultReachesTheClient_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("messagePart"); // empty: any text but not empty

    const QString table = QStringLiteral("YenilerVer2");
    const QString stream = QStringLiteral("BannerResimVer2");
    QTest::newRow("drop") << table << Fault::Drop << true << Kind::Transport << QString();
    QTest::newRow("reset mid-answer") << table << Fault::ResetMidAnswer << true << Kind::Transport << QString();
    QTest::newRow("stall") << table << Fault::Stall << true << Kind::Timeout << QString();
    // Pieces of 16 bytes every 20 ms: the table's answer takes far longer than the timeout.
    QTest::newRow("slow past timeout") << table << Fault::Slow << true << Kind::Timeout << QString();
    QTest::newRow("500 with error") << table << Fault::Status500 << true << Kind::Server
                                    << QStringLiteral("Deliberate server failure");
    QTest::newRow("500 without body") << table << Fault::Status500Empty << true << Kind::Server << QString();
    QTest::newRow("malformed JSON") << table << Fault::MalformedJson << true << Kind::Protocol << QString();
    QTest::newRow("table extra cell") << table << Fault::TableExtraCell << true << Kind::Protocol << QString();
    QTest::newRow("table wrong type") << table << Fault::TableWrongType << true << Kind::Protocol << QString();
    // Streams with a size that does not match: the decoder leaves the check to
    // the caller, so the call itself succeeds with the altered bytes.
    QTest::newRow("stream short") << stream << Fault::StreamShort << false << Kind::Protocol << QString();
    QTest::newRow("stream long") << stream << Fault::StreamLong << false << Kind::Protocol << QString();
}

void tst_FaultProxy::faultReachesTheClient()
{
    QFETCH(QString, method);
    QFETCH(Fault, fault);
    QFETCH(bool, fails);
    QFETCH(Kind, kind);
    QFETCH(QString, messagePart);

    FaultProxy proxy(m_server.port());
    datasnap::Connection c;
    pointAt(c, proxy.port());
    const Outcome before = callOnce(c, method);
    QVERIFY(!before.error);

    proxy.inject(method, fault);
    const Outcome o = callOnce(c, method);
    QCOMPARE(proxy.faultsApplied(), 1);
    QCOMPARE(bool(o.error), fails);
    if (fails) {
        QCOMPARE(o.error->kind(), kind);
        QVERIFY(!o.error->message().isEmpty());
        if (!messagePart.isEmpty())
            QVERIFY2(o.error->message().contains(messagePart), qPrintable(o.error->message()));
    } else {
        QCOMPARE(o.announced, before.announced);
        if (fault == Fault::StreamShort)
            QCOMPARE(o.bytes, before.bytes / 2);
        else
            QCOMPARE(o.bytes, before.bytes + 64);
    }

    // The next call passes through again, reconnecting if the fault ended the connection.
    c.Close();
    const Outcome after = callOnce(c, method);
    QVERIFY2(!after.error, after.error ? qPrintable(after.error->message()) : "");
    QCOMPARE(after.rows, before.rows);
    QCOMPARE(after.bytes, before.bytes);
}

void tst_FaultProxy::slowAnswerWithinTheTimeoutArrivesWhole()
{
    FaultProxy proxy(m_server.port());
    datasnap::Connection c;
    pointAt(c, proxy.port());
    c.setParam(datasnap::param::CallTimeout, QStringLiteral("20000"));
    const Outcome before = callOnce(c, QStringLiteral("YenilerVer2"));
    QVERIFY(!before.error);
    FaultProxy::Rule rule;
    rule.match = QStringLiteral("YenilerVer2");
    rule.fault = Fault::Slow;
    rule.pieceBytes = 512;
    rule.pieceDelayMs = 1;
    proxy.inject(rule);
    const Outcome o = callOnce(c, QStringLiteral("YenilerVer2"));
    QVERIFY2(!o.error, o.error ? qPrintable(o.error->message()) : "");
    QCOMPARE(o.rows, before.rows);
    QCOMPARE(proxy.faultsApplied(), 1);
}

// A server that sends its headers a byte at a time: the call still ends at
// the call timeout, long before the head is complete, instead of waiting for
// every byte (each of which comes well within a single read's timeout).
void tst_FaultProxy::trickledHeadEndsTheCallAtItsTimeout()
{
    FaultProxy proxy(m_server.port());
    datasnap::Connection c;
    pointAt(c, proxy.port());
    FaultProxy::Rule rule;
    rule.match = QStringLiteral("YenilerVer2");
    rule.fault = Fault::Slow;
    rule.pieceBytes = 1;
    rule.pieceDelayMs = 100; // a head of 100 bytes and more takes ten seconds and more
    proxy.inject(rule);
    const Outcome o = callOnce(c, QStringLiteral("YenilerVer2"));
    QVERIFY(o.error);
    QCOMPARE(o.error->kind(), Kind::Timeout);
    const QList<FaultProxy::Call> calls = proxy.calls();
    QCOMPARE(calls.size(), 1);
    QVERIFY2(!calls.first().headSent, "the call waited for the whole trickled head");
}

void tst_FaultProxy::ruleAppliesToTheNextCallsOnly()
{
    FaultProxy proxy(m_server.port());
    datasnap::Connection c;
    pointAt(c, proxy.port());
    proxy.inject(QStringLiteral("YenilerVer2"), Fault::Status500, 2);
    // Another method is not matched.
    QVERIFY(!callOnce(c, QStringLiteral("BannerResimVer2")).error);
    QVERIFY(callOnce(c, QStringLiteral("YenilerVer2")).error);
    QCOMPARE(proxy.pendingRules(), 1);
    QVERIFY(callOnce(c, QStringLiteral("YenilerVer2")).error);
    QCOMPARE(proxy.pendingRules(), 0);
    QVERIFY(!callOnce(c, QStringLiteral("YenilerVer2")).error);
    QCOMPARE(proxy.faultsApplied(), 2);
    QCOMPARE(proxy.callCount(QStringLiteral("YenilerVer2")), 3);

    proxy.inject(QStringLiteral("YenilerVer2"), Fault::Status500, -1);
    QVERIFY(callOnce(c, QStringLiteral("YenilerVer2")).error);
    QVERIFY(callOnce(c, QStringLiteral("YenilerVer2")).error);
    proxy.clear();
    QVERIFY(!callOnce(c, QStringLiteral("YenilerVer2")).error);
}

void tst_FaultProxy::stallEndsWhenTheClientGivesUp()
{
    FaultProxy proxy(m_server.port());
    datasnap::Connection c;
    pointAt(c, proxy.port());
    proxy.inject(QStringLiteral("YenilerVer2"), Fault::Stall);
    const Outcome o = callOnce(c, QStringLiteral("YenilerVer2"));
    QVERIFY(o.error);
    QCOMPARE(o.error->kind(), Kind::Timeout);
    c.Close();
    QVERIFY(proxy.waitForNoStall(20000));
    // The upstream got the request before the stall.
    const QList<FaultProxy::Call> calls = proxy.calls();
    QCOMPARE(calls.size(), 1);
    QVERIFY(calls.first().upstream);
    QVERIFY(calls.first().faulted);
}

void tst_FaultProxy::releasedStallDeliversTheAnswer()
{
    FaultProxy proxy(m_server.port());
    datasnap::Connection c;
    pointAt(c, proxy.port());
    c.setParam(datasnap::param::CallTimeout, QStringLiteral("30000"));
    const Outcome before = callOnce(c, QStringLiteral("YenilerVer2"));
    proxy.inject(QStringLiteral("YenilerVer2"), Fault::Stall);
    std::optional<Outcome> o;
    std::thread caller([&] { o = callOnce(c, QStringLiteral("YenilerVer2")); });
    QVERIFY(proxy.waitForCalls(QStringLiteral("YenilerVer2"), 2, 20000));
    proxy.releaseStalls();
    caller.join();
    QVERIFY(o && !o->error);
    QCOMPARE(o->rows, before.rows);
}

void tst_FaultProxy::dropBeforeTheUpstreamLeavesItUntouched()
{
    FaultProxy proxy(m_server.port());
    datasnap::Connection c;
    pointAt(c, proxy.port());
    proxy.inject(QStringLiteral("YenilerVer2"), Fault::Drop);
    QVERIFY(callOnce(c, QStringLiteral("YenilerVer2")).error);
    FaultProxy::Rule rule;
    rule.match = QStringLiteral("YenilerVer2");
    rule.fault = Fault::Drop;
    rule.reachUpstream = true;
    proxy.inject(rule);
    c.Close();
    QVERIFY(callOnce(c, QStringLiteral("YenilerVer2")).error);
    const QList<FaultProxy::Call> calls = proxy.calls();
    QCOMPARE(calls.size(), 2);
    QVERIFY(!calls.at(0).upstream);
    QVERIFY(calls.at(1).upstream);
}

void tst_FaultProxy::refusingFailsTheOpenWithTheSystemText()
{
    FaultProxy proxy(m_server.port());
    datasnap::Connection c;
    pointAt(c, proxy.port());
    QVERIFY(!callOnce(c, QStringLiteral("YenilerVer2")).error);

    proxy.setRefusing(true);
    // The connection opened before is dropped at its next request...
    const Outcome onOpen = callOnce(c, QStringLiteral("YenilerVer2"));
    QVERIFY(onOpen.error);
    // ...and a new one is refused by the system.
    c.Close();
    const Outcome onNew = callOnce(c, QStringLiteral("YenilerVer2"));
    QVERIFY(onNew.error);
    QCOMPARE(onNew.error->kind(), Kind::Connect);
    QCOMPARE(onNew.error->message(), QStringLiteral("Connection refused"));

    proxy.setRefusing(false);
    c.Close();
    QVERIFY(!callOnce(c, QStringLiteral("YenilerVer2")).error);
}

QTEST_GUILESS_MAIN(tst_FaultProxy)
#include "tst_faultproxy.moc"
