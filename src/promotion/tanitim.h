#pragma once
// The promotion of the main window: the scrolling text line and the bottom
// banner in the bottom panel, the top banner strip, the start-up steps that
// fill them and set the tab counters, and the opening adverts.
//
// TForm1 creates one TTanitim and appends its steps to the start-up job:
//
//   auto* t = new TTanitim(*bagc, *sbilgi, Panel5, RxGIFAnimator2, this);
//   t->BaslikYaz = [this](const QString& sekmeAdi, const QString& baslik) { ... };
//   BaslangicAdimlari << [t] { t->KayanYaziAl(); } << ...;
//
// Each step runs on the job's worker thread with its own clone of the main
// connection, checked with BaglantiKontrol(clone, 1); a step whose check fails
// is skipped. Visible changes are handed to the main thread.

#include "core/baglantiu.h"
#include "platform/datasnap/connection.h"

#include <QByteArray>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

class AnimatedPicture;
class Marquee;
class QFrame;
class QLabel;
class QWidget;

class TTanitim : public QObject
{
    Q_OBJECT

public:
    // Puts the two marquees into Panel5 (whose layout must be a box layout)
    // and keeps the top banner strip.
    TTanitim(datasnap::Connection& bagc, const TSonucBilgisi& sbilgi, QFrame* Panel5,
             AnimatedPicture* RxGIFAnimator2, QObject* parent = nullptr);

    // Writes a tab's caption (main thread): the tab's object name ("ssepet",
    // "syeniler", "skampanyali", "sTabbakiyeler", "sTabSheetduyuru") and the
    // caption ("3=Sepet").
    std::function<void(const QString& sekmeAdi, const QString& baslik)> BaslikYaz;

    // ---- start-up steps (worker thread)
    void KayanYaziAl();
    void BannerREsimAlUst();
    void BannerREsimAlAlt();
    // The number of opening adverts into `acilisadet` (0 on any failure) and
    // the announcements caption.
    void AcilisReklamAdetAl(int& acilisadet);
    void BalonYaz();

    // ---- what the steps hand to the main thread (also for tests)
    void KayanYaziGoster(const QString& metin);
    void UstBannerYok();
    void UstBannerGoster(const QByteArray& gif);
    void AltBannerYok();
    void AltBannerGoster(const QByteArray& bmp);

    // The opening adverts, modal, owned by `sahip`: the link text when the
    // window closed with OK, else nothing.
    std::optional<QString> AcilisReklamlariGoster(QWidget* sahip);

    Marquee* kayanyazi = nullptr;
    Marquee* RealTimeMarquee1 = nullptr;
    QLabel* Image3 = nullptr; // hidden; holds the bottom banner bitmap
    AnimatedPicture* RxGIFAnimator2 = nullptr;
    QFrame* Panel5 = nullptr;

private:
    void bannerAl(bool ust);

    datasnap::Connection& m_bagc;
    const TSonucBilgisi& m_sbilgi;
};
