#pragma once

#include <functional>

class MemTable;
class QDialog;
class QWidget;
class TSonucBilgisi;
namespace datasnap {
class Connection;
}

// What the main window hands to the catalogue's tabs and dialogs: its
// connection, its sign-in record, its basket table and the way to reload the
// basket. None of it is owned here.
struct TKatalogBaglami
{
    datasnap::Connection *bagc = nullptr;
    TSonucBilgisi *sbilgi = nullptr;
    MemTable *sepet = nullptr;
    // Owner of the modal windows (the main window).
    QWidget *sahip = nullptr;

    // Reloads the basket table on the calling thread (the basket tab's load).
    std::function<void()> SepetYukle;

    // Shows a modal window and returns its result. Empty: QDialog::exec().
    // Tests answer here instead of running a modal loop.
    std::function<int(QDialog &)> PencereGoster;

    int Goster(QDialog &pencere) const;
    void SepetiYenile() const
    {
        if (SepetYukle)
            SepetYukle();
    }
};
