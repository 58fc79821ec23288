#include "promotion/tanitim.h"

#include "core/baglantikontrol.h"
#include "core/beklesinu.h"
#include "platform/widgets/animatedpicture.h"
#include "platform/widgets/marquee.h"
#include "promotion/acilisreklamu.h"
#include "promotion/banner.h"
#include "server/proxim.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QLocale>

#include <cmath>
#include <memory>

TTanitim::TTanitim(datasnap::Connection& bagc, const TSonucBilgisi& sbilgi, QFrame* panel,
                   AnimatedPicture* ustBanner, QObject* parent)
    : QObject(parent)
    , RxGIFAnimator2(ustBanner)
    , Panel5(panel)
    , m_bagc(bagc)
    , m_sbilgi(sbilgi)
{
    auto* lay = qobject_cast<QBoxLayout*>(Panel5->layout());
    Q_ASSERT(lay);

    RealTimeMarquee1 = new Marquee(Panel5);
    RealTimeMarquee1->setObjectName(QStringLiteral("RealTimeMarquee1"));
    RealTimeMarquee1->setFixedHeight(0);
    RealTimeMarquee1->hide();
    lay->addWidget(RealTimeMarquee1);

    kayanyazi = new Marquee(Panel5);
    kayanyazi->setObjectName(QStringLiteral("kayanyazi"));
    QFont yazi(QStringLiteral("Arial"));
    yazi.setPixelSize(24);
    yazi.setBold(false);
    kayanyazi->setFont(yazi);
    kayanyazi->setFixedHeight(40);
    lay->addWidget(kayanyazi);

    Image3 = new QLabel(Panel5);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->hide();

    if (RxGIFAnimator2) {
        RxGIFAnimator2->setAutoSize(true);
        RxGIFAnimator2->setAnimated(true);
    }
}

// ---------------------------------------------------------------- scrolling text

void TTanitim::KayanYaziAl()
{
    std::unique_ptr<datasnap::Connection> klon = m_bagc.CloneConnection();
    if (!BaglantiKontrol(*klon, 1))
        return;
    QString metin;
    {
        TServerMethods1Client istemci(*klon);
        metin = istemci.KayanYaziGetir();
    }
    klon->Close();
    runOnMainThread([this, metin] { KayanYaziGoster(metin); });
}

void TTanitim::KayanYaziGoster(const QString& metin)
{
    kayanyazi->stop();
    kayanyazi->clear();
    // The text goes in as received; only its emptiness is judged trimmed.
    if (!metin.trimmed().isEmpty())
        kayanyazi->setHtml(metin);
    kayanyazi->start();
}

// ---------------------------------------------------------------- banners

void TTanitim::bannerAl(bool ust)
{
    std::unique_ptr<datasnap::Connection> klon = m_bagc.CloneConnection();
    if (!BaglantiKontrol(*klon, 1))
        return;
    try {
        qint64 size = 0;
        QByteArray akis;
        {
            TServerMethods1Client istemci(*klon);
            akis = ust ? istemci.BannerResimVer2(size) : istemci.BannerResimVer3(size);
        }
        klon->Close();
        switch (BannerDegerlendir(size, akis)) {
        case BannerKarari::Yok:
            runOnMainThread([this, ust] { ust ? UstBannerYok() : AltBannerYok(); });
            break;
        case BannerKarari::Goster:
            runOnMainThread([this, ust, akis] { ust ? UstBannerGoster(akis) : AltBannerGoster(akis); });
            break;
        case BannerKarari::Degistirme: break;
        }
    } catch (const std::exception&) {
        // A failed banner fetch leaves the banner as it was; the start-up
        // goes on with its next step.
        klon->Close();
    }
}

void TTanitim::BannerREsimAlUst() { bannerAl(true); }
void TTanitim::BannerREsimAlAlt() { bannerAl(false); }

void TTanitim::UstBannerYok()
{
    if (RxGIFAnimator2) {
        RxGIFAnimator2->clearPicture();
        RxGIFAnimator2->setFixedHeight(0);
    }
}

void TTanitim::UstBannerGoster(const QByteArray& gif)
{
    if (RxGIFAnimator2)
        RxGIFAnimator2->loadData(gif);
}

void TTanitim::AltBannerYok() { Panel5->setFixedHeight(40); }

void TTanitim::AltBannerGoster(const QByteArray& bmp)
{
    if (!AltBannerGosterilebilir(bmp))
        return;
    QPixmap resim;
    if (!resim.loadFromData(bmp, "BMP"))
        return;
    Image3->setPixmap(resim);
    // The owner-drawn item paints a copy of Image3's bitmap.
    RealTimeMarquee1->setPixmapProvider([this] { return Image3->pixmap(); });
    RealTimeMarquee1->show();
    RealTimeMarquee1->start();
    RealTimeMarquee1->setFixedHeight(resim.height());
    Panel5->setFixedHeight(resim.height() + 40);
}

// ---------------------------------------------------------------- counters

void TTanitim::AcilisReklamAdetAl(int& acilisadet)
{
    acilisadet = 0;
    std::unique_ptr<datasnap::Connection> klon = m_bagc.CloneConnection();
    if (!BaglantiKontrol(*klon, 1))
        return;
    try {
        {
            TServerMethods1Client istemci(*klon);
            acilisadet = istemci.AcilisReklamAdet();
        }
        const QString baslik = QString::number(acilisadet) + QStringLiteral("=Duyurular");
        runOnMainThread([this, baslik] {
            if (BaslikYaz)
                BaslikYaz(QStringLiteral("sTabSheetduyuru"), baslik);
        });
        klon->Close();
    } catch (const std::exception&) {
        // No count: no opening adverts; the caption keeps its text.
        acilisadet = 0;
        klon->Close();
    }
}

void TTanitim::BalonYaz()
{
    TSonucBilgisi kopya;
    runOnMainThread([&] { kopya.Kopyala(m_sbilgi); });
    std::unique_ptr<datasnap::Connection> klon = m_bagc.CloneConnection();
    if (!BaglantiKontrol(*klon, 1))
        return;
    TableData satirlar;
    {
        TServerMethods1Client istemci(*klon);
        satirlar = istemci.BalonGetir(kopya);
    }
    klon->Close();
    for (int r = 0; r < satirlar.rowCount(); ++r) {
        const QString sepet = QString::number(satirlar.intValue(r, 0)) + QStringLiteral("=Sepet");
        const QString yeni = QString::number(satirlar.intValue(r, 1)) + QStringLiteral("=Yeni Stoklar");
        const QString kamp = QString::number(satirlar.intValue(r, 2)) + QStringLiteral("=Kampanyalı");
        // The balances count in its shortest decimal form: 4.0 is "4".
        const double b = satirlar.doubleValue(r, 4);
        const QString bakiye = (std::floor(b) == b && std::abs(b) < 1e15
                                    ? QString::number(qint64(b))
                                    : QString::number(b, 'f', QLocale::FloatingPointShortest))
                               + QStringLiteral("=Bakiyeler");
        runOnMainThread([&] {
            if (!BaslikYaz)
                return;
            BaslikYaz(QStringLiteral("ssepet"), sepet);
            BaslikYaz(QStringLiteral("syeniler"), yeni);
            BaslikYaz(QStringLiteral("skampanyali"), kamp);
            BaslikYaz(QStringLiteral("sTabbakiyeler"), bakiye);
        });
    }
}

// ---------------------------------------------------------------- opening adverts

std::optional<QString> TTanitim::AcilisReklamlariGoster(QWidget* sahip)
{
    Tacilisreklam pencere(sahip, m_bagc, m_sbilgi);
    if (pencere.exec() == QDialog::Accepted)
        return pencere.arama;
    return std::nullopt;
}
