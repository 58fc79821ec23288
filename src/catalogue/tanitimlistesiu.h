#pragma once

#include "catalogue/katalogbaglami.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class DataGrid;
class MemTable;

// The tabs "Yeni Stoklar" (table YENILER) and "Kampanyalı Stoklar" (table
// kampstok): the list is fetched in the background every time the tab is
// shown; a double-click opens the add-to-basket dialog as in the stock list.
//
// The busy indicator (gifyeniler / gifkampanyali) belongs in the main
// window's search bar; the main window places Gosterge() there.
class TTanitimListesi : public QWidget
{
    Q_OBJECT
public:
    enum class Tur { Yeniler, Kampanya };

    TTanitimListesi(Tur tur, const TKatalogBaglami &baglam, MemTable &tablo,
                    QWidget *parent = nullptr);
    ~TTanitimListesi() override;

    // Fetches the list (what showing the tab does); a call while a load
    // runs does nothing.
    void Yukle();
    // The main window's "page shown" hook: the same as showing the tab.
    void Gosterildi() { Yukle(); }
    // The user-type rules of the grid (after sign-in).
    void KullaniciTipiUygula(int musteriTipi);

    Tur tur() const { return FTur; }
    bool YukleniyorMu() const { return FYukleniyor; }
    QString Baslik() const { return FBaslik; }
    QWidget *Gosterge() const { return FGosterge; }

    DataGrid *grid = nullptr;

signals:
    void BaslikDegisti(const QString &baslik);
    // A load has ended (after its completion step ran).
    void YuklemeBitti(bool basarili);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cifteTiklama();

    Tur FTur;
    TKatalogBaglami FBaglam;
    MemTable &FTablo;
    QString FBaslik;
    QPointer<QWidget> FGosterge;
    bool FYukleniyor = false;
};
