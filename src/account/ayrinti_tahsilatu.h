#pragma once
// "Evrak Ayrıntı": the lines of a collection or payment document and, when it
// was paid by card, "PDF Al" for the payment receipt.
//
//   Tayrinti_tahsilat::Ac(this, *bagc, idno);

#include "account/hesapizgarasi.h"
#include "platform/dataset/memtable.h"

#include <QDialog>

class DataGrid;
class QPushButton;
namespace datasnap {
class Connection;
}

class Tayrinti_tahsilat : public QDialog
{
    Q_OBJECT
public:
    explicit Tayrinti_tahsilat(QWidget* AOwner);
    ~Tayrinti_tahsilat() override;

    // Tahsilat and SanalposSiranoVer on the main connection (the connection
    // check with its final message; on failure the window stays empty), then
    // EnIyile, "PDF Al" shown for a receipt number above 0, con and sirano set.
    void Yukle(datasnap::Connection& bagc, int idno);
    void EnIyile();

    // "PDF Al": the receipt into the documents folder, opened when complete.
    bool belgeyazClick();
    // "Excel Kaydet".
    void Button2Click();

    // Creates, loads, shows modally and frees the window.
    static void Ac(QWidget* sahip, datasnap::Connection& bagc, int idno, const PencereGosterici& goster = {});

    MemTable TAH;
    datasnap::Connection* con = nullptr;
    int sirano = 0;
    DataGrid* cxGrid2 = nullptr;
    QPushButton* belgeyaz = nullptr;
    QPushButton* Kapat = nullptr;
    QPushButton* Button2 = nullptr;
};
