#pragma once
// "Raporlar": the orders received in a date range grouped by representative
// ("Alınan Siparişler") and the stock items sold in the range ("Satılan
// Stoklar"). The window works on its own clone of the main connection.
//
//   Traporform::Ac(this, *bagc, *sbilgi);   // TForm1::RaporlarAc

#include "account/hesapizgarasi.h"
#include "platform/dataset/memtable.h"

#include <QDialog>

#include <memory>

class DataGrid;
class QDateEdit;
class QPushButton;
class QTabWidget;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

class Traporform : public QDialog
{
    Q_OBJECT
public:
    explicit Traporform(QWidget* AOwner);
    ~Traporform() override;

    // "Göster": the report of the active tab.
    void Button1Click();
    // Each replaces its table when the connection opens and the call
    // succeeds; otherwise the table keeps what it held and the user is told.
    bool SiparisRaporu();
    bool StokRaporu();

    static void Ac(QWidget* sahip, datasnap::Connection& bagc, TSonucBilgisi& sbilgi,
                   const PencereGosterici& goster = {});

    std::unique_ptr<datasnap::Connection> bag;
    TSonucBilgisi* sbilgi = nullptr;
    QDateEdit* tarih1 = nullptr;
    QDateEdit* tarih2 = nullptr;
    QPushButton* Button1 = nullptr; // "Göster"
    QTabWidget* cxPageControl1 = nullptr;
    QWidget* tabsiparis = nullptr;
    QWidget* tabstok = nullptr;
    MemTable siparis;
    MemTable stok;
    DataGrid* siparisGrid = nullptr;
    DataGrid* stokGrid = nullptr;

private:
    bool raporAl(bool siparisler);
};
