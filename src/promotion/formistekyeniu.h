#pragma once
// The request form: one page of the distributor's web site in a window with
// a "Kapat" button. With an embedded browser engine built in, the page is
// shown in the window; otherwise it opens in the system's browser and the
// window says so, with the address.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

class Tformistekyeni : public QDialog
{
    Q_OBJECT

public:
    explicit Tformistekyeni(QWidget* AOwner);

    // The embedded page, or the notice when the page opened outside.
    QWidget* sitem = nullptr;
    QWidget* Panel1 = nullptr;
    QPushButton* Button1 = nullptr; // "Kapat"

    // Shows the page at `adres`, passed on as built (no further encoding).
    void Git(const QString& adres);

    // True when the page is shown inside the window.
    static bool GomuluSayfa();

    void Button1Click();

private:
    QLabel* m_bilgi = nullptr;
};
