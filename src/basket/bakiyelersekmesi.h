#pragma once
// The tab "Bakiyeler": while it is the shown tab it holds an outstanding-
// lines window (Tbakiyesiparisler) without border and without "Kapat",
// loaded at each showing and freed when the tab is left.
//
//   SekmeTak(Sekme::Bakiyeler, new TBakiyelerSekmesi(*bagc, *sbilgi));

#include <QPointer>
#include <QWidget>

class Tbakiyesiparisler;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

class TBakiyelerSekmesi : public QWidget
{
    Q_OBJECT
public:
    TBakiyelerSekmesi(datasnap::Connection& bagc, TSonucBilgisi& sbilgi, QWidget* parent = nullptr);
    ~TBakiyelerSekmesi() override;

    void Gosterildi();
    void Gizlendi();

    // The embedded window while the tab is shown, else nullptr.
    Tbakiyesiparisler* benimbakiyesiparisler() const;

private:
    datasnap::Connection& bagc;
    TSonucBilgisi& sbilgi;
    QPointer<Tbakiyesiparisler> FPencere;
};
