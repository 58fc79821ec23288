#pragma once
// "Sipariş Onay": the confirmation of an order. The user picks a delivery
// kind, a cargo kind and a cargo company and may write a note; the summary
// shows who orders for which customer and the grand total. The window only
// collects the choices (td, kt, KN and the note); the basket tab sends the
// order after it was accepted.

#include "platform/dataset/memtable.h"

#include <QDialog>
#include <QList>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

class TONAYSIP : public QDialog
{
    Q_OBJECT
public:
    // _c is the caller's connection (the lookups use it and private clones
    // of it), mesaj the account warning, _sbilgi the caller's sign-in record,
    // _toplam the grand total as the basket shows it. Loads the delivery and
    // cargo kinds at once.
    TONAYSIP(QWidget* AOwner, datasnap::Connection& _c, const QString& mesaj, TSonucBilgisi& _sbilgi,
             const QString& _toplam);
    static TONAYSIP* Ac(QWidget* AOwner, datasnap::Connection& _c, const QString& mesaj,
                        TSonucBilgisi& _sbilgi, const QString& _toplam)
    {
        return new TONAYSIP(AOwner, _c, mesaj, _sbilgi, _toplam);
    }

    // Chosen after "Evet": delivery kind id, cargo kind id, company SIRANO.
    int td = 0;
    int kt = 0;
    int KN = 0;
    // The note as typed (an empty note is an empty text).
    QString Aciklama() const;

    // A cargo kind was clicked: its companies, a blank first entry, and the
    // only company chosen at once.
    void boxkargoClick();
    // A company was chosen: its warning.
    void kargocomboChange();
    // "Evet": the checks in order, then accepted.
    void Button1Click();

    // The entries of the two radio groups (display names) and their ids.
    QStringList TeslimAdlari() const;
    QStringList KargoTuruAdlari() const;
    int SeciliTeslim() const;   // index of the chosen delivery kind, -1 when none
    int SeciliKargoTuru() const;
    void TeslimSec(int index);
    // Clicks a cargo kind as the user would.
    void KargoTuruSec(int index);

    QGroupBox* teslimbox = nullptr;
    QGroupBox* boxkargo = nullptr;
    QComboBox* kargocombo = nullptr;
    QLabel* uyarikargo = nullptr;
    QPlainTextEdit* aciklamagir = nullptr;
    QLabel* Label2 = nullptr; // summary, fixed pitch
    QLabel* Label3 = nullptr; // account warning
    QLabel* Label1 = nullptr; // the question
    QPushButton* Button1 = nullptr; // "Evet"
    QPushButton* Button2 = nullptr; // "Hayır"

    // Companies of the chosen cargo kind: ADI, SIRANO, UYARI.
    MemTable kargo;

private:
    void turleriYukle();
    // Adds one radio entry per row (column 0 the id, column 1 the name).
    static void secenekleriDoldur(QGroupBox* kutu, QButtonGroup* grup, QList<int>& idler,
                                  const TableData& veri);
    int kargoSatiri(const QString& adi) const;

    datasnap::Connection& bagc;
    TSonucBilgisi& sbilgi;
    QString toplam;
    QButtonGroup* teslimGrubu = nullptr;
    QButtonGroup* kargoGrubu = nullptr;
    QList<int> teslimIdleri;
    QList<int> kargoIdleri;
};
