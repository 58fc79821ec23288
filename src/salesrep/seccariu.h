#pragma once
// "Cari Seçimi": where a sales representative picks the dealer account he
// acts for. Customers are listed by a free-text search or by basket / order
// status; the focused customer's details show at the right; the context menu
// offers per-customer PDF reports and the customer's outstanding lines. "Seç"
// writes the chosen customer into the live sign-in record (CARINO, carikod,
// CariAdi only) and closes with OK; "Vazgeç" ends the program.
//
// The counters are read on the main connection before the window is shown;
// the lists load in the background on a clone of it.

#include "core/baglantiu.h"
#include "platform/dataset/memtable.h"
#include "salesrep/carirapor.h"

#include <QDialog>

#include <functional>
#include <optional>

class DataGrid;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class Tbakiyesiparisler;
namespace datasnap {
class Connection;
}

class Tseccari : public QDialog
{
    Q_OBJECT
public:
    Tseccari(QWidget* owner, datasnap::Connection& bag, TSonucBilgisi& bilgim);
    ~Tseccari() override;

    // Set by the opener: the main connection and the live sign-in record.
    datasnap::Connection* bag = nullptr;
    TSonucBilgisi* bilgim = nullptr;

    // Called by the opener before showing, in this order.
    void SepetSayisiYaz();
    void TusSonuclari();

    // The search by the box's text (dotless i made dotted, trimmed).
    void CariListele();
    // The customers of a basket / order status, n 1 to 7.
    void DurumListele(int n);
    // Writes the focused customer into bilgim and closes with OK; nothing
    // without a focused customer with a positive number.
    void CariSec();

    void NEdit1Enter();  // Enter in the search box
    void sBitBtn2Click(); // "Tüm Carileri Listeler"
    void Button2Click(); // "Vazgeç": ends the program

    // Context menu entries.
    void RaporIste(CariRaporu rapor);
    void BakiyeleriGoster(); // "Bakiyelerini Göster"

    // The text CariListele sends for a box text.
    static QString AramaMetni(const QString& kutu);

    // True while a list is loading.
    bool Yukleniyor() const { return FYukleniyor; }

    // Asks for the report dates (tekTarih: one date, returned as both).
    // Nothing when cancelled.
    struct TTarihler
    {
        double tarih1 = 0;
        double tarih2 = 0;
    };
    std::function<std::optional<TTarihler>(QWidget* sahip, bool tekTarih)> TarihSor;
    // Downloads and opens a PDF report.
    std::function<void(datasnap::Connection& bag, const TSonucBilgisi& bilgi, int raporno, int carino,
                       double tarih1, double tarih2, const QString& saticiadi)>
        RaporIndirici;
    // Shows the outstanding-lines window modally (empty: exec()). Tests look
    // at the window here instead of running a modal loop.
    std::function<void(Tbakiyesiparisler&)> BakiyePenceresiGoster;

    MemTable CARILER;
    DataGrid* cxGrid1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction *CariOzeti1 = nullptr, *Bakiyeler1 = nullptr, *AlisSatis1 = nullptr, *TopluVade1 = nullptr;

    QToolButton *sBitBtn2 = nullptr, *sepettus = nullptr, *alinditus = nullptr, *onaylanditus = nullptr,
                *goruldutus = nullptr, *parcalihazirlandi = nullptr, *hazirlanditus = nullptr, *sevktus = nullptr;
    QLineEdit* NEdit1 = nullptr;

    QGroupBox* GroupBox1 = nullptr; // "Cari Bilgileri"
    QLabel *carikod = nullptr, *cariadi = nullptr, *yetkili = nullptr, *ozelkod = nullptr, *anagrup = nullptr,
           *altgrup = nullptr, *adres1 = nullptr, *adres2 = nullptr, *ilce = nullptr, *vergi = nullptr,
           *telefon1 = nullptr, *telefon2 = nullptr, *fax1 = nullptr, *fax2 = nullptr, *gsm = nullptr,
           *email = nullptr, *indirim = nullptr, *vade = nullptr, *bakiye = nullptr;

    QPushButton* Button1 = nullptr; // "Seç"
    QPushButton* Button2 = nullptr; // "Vazgeç"

signals:
    // A list load has ended (ok false: the list kept its rows).
    void ListeYuklendi(bool ok);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void arayuzuKur();
    QWidget* ustPaneliKur();
    QWidget* detayPaneliKur();
    void menuyuKur();
    void listele(std::function<TableData(class TServerMethods1Client&, const TSonucBilgisi&)> cagri,
                 std::function<void()> sonra);
    void DetayGoster();
    std::optional<TOdakliCari> odakliCari() const;
    QString alan(int satir, const QString& ad) const;
    void aramaKutusunaDon();
    // Runs fn on bag, opened before and closed after. False when it failed
    // (the message was shown).
    bool cagir(const std::function<void(class TServerMethods1Client&)>& fn);

    bool FYukleniyor = false;
    bool FYerlesti = false;
};

// The selection as both openers use it: counters, modal show, true for OK.
// goster replaces the modal loop (tests); empty: exec().
bool CariSecimiGoster(QWidget* sahip, datasnap::Connection& bag, TSonucBilgisi& bilgim,
                      const std::function<int(Tseccari&)>& goster = {});

// The text shown when the server cannot be reached.
QString BaglantiHataMetni();
// The message for a failed remote call: the server's own text when it
// answered with an error, else the connection message.
QString CagriHataMetni(const std::exception& hata);
