#pragma once
// The mail window: the dealer writes a subject and a message; "Gönder" sends
// them in the background, together with the account details the server holds
// for this computer (MailGonserCariNormal). "Kapat" is refused meanwhile.

#include "core/baglantiu.h"
#include "platform/datasnap/connection.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The lines of a message as the user typed them ("\r\n", "\n" or "\r"); a
// final line break ends the last line and starts no new one.
QStringList MesajSatirlari(const QString& metin);
// The comma-separated form of lines: joined with ","; a line holding a blank,
// a control character, a double quote or a comma is enclosed in double quotes
// with every inner double quote doubled; an empty line gives nothing.
QString VirgulluMetin(const QStringList& satirlar);

class Tmailform : public QDialog
{
    Q_OBJECT

public:
    // Ac: clones _c into con and copies _b into Bilgim.
    Tmailform(QWidget* AOwner, const datasnap::Connection& _c, const TSonucBilgisi& _b);
    ~Tmailform() override;

    // Shared with a running background call, which keeps it alive.
    std::shared_ptr<datasnap::Connection> con;
    TSonucBilgisi Bilgim;

    QLabel* Label1 = nullptr;
    QLineEdit* baslik = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* konu = nullptr;
    QPushButton* Button2 = nullptr; // "Gönder"
    QPushButton* Button1 = nullptr; // "Kapat"

    // "Gönder": the two fields, then the send in the background.
    void Button2Click();
    // "Kapat": closes, but only while no send runs.
    void Button1Click();
    bool Gonderiyor() const { return m_gonderiliyor; }

signals:
    // A send has ended (after its message).
    void gonderildi();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    bool m_gonderiliyor = false;
};
