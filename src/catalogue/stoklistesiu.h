#pragma once

#include "catalogue/katalogbaglami.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class DataGrid;
class MemTable;
class QLineEdit;
class QMenu;
class QAction;
class QToolButton;
class QBoxLayout;
struct TAramaDurumu;

// The tab "Stok Listesi": the search over the distributor's catalogue and the
// list of its result in the table `stok`.
//
// The tab creates the search controls (araedit, SpeedButton2 "Ara",
// SpeedButton1 "Temizle", the busy indicator gifstokara); the main window
// places them in its search bar, in that order, and puts the tab into its
// tab control. The tab asks to be brought to the front with OneGetir() and
// reports its caption with BaslikDegisti().
class TStokListesi : public QWidget
{
    Q_OBJECT
public:
    // stok is the main window's table; the tab binds its grid to it.
    TStokListesi(const TKatalogBaglami &baglam, MemTable &stok, QWidget *parent = nullptr);
    ~TStokListesi() override;

    // Starts a search for a text as if it had been typed into the search box
    // and "Ara" pressed: the box gets the text (in upper case) and the search
    // runs unless one is already running. Announcements and opening adverts
    // use it for their link texts.
    void AramaYap(const QString &metin);
    // "Ara": the same as Enter in the search box, while the box is enabled.
    void SpeedButton2Click();
    // "Temizle": empties the list and the box, while the box is enabled.
    void SpeedButton1Click();
    // After a customer switch: the list is emptied and reads "0=Stok Listesi".
    void CariDegisti();
    // The user-type rules of the stock grid (after sign-in).
    void KullaniciTipiUygula(int musteriTipi);
    // The items of the popup menu popstok: "Sepete Ekle" (also a double
    // click), "Siparişleri Göster" and "Stok Hareketleri" for the focused row.
    void S2Click();
    void S3Click();
    void StokHareketleri1Click();

    // The wide or narrow column layout for the current window width.
    void DuzenUygula();

    bool AramaSuruyor() const;
    QString Baslik() const { return FBaslik; }

    DataGrid *cxGrid1 = nullptr;
    // The search controls belong in the main window's search bar; until they
    // are placed there they have no parent (and are deleted with the tab).
    void AramaCubugunaYerlestir(QBoxLayout *duzen);
    QPointer<QLineEdit> araedit;
    QPointer<QToolButton> SpeedButton2;
    QPointer<QToolButton> SpeedButton1;
    QPointer<QWidget> gifstokara;
    QMenu *popstok = nullptr;
    QAction *S2 = nullptr, *B1 = nullptr, *S3 = nullptr, *StokHareketleri1 = nullptr;

signals:
    void BaslikDegisti(const QString &baslik);
    // The tab wants to be the active tab.
    void OneGetir();
    // A search has ended (after its completion step ran).
    void AramaBitti(bool basarili);

private:
    void aramaBaslat();
    void aramaTamamla(bool basarili, TAramaDurumu &durum);
    void baslikYaz(const QString &baslik);
    qint64 odaklananStokNo(bool &var) const;

    TKatalogBaglami FBaglam;
    MemTable &stok;
    QString FBaslik;
    int FMusteriTipi = 0;
};
