#pragma once
// The background load of a list tab: a clone of the main connection, the
// connection check without its final message, one server call for the
// customer of the sign-in record, on a pooled worker; the grid detached and
// disabled meanwhile. One load at a time: a start during a load is served by
// one more load after it, so two jobs never fill the same table.

#include "platform/dataset/tabledata.h"

#include <QObject>

#include <functional>

class DataGrid;
class TServerMethods1Client;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

class TListeYukleyici : public QObject
{
    Q_OBJECT
public:
    // The call made on the worker with the customer number.
    using Cagri = std::function<TableData(TServerMethods1Client&, int carino)>;

    TListeYukleyici(datasnap::Connection& bagc, TSonucBilgisi& sbilgi, DataGrid* grid, Cagri cagri,
                    QObject* parent = nullptr);

    void Baslat();
    bool Suruyor() const { return FSuruyor; }

    // Main thread, in this order: Al with the loaded rows (only on success),
    // the grid re-attached and enabled, Sonra, then on failure the message
    // "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!".
    std::function<void(TableData&&)> Al;
    std::function<void()> Sonra;

signals:
    void Yukleniyor(bool yukleniyor);
    void Bitti(bool basarili);

private:
    datasnap::Connection& bagc;
    TSonucBilgisi& sbilgi;
    DataGrid* FGrid;
    Cagri FCagri;
    bool FSuruyor = false;
    bool FBekleyen = false;
};
