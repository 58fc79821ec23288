// The opening adverts and the announcements tab under a failing server,
// through a fault-injecting proxy in front of the application server: an
// advert that cannot be fetched leaves the window as it was (title, picture,
// position, link), the arrows usable again, and says only what the
// connection check says; an announcements reload that fails keeps the rows,
// ends as a failure with the connection message and leaves the grid usable.
// The next try, the server healthy again, succeeds.

#include "core/dialogrecorder.h"
#include "platform/grid/datagrid.h"
#include "promotion/acilisreklamu.h"
#include "promotion/duyurularu.h"
#include "tests/support/faultenv.h"

#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QThreadPool>
#include <QToolButton>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// What the window shows of the current advert.
struct Gorunen
{
    QString baslik;
    QString konum;
    QString arama;
    QImage resim;
    bool operator==(const Gorunen&) const = default;
};

Gorunen gorunen(const Tacilisreklam& w)
{
    return {w.Label1->text(), w.Label2->text(), w.arama, w.Resim().toImage()};
}

char* toString(const Gorunen& g)
{
    return QTest::toString(u"%1 | %2 | %3 | %4x%5"_s.arg(g.baslik, g.konum, g.arama)
                               .arg(g.resim.width())
                               .arg(g.resim.height()));
}

// Runs an arrow press and waits for its load to end.
bool ok(Tacilisreklam& w, Qt::Key tus)
{
    QSignalSpy bitti(&w, &Tacilisreklam::YuklemeBitti);
    QTest::keyClick(&w, tus);
    return bitti.wait(60000);
}

} // namespace

class tst_hata_acilisreklam : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }
    void cleanup()
    {
        QVERIFY(QTest::qWaitFor([] { return QThreadPool::globalInstance()->activeThreadCount() == 0; }, 60000));
    }
    void reklamGelmez_data() { addFaultRows(false); }
    void reklamGelmez();
    void duyurularGelmez_data() { addFaultRows(false); }
    void duyurularGelmez();
};

void tst_hata_acilisreklam::reklamGelmez()
{
    QFETCH(InjectedFault, fault);
    FaultEnv o;
    QVERIFY(o.ok());

    Tacilisreklam w(nullptr, o.bagc, o.sbilgi);
    QSignalSpy bitti(&w, &Tacilisreklam::YuklemeBitti);
    w.show();
    QVERIFY(bitti.wait(60000));
    QVERIFY(w.adet >= 2);
    // The second advert as a healthy load shows it, then back to the first.
    QVERIFY(ok(w, Qt::Key_Right));
    const Gorunen ikinci = gorunen(w);
    QVERIFY(ok(w, Qt::Key_Left));
    const Gorunen birinci = gorunen(w);
    QCOMPARE(birinci.konum, u"1 / %1"_s.arg(w.adet));
    QVERIFY(!birinci.resim.isNull());
    QVERIFY(!(birinci == ikinci));
    QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));

    o.apply(fault, u"AcilisREklamVer"_s);
    QVERIFY(ok(w, Qt::Key_Right));
    if (!fault.refuse)
        QCOMPARE(o.proxy.faultsApplied(), 1);
    QVERIFY(w.Button1->isEnabled());
    QVERIFY(w.Button2->isEnabled());
    QVERIFY(!w.Yukleniyor());
    if (fault.succeeds) {
        QCOMPARE(gorunen(w), ikinci);
        QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));
        return;
    }
    QCOMPARE(gorunen(w), birinci);
    QCOMPARE(w.sirasi, 1);
    // Only the connection check reports; a failed call keeps the advert silently.
    QCOMPARE(o.dialogs.texts(),
             fault.refuse ? FaultEnv::failureTexts(fault, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s)
                          : QStringList{});

    // Healthy again: the same arrow shows the second advert.
    o.heal();
    QVERIFY(ok(w, Qt::Key_Right));
    QCOMPARE(gorunen(w), ikinci);
}

void tst_hata_acilisreklam::duyurularGelmez()
{
    QFETCH(InjectedFault, fault);
    FaultEnv o;
    QVERIFY(o.ok());
    TDuyurular sekme(o.bagc);
    QSignalSpy bitti(&sekme, &TDuyurular::YuklemeBitti);
    QSignalSpy mesgul(&sekme, &TDuyurular::Yukleniyor);
    sekme.Gosterildi();
    QVERIFY(bitti.wait(60000));
    QCOMPARE(bitti.takeFirst().first().toBool(), true);
    const int satirlar = sekme.model()->rowCount();
    QVERIFY(satirlar > 0);
    const QString ilkBaslik = sekme.model()->item(0, 1)->text();
    QVERIFY2(o.dialogs.messages().isEmpty(), qPrintable(o.dialogs.texts().join(u" | "_s)));

    o.apply(fault, u"AcilisEkranlarVer2"_s);
    mesgul.clear();
    sekme.Gosterildi();
    QVERIFY(bitti.wait(60000));
    if (!fault.refuse)
        QCOMPARE(o.proxy.faultsApplied(), 1);
    QCOMPARE(bitti.takeFirst().first().toBool(), fault.succeeds);
    // The rows stay; the grid and the busy indicator are as before the load.
    QCOMPARE(sekme.model()->rowCount(), satirlar);
    QCOMPARE(sekme.model()->item(0, 1)->text(), ilkBaslik);
    QVERIFY(sekme.cxGridduyuru->isEnabled());
    QVERIFY(!sekme.YuklemeSuruyor());
    QCOMPARE(mesgul.size(), 2);
    QCOMPARE(mesgul.last().first().toBool(), false);
    QCoreApplication::processEvents(); // an error escaping the load is reported after it
    QCOMPARE(o.dialogs.texts(), fault.succeeds ? QStringList{}
                                               : FaultEnv::failureTexts(
                                                     fault, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s));

    o.heal();
    o.dialogs.clear();
    sekme.Gosterildi();
    QVERIFY(bitti.wait(60000));
    QCOMPARE(bitti.takeFirst().first().toBool(), true);
    QCOMPARE(sekme.model()->rowCount(), satirlar);
}

QTEST_MAIN(tst_hata_acilisreklam)
#include "tst_hata_acilisreklam.moc"
