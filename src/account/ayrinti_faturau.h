#pragma once
// "Evrak Ayrıntısı": the lines of an invoice, its header data and the totals
// the server computed.
//
//   Tayrinti_fatura::Ac(this, *bagc, *sbilgi, idno);

#include "account/hesapizgarasi.h"
#include "basket/sepettoplami.h"
#include "platform/dataset/memtable.h"

#include <QDialog>

class DataGrid;
class QLabel;
class QPushButton;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

class Tayrinti_fatura : public QDialog
{
    Q_OBJECT
public:
    explicit Tayrinti_fatura(QWidget* AOwner);
    ~Tayrinti_fatura() override;

    // FaturaGetir and FaturaAltGetir on the main connection, each behind the
    // connection check with its final message; then EnIyile.
    void Yukle(datasnap::Connection& bagc, int carino, int idno);
    // Best fit, totals from alt, header labels from the current line, the
    // window's placement, the number display of fatura.
    void EnIyile();
    void Button2Click();

    static void Ac(QWidget* sahip, datasnap::Connection& bagc, const TSonucBilgisi& sbilgi, int idno,
                   const PencereGosterici& goster = {});

    MemTable fatura;
    MemTable alt;
    DataGrid* cxGrid2 = nullptr;
    QLabel *_tarih = nullptr, *_evrakcinsi = nullptr, *_saticiadi = nullptr, *_evrakno = nullptr,
           *_vadegun = nullptr;
    TToplamEtiketleri Etiketler;
    QPushButton* Kapat = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
