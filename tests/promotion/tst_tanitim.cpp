// Tab captions and their painter, the hexadecimal picture text, the banner
// rules, the scrolling text and the marquee.

#include "assets/resimler.h"
#include "core/onaltilik.h"
#include "core/sekmebasligi.h"
#include "core/ui/sekmeboyaci.h"
#include "platform/datasnap/connection.h"
#include "platform/widgets/animatedpicture.h"
#include "platform/widgets/marquee.h"
#include "promotion/banner.h"
#include "promotion/gifresim.h"
#include "promotion/tanitim.h"

#include <QBuffer>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QByteArray resimBaytlari(const QSize& boy, const char* bicim, QColor renk = Qt::blue)
{
    QImage img(boy, QImage::Format_RGB32);
    img.fill(renk);
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, bicim);
    return b;
}

// Red pixels (the counter's colour) inside an area of a picture.
int kirmiziNokta(const QImage& img, const QRect& alan)
{
    int n = 0;
    for (int y = alan.top(); y <= alan.bottom(); ++y)
        for (int x = alan.left(); x <= alan.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                ++n;
        }
    return n;
}

// The program's busy animation: a real animated GIF (Qt writes no GIF).
QByteArray gifBaytlari()
{
    QFile f(Resimler::Mesgul());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct PanelOrtami
{
    datasnap::Connection bagc;
    TSonucBilgisi sbilgi;
    QWidget pencere;
    QFrame* Panel5 = new QFrame(&pencere);
    AnimatedPicture* ust = new AnimatedPicture(&pencere);
    std::unique_ptr<TTanitim> tanitim;

    PanelOrtami()
    {
        auto* lay = new QVBoxLayout(&pencere);
        lay->addWidget(ust);
        lay->addStretch();
        Panel5->setFixedHeight(40);
        auto* alt = new QVBoxLayout(Panel5);
        alt->setContentsMargins(0, 0, 0, 0);
        lay->addWidget(Panel5);
        tanitim = std::make_unique<TTanitim>(bagc, sbilgi, Panel5, ust);
        pencere.resize(800, 300);
        pencere.show();
    }
};

} // namespace

class TstTanitim : public QObject
{
    Q_OBJECT

private slots:
    void baslikAyir_data()
    {
        QTest::addColumn<QString>("baslik");
        QTest::addColumn<int>("sayi");
        QTest::addColumn<QString>("gosterilen");
        QTest::newRow("sifir") << u"0=Sepet"_s << 0 << u"Sepet"_s;
        QTest::newRow("kampanyali") << u"12=Kampanyalı"_s << 12 << u"Kampanyalı"_s;
        QTest::newRow("esitsiz") << u"Kampanyalı Stoklar"_s << 0 << u"Kampanyalı Stoklar"_s;
        QTest::newRow("ilk esit") << u"3=a=b"_s << 3 << u"a=b"_s;
        QTest::newRow("100den uzun") << (u"5="_s + QString(130, u'x')) << 5 << QString(100, u'x');
        QTest::newRow("tam 100") << (u"5="_s + QString(100, u'y')) << 5 << QString(100, u'y');
        QTest::newRow("ondalik sayi") << u"2.5=Bakiyeler"_s << 0 << u"Bakiyeler"_s;
        QTest::newRow("sayisiz") << u"=Duyurular"_s << 0 << u"Duyurular"_s;
        QTest::newRow("esitsiz uzun") << QString(130, u'z') << 0 << QString(130, u'z');
    }
    void baslikAyir()
    {
        QFETCH(QString, baslik);
        QFETCH(int, sayi);
        QFETCH(QString, gosterilen);
        const TSonuc s = SekmeBasligiAyir(baslik);
        QCOMPARE(s.sayi, sayi);
        QCOMPARE(s.baslik, gosterilen);
    }

    void onaltilik_data()
    {
        QTest::addColumn<QString>("metin");
        QTest::addColumn<QByteArray>("bayt");
        QTest::newRow("png imzasi") << u"89504E47"_s << QByteArray("\x89\x50\x4E\x47", 4);
        QTest::newRow("tek hane kalan") << u"ABC"_s << QByteArray("\xAB\x0C", 2);
        QTest::newRow("kucuk harf") << u"ff00a1"_s << QByteArray("\xFF\x00\xA1", 3);
        QTest::newRow("bos") << QString() << QByteArray();
        QTest::newRow("tek hane") << u"7"_s << QByteArray("\x07", 1);
    }
    void onaltilik()
    {
        QFETCH(QString, metin);
        QFETCH(QByteArray, bayt);
        QCOMPARE(OnaltilikCoz(metin), bayt);
    }

    void onaltilikResim()
    {
        // A picture survives the round trip through the text form.
        const QByteArray png = resimBaytlari({7, 5}, "PNG");
        const QImage img = QImage::fromData(OnaltilikCoz(QString::fromLatin1(png.toHex())));
        QCOMPARE(img.size(), QSize(7, 5));
    }

    void bannerKarari_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QByteArray>("akis");
        QTest::addColumn<int>("karar");
        QTest::newRow("size 0") << qint64(0) << QByteArray() << int(BannerKarari::Yok);
        QTest::newRow("size 0 with bytes") << qint64(0) << QByteArray(50, 'x') << int(BannerKarari::Yok);
        QTest::newRow("short stream") << qint64(3000) << QByteArray(2048, 'x') << int(BannerKarari::Degistirme);
        QTest::newRow("longer stream") << qint64(1024) << QByteArray(1500, 'x') << int(BannerKarari::Degistirme);
        QTest::newRow("exact") << qint64(2500) << QByteArray(2500, 'x') << int(BannerKarari::Goster);
    }
    void bannerKarari()
    {
        QFETCH(qint64, size);
        QFETCH(QByteArray, akis);
        QFETCH(int, karar);
        QCOMPARE(int(BannerDegerlendir(size, akis)), karar);
    }

    void altBanner_data()
    {
        QTest::addColumn<QByteArray>("bmp");
        QTest::addColumn<int>("panelBoyu");
        QTest::addColumn<bool>("gorunur");
        QTest::newRow("10 bytes") << QByteArray("BM12345678", 10) << 40 << false;
        QTest::newRow("no bitmap") << QByteArray(64, 'x') << 40 << false;
        QTest::newRow("bitmap 30 high") << resimBaytlari({300, 30}, "BMP") << 70 << true;
    }
    void altBanner()
    {
        QFETCH(QByteArray, bmp);
        QFETCH(int, panelBoyu);
        QFETCH(bool, gorunur);
        PanelOrtami o;
        o.tanitim->AltBannerGoster(bmp);
        QCOMPARE(o.Panel5->height(), panelBoyu);
        QCOMPARE(o.tanitim->RealTimeMarquee1->isVisible(), gorunur);
        QCOMPARE(o.tanitim->RealTimeMarquee1->isTicking(), gorunur);
        if (gorunur) {
            QCOMPARE(o.tanitim->RealTimeMarquee1->height(), 30);
            QCOMPARE(o.tanitim->RealTimeMarquee1->content().width(), 300);
        }
        o.tanitim->AltBannerYok();
        QCOMPARE(o.Panel5->height(), 40);
    }

    void ustBanner()
    {
        PanelOrtami o;
        QCOMPARE(o.ust->height(), 0);
        const QByteArray gif = gifBaytlari();
        QVERIFY(!gif.isEmpty());
        o.tanitim->UstBannerGoster(gif);
        QVERIFY(o.ust->hasPicture());
        QVERIFY(o.ust->isAnimation());
        QCOMPARE(o.ust->height(), QImage::fromData(gif).height());
        QVERIFY(o.ust->isPlaying());
        o.tanitim->UstBannerYok();
        QVERIFY(!o.ust->hasPicture());
        QCOMPARE(o.ust->height(), 0);
    }

    void kayanYazi()
    {
        PanelOrtami o;
        Marquee* m = o.tanitim->kayanyazi;
        o.tanitim->KayanYaziGoster(u"<b>Kalın</b> <i>eğik</i> <font color=\"#C8102E\">kırmızı</font>"_s);
        QVERIFY(!m->isEmpty());
        QVERIFY(m->isTicking());
        // Text with blanks only: empty, but the line keeps running.
        o.tanitim->KayanYaziGoster(u"   "_s);
        QVERIFY(m->isEmpty());
        QVERIFY(m->isRunning());
        QVERIFY(m->isTicking());
    }

    void kayanYaziSatirSonu()
    {
        // A line break in the text makes the rendered line higher.
        PanelOrtami o;
        Marquee* m = o.tanitim->kayanyazi;
        o.tanitim->KayanYaziGoster(u"tek satır"_s);
        const int tek = m->content().height();
        o.tanitim->KayanYaziGoster(u"iki<br>satır"_s);
        QVERIFY(m->content().height() > tek);
    }

    void marqueeTuru()
    {
        Marquee m;
        m.resize(200, 30);
        QCOMPARE(m.step(), 1);
        QCOMPARE(m.interval(), 10);
        QCOMPARE(m.gap(), 100);
        QPixmap pm(50, 20);
        pm.fill(Qt::red);
        m.setPixmap(pm);
        // One pass: in from the right edge, out at the left, then the gap.
        QCOMPARE(m.passWidth(), 200 + 50 + 100);
        for (int i = 0; i < 349; ++i)
            m.advance();
        QCOMPARE(m.offset(), 349);
        m.advance();
        QCOMPARE(m.offset(), 0);
    }

    void marqueeGizliyken()
    {
        QWidget w;
        auto* m = new Marquee(&w);
        m->setHtml(u"metin"_s);
        m->start();
        QVERIFY(!m->isTicking()); // not shown yet
        w.show();
        QVERIFY(m->isTicking());
        w.hide();
        QVERIFY(!m->isTicking());
        QVERIFY(m->isRunning());
        w.show();
        QVERIFY(m->isTicking());
        m->stop();
        QVERIFY(!m->isTicking());
    }

    void gifResim()
    {
        TGifResim g;
        QVERIFY(g.loadData(gifBaytlari()));
        QVERIFY(!g.loadData(QByteArray("no picture")));
        QVERIFY(!g.hasPicture());
        QVERIFY(g.loadData(gifBaytlari()));
        QVERIFY(!g.Animate());
        g.GosterAnim();
        QVERIFY(g.Animate());
        QVERIFY(g.isVisible());
        QVERIFY(g.isPlaying());
        QVERIFY(g.testAttribute(Qt::WA_TranslucentBackground));
        g.GizleDurdur();
        QVERIFY(!g.Animate());
        QVERIFY(!g.isVisible());
        QVERIFY(!g.isPlaying());
    }

    void sekmeBoyaci_data()
    {
        QTest::addColumn<QString>("baslik");
        QTest::addColumn<bool>("kirmizi");
        QTest::newRow("12=Kampanyalı") << u"12=Kampanyalı"_s << true;
        QTest::newRow("0=Sepet") << u"0=Sepet"_s << false;
        QTest::newRow("Kampanyalı Stoklar") << u"Kampanyalı Stoklar"_s << false;
    }
    void sekmeBoyaci()
    {
        QFETCH(QString, baslik);
        QFETCH(bool, kirmizi);
        QTabBar bar;
        bar.setExpanding(false);
        bar.addTab(baslik);
        bar.addTab(u"Duyurular"_s);
        bar.setCurrentIndex(1);
        bar.resize(400, 50);
        auto* boyaci = TTabColorControlStyleHook::Kur(&bar);
        QCOMPARE(TTabColorControlStyleHook::Kur(&bar), boyaci); // installed once
        boyaci->setMetinRengi(Qt::black);
        bar.show();
        const QImage img = bar.grab().toImage();
        const QRect sekme = bar.tabRect(0);
        // The counter sits in the top right corner of its tab; nothing else is red.
        const QRect ustSag(sekme.center().x(), sekme.top(), sekme.width() / 2, sekme.height() / 2);
        QCOMPARE(kirmiziNokta(img, ustSag) > 0, kirmizi);
        const QRect solUcte(sekme.left(), sekme.top(), sekme.width() / 3, sekme.height());
        const QRect altYari(sekme.left(), sekme.center().y() + 2, sekme.width(), sekme.height() / 2 - 2);
        QCOMPARE(kirmiziNokta(img, solUcte), 0);
        QCOMPARE(kirmiziNokta(img, altYari), 0);
        QCOMPARE(kirmiziNokta(img, bar.tabRect(1)), 0);
    }
};

QTEST_MAIN(TstTanitim)
#include "tst_tanitim.moc"
