// The update download: notice and progress texts, and what happens to the
// answer of the download host (saved and started, or reported and nothing
// started), against a scripted loopback server.

#include "core/dialogrecorder.h"
#include "sahtesunucu.h"
#include "signin/dosyaindiru.h"
#include "signin/programsonu.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_dosyaindir : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void bilgiMetni_data();
    void bilgiMetni();
    void ilerlemeMetni_data();
    void ilerlemeMetni();
    void ilerlemeCubugu();
    void uzunlukBilinmezseDegismez();

    void basariliIndirmeKaydedilirVeBaslatilir();
    void hataliCevapBaslatilmaz_data();
    void hataliCevapBaslatilmaz();
    void ikinciEtkinlesmeYeniIndirmeBaslatmaz();

private:
    QTemporaryDir m_klasor;
    std::unique_ptr<SahteSunucu> m_sunucu;
    QList<int> m_bitisler;
    ProgramSonlandirici m_eski;
};

void tst_dosyaindir::initTestCase()
{
    QVERIFY(m_klasor.isValid());
    // A data folder that does not exist yet, as on a fresh account.
    qputenv("XDG_DATA_HOME", m_klasor.filePath(u"yeni/veri"_s).toUtf8());
    qputenv("XDG_CONFIG_HOME", m_klasor.filePath(u"config"_s).toUtf8());
}

void tst_dosyaindir::init()
{
    m_sunucu = std::make_unique<SahteSunucu>();
    m_sunucu->ortamiAyarla();
    m_bitisler.clear();
    m_eski = ProgramSonlandiriciAyarla([this](int kod) { m_bitisler.append(kod); });
    QDir(m_klasor.filePath(u"yeni"_s)).removeRecursively();
}

void tst_dosyaindir::cleanup()
{
    ProgramSonlandiriciAyarla(m_eski);
    m_sunucu.reset();
}

void tst_dosyaindir::bilgiMetni_data()
{
    QTest::addColumn<int>("surum");
    QTest::addColumn<QString>("sonSatir");
    QTest::newRow("older server version") << 4 << u"Version: 4-5"_s;
    QTest::newRow("newer server version") << 6 << u"Version: 6-5"_s;
}

void tst_dosyaindir::bilgiMetni()
{
    QFETCH(int, surum);
    QFETCH(QString, sonSatir);
    const QString metin = Tdosyaindir::BilgiMetni(surum);
    QCOMPARE(metin, u"Zelvori Otomotiv B2B Programının\r\nYeni versiyonu indirilecektir\r\nLütfen Bekleyiniz...!\r\n"_s
                        + sonSatir);
    Tdosyaindir pencere(nullptr, surum);
    QVERIFY(pencere.sLabel1->text().endsWith(sonSatir));
    QCOMPARE(pencere.bilgi->text(), u"bilgi"_s);
    QCOMPARE(pencere.windowTitle(), u"Dosya İndir"_s);
}

void tst_dosyaindir::ilerlemeMetni_data()
{
    QTest::addColumn<qint64>("okunan");
    QTest::addColumn<qint64>("toplam");
    QTest::addColumn<QString>("yerel");
    QTest::addColumn<QString>("beklenen");
    QTest::newRow("half of 3 MB, Turkish") << qint64(1572864) << qint64(3145728) << u"tr_TR"_s
                                           << u"Bilgi: %50,00  İndirilen: 1,50/3,00 Mb"_s;
    QTest::newRow("half of 3 MB, English") << qint64(1572864) << qint64(3145728) << u"en_US"_s
                                           << u"Bilgi: %50.00  İndirilen: 1.50/3.00 Mb"_s;
    QTest::newRow("large file has no grouping") << qint64(1500) * 1024 * 1024 << qint64(3000) * 1024 * 1024
                                                << u"en_US"_s << u"Bilgi: %50.00  İndirilen: 1500.00/3000.00 Mb"_s;
    QTest::newRow("complete") << qint64(1024) << qint64(1024) << u"tr_TR"_s
                              << u"Bilgi: %100,00  İndirilen: 0,00/0,00 Mb"_s;
}

void tst_dosyaindir::ilerlemeMetni()
{
    QFETCH(qint64, okunan);
    QFETCH(qint64, toplam);
    QFETCH(QString, yerel);
    QFETCH(QString, beklenen);
    QCOMPARE(Tdosyaindir::IlerlemeMetni(okunan, toplam, QLocale(yerel)), beklenen);
}

void tst_dosyaindir::ilerlemeCubugu()
{
    Tdosyaindir pencere(nullptr, 6);
    pencere.NetHTTPClient1ReceiveData(3145728, 1572864);
    QCOMPARE(pencere.bilgi->text(), Tdosyaindir::IlerlemeMetni(1572864, 3145728));
    const QProgressBar* bar = pencere.ProgressBar1;
    QCOMPARE(bar->value() - bar->minimum(), (bar->maximum() - bar->minimum()) / 2);
}

void tst_dosyaindir::uzunlukBilinmezseDegismez()
{
    Tdosyaindir pencere(nullptr, 6);
    pencere.NetHTTPClient1ReceiveData(0, 4096);
    QCOMPARE(pencere.bilgi->text(), u"bilgi"_s);
    QCOMPARE(pencere.ProgressBar1->value(), 0);
}

void tst_dosyaindir::basariliIndirmeKaydedilirVeBaslatilir()
{
    const QByteArray kurulum(300000, 'Z');
    m_sunucu->kurulumCevabi(200, kurulum);
    DialogRecorder dialogs;
    Tdosyaindir pencere(nullptr, 4);
    QSignalSpy bitti(&pencere, &Tdosyaindir::indirmeBitti);
    pencere.show();
    QVERIFY(bitti.wait(10000));

    QFile f(Tdosyaindir::KurulumDosyasi());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), kurulum);
    const QList<ShownDialog> gosterilen = dialogs.shown();
    QCOMPARE(gosterilen.size(), 1);
    QCOMPARE(gosterilen[0].what, ShownDialog::OpenWithSystem);
    QCOMPARE(gosterilen[0].text, Tdosyaindir::KurulumDosyasi());
    QCOMPARE(gosterilen[0].arguments, QStringList{u"/silent"_s});
    QCOMPARE(m_bitisler, QList<int>{0});
    QCOMPARE(pencere.bilgi->text(), Tdosyaindir::IlerlemeMetni(kurulum.size(), kurulum.size()));
}

void tst_dosyaindir::hataliCevapBaslatilmaz_data()
{
    QTest::addColumn<int>("durum");
    QTest::addColumn<bool>("eksik");
    QTest::addColumn<QString>("nedenBasi");
    QTest::newRow("404 Not Found") << 404 << false << u"HTTP 404"_s;
    QTest::newRow("500 Internal Server Error") << 500 << false << u"HTTP 500"_s;
    QTest::newRow("cut after half the length") << 200 << true << QString();
}

void tst_dosyaindir::hataliCevapBaslatilmaz()
{
    QFETCH(int, durum);
    QFETCH(bool, eksik);
    QFETCH(QString, nedenBasi);
    m_sunucu->kurulumCevabi(durum, QByteArray(64 * 1024, 'E'), eksik);
    // An old setup file is removed before the download, also when it fails.
    {
        QDir().mkpath(QFileInfo(Tdosyaindir::KurulumDosyasi()).absolutePath());
        QFile eski(Tdosyaindir::KurulumDosyasi());
        QVERIFY(eski.open(QIODevice::WriteOnly));
        eski.write("old");
    }
    DialogRecorder dialogs;
    Tdosyaindir pencere(nullptr, 6);
    QSignalSpy bitti(&pencere, &Tdosyaindir::indirmeBitti);
    pencere.show();
    QVERIFY(bitti.wait(10000));

    const QList<ShownDialog> mesajlar = dialogs.messages();
    QCOMPARE(mesajlar.size(), 1);
    QCOMPARE(mesajlar[0].what, ShownDialog::MessageBox);
    QCOMPARE(mesajlar[0].kind, mtError);
    QVERIFY2(mesajlar[0].text.startsWith(u"Hata Oluştu !\r\nHata: "_s + nedenBasi), qPrintable(mesajlar[0].text));
    QVERIFY(mesajlar[0].text.size() > u"Hata Oluştu !\r\nHata: "_s.size());
    for (const ShownDialog& d : dialogs.shown())
        QVERIFY(d.what != ShownDialog::OpenWithSystem);
    QVERIFY(!QFile::exists(Tdosyaindir::KurulumDosyasi()));
    QCOMPARE(m_bitisler, QList<int>{0});
}

void tst_dosyaindir::ikinciEtkinlesmeYeniIndirmeBaslatmaz()
{
    m_sunucu->kurulumCevabi(404, {});
    DialogRecorder dialogs;
    Tdosyaindir pencere(nullptr, 6);
    QSignalSpy bitti(&pencere, &Tdosyaindir::indirmeBitti);
    pencere.FormActivate();
    pencere.FormActivate();
    QVERIFY(pencere.basladi);
    QVERIFY(bitti.wait(10000));
    pencere.FormActivate();
    QCOMPARE(m_sunucu->kurulumIstekSayisi(), 1);
    QCOMPARE(bitti.size(), 1);
}

QTEST_MAIN(tst_dosyaindir)
#include "tst_dosyaindir.moc"
