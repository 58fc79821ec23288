#pragma once
// The tab "Cari Ekstre": the account statement of the customer the user acts
// for, loaded in the background at each showing into the main window's
// EKSTRE, with the running balance computed here. "Hareket İncele" or a
// double-click opens the invoice or collection behind a row.
//
//   SekmeTak(Sekme::CariEkstre, new TCariEkstreSekmesi(*bagc, *sbilgi, *EKSTRE, popekstre, this));

#include "account/hesapizgarasi.h"

#include <QWidget>

class DataGrid;
class TListeYukleyici;
class MemTable;
class QMenu;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

class TCariEkstreSekmesi : public QWidget
{
    Q_OBJECT
public:
    TCariEkstreSekmesi(datasnap::Connection& bagc, TSonucBilgisi& sbilgi, MemTable& EKSTRE,
                       QMenu* menu = nullptr, QWidget* sahip = nullptr, QWidget* parent = nullptr);
    ~TCariEkstreSekmesi() override;

    // Starts a load. While one runs, another showing waits for it: one more
    // load follows when it ends, so two jobs never fill the table at once.
    void Gosterildi();
    bool YuklemeSuruyor() const;

    // "Hareket İncele" and the double-click: the focused row's document.
    void H1Click();

    DataGrid* cxGrid5 = nullptr;
    // How the detail windows are shown (tests answer here).
    PencereGosterici PencereGoster;

signals:
    void Yukleniyor(bool yukleniyor);
    void YuklemeBitti(bool basarili);

private:
    datasnap::Connection& bagc;
    TSonucBilgisi& sbilgi;
    MemTable& EKSTRE;
    QWidget* FSahip;
    TListeYukleyici* FYukleyici = nullptr;
};
