#pragma once
// The tab "Önceki Siparişler": the customer's sent orders, loaded in the
// background at each showing into the main window's ONCEKILER. Its menu opens
// the order detail, the outstanding order lines and the order movements of
// every item.
//
//   SekmeTak(Sekme::OncekiSiparisler,
//            new TOncekiSiparislerSekmesi(*bagc, *sbilgi, *ONCEKILER, poponceki, this));

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

class TOncekiSiparislerSekmesi : public QWidget
{
    Q_OBJECT
public:
    TOncekiSiparislerSekmesi(datasnap::Connection& bagc, TSonucBilgisi& sbilgi, MemTable& ONCEKILER,
                             QMenu* menu = nullptr, QWidget* sahip = nullptr, QWidget* parent = nullptr);
    ~TOncekiSiparislerSekmesi() override;

    // Starts a load; a showing during a load is served by one more load after it.
    void Gosterildi();
    bool YuklemeSuruyor() const;

    // "Siparişi İncele" and the double-click: the focused order's detail.
    void S1Click();
    // "Sipariş Bakiyeleriniz": the outstanding order lines.
    void SipariBakiyeleriniz1Click();
    // "Tüm Siparişler": the order movements of every item (stock number 0).
    void T1Click();

    DataGrid* cxGrid3 = nullptr;
    PencereGosterici PencereGoster;

signals:
    void Yukleniyor(bool yukleniyor);
    void YuklemeBitti(bool basarili);

private:
    datasnap::Connection& bagc;
    TSonucBilgisi& sbilgi;
    MemTable& ONCEKILER;
    QWidget* FSahip;
    TListeYukleyici* FYukleyici = nullptr;
};
