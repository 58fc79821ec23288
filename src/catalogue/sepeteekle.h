#pragma once

// Opening the add-to-basket dialog from a list and sending its result: the
// package size from the server, filling the dialog per source, adding a new
// basket line or changing an existing one, and the basket reload afterwards.

#include "catalogue/katalogbaglami.h"
#include "catalogue/satirhesabi.h"

#include <QString>

class MemTable;
class Tstokayarinti;
namespace datasnap {
class Connection;
}

// The table a dialog is filled from; the labels and prices differ per source.
enum class TStokKaynagi { StokListesi, Yeniler, Kampanya, Sepet };

// Pieces per package of an item, asked on a private clone of the connection
// after a silent connection check. A failed check or call gives 1, and so
// does an answer below 1.
int KoliAdetVer(const datasnap::Connection &bagc, int stokno);

// Fills the dialog from the source table's current row (labels, VAT rate,
// unit price, rates, quantity, price and discount captions) for a user of
// the given type; koliadet is the package size to use.
void StokAyrintiDoldur(Tstokayarinti &dialog, TStokKaynagi kaynak, const MemTable &tablo,
                       int musteriTipi, int koliadet);

// What a list does on a double-click (or "Sepete Ekle") for the item with
// this stock number: the row becomes the table's current row; the basket is
// loaded when it is not open; an item already in the basket opens the
// change dialog for its line, any other the add dialog. When the basket
// still cannot be loaded nothing is opened, so an item is never added twice.
void StokSepeteEkle(const TKatalogBaglami &baglam, TStokKaynagi kaynak, MemTable &tablo,
                    qint64 stokno);

// Opens the change dialog for the basket's current line and, on acceptance,
// sends the quantity, unit price and rates the dialog shows, then reloads
// the basket.
void SepetSatiriDegistir(const TKatalogBaglami &baglam);

// The remote halves, on the main connection after a connection check that
// reports its failure; the connection is closed afterwards. The result is
// the server's (1 = done); 0 when the check failed or the call raised an
// error, which is then shown. SepeteSatirEkle answers kSepetCevapBelirsiz
// instead when the call raised an error: a lost answer may belong to a line
// the server added all the same, so the caller reloads the basket before the
// user can add the item a second time.
inline constexpr int kSepetCevapBelirsiz = -1;
struct TSepetSatiri
{
    qint64 stokno = 0;
    QString barkod;
    QString stokadi;
    int miktar = 0;
    double kdv = 0;
    double fiyat = 0;
    TIndirimOranlari oranlar{};
    int k = 0;            // campaign flag, for new lines
    int sepetsirano = 0;  // basket line number, for changes
};
int SepeteSatirEkle(const TKatalogBaglami &baglam, const TSepetSatiri &satir);
int SepetSatirGuncelle(const TKatalogBaglami &baglam, const TSepetSatiri &satir);
