#pragma once
// What the fault tests of the windows share: the in-process application
// server on a demo database, the fault proxy in front of it, the main
// connection `bagc` pointed at the proxy with short timeouts, the dealer
// DEMO's sign-in record, the dialog recorder, and a connection check that
// retries without pausing.
//
// A test's data table carries one InjectedFault per row (addFaultRows());
// the test applies it with FaultEnv::apply() right before the action under
// test and compares the dialogs with failureTexts().

#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/dialogrecorder.h"
#include "platform/datasnap/connection.h"
#include "tests/appserver/serverfixture.h"
#include "tests/support/faultproxy.h"

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QStringList>
#include <QTest>

#include <chrono>

// The call timeout the tests run with: short, so that a stall is quick, yet
// long enough for a healthy call on a loaded machine.
inline constexpr int kFaultCallTimeoutMs = 1000;

// One row's fault: a proxy fault on the site's server method, or the server
// refusing every connection.
struct InjectedFault
{
    bool refuse = false;
    FaultProxy::Fault fault = FaultProxy::Fault::Status500;
    int pieceBytes = 16;
    int pieceDelayMs = 20;
    // Whether the call itself succeeds despite the fault (a slow answer that
    // still arrives within the call timeout).
    bool succeeds = false;
};
Q_DECLARE_METATYPE(InjectedFault)

// One row per fault that applies to a call, named for the data table:
// the table faults only when the call answers with a table.
inline QList<QPair<QByteArray, InjectedFault>> faultRows(bool answersTable)
{
    using F = FaultProxy::Fault;
    QList<QPair<QByteArray, InjectedFault>> rows = {
        {"refused", {true}},
        {"drop", {false, F::Drop}},
        {"reset mid-answer", {false, F::ResetMidAnswer}},
        {"stall", {false, F::Stall}},
        // Pieces of 8 bytes every 250 ms: even the head alone outlasts the timeout.
        {"slow past timeout", {false, F::Slow, 8, 250}},
        {"slow within timeout", {false, F::Slow, 4096, 1, true}},
        {"500 with error", {false, F::Status500}},
        {"500 without body", {false, F::Status500Empty}},
        {"malformed JSON", {false, F::MalformedJson}},
    };
    if (answersTable) {
        rows.append({"table extra cell", {false, F::TableExtraCell}});
        rows.append({"table wrong type", {false, F::TableWrongType}});
    }
    return rows;
}

// Adds the column "fault" and the rows of faultRows().
inline void addFaultRows(bool answersTable)
{
    QTest::addColumn<InjectedFault>("fault");
    for (const auto& [name, fault] : faultRows(answersTable))
        QTest::newRow(name.constData()) << fault;
}

struct FaultEnv
{
    ServerFixture server;
    FaultProxy proxy{server.port()};
    datasnap::Connection bagc;
    TSonucBilgisi sbilgi;
    DialogRecorder dialogs;
    BaglantiBeklemesi previousPause;

    FaultEnv()
    {
        bagc.setParam(datasnap::param::HostName, QStringLiteral("127.0.0.1"));
        bagc.setParam(datasnap::param::Port, QString::number(proxy.port()));
        bagc.setParam(datasnap::param::CallTimeout, QString::number(kFaultCallTimeoutMs));
        bagc.setParam(datasnap::param::ConnectTimeout, QStringLiteral("2000"));
        sbilgi = server.signIn(QStringLiteral("DEMO-PC"));
        // A failed connection check retries at once instead of pausing.
        previousPause = BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {});
    }
    ~FaultEnv() { BaglantiBeklemesiniAyarla(previousPause); }

    bool ok() const { return server.ok() && proxy.ok() && sbilgi.CARINO() > 0; }

    // Applies a row's fault to the next call of `method` (every call while
    // refusing).
    void apply(const InjectedFault& f, const QString& method)
    {
        if (f.refuse) {
            proxy.setRefusing(true);
            return;
        }
        FaultProxy::Rule rule;
        rule.match = QStringLiteral("/") + method;
        rule.fault = f.fault;
        rule.reachUpstream = reachesUpstream(f);
        rule.pieceBytes = f.pieceBytes;
        rule.pieceDelayMs = f.pieceDelayMs;
        proxy.inject(rule);
    }

    // Whether the server runs the call before the fault hits: not for a
    // dropped request nor for a server error (a failed method changes
    // nothing); the other faults lose or spoil the answer of a call the
    // server has carried out.
    static bool reachesUpstream(const InjectedFault& f)
    {
        using F = FaultProxy::Fault;
        return !f.refuse && f.fault != F::Drop && f.fault != F::Status500 && f.fault != F::Status500Empty;
    }

    // Ends every fault: the server answers normally again.
    void heal()
    {
        proxy.clear();
        proxy.setRefusing(false);
        proxy.releaseStalls();
    }

    // The dialogs a failed call shows: while refusing, the connection
    // check's box per attempt with the system's text, then the site's own
    // text (when it has one).
    static QStringList failureTexts(const InjectedFault& f, const QString& siteText)
    {
        QStringList texts;
        if (f.refuse)
            for (int i = 0; i < 11; ++i)
                texts << QStringLiteral("Connection refused");
        if (!siteText.isEmpty())
            texts << siteText;
        return texts;
    }
};
