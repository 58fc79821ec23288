// Receipt ("PDF Al") and report downloads under a failing network, through a
// fault-injecting proxy in front of the application server: a failed,
// stalled, short or long download opens nothing, leaves no half-written file
// (an older one is gone or untouched, nothing beside it), tells the user only
// what the download step tells (an open that fails with the system's text),
// and the next download, the server healthy again, succeeds.

#include "account/ayrinti_tahsilatu.h"
#include "account/belgeindir.h"
#include "appserver/database.h"
#include "core/utils.h"
#include "platform/dataset/fieldtype.h"
#include "tests/support/faultenv.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray eskiBelge = "ESKI BELGE";

QByteArray dosyaIcerigi(const QString& yol)
{
    QFile f(yol);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int acilanSayisi(const DialogRecorder& d)
{
    int n = 0;
    for (const ShownDialog& x : d.shown())
        n += x.what == ShownDialog::OpenWithSystem ? 1 : 0;
    return n;
}

// The stream-length faults on top of the common ones.
void belgeSatirlari()
{
    addFaultRows(false);
    QTest::newRow("stream shorter than announced") << InjectedFault{false, FaultProxy::Fault::StreamShort};
    QTest::newRow("stream longer than announced") << InjectedFault{false, FaultProxy::Fault::StreamLong};
}

} // namespace

class tst_hata_belge : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dekont_data() { belgeSatirlari(); }
    void dekont();
    void rapor_data() { belgeSatirlari(); }
    void rapor();

private:
    // One download site under a fault: `indir` downloads into `dosya` and
    // answers whether the new file was opened.
    void belgeDene(FaultEnv& o, const InjectedFault& fault, const QString& yontem, const QString& dosya,
                   const std::function<bool()>& indir);

    QTemporaryDir m_ev;
};

void tst_hata_belge::initTestCase()
{
    std::signal(SIGPIPE, SIG_IGN);
    QVERIFY(m_ev.isValid());
    qputenv("HOME", m_ev.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (m_ev.path() + u"/.config"_s).toUtf8());
    QVERIFY(BelgelerKlasoru().startsWith(m_ev.path()));
}

void tst_hata_belge::belgeDene(FaultEnv& o, const InjectedFault& fault, const QString& yontem,
                               const QString& dosya, const std::function<bool()>& indir)
{
    // The document as a healthy download gives it.
    QVERIFY(indir());
    const QByteArray saglam = dosyaIcerigi(dosya);
    QVERIFY(saglam.startsWith("%PDF"));
    QCOMPARE(acilanSayisi(o.dialogs), 1);
    o.dialogs.clear();

    // An older document of the same name is on disk.
    QVERIFY(QFile::remove(dosya));
    {
        QFile eski(dosya);
        QVERIFY(eski.open(QIODevice::WriteOnly));
        eski.write(eskiBelge);
    }
    o.apply(fault, yontem);
    const bool acildi = indir();
    if (!fault.refuse)
        QCOMPARE(o.proxy.faultsApplied(), 1);

    const QString ad = QFileInfo(dosya).fileName();
    const QStringList yanindakiler =
        QDir(BelgelerKlasoru()).entryList({QFileInfo(dosya).completeBaseName() + u"*"_s}, QDir::Files | QDir::Hidden);
    if (fault.succeeds) {
        QVERIFY(acildi);
        QCOMPARE(dosyaIcerigi(dosya), saglam);
        QCOMPARE(acilanSayisi(o.dialogs), 1);
        QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));
        QCOMPARE(yanindakiler, QStringList{ad});
        return;
    }
    QVERIFY(!acildi);
    QCOMPARE(acilanSayisi(o.dialogs), 0);
    // Either the older file is gone or it is untouched; never a part of the new one.
    if (QFile::exists(dosya)) {
        QCOMPARE(dosyaIcerigi(dosya), eskiBelge);
        QCOMPARE(yanindakiler, QStringList{ad});
    } else {
        QCOMPARE(yanindakiler, QStringList{});
    }
    // Only an open that fails is told, with the system's own text.
    if (fault.refuse) {
        QCOMPARE(o.dialogs.texts(), QStringList{u"Connection refused"_s});
        QCOMPARE(o.dialogs.last().kind, mtError);
    } else {
        QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));
    }

    // The server healthy again: the same button works.
    o.heal();
    o.dialogs.clear();
    QVERIFY(indir());
    QCOMPARE(dosyaIcerigi(dosya), saglam);
    QCOMPARE(acilanSayisi(o.dialogs), 1);
}

void tst_hata_belge::dekont()
{
    QFETCH(InjectedFault, fault);
    FaultEnv o;
    QVERIFY(o.ok());
    // A collection of the demo data that was paid by card.
    QSqlQuery q = runSql(o.server.database().connection(),
                         u"SELECT p.sirano, p.tahsilatidno FROM sanalpos p ORDER BY p.sirano LIMIT 1"_s);
    QVERIFY(q.next());
    const int sirano = q.value(0).toInt();
    Tayrinti_tahsilat pencere(nullptr);
    pencere.Yukle(o.bagc, q.value(1).toInt());
    QCOMPARE(pencere.sirano, sirano);
    QVERIFY(pencere.belgeyaz->isVisibleTo(&pencere));
    belgeDene(o, fault, u"SAnalPosPdfVer"_s, DekontDosyasi(sirano), [&pencere] { return pencere.belgeyazClick(); });
    // The window stays usable.
    QVERIFY(pencere.belgeyaz->isEnabled());
}

void tst_hata_belge::rapor()
{
    QFETCH(InjectedFault, fault);
    FaultEnv o;
    QVERIFY(o.ok());
    const double bugun = dayNumberFromDate(QDate::currentDate());
    const int carino = o.sbilgi.CARINO();
    belgeDene(o, fault, u"RaporGetir"_s, RaporDosyasi(6, carino), [&] {
        return RaporIndir(o.bagc, o.sbilgi, 6, carino, bugun - 30, bugun, QString());
    });
}

QTEST_MAIN(tst_hata_belge)
#include "tst_hata_belge.moc"
