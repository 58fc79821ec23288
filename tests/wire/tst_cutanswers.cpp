// A real answer of every server method, cut short at every byte offset (a
// connection that dropped mid-answer), must decode to an error with a
// message: never a crash, never an escaping exception, never a shorter
// result taken for the whole one. The same holds for the requests the
// server reads. Bodies above kAllOffsets bytes are cut at every offset of
// their first and last kEdge bytes, at every offset next to a structure
// character in between taken at a stride, and at a fixed stride elsewhere.
#include "tests/fuzz/samplecalls.h"

#include "appserver/methods.h"
#include "wire/codec.h"

#include <QSet>
#include <QTest>

#include <exception>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kAllOffsets = 16 * 1024;
constexpr qsizetype kEdge = 2048;
constexpr qsizetype kStride = 47;
constexpr int kBoundaryStride = 11;  // every 11th structure character in the middle

bool isStructure(char c)
{
    return c == '[' || c == ']' || c == '{' || c == '}' || c == ',' || c == ':' || c == '"';
}

QList<qsizetype> cutOffsets(const QByteArray &body)
{
    const qsizetype n = body.size();
    QList<qsizetype> offsets;
    int boundaries = 0;
    bool afterBoundary = false;  // the previous offset was a taken structure character
    for (qsizetype i = 0; i < n; ++i) {
        const bool boundary = isStructure(body.at(i)) && boundaries++ % kBoundaryStride == 0;
        if (n <= kAllOffsets || i < kEdge || i >= n - kEdge || i % kStride == 0 || boundary || afterBoundary)
            offsets.append(i);
        afterBoundary = boundary;
    }
    return offsets;
}

enum class BodyKind { Request, Result, Error };

QString decodeAs(BodyKind kind, const QByteArray &body, bool &ok)
{
    switch (kind) {
    case BodyKind::Request: {
        auto r = wire::decodeRequest(body);
        ok = r.ok();
        return r.errorText();
    }
    case BodyKind::Result: {
        auto r = wire::decodeResult(body);
        ok = r.ok();
        return r.errorText();
    }
    case BodyKind::Error: {
        auto r = wire::decodeError(body);
        ok = r.ok();
        return r.errorText();
    }
    }
    ok = false;
    return {};
}

} // namespace

Q_DECLARE_METATYPE(BodyKind)

class tst_CutAnswers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyMethodHasAnAnswer();
    void cutBodiesAreCleanErrors_data();
    void cutBodiesAreCleanErrors();
    void cutOffsetsOfABigBody();
    void cleanupTestCase();

private:
    std::unique_ptr<ServerFixture> m_server;
    QList<SampleAnswer> m_answers;
    qsizetype m_bodies = 0, m_cuts = 0, m_bytes = 0;
};

void tst_CutAnswers::initTestCase()
{
    m_server = std::make_unique<ServerFixture>(120);
    QVERIFY(m_server->ok());
    m_answers = sampleAnswers(*m_server);
    m_server.reset();
    QVERIFY(!m_answers.isEmpty());
    for (const SampleAnswer &a : std::as_const(m_answers)) {
        QVERIFY2(a.status == a.call.status,
                 qPrintable(QStringLiteral("%1 answered %2: %3").arg(a.call.name).arg(a.status).arg(QString::fromUtf8(a.body.left(200)))));
        // Whole, each body decodes: the cuts below fail because of the cut.
        bool ok = false;
        const QString error = decodeAs(a.status == 200 ? BodyKind::Result : BodyKind::Error, a.body, ok);
        QVERIFY2(ok, qPrintable(a.call.name + u": "_s + error));
        decodeAs(BodyKind::Request, a.request, ok);
        QVERIFY2(ok, qPrintable(a.call.name));
    }
}

// The samples reach every method the server offers with a successful answer,
// and an answer of each refusal status.
void tst_CutAnswers::everyMethodHasAnAnswer()
{
    QSet<QString> answered;
    QSet<int> statuses;
    for (const SampleAnswer &a : std::as_const(m_answers)) {
        if (a.status == 200)
            answered.insert(a.call.method);
        statuses.insert(a.status);
    }
    const QStringList offered = appserver::methodTable().keys();
    QCOMPARE(QSet<QString>(offered.begin(), offered.end()) - answered, QSet<QString>());
    QCOMPARE(statuses, (QSet<int>{200, 400, 404, 500}));
}

void tst_CutAnswers::cutBodiesAreCleanErrors_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<BodyKind>("kind");
    for (const SampleAnswer &a : std::as_const(m_answers)) {
        const BodyKind kind = a.status == 200 ? BodyKind::Result : BodyKind::Error;
        QTest::newRow(qPrintable(a.call.name + u" answer"_s)) << a.body << kind;
        if (a.status == 200)
            QTest::newRow(qPrintable(a.call.name + u" request"_s)) << a.request << BodyKind::Request;
    }
}

void tst_CutAnswers::cutBodiesAreCleanErrors()
{
    QFETCH(QByteArray, body);
    QFETCH(BodyKind, kind);
    const QList<qsizetype> offsets = cutOffsets(body);
    QVERIFY(!offsets.isEmpty());
    ++m_bodies;
    m_cuts += offsets.size();
    m_bytes += body.size();
    for (qsizetype at : offsets) {
        // A copy, not a view: the decoder must not read past the cut.
        const QByteArray cut(body.constData(), at);
        const QByteArray shown = body.mid(std::max<qsizetype>(0, at - 40), 40);
        try {
            bool ok = true;
            const QString error = decodeAs(kind, cut, ok);
            QVERIFY2(!ok, qPrintable(QStringLiteral("cut at %1 of %2 decoded (...%3)").arg(at).arg(body.size()).arg(QString::fromUtf8(shown))));
            QVERIFY2(!error.isEmpty(), qPrintable(QStringLiteral("cut at %1: an error without a message").arg(at)));
            // A cut answer is no error answer either: the client must not
            // take it for the server's refusal.
            if (kind == BodyKind::Result) {
                decodeAs(BodyKind::Error, cut, ok);
                QVERIFY2(!ok, qPrintable(QStringLiteral("cut at %1 read as an error body").arg(at)));
            }
        } catch (const std::exception &e) {
            QFAIL(qPrintable(QStringLiteral("cut at %1 threw %2").arg(at).arg(QString::fromUtf8(e.what()))));
        } catch (...) {
            QFAIL(qPrintable(QStringLiteral("cut at %1 threw").arg(at)));
        }
    }
}

// For a body above the limit: both edges whole, the middle sampled, every
// offset inside the body and none twice.
void tst_CutAnswers::cutOffsetsOfABigBody()
{
    QByteArray body;
    while (body.size() < 3 * kAllOffsets)
        body += R"({"a":[1,"xyz",2.5]},)";
    const QList<qsizetype> offsets = cutOffsets(body);
    const QSet<qsizetype> unique(offsets.begin(), offsets.end());
    QCOMPARE(unique.size(), offsets.size());
    for (qsizetype i = 0; i < kEdge; ++i) {
        QVERIFY(unique.contains(i));
        QVERIFY(unique.contains(body.size() - 1 - i));
    }
    QVERIFY(offsets.size() < body.size() / 2);
    QVERIFY(offsets.size() > 2 * kEdge + (body.size() - 2 * kEdge) / kStride);
    for (qsizetype at : offsets)
        QVERIFY(at >= 0 && at < body.size());
}

void tst_CutAnswers::cleanupTestCase()
{
    qInfo("%lld bodies (%lld bytes) cut at %lld offsets", qlonglong(m_bodies), qlonglong(m_bytes), qlonglong(m_cuts));
}

QTEST_GUILESS_MAIN(tst_CutAnswers)
#include "tst_cutanswers.moc"
