#pragma once
// The tab "Sanal Pos": at each showing the customer's balance text is asked
// for (CariDurumVer) and the distributor's card-payment page is opened for it.
// This build has no embedded browser engine, so the page opens in the
// system's default browser; without one the user is told that payments
// cannot be taken.
//
//   SekmeTak(Sekme::SanalPos, new TSanalPosSekmesi(*bagc, *sbilgi));
//   connect(tab, &TSanalPosSekmesi::StokListesiIstendi, ...);  // back to the stock list

#include <QWidget>

class QLabel;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

// The payment page address: OdemeAdresi() + "/tuvrakart.html?carino=" +
// carino + "&sube=MERKEZ&firmasi=" + cariAdi + "&bakiye=" + bakiye, with the
// name and the balance text percent-encoded as UTF-8, so that "&", "#", "+"
// or blanks in them reach the page unchanged.
QString OdemeSayfasiAdresi(int carino, const QString& cariAdi, const QString& bakiye);

class TSanalPosSekmesi : public QWidget
{
    Q_OBJECT
public:
    TSanalPosSekmesi(datasnap::Connection& bagc, TSonucBilgisi& sbilgi, QWidget* parent = nullptr);
    ~TSanalPosSekmesi() override;

    // The balance on a clone of the main connection (empty on any failure).
    QString BakiyeAl();
    // Balance, address, browser, or the messages of their failures.
    void Gosterildi();

    // The address opened last (empty when none was).
    QString SonAdres() const { return FSonAdres; }
    QLabel* bilgi = nullptr;

signals:
    // No balance: the main window returns to the stock list.
    void StokListesiIstendi();

private:
    datasnap::Connection& bagc;
    TSonucBilgisi& sbilgi;
    QString FSonAdres;
};
