#pragma once
// What the account windows share: the grid look of their lists, the totals
// box, the "Kapat" / "Excel Kaydet" button pair and the modal showing that
// tests can answer instead of running a modal loop.

#include <QList>
#include <QString>

#include <functional>

class DataGrid;
class QDialog;
class QLabel;
class QPushButton;
class QWidget;
struct TToplamEtiketleri;
class TServerMethods1Client;
namespace datasnap {
class Connection;
}

// Read-only list with incremental search, header filters, no group-by box,
// 40-pixel rows and header, Tahoma at fontPx pixels, the main window's styles.
void HesapIzgarasiKur(DataGrid* grid, int fontPx);

// The totals box "Toplam:", "İndirim Toplam:", "Ara Toplam:", "Vergi:",
// "Genel Toplam:" (the last in bold); fills the five value labels.
QWidget* ToplamKutusu(QWidget* sahip, TToplamEtiketleri& etiketler);

// A label with an object name (the value labels of the information areas).
QLabel* DegerEtiketi(QWidget* sahip, const QString& ad, bool kalin = false);

// "Kapat" above "Excel Kaydet", each wired to its slot.
QWidget* KapatExcelTuslari(QWidget* sahip, QPushButton*& kapat, QPushButton*& excel);

// Shows a modal window: with a shower set (tests), that one answers;
// otherwise QDialog::exec().
using PencereGosterici = std::function<int(QDialog&)>;
int PencereyiGoster(QDialog& pencere, const PencereGosterici& gosterici);

// One synchronous call on the main connection, as the detail windows load:
// the connection check with its final message, the call, a server error shown
// with its own text, the connection closed. True when the call succeeded.
bool AnaBaglantidaCagir(datasnap::Connection& bagc, const std::function<void(TServerMethods1Client&)>& cagri);
