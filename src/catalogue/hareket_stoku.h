#pragma once

#include "catalogue/katalogbaglami.h"
#include "platform/dataset/tabledata.h"

#include <QDialog>

class DataGrid;
class MemTable;
class QPushButton;

// "Stok Hareketleri": the stock movements of one item for the customer, as
// the server delivers them. Read-only; the headers show the field names.
class Thareket_stok : public QDialog
{
    Q_OBJECT
public:
    // Creates the window and loads the packet into har.
    Thareket_stok(QWidget *AOwner, TableData _data);
    static Thareket_stok *Ac(QWidget *AOwner, TableData _data)
    {
        return new Thareket_stok(AOwner, std::move(_data));
    }
    ~Thareket_stok() override;

    // Asks the server for the movements of an item on a private clone of the
    // connection and shows them modally. A failed connection check opens
    // nothing (the check shows its own attempts); a failed call shows its
    // text.
    static void Goruntule(const TKatalogBaglami &baglam, int stokno);

    MemTable *har;
    DataGrid *cxGrid1;
    QPushButton *Kapat;
};
