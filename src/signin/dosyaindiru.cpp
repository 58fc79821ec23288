#include "signin/dosyaindiru.h"

#include "core/beklesinu.h"
#include "core/dialogs.h"
#include "core/utils.h"
#include "server/proxim.h"
#include "signin/girisformu.h"
#include "signin/kurulumindirici.h"
#include "signin/programsonu.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QSaveFile>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QFont tahoma(int px, bool bold)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

// The window's texts use "\r\n" line breaks; a label breaks on "\n".
QString gorunum(QString metin) { return metin.remove(u'\r'); }

struct IndirmeDurumu
{
    IndirmeSonucu sonuc;
};

} // namespace

Tdosyaindir::Tdosyaindir(QWidget* AOwner, int _y)
    : QDialog(AOwner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("dosyaindir"));
    setWindowTitle(QStringLiteral("Dosya İndir"));
    setFixedSize(543, 309);

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);

    sLabel1 = new QLabel(this);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setAlignment(Qt::AlignCenter);
    sLabel1->setWordWrap(true);
    sLabel1->setFont(tahoma(27, false));
    // Colour value 5786691 is blue-green-red: 0x584C43, a dark grey.
    sLabel1->setStyleSheet(QStringLiteral("color: #434C58;"));
    sLabel1->setText(gorunum(BilgiMetni(_y)));
    lay->addWidget(sLabel1, 1);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(58);
    auto* alt = new QVBoxLayout(Panel1);
    alt->setContentsMargins(6, 2, 6, 4);
    alt->setSpacing(2);
    bilgi = new QLabel(QStringLiteral("bilgi"), Panel1);
    bilgi->setObjectName(QStringLiteral("bilgi"));
    bilgi->setFont(tahoma(13, true));
    alt->addWidget(bilgi);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setFixedHeight(30);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    alt->addWidget(ProgressBar1);
    lay->addWidget(Panel1);
}

QString Tdosyaindir::IndirmeAdresiVer() { return IndirmeAdresi() + QStringLiteral("/exe/ZELVORISetup.exe"); }

QString Tdosyaindir::KurulumDosyasi()
{
    return QDir(YerelUygulamaKlasoru()).filePath(QStringLiteral("ZELVORISetup.exe"));
}

QString Tdosyaindir::BilgiMetni(int y)
{
    return QStringLiteral("Zelvori Otomotiv B2B Programının\r\nYeni versiyonu indirilecektir\r\nLütfen "
                          "Bekleyiniz...!\r\nVersion: ")
        + QString::number(y) + u'-' + QString::number(IstemciVersiyonu);
}

QString Tdosyaindir::IlerlemeMetni(qint64 okunan, qint64 toplam, const QLocale& yerel)
{
    QLocale l = yerel;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    const double yuzde = double(okunan) / double(toplam) * 100.0;
    const double mb = 1024.0 * 1024.0;
    return QStringLiteral("Bilgi: %") + l.toString(yuzde, 'f', 2) + QStringLiteral("  İndirilen: ")
        + l.toString(double(okunan) / mb, 'f', 2) + u'/' + l.toString(double(toplam) / mb, 'f', 2)
        + QStringLiteral(" Mb");
}

void Tdosyaindir::NetHTTPClient1ReceiveData(qint64 AContentLength, qint64 AReadCount)
{
    if (AContentLength <= 0)
        return;
    bilgi->setText(IlerlemeMetni(AReadCount, AContentLength));
    // The bar counts in permille so that lengths beyond the int range fit.
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setValue(int(double(AReadCount) / double(AContentLength) * 1000.0));
}

void Tdosyaindir::NetHTTPClient1RequestError(const QString& AError)
{
    showMessageBox(MessageBoxRequest{QStringLiteral("Hata Oluştu !\r\nHata: ") + AError,
                                     QStringLiteral("Zelvori Otomotiv B2B"), mtError, {mbOK}});
    emit indirmeBitti();
    ProgramiSonlandir(0);
    // Only reached when the ending is replaced (tests).
    done(QDialog::Rejected);
}

void Tdosyaindir::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, &Tdosyaindir::FormActivate);
}

void Tdosyaindir::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void Tdosyaindir::FormActivate()
{
    if (basladi)
        return;
    basladi = true;

    const QString dosya = KurulumDosyasi();
    if (QFile::exists(dosya))
        QFile::remove(dosya);

    // The download runs off the main thread; its progress is handed to the
    // window without waiting, so the window keeps repainting.
    const QString adres = IndirmeAdresiVer();
    QPointer<Tdosyaindir> pencere(this);
    auto durum = std::make_shared<IndirmeDurumu>();
    Async([adres, pencere, durum] {
        durum->sonuc = KurulumuIndir(adres, [pencere](qint64 toplam, qint64 okunan) {
            postToMainThread([pencere, toplam, okunan] {
                if (pencere)
                    pencere->NetHTTPClient1ReceiveData(toplam, okunan);
            });
        });
    }).Await([pencere, durum] {
        // The program ends here whether or not the window is still open.
        if (durum->sonuc.basarili)
            KurulumuBaslat(durum->sonuc.veri, pencere);
        else
            IndirmeHatasi(durum->sonuc.hata, pencere);
    });
}

void Tdosyaindir::IndirmeHatasi(const QString& hata, QPointer<Tdosyaindir> pencere)
{
    if (pencere) {
        pencere->NetHTTPClient1RequestError(hata);
        return;
    }
    showMessageBox(MessageBoxRequest{QStringLiteral("Hata Oluştu !\r\nHata: ") + hata,
                                     QStringLiteral("Zelvori Otomotiv B2B"), mtError, {mbOK}});
    ProgramiSonlandir(0);
}

void Tdosyaindir::KurulumuBaslat(const QByteArray& veri, QPointer<Tdosyaindir> pencere)
{
    const QString dosya = KurulumDosyasi();
    // The local application-data folder need not exist yet on a fresh account.
    QDir().mkpath(QFileInfo(dosya).absolutePath());
    QSaveFile f(dosya);
    if (!f.open(QIODevice::WriteOnly) || f.write(veri) != veri.size() || !f.commit()) {
        IndirmeHatasi(f.errorString(), pencere);
        return;
    }
    QFile::setPermissions(dosya, QFile::permissions(dosya) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    if (!openWithSystem(OpenRequest{dosya, {QStringLiteral("/silent")}})) {
        IndirmeHatasi(QStringLiteral("Kurulum programı başlatılamadı: ") + dosya, pencere);
        return;
    }
    if (pencere)
        emit pencere->indirmeBitti();
    ProgramiSonlandir(0);
    if (pencere)
        pencere->done(QDialog::Accepted);
}
