#pragma once
// The tab "Sepet": the basket the server keeps for the customer, held in the
// main window's table `sepet`. The user marks the lines to order ("Seç"),
// sees the totals of the marked lines, changes or deletes lines, exports the
// grid to Excel and sends the order ("Gönder", through TONAYSIP).
//
// The main window plugs it in with
//   SekmeTak(Sekme::Sepet, new TSepetSekmesi(*bagc, *sbilgi, *sepet, PopupMenu1, this));
// and uses Yenile() as the basket reload everyone calls.

#include "catalogue/katalogbaglami.h"
#include "basket/sepettoplami.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class DataGrid;
class MemTable;
class QLabel;
class QMenu;
class QPushButton;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

class TSepetSekmesi : public QWidget
{
    Q_OBJECT
public:
    // bagc, sbilgi and sepet are the main window's; menu is its PopupMenu1
    // (Deitir1, SatrSil1, HepsiniSil1), shown on the grid's right click, or
    // nullptr. sahip owns the modal windows (the main window).
    TSepetSekmesi(datasnap::Connection& bagc, TSonucBilgisi& sbilgi, MemTable& sepet,
                  QMenu* menu = nullptr, QWidget* sahip = nullptr, QWidget* parent = nullptr);
    ~TSepetSekmesi() override;

    // The basket reload, on the calling thread: a private clone of bagc, the
    // connection check with its final message (on failure the table keeps its
    // content), SepetVer2 into `sepet`, the number display; then the totals.
    // Answers whether the basket was loaded.
    bool Yenile();

    // The tab became the shown one: the account warning on its own task and
    // the background reload of the basket, then caption and totals.
    void Gosterildi();
    bool YuklemeSuruyor() const { return FYukleniyor; }

    // Recomputes and shows the totals of the marked lines.
    void ToplamHesapla();
    TToplamlar Toplamlar() const { return FToplamlar; }

    // Double-click and "Satır Değiştir": on the "Seç" cell the mark is
    // toggled, on any other cell the change dialog opens.
    void Deitir1Click();
    void SatrSil1Click();
    void HepsiniSil1Click();
    // "Hepsini Seç" (1) / "Seçimleri Kaldır" (0).
    void HepsiniIsaretle(int secim);
    void Button4Click() { HepsiniIsaretle(1); }
    void Button5Click() { HepsiniIsaretle(0); }
    // "Gönder": the order confirmation and SiparisKaydet.
    void Button1Click();
    // "Excel Kaydet".
    void Button2Click();

    // What the catalogue's change dialog needs; its PencereGoster also shows
    // the confirmation window (tests answer there instead of a modal loop).
    TKatalogBaglami& Baglam() { return FBaglam; }

    DataGrid* cxGrid2 = nullptr;
    QLabel* lbluyarbakiye = nullptr;
    QPushButton* Button4 = nullptr; // "Hepsini Seç"
    QPushButton* Button5 = nullptr; // "Seçimleri Kaldır"
    QPushButton* Button1 = nullptr; // "Gönder"
    QPushButton* Button2 = nullptr; // "Excel Kaydet"
    QLabel *aratoplaml = nullptr, *indiriml = nullptr, *nettutarl = nullptr, *vergil = nullptr,
           *geneltoplaml = nullptr;

signals:
    // "N=Sepet" after each showing.
    void BaslikDegisti(const QString& baslik);
    // The background reload runs (the main window shows gifsepet).
    void Yukleniyor(bool yukleniyor);
    // The account warning has arrived (tests wait for it).
    void UyariGeldi(const QString& metin);
    // A showing's reload has ended.
    void YuklemeBitti(bool basarili);

private:
    struct YuklemeDurumu;
    void uyariBaslat();
    void yuklemeBitir(YuklemeDurumu& durum);
    // Sends one line's mark on a private clone; false when it could not be sent.
    bool secimGonder(int sirano, int secim);
    // Writes a mark into the current line of sepet.
    void secimYaz(int secim);
    bool odaklananSatiraGit();
    void aramaKutusunaDon();

    datasnap::Connection& bagc;
    TSonucBilgisi& sbilgi;
    MemTable& sepet;
    TKatalogBaglami FBaglam;
    TToplamEtiketleri FEtiketler;
    TToplamlar FToplamlar;
    bool FYukleniyor = false;
    // Counts the reloads through Yenile(): a showing's load that started
    // before one of them brings older rows and must not replace the table.
    int FYenilemeSayisi = 0;
};
