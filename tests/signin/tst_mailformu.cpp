// The mail window: the comma-separated form of the message, the checks of the
// two fields, what reaches MailGonserCariNormal, and "Kapat" refused while a
// send runs, against the scripted server.

#include "core/baglantikontrol.h"
#include "core/dialogrecorder.h"
#include "core/utils.h"
#include "promotion/mailformu.h"
#include "sahtesunucu.h"
#include "server/proxim.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_mailformu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void virgulluMetin_data();
    void virgulluMetin();
    void mesajSatirlari_data();
    void mesajSatirlari();
    void alanDenetimi_data();
    void alanDenetimi();
    void gonderilenMail();
    void gonderirkenKapanmaz();
    void sunucuHatasi_data();
    void sunucuHatasi();

private:
    std::unique_ptr<SahteSunucu> m_sunucu;
    datasnap::Connection m_bag;
    TSonucBilgisi m_bilgi;
    TMobilCariBilgisi m_cari;
};

void tst_mailformu::initTestCase() { BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {}); }

void tst_mailformu::init()
{
    m_sunucu = std::make_unique<SahteSunucu>();
    m_sunucu->ortamiAyarla();
    SunucuAdresiniYaz(m_bag);
    m_cari = TMobilCariBilgisi();
    m_cari.setCARIADI(u"DEMO OTO"_s);
    m_cari.setADRES1(u"Sanayi Cad. 5"_s);
    m_cari.setADRES2(u"Kat 2"_s);
    m_cari.setILCE(u"Kadıköy"_s);
    m_cari.setSEHIR(u"İstanbul"_s);
    m_cari.setTEL1(u"0216 1"_s);
    m_cari.setFAX1(u"0216 2"_s);
    m_cari.setVERGIDAIRESI(u"Kozyatağı"_s);
    m_cari.setVERGINO(u"123"_s);
    m_cari.setYETKILI(u"Ali"_s);
    m_cari.setKULLANICIADI(u"DEMO"_s);
    m_cari.setSIFRE(u"1234"_s);
    m_cari.setMAIL(u"demo@example.com"_s);
    m_sunucu->yontem(u"MobilCariBilgisiGetir"_s, [this](const QJsonArray&) { return QJsonArray{NesneJson(m_cari)}; });
    m_sunucu->yontem(u"MailGonserCariNormal"_s, [](const QJsonArray&) { return QJsonArray{1}; });
}

void tst_mailformu::cleanup() { m_sunucu.reset(); }

void tst_mailformu::virgulluMetin_data()
{
    QTest::addColumn<QStringList>("satirlar");
    QTest::addColumn<QString>("beklenen");
    QTest::newRow("two lines, blank in the first") << QStringList{u"iyi günler dileriz"_s, u"Teşekkürler"_s}
                                                   << u"\"iyi günler dileriz\",Teşekkürler"_s;
    QTest::newRow("double quote doubled") << QStringList{u"5\"lik"_s} << u"\"5\"\"lik\""_s;
    QTest::newRow("comma inside") << QStringList{u"a,b"_s, u"c"_s} << u"\"a,b\",c"_s;
    QTest::newRow("tab is a control character") << QStringList{u"a\tb"_s} << u"\"a\tb\""_s;
    QTest::newRow("empty line gives nothing") << QStringList{u"a"_s, QString(), u"b"_s} << u"a,,b"_s;
    QTest::newRow("plain words") << QStringList{u"FREN"_s, u"BALATA"_s} << u"FREN,BALATA"_s;
    QTest::newRow("no lines") << QStringList{} << QString();
}

void tst_mailformu::virgulluMetin()
{
    QFETCH(QStringList, satirlar);
    QFETCH(QString, beklenen);
    QCOMPARE(VirgulluMetin(satirlar), beklenen);
}

void tst_mailformu::mesajSatirlari_data()
{
    QTest::addColumn<QString>("metin");
    QTest::addColumn<QStringList>("satirlar");
    QTest::newRow("newline") << u"a\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("CR LF, final break") << u"a\r\nb\r\n"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("empty line kept") << u"a\n\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("empty") << QString() << QStringList{};
}

void tst_mailformu::mesajSatirlari()
{
    QFETCH(QString, metin);
    QFETCH(QStringList, satirlar);
    QCOMPARE(MesajSatirlari(metin), satirlar);
}

void tst_mailformu::alanDenetimi_data()
{
    QTest::addColumn<QString>("baslik");
    QTest::addColumn<QString>("konu");
    QTest::addColumn<QString>("mesaj");
    QTest::addColumn<QString>("odak");
    QTest::newRow("subject of blanks") << u"   "_s << u"metin"_s << u"Lütfen Başlık Giriniz !"_s << u"baslik"_s;
    QTest::newRow("both empty: subject first") << QString() << QString() << u"Lütfen Başlık Giriniz !"_s
                                               << u"baslik"_s;
    QTest::newRow("message of blank lines") << u"Konu"_s << u" \n \n"_s << u"Lütfen Konu Giriniz !"_s << u"konu"_s;
}

void tst_mailformu::alanDenetimi()
{
    QFETCH(QString, baslik);
    QFETCH(QString, konu);
    QFETCH(QString, mesaj);
    QFETCH(QString, odak);
    DialogRecorder dialogs;
    Tmailform f(nullptr, m_bag, m_bilgi);
    f.baslik->setText(baslik);
    f.konu->setPlainText(konu);
    f.Button2->click();
    QCOMPARE(dialogs.texts(), QStringList{mesaj});
    QCOMPARE(dialogs.last().kind, mtWarning);
    QCOMPARE(f.focusWidget()->objectName(), odak);
    QVERIFY(f.Button2->isEnabled());
    QVERIFY(m_sunucu->cagrilar().isEmpty());
}

void tst_mailformu::gonderilenMail()
{
    DialogRecorder dialogs;
    Tmailform f(nullptr, m_bag, m_bilgi);
    QCOMPARE(f.windowTitle(), u"Mail Gönder"_s);
    f.baslik->setText(u"  Fatura"_s);
    f.konu->setPlainText(u"iyi günler\n5\"lik hortum\nTeşekkürler"_s);
    QSignalSpy gonderildi(&f, &Tmailform::gonderildi);
    f.Button2->click();
    QVERIFY(gonderildi.wait(10000));
    QCOMPARE(dialogs.texts(), QStringList{u"Mail Gönderildi !"_s});
    QCOMPARE(dialogs.last().kind, mtInformation);

    const QList<SahteCagri> c = m_sunucu->cagrilar(u"MailGonserCariNormal"_s);
    QCOMPARE(c.size(), 1);
    const QJsonArray beklenen = {BilgisayarIdAl(), u"  Fatura"_s, u"DEMO OTO"_s, u"Sanayi Cad. 5"_s, u"Kat 2"_s,
                                 u"Kadıköy"_s,      u"İstanbul"_s, u"0216 1"_s,   u"0216 2"_s,        u"Kozyatağı"_s,
                                 u"123"_s,          u"Ali"_s,      u"DEMO"_s,     u"1234"_s,          u"demo@example.com"_s,
                                 QString(),         u"\"iyi günler\",\"5\"\"lik hortum\",Teşekkürler"_s};
    QCOMPARE(c[0].parametreler, beklenen);
    QCOMPARE(m_sunucu->cagrilar(u"MobilCariBilgisiGetir"_s)[0].parametreler, (QJsonArray{0, BilgisayarIdAl()}));
    // The texts stay for another send.
    QCOMPARE(f.baslik->text(), u"  Fatura"_s);
    QVERIFY(f.Button2->isEnabled());
}

void tst_mailformu::gonderirkenKapanmaz()
{
    // The server holds the mail until the test lets it go.
    auto birak = std::make_shared<QSemaphore>();
    m_sunucu->yontem(u"MailGonserCariNormal"_s, [birak](const QJsonArray&) {
        birak->acquire();
        return QJsonArray{1};
    });
    // Never leave the server's worker waiting, also when a check below fails.
    const auto serbest = qScopeGuard([birak] { birak->release(); });
    DialogRecorder dialogs;
    Tmailform f(nullptr, m_bag, m_bilgi);
    f.show();
    f.baslik->setText(u"Konu"_s);
    f.konu->setPlainText(u"metin"_s);
    QSignalSpy gonderildi(&f, &Tmailform::gonderildi);
    f.Button2->click();
    QVERIFY(!f.Button2->isEnabled());
    QTRY_COMPARE(m_sunucu->cagrilar(u"MobilCariBilgisiGetir"_s).size(), 1);

    f.Button1->click();
    QVERIFY(f.isVisible());
    f.close(); // the window frame
    QVERIFY(f.isVisible());
    QTest::keyClick(&f, Qt::Key_Escape);
    QVERIFY(f.isVisible());

    birak->release();
    QVERIFY(gonderildi.wait(10000));
    QVERIFY(f.Button2->isEnabled());
    f.Button1->click();
    QVERIFY(!f.isVisible());
}

void tst_mailformu::sunucuHatasi_data()
{
    QTest::addColumn<QString>("yontem");
    QTest::newRow("account details fail") << u"MobilCariBilgisiGetir"_s;
    QTest::newRow("sending fails") << u"MailGonserCariNormal"_s;
}

void tst_mailformu::sunucuHatasi()
{
    QFETCH(QString, yontem);
    m_sunucu->yontemHatasi(yontem, 500, u"veritabanı kapalı"_s);
    DialogRecorder dialogs;
    Tmailform f(nullptr, m_bag, m_bilgi);
    f.baslik->setText(u"Konu"_s);
    f.konu->setPlainText(u"metin"_s);
    QSignalSpy gonderildi(&f, &Tmailform::gonderildi);
    f.Button2->click();
    QVERIFY(gonderildi.wait(10000));
    QCOMPARE(dialogs.texts(), QStringList{u"Mail Göndermede Hata\r\nLütfen Tekrar Deneyin !"_s});
    QCOMPARE(dialogs.last().kind, mtError);
    QVERIFY(f.Button2->isEnabled());
}

QTEST_MAIN(tst_mailformu)
#include "tst_mailformu.moc"
