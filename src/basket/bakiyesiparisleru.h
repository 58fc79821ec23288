#pragma once
// "Bakiye Siparişler": the order lines not yet fully delivered, with the
// footer of the focused line's order and the totals. From the context menu
// the user deletes or changes a line's balance and (customer type 2) its
// price. The window works on the main connection and the main sign-in
// record; every call is preceded by the connection check.
//
// Shown embedded in the tab "Bakiyeler" (TBakiyelerSekmesi) and as a modal
// window (ModalGoster, from the previous orders and the customer selection).

#include "basket/sepettoplami.h"
#include "platform/dataset/memtable.h"
#include "server/baglantiu.h"

#include <QDialog>

#include <functional>

class DataGrid;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

class Tbakiyesiparisler : public QDialog
{
    Q_OBJECT
public:
    Tbakiyesiparisler(QWidget* AOwner, datasnap::Connection& _bagim, TSonucBilgisi& _bilgi);
    ~Tbakiyesiparisler() override;

    // The modal form: owned by sahip, the customer-type rules (without the
    // order columns of the embedded form), loaded, placed, shown, freed.
    static void ModalGoster(QWidget* sahip, datasnap::Connection& bagc, TSonucBilgisi& sbilgi);

    // The customer-type column and menu rules; gomulu for the embedded form.
    void KullaniciTipiUygula(int musteriTipi, bool gomulu);
    // Turns the window into a borderless part of a tab, without "Kapat".
    void Gomulu();

    // Loads the lines and the totals.
    bool BakiyeAlalim();
    // Places the modal form: left 50, screen width − 100, screen height − 150.
    void Goster();
    // The footer of the focused line's order (SiparisAytintisiDip).
    void SiparisDipGoster();

    void B1Click(); // "Bakiyeyi Sil"
    void B2Click(); // "Bakiye Değiştir"
    void F1Click(); // "Fiyat Değiştir"
    void Button2Click(); // "Excel Kaydet"

    TToplamlar Toplamlar() const { return FToplamlar; }

    // Shows the balance and price dialogs; empty: QDialog::exec(). Tests
    // answer here instead of running a modal loop.
    std::function<int(QDialog&)> PencereGoster;

    MemTable bakiyesepet;
    TSiparisDipAyrinti asagi;

    DataGrid* cxGrid2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction *B1 = nullptr, *B2 = nullptr, *F1 = nullptr;
    QLabel *_sipdurun = nullptr, *_teslimcinsi = nullptr, *_kargocinsi = nullptr, *_kargo = nullptr,
           *_veren = nullptr;
    QPlainTextEdit *_sizin = nullptr, *_bizim = nullptr;
    QLabel *aratoplaml = nullptr, *indiriml = nullptr, *nettutarl = nullptr, *vergil = nullptr,
           *geneltoplaml = nullptr;
    QPushButton* Button1 = nullptr; // "Kapat"
    QPushButton* Button2 = nullptr; // "Excel Kaydet"

private:
    int goster(QDialog& pencere);
    bool odaklananSatiraGit();
    void dipYaz();
    QString yazi(const QString& alan) const;
    double sayi(const QString& alan) const;
    int tamSayi(const QString& alan) const;
    // The connection check, then fn on bagim; bagim is closed afterwards.
    // False when the check failed or the call raised an error (shown).
    bool cagir(const std::function<void(class TServerMethods1Client&)>& fn);

    datasnap::Connection& bagim;
    TSonucBilgisi& bilgi;
    TToplamEtiketleri FEtiketler;
    TToplamlar FToplamlar;
    bool FYukleniyor = false;
    int FMusteriTipi = 0;
    int FDipIdno = -1; // order of the footer last fetched
};
