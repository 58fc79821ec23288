// The opening adverts, the announcements tab and the start-up steps against
// an in-process application server with the demo data (three adverts:
// "#KAMPANYA#", "#YENİ#", "AMPUL").

#include "appserver/database.h"
#include "core/baglantikontrol.h"
#include "core/dialogrecorder.h"
#include "platform/grid/datagrid.h"
#include "platform/widgets/animatedpicture.h"
#include "platform/widgets/marquee.h"
#include "platform/dataset/memtablemodel.h"
#include "promotion/acilisreklamu.h"
#include "promotion/gifresim.h"
#include "promotion/duyurularu.h"
#include "promotion/tanitim.h"
#include "tests/appserver/serverfixture.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTcpServer>
#include <QTest>
#include <QThreadPool>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct Ortam
{
    ServerFixture sunucu{40};
    datasnap::Connection bagc;
    TSonucBilgisi sbilgi;

    Ortam()
    {
        bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
        bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));
        sbilgi = sunucu.signIn(u"DEMO-PC"_s);
    }
    void reklamBirak(int adet)
    {
        runSql(sunucu.database().connection(), u"DELETE FROM duyuru WHERE sirano > ?"_s, {adet});
    }
    void aramaYaz(int sirano, const QString& arama)
    {
        runSql(sunucu.database().connection(), u"UPDATE duyuru SET arama = ? WHERE sirano = ?"_s, {arama, sirano});
    }
    int say(const QString& sql, const QVariantList& degerler = {})
    {
        return scalarSql(sunucu.database().connection(), sql, degerler).toInt();
    }
};

// A loopback port where nobody listens.
quint16 olmayanPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost);
    return s.serverPort();
}

bool yuklemeyiBekle(Tacilisreklam& w, QSignalSpy& bitti)
{
    if (!w.Yukleniyor())
        return true;
    return bitti.wait(10000);
}

// Presses a key and waits for the load it may start.
void tus(Tacilisreklam& w, Qt::Key k)
{
    QSignalSpy bitti(&w, &Tacilisreklam::YuklemeBitti);
    QTest::keyClick(&w, k);
    QVERIFY(yuklemeyiBekle(w, bitti));
}

} // namespace

class TstAcilisReklam : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Connection checks against a dead port must not pause for real.
        BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {});
    }
    // Background work left by a case ends before the next one; events are
    // processed meanwhile, since a job may wait for the main thread.
    void cleanup()
    {
        QVERIFY(QTest::qWaitFor([] { return QThreadPool::globalInstance()->activeThreadCount() == 0; }, 20000));
    }

    void ucReklamdaGezinme()
    {
        Ortam o;
        DialogRecorder dialoglar;
        Tacilisreklam w(nullptr, o.bagc, o.sbilgi);
        QSignalSpy bitti(&w, &Tacilisreklam::YuklemeBitti);
        QVERIFY(w.Yukleniyor());
        QVERIFY(!w.Button1->isEnabled());
        QVERIFY(!w.Button2->isEnabled());
        w.show();
        QVERIFY(yuklemeyiBekle(w, bitti));
        QVERIFY(w.Button1->isEnabled() && w.Button2->isEnabled());
        QCOMPARE(w.adet, 3);
        QCOMPARE(w.sirasi, 1);
        QCOMPARE(w.Label2->text(), u"1 / 3"_s);
        QCOMPARE(w.Label1->text(), u"Fren Balatalarında %20 İndirim"_s);
        QCOMPARE(w.arama, u"#KAMPANYA#"_s);
        QVERIFY(!w.Resim().isNull());

        // Left on the first advert: nothing.
        QTest::keyClick(&w, Qt::Key_Left);
        QVERIFY(!w.Yukleniyor());
        QCOMPARE(w.sirasi, 1);
        QVERIFY(w.isVisible());

        tus(w, Qt::Key_Right);
        QCOMPARE(w.sirasi, 2);
        QCOMPARE(w.arama, u"#YENİ#"_s);
        tus(w, Qt::Key_Right);
        QCOMPARE(w.sirasi, 3);
        QCOMPARE(w.Label2->text(), u"3 / 3"_s);
        QCOMPARE(w.Label1->text(), u"Far Ampulleri Stokta"_s);
        // No wrap-around.
        QTest::keyClick(&w, Qt::Key_Right);
        QVERIFY(!w.Yukleniyor());
        QCOMPARE(w.sirasi, 3);
        QCOMPARE(w.Label2->text(), u"3 / 3"_s);
        QVERIFY(w.isVisible());

        // The buttons do the same as the keys.
        QSignalSpy geri(&w, &Tacilisreklam::YuklemeBitti);
        w.Button1->click();
        QVERIFY(yuklemeyiBekle(w, geri));
        QCOMPARE(w.sirasi, 2);
        QCOMPARE(w.arama, u"#YENİ#"_s);
        QVERIFY(dialoglar.shown().isEmpty());
    }

    void yuklenirkenTusYokSayilir()
    {
        // While a load runs a second one must not start on the same connection.
        Ortam o;
        Tacilisreklam w(nullptr, o.bagc, o.sbilgi);
        QSignalSpy bitti(&w, &Tacilisreklam::YuklemeBitti);
        w.show();
        QVERIFY(yuklemeyiBekle(w, bitti));
        QTest::keyClick(&w, Qt::Key_Right);
        QVERIFY(w.Yukleniyor());
        QTest::keyClick(&w, Qt::Key_Right);
        QCOMPARE(w.sirasi, 2);
        QVERIFY(bitti.wait(10000));
        QCOMPARE(bitti.size(), 2);
        QCOMPARE(w.sirasi, 2);
        QCOMPARE(w.Label2->text(), u"2 / 3"_s);
    }

    void kapatmaTuslari_data()
    {
        QTest::addColumn<int>("tus");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("harf") << int(Qt::Key_A);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }
    void kapatmaTuslari()
    {
        QFETCH(int, tus);
        Ortam o;
        Tacilisreklam w(nullptr, o.bagc, o.sbilgi);
        QSignalSpy bitti(&w, &Tacilisreklam::YuklemeBitti);
        w.show();
        QVERIFY(yuklemeyiBekle(w, bitti));
        QTest::keyClick(&w, Qt::Key(tus));
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
    }

    void resimTiklamasi_data()
    {
        QTest::addColumn<int>("sirano");
        QTest::addColumn<QString>("arama");
        QTest::addColumn<int>("sonuc");
        QTest::newRow("#YENİ#") << 2 << u"#YENİ#"_s << int(QDialog::Accepted);
        QTest::newRow("arama metni") << 3 << u"AMPUL"_s << int(QDialog::Accepted);
        QTest::newRow("bosluklu bos") << 3 << u"   "_s << int(QDialog::Rejected);
    }
    void resimTiklamasi()
    {
        QFETCH(int, sirano);
        QFETCH(QString, arama);
        QFETCH(int, sonuc);
        Ortam o;
        o.aramaYaz(sirano, arama);
        Tacilisreklam w(nullptr, o.bagc, o.sbilgi);
        QSignalSpy bitti(&w, &Tacilisreklam::YuklemeBitti);
        w.show();
        QVERIFY(yuklemeyiBekle(w, bitti));
        while (w.sirasi < sirano)
            tus(w, Qt::Key_Right);
        QTest::mouseClick(w.cxImage1, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), sonuc);
        QCOMPARE(w.arama, arama);
    }

    void yuklenirkenKapatma()
    {
        // The window goes away while its first advert loads: the load ends on
        // its own connection and nothing reaches the destroyed window.
        Ortam o;
        DialogRecorder dialoglar;
        {
            Tacilisreklam w(nullptr, o.bagc, o.sbilgi);
            QVERIFY(w.Yukleniyor());
            w.done(QDialog::Rejected);
        }
        QVERIFY(QTest::qWaitFor([] { return QThreadPool::globalInstance()->activeThreadCount() == 0; }, 20000));
        QCoreApplication::processEvents();
        QVERIFY(dialoglar.shown().isEmpty());
    }

    void sunucuYokken()
    {
        // A failed load keeps what was shown and enables the buttons again.
        Ortam o;
        o.bagc.setParam(datasnap::param::Port, QString::number(olmayanPort()));
        DialogRecorder dialoglar;
        Tacilisreklam w(nullptr, o.bagc, o.sbilgi);
        QSignalSpy bitti(&w, &Tacilisreklam::YuklemeBitti);
        QVERIFY(yuklemeyiBekle(w, bitti));
        QVERIFY(w.Button1->isEnabled() && w.Button2->isEnabled());
        QVERIFY(w.Label2->text().isEmpty());
        QVERIFY(w.gifstokara->isHidden());
        QCOMPARE(dialoglar.last().text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
    }

    void acilisReklamAdedi_data()
    {
        QTest::addColumn<int>("adet");
        QTest::newRow("0") << 0;
        QTest::newRow("3") << 3;
    }
    void acilisReklamAdedi()
    {
        QFETCH(int, adet);
        Ortam o;
        o.reklamBirak(adet);
        QFrame panel;
        new QVBoxLayout(&panel);
        AnimatedPicture ust;
        TTanitim t(o.bagc, o.sbilgi, &panel, &ust);
        QMap<QString, QString> basliklar;
        t.BaslikYaz = [&](const QString& ad, const QString& b) { basliklar[ad] = b; };
        int acilisadet = -1;
        t.AcilisReklamAdetAl(acilisadet);
        QCOMPARE(acilisadet, adet);
        QCOMPARE(basliklar.value(u"sTabSheetduyuru"_s), QString::number(adet) + u"=Duyurular"_s);
    }

    void baslangicAdimlari()
    {
        Ortam o;
        DialogRecorder dialoglar;
        QFrame panel;
        new QVBoxLayout(&panel);
        panel.setFixedHeight(40);
        AnimatedPicture ust;
        TTanitim t(o.bagc, o.sbilgi, &panel, &ust);
        QMap<QString, QString> basliklar;
        t.BaslikYaz = [&](const QString& ad, const QString& b) { basliklar[ad] = b; };
        t.KayanYaziAl();
        t.BannerREsimAlUst();
        t.BannerREsimAlAlt();
        t.BalonYaz();
        QVERIFY(!t.kayanyazi->isEmpty());
        QVERIFY(ust.hasPicture());
        QVERIFY(ust.height() > 0);
        QVERIFY(t.RealTimeMarquee1->isVisibleTo(&panel));
        QCOMPARE(panel.height(), t.RealTimeMarquee1->height() + 40);
        const int carino = o.sbilgi.CARINO();
        QCOMPARE(basliklar.value(u"ssepet"_s),
                 QString::number(o.say(u"SELECT COUNT(*) FROM sepet WHERE carino = ?"_s, {carino})) + u"=Sepet"_s);
        QCOMPARE(basliklar.value(u"syeniler"_s),
                 QString::number(o.say(u"SELECT COUNT(*) FROM stok WHERE yeni = 1"_s)) + u"=Yeni Stoklar"_s);
        QVERIFY(basliklar.value(u"skampanyali"_s).endsWith(u"=Kampanyalı"_s));
        QVERIFY(basliklar.value(u"sTabbakiyeler"_s).endsWith(u"=Bakiyeler"_s));
        QVERIFY(!basliklar.value(u"sTabbakiyeler"_s).contains(u'.'));
        // The announcements column of the counter row writes no caption.
        QVERIFY(!basliklar.contains(u"sTabSheetduyuru"_s));
        QVERIFY(dialoglar.shown().isEmpty());
    }

    void bannerYok()
    {
        Ortam o;
        runSql(o.sunucu.database().connection(), u"DELETE FROM banner"_s);
        QFrame panel;
        new QVBoxLayout(&panel);
        panel.setFixedHeight(40);
        AnimatedPicture ust;
        TTanitim t(o.bagc, o.sbilgi, &panel, &ust);
        t.UstBannerGoster(QByteArray()); // nothing loaded before
        t.BannerREsimAlUst();
        t.BannerREsimAlAlt();
        QCOMPARE(ust.height(), 0);
        QCOMPARE(panel.height(), 40);
        QVERIFY(!t.RealTimeMarquee1->isVisibleTo(&panel));
    }

    void duyurularIkiKezGosterilir()
    {
        Ortam o;
        DialogRecorder dialoglar;
        TDuyurular d(o.bagc);
        d.resize(700, 900);
        d.show();
        QSignalSpy yukleniyor(&d, &TDuyurular::Yukleniyor);
        for (int kez = 0; kez < 2; ++kez) {
            QSignalSpy bitti(&d, &TDuyurular::YuklemeBitti);
            d.Gosterildi();
            QVERIFY(!d.cxGridduyuru->isEnabled());
            QVERIFY(bitti.wait(10000));
            QVERIFY(bitti.first().first().toBool());
            QVERIFY(d.cxGridduyuru->isEnabled());
            QCOMPARE(d.model()->rowCount(), 3);
        }
        QCOMPARE(yukleniyor.size(), 4);
        QCOMPARE(yukleniyor.last().first().toBool(), false);
        QVERIFY(!d.model()->item(0, 0)->data(MemTableModel::RawValueRole).value<QImage>().isNull());
        QCOMPARE(d.model()->item(1, 2)->text(), u"#YENİ#"_s);
        QVERIFY(dialoglar.shown().isEmpty());
    }

    void duyuruCiftTiklama_data()
    {
        QTest::addColumn<QString>("arama");
        QTest::addColumn<bool>("istenir");
        QTest::newRow("#KAMPANYA#") << u"#KAMPANYA#"_s << true;
        QTest::newRow("bosluklu #KAMPANYA#") << u" #KAMPANYA#"_s << true;
        QTest::newRow("bos") << QString() << false;
        QTest::newRow("yalniz bosluk") << u"  "_s << false;
    }
    void duyuruCiftTiklama()
    {
        QFETCH(QString, arama);
        QFETCH(bool, istenir);
        Ortam o;
        o.aramaYaz(1, arama);
        TDuyurular d(o.bagc);
        QSignalSpy bitti(&d, &TDuyurular::YuklemeBitti);
        d.Gosterildi();
        QVERIFY(bitti.wait(10000));
        QSignalSpy istek(&d, &TDuyurular::BaglantiIstendi);
        d.cxGridduyuru->setFocusedRow(0);
        d.cxGridduyuruBandedDuyuruDblClick();
        QCOMPARE(istek.size(), istenir ? 1 : 0);
        if (istenir)
            QCOMPARE(istek.first().first().toString(), arama); // as stored, not trimmed
    }

    void duyurularSunucuYok()
    {
        Ortam o;
        DialogRecorder dialoglar;
        TDuyurular d(o.bagc);
        QSignalSpy bitti(&d, &TDuyurular::YuklemeBitti);
        d.Gosterildi();
        QVERIFY(bitti.wait(10000));
        QCOMPARE(d.model()->rowCount(), 3);
        o.bagc.setParam(datasnap::param::Port, QString::number(olmayanPort()));
        d.Gosterildi();
        QVERIFY(bitti.wait(10000));
        QCOMPARE(bitti.last().first().toBool(), false);
        QCOMPARE(d.model()->rowCount(), 3); // the rows it had stay
        QCOMPARE(dialoglar.last().text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
        QVERIFY(d.cxGridduyuru->isEnabled());
    }
};

QTEST_MAIN(TstAcilisReklam)
#include "tst_acilisreklam.moc"
