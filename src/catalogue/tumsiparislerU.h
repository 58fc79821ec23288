#pragma once

#include "catalogue/katalogbaglami.h"

#include <QDialog>

#include <memory>

class DataGrid;
class MemTable;
class QPushButton;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

// "Sipariş Hareketleri": the customer's order lines of one item (stock
// number 0: of every item) with what was ordered, delivered and remains.
class Ttumsiparisler : public QDialog
{
    Q_OBJECT
public:
    explicit Ttumsiparisler(QWidget *AOwner);
    ~Ttumsiparisler() override;

    // Loads the order lines on bagim after a connection check that reports
    // its failure; false when the check or the call failed (the failure has
    // been shown).
    bool Getir();
    // Places the window: left 50, top 50, screen width − 100, screen height − 150.
    void Goster();
    // The user-type rules: "Eldeki" for types 1 and 2, no "Durum" for type 3.
    void KullaniciTipiUygula(int musteriTipi);
    // "Excel Kaydet": save dialog, then the grid into the chosen workbook.
    void ExcelKaydet();

    // Opens the window for an item (0: every item) on a clone of the main
    // connection and shows it modally; nothing opens when loading failed.
    static void Goruntule(const TKatalogBaglami &baglam, int stokno);

    MemTable *bakiyesepet;
    std::unique_ptr<datasnap::Connection> bagim;
    TSonucBilgisi *bilgi = nullptr;
    int stokno = 0;

    DataGrid *cxGrid1;
    QPushButton *Kapat;
    QPushButton *ExcelKaydetTus;
};
