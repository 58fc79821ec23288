#pragma once
// The password change request: the dealer's company data (filled from the
// server), the user data the dealer completes, and "Gönder", which hands the
// request to the server (MailGonserCari). Nothing here changes the password.

#include "core/baglantiu.h"
#include "platform/datasnap/connection.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

enum TIstek { tyeni, teski };

class Tkullanicikayit : public QDialog
{
    Q_OBJECT

public:
    // Ac: clones _c, copies _b, fills the machine identifier, the user name
    // and the firm name, and loads the account details in the background.
    Tkullanicikayit(QWidget* AOwner, const datasnap::Connection& _c, const TSonucBilgisi& _b);
    ~Tkullanicikayit() override;

    TIstek durum = teski;
    QString _idsi;
    // Shared with a running background call, which keeps it alive.
    std::shared_ptr<datasnap::Connection> con;
    TSonucBilgisi Bilgim;

    QLabel* lblid = nullptr;
    QLineEdit* firmaadi = nullptr;
    QLineEdit* adres1 = nullptr;
    QLineEdit* adres2 = nullptr;
    QLineEdit* ilce = nullptr;
    QLineEdit* sehir = nullptr;
    QLineEdit* telefon = nullptr;
    QLineEdit* fax = nullptr;
    QLineEdit* vd = nullptr;
    QLineEdit* vn = nullptr;
    QLineEdit* yetkili = nullptr;
    QLineEdit* kullaniciadi = nullptr;
    QLineEdit* sifre = nullptr;
    QLineEdit* mail = nullptr;
    QLineEdit* kargoambar = nullptr;
    QPushButton* Button2 = nullptr; // "Gönder"
    QPushButton* Button1 = nullptr; // "Kapat"

    // The required fields in the order they are checked, with their messages.
    QList<QPair<QLineEdit*, QString>> ZorunluAlanlar() const;

    // "Gönder": the required fields, then the request in the background.
    void Button2Click();
    // "Kapat": closes with Cancel.
    void Button1Click();

signals:
    // The account details have been loaded (or could not be).
    void bilgilerYuklendi();
    // A send has ended.
    void gonderildi();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void bilgileriYukle();
    bool m_gonderiliyor = false;
};
