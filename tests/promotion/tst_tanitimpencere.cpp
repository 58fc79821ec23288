// The promotion as plugged into the main window: the start-up steps fill the
// counters and the advert count, and the opening adverts' link is followed.

#include "app/Unit1.h"
#include "appserver/database.h"
#include "core/baglantikontrol.h"
#include "core/dialogrecorder.h"
#include "promotion/acilisreklamu.h"
#include "tests/appserver/serverfixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QThreadPool>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

struct Pencere
{
    ServerFixture sunucu{40};
    DialogRecorder dialoglar;
    TForm1 f;
    bool pencereAcildi = false;

    Pencere()
    {
        f.bagc->setParam(datasnap::param::HostName, u"127.0.0.1"_s);
        f.bagc->setParam(datasnap::param::Port, QString::number(sunucu.port()));
        f.sbilgi->Kopyala(sunucu.signIn(u"DEMO-PC"_s));
    }
    // The start-up job's steps, run here one after the other.
    void baslangic()
    {
        for (const auto& adim : f.BaslangicAdimlari)
            adim();
    }
    // Runs the opening-advert step; `islem` works the advert window once it
    // has loaded its first advert.
    void reklamAdimi(const std::function<void(Tacilisreklam&)>& islem)
    {
        // Bound to the window: a timer left over when no advert window came
        // dies with it instead of firing in a later test.
        QTimer::singleShot(0, &f, [this, islem] {
            auto* w = qobject_cast<Tacilisreklam*>(QApplication::activeModalWidget());
            if (!w)
                return;
            pencereAcildi = true;
            if (!QTest::qWaitFor([w] { return !w->Yukleniyor(); }, 10000))
                return w->reject();
            islem(*w);
        });
        f.AcilisReklamAdimi();
    }
};

} // namespace

class TstTanitimPencere : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {}); }
    // Background work left by a case ends before the next one; events are
    // processed meanwhile, since a job may wait for the main thread.
    void cleanup()
    {
        QVERIFY(QTest::qWaitFor([] { return QThreadPool::globalInstance()->activeThreadCount() == 0; }, 20000));
    }

    void sifirReklam()
    {
        Pencere p;
        runSql(p.sunucu.database().connection(), u"DELETE FROM duyuru"_s);
        p.baslangic();
        QCOMPARE(p.f._acilisadet, 0);
        QCOMPARE(p.f.SekmeBasligiOku(Sekme::Duyurular), u"0=Duyurular"_s);
        p.reklamAdimi([](Tacilisreklam& w) { w.reject(); });
        QVERIFY(!p.pencereAcildi);
    }

    void yeniBaglantisi()
    {
        Pencere p;
        p.baslangic();
        QCOMPARE(p.f._acilisadet, 3);
        QCOMPARE(p.f.SekmeBasligiOku(Sekme::Duyurular), u"3=Duyurular"_s);
        QVERIFY(p.f.SekmeBasligiOku(Sekme::KampanyaliStoklar).endsWith(u"=Kampanyalı"_s));
        p.reklamAdimi([](Tacilisreklam& w) {
            QTest::keyClick(&w, Qt::Key_Right);
            if (QTest::qWaitFor([&w] { return !w.Yukleniyor(); }, 10000))
                QTest::mouseClick(w.cxImage1, Qt::LeftButton);
            else
                w.reject();
        });
        QVERIFY(p.pencereAcildi);
        QCOMPARE(p.f.sPageControl1->currentWidget(), p.f.syeniler);
    }

    void escapeAtlamaz()
    {
        Pencere p;
        p.baslangic();
        p.reklamAdimi([](Tacilisreklam& w) { QTest::keyClick(&w, Qt::Key_Escape); });
        QVERIFY(p.pencereAcildi);
        QCOMPARE(p.f.sPageControl1->currentWidget(), p.f.sstoklistesi);
    }

    void bosluklaBaslayanBaglantiAranir()
    {
        Pencere p;
        p.f.BaglantiAc(u" #KAMPANYA#"_s);
        QVERIFY(p.f.sPageControl1->currentWidget() != p.f.skampanyali);
        QCOMPARE(p.f.araedit->text(), u" #KAMPANYA#"_s);
    }
};

QTEST_MAIN(TstTanitimPencere)
#include "tst_tanitimpencere.moc"
