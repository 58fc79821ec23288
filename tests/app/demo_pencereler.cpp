// Renders every window of the sign-in, the main frame and the request windows
// into PNG files, for looking at them: demo_pencereler <folder>.
// Dialogs are answered by a recorder, so nothing modal or external opens.

#include "app/Unit1.h"
#include "app/gorunum.h"
#include "core/baglantikontrol.h"
#include "core/dialogrecorder.h"
#include "promotion/formistekyeniu.h"
#include "promotion/mailformu.h"
#include "signin/dosyaindiru.h"
#include "signin/girisformu.h"
#include "signin/kullanicikayitu.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>

namespace {

bool kaydet(QWidget& w, const QString& klasor, const QString& ad)
{
    w.show();
    QApplication::processEvents();
    return w.grab().save(QDir(klasor).filePath(ad + QStringLiteral(".png")));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    GorunumUygula(app);
    DialogRecorder dialogs;
    BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {});
    const QString klasor = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QDir().mkpath(klasor);
    bool tamam = true;

    TForm1 ana;
    ana.sbilgi->setADI(QStringLiteral("DEMO"));
    ana.sbilgi->setCariAdi(QStringLiteral("DEMO OTO YEDEK PARÇA LTD. ŞTİ."));
    ana.sbilgi->setSaticiAdi(QStringLiteral("AHMET YILMAZ"));
    ana.sbilgi->setSaticiTelefon(QStringLiteral("0532 000 00 00"));
    ana.sbilgi->setSaticiMail(QStringLiteral("ahmet@zelvorioto.com.tr"));
    ana.AnaBilgiAl();
    ana.KullaniciTipiUygula(1);
    ana.SekmeBasligiYaz(Sekme::StokListesi, QStringLiteral("37=Stok Listesi"));
    ana.SekmeBasligiYaz(Sekme::Duyurular, QStringLiteral("3=Duyurular"));
    ana.resize(1400, 760);
    tamam &= kaydet(ana, klasor, QStringLiteral("anapencere"));
    ana.MesgulGoster(Sekme::StokListesi, true);
    ana.MesgulGoster(Sekme::Sepet, true);
    tamam &= kaydet(ana, klasor, QStringLiteral("anapencere-mesgul"));
    ana.hide();

    Tgirisform giris(nullptr);
    giris.adi->setText(QStringLiteral("DEMO"));
    giris.sifre->setText(QStringLiteral("1234"));
    tamam &= kaydet(giris, klasor, QStringLiteral("giris"));
    giris.hide();

    Tdosyaindir indir(nullptr, 6);
    indir.basladi = true; // only the look: no download
    indir.NetHTTPClient1ReceiveData(3145728, 1572864);
    tamam &= kaydet(indir, klasor, QStringLiteral("dosyaindir"));
    indir.hide();

    datasnap::Connection bag;
    bag.setParam(datasnap::param::Port, QStringLiteral("1"));
    TSonucBilgisi bilgi;
    bilgi.setADI(QStringLiteral("DEMO"));
    bilgi.setCariAdi(QStringLiteral("DEMO OTO YEDEK PARÇA LTD. ŞTİ."));
    Tkullanicikayit kayit(nullptr, bag, bilgi);
    {
        // The details load in the background; wait for the attempt to end.
        QEventLoop bekle;
        QObject::connect(&kayit, &Tkullanicikayit::bilgilerYuklendi, &bekle, &QEventLoop::quit);
        bekle.exec();
    }
    tamam &= kaydet(kayit, klasor, QStringLiteral("kullanicikayit"));
    kayit.hide();

    Tmailform mail(nullptr, bag, bilgi);
    mail.baslik->setText(QStringLiteral("Fatura talebi"));
    mail.konu->setPlainText(QStringLiteral("Merhaba,\nGeçen haftaki siparişin faturasını rica ederiz."));
    tamam &= kaydet(mail, klasor, QStringLiteral("mail"));
    mail.hide();

    Tformistekyeni istek(nullptr);
    istek.setWindowTitle(QStringLiteral("Zelvori Otomotiv B2B İstek Formu"));
    istek.Git(QStringLiteral("http://127.0.0.1:9090/formmailgonder.aspx?carino=0&kullanici= &id=WD-123"));
    tamam &= kaydet(istek, klasor, QStringLiteral("istekformu"));
    istek.hide();

    return tamam ? 0 : 1;
}
