#pragma once
// Tacilisreklam: the opening adverts, one at a time, with previous / next
// (no wrap-around, also by the arrow keys). Any other key or "Kapat" closes
// with Cancel; a click on a picture with a link closes with OK, and `arama`
// then holds the link text for the main window.
//
// Adverts load in the background on the window's own connection clone `con`,
// one load at a time: the buttons are disabled while one runs, and a key
// pressed meanwhile is ignored. A window closed mid-load never receives the
// load's result; the load keeps the connection alive until it ends.

#include "core/baglantiu.h"
#include "platform/datasnap/connection.h"

#include <QDialog>
#include <QPixmap>
#include <QString>

#include <memory>

class QLabel;
class QToolButton;
class QPushButton;
class TGifResim;

class Tacilisreklam : public QDialog
{
    Q_OBJECT

public:
    // Ac: clones _c into con, copies _b, shows advert 1.
    Tacilisreklam(QWidget* AOwner, const datasnap::Connection& _c, const TSonucBilgisi& _b);
    ~Tacilisreklam() override;

    int adet = 0;
    std::shared_ptr<datasnap::Connection> con;
    TSonucBilgisi Bilgim;
    int sirasi = 1;
    QString arama;

    QLabel* Label1 = nullptr;
    QLabel* cxImage1 = nullptr;
    QToolButton* Button1 = nullptr;
    QToolButton* Button2 = nullptr;
    TGifResim* gifstokara = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1xxx = nullptr;

    void Button1Click();
    void Button2Click();
    void Button1xxxClick();
    void cxImage1Click();

    bool Yukleniyor() const { return m_yukleniyor; }
    // The picture shown (null before the first advert arrived).
    QPixmap Resim() const { return m_resim; }

signals:
    // A load has ended (shown or not).
    void YuklemeBitti();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* nesne, QEvent* olay) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void REsimGoster(int i);
    void konumYaz();
    void resmiYerlestir();

    bool m_yukleniyor = false;
    QPixmap m_resim;
    // The position of the advert on screen; a failed load returns sirasi to it.
    int m_gosterilen = 1;
};
