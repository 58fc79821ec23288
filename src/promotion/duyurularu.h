#pragma once
// The "Duyurular" tab: the distributor's announcement pictures, one per
// 405-pixel row, fetched again each time the tab is shown. A double-click
// follows the row's link text ("#KAMPANYA#", "#YENİ#" or a search text).

#include "platform/datasnap/connection.h"

#include <QWidget>

class DataGrid;
class QStandardItemModel;

class TDuyurular : public QWidget
{
    Q_OBJECT

public:
    explicit TDuyurular(datasnap::Connection& bagc, QWidget* parent = nullptr);

    // The tab became the active one: reload the list in the background.
    void Gosterildi();
    // What a double-click on the focused row does.
    void cxGridduyuruBandedDuyuruDblClick();

    DataGrid* cxGridduyuru = nullptr;
    QStandardItemModel* model() const { return m_model; }
    bool YuklemeSuruyor() const { return m_yukleniyor; }

signals:
    void Yukleniyor(bool on);
    void BaglantiIstendi(const QString& metin);
    // A reload has ended; basarili is false when the server could not be reached.
    void YuklemeBitti(bool basarili);

private:
    datasnap::Connection& m_bagc;
    QStandardItemModel* m_model = nullptr;
    bool m_yukleniyor = false;
};
