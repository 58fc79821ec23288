#pragma once
// "Sipariş Ayrıntısı": the lines of one previous order, its totals (a fixed
// 20 % tax on the net), status, delivery and cargo data and both notes.
//
//   Tayrinti_siparis::Ac(this, *bagc, *sbilgi, idno);

#include "account/hesapizgarasi.h"
#include "basket/sepettoplami.h"
#include "platform/dataset/memtable.h"
#include "server/baglantiu.h"

#include <QDialog>

class DataGrid;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

// The seller's side of the notes: bizim, and when saticiNotu holds more than
// blanks, a line of 22 hyphens, "Satıcı Notu:" and the note, each on its own
// line below.
QString AlaninNotu(const QString& bizim, const QString& saticiNotu);

class Tayrinti_siparis : public QDialog
{
    Q_OBJECT
public:
    explicit Tayrinti_siparis(QWidget* AOwner);
    ~Tayrinti_siparis() override;

    // SiparisAyrintisi2 into sepet and SiparisAytintisiDip into asagi on the
    // main connection, each behind the connection check with its final
    // message; then SepetHesapla.
    void Yukle(datasnap::Connection& bagc, int carino, int idno);
    // Totals of every line, the information area from asagi, the placement.
    void SepetHesapla();
    TToplamlar Toplamlar() const { return FToplamlar; }
    // The weighted widths of the visible columns for the grid's width.
    void cxGrid2Resize();
    void Button2Click();

    static void Ac(QWidget* sahip, datasnap::Connection& bagc, const TSonucBilgisi& sbilgi, int idno,
                   const PencereGosterici& goster = {});

    MemTable sepet;
    TSiparisDipAyrinti asagi;
    DataGrid* cxGrid2 = nullptr;
    QLabel *_sipdurun = nullptr, *_teslimcinsi = nullptr, *_kargocinsi = nullptr, *_kargo = nullptr,
           *_veren = nullptr;
    QPlainTextEdit* _sizin = nullptr;
    QPlainTextEdit* _bizim = nullptr;
    TToplamEtiketleri Etiketler;
    QPushButton* Kapat = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TToplamlar FToplamlar;
};
