#pragma once
// The sign-in window: the first window a user sees. It identifies this
// computer to the server by its machine identifier, fetches the account bound
// to it, and lets the user in only when the typed name and password equal
// that account's. Returns with Accepted and the sign-in record filled; every
// other way out ends the program (a newer client first, an unregistered
// computer to the request form, "Vazgeç").

#include "core/baglantiu.h"
#include "platform/datasnap/connection.h"

#include <QDialog>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The client's own version number; any other version the server expects
// starts the update download.
inline constexpr int IstemciVersiyonu = 5;

class Tgirisform : public QDialog
{
    Q_OBJECT

public:
    // FormCreate: endpoint settings are read from server/proxim.h, the machine
    // identifier is taken into idsi, the remembered credentials are loaded.
    explicit Tgirisform(QWidget* owner);
    ~Tgirisform() override;

    QString idsi;
    // Set by the caller before the window is shown.
    datasnap::Connection* bagim = nullptr;
    TSonucBilgisi* Bilgim = nullptr;

    QLabel* Image1 = nullptr;
    QCheckBox* benihatirla = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* adi = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* sifre = nullptr;
    QPushButton* Button1 = nullptr;    // "Giriş"
    QLabel* RxGIFAnimator1 = nullptr;  // busy indicator while the address is looked up
    QPushButton* Button2 = nullptr;    // "Vazgeç"
    QLabel* RxLabel1 = nullptr;        // the distributor's contact lines

    // A sign-in attempt: the external address, then Devamet.
    void Button1Click();
    // Second stage: connect, fetch this computer's record, evaluate.
    void Devamet(const QString& disip);
    // Ends the program at once.
    void Button2Click();

    // The customer selection of sales representatives (user types 1 and 2):
    // shown modally with the main connection and the sign-in record, true when
    // it closed with OK. Installed by the program; without one a sales
    // representative signs in with the account the server returned.
    using CariSecimiPenceresi = std::function<bool(QWidget* sahip, datasnap::Connection& bag,
                                                   TSonucBilgisi& bilgim)>;
    static void CariSecimiAyarla(CariSecimiPenceresi pencere);

signals:
    // An attempt has been evaluated: the window was re-armed, closed, or
    // handed over to another window. For observers such as tests.
    void girisDenendi();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ayarlariYukle();
    void adiKeyDown();
    void sifreKeyDown();
    void bosUyarisi(QLineEdit* edit, const QString& metin);
    void Degerlendir(bool basarili, const TSonucBilgisi& kayit);
    void yenidenHazirla();
    void mesgulGoster(bool goster);

    // Set when the window goes away so that an endless address lookup stops.
    std::shared_ptr<std::atomic<bool>> m_dur;
};
