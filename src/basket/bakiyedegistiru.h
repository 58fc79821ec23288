#pragma once
// "Bakiye Değiştir": shows an outstanding order line and asks for its new
// balance. The opener fills the labels and sends the balance after
// acceptance.

#include <QDialog>

class QLabel;
class QSpinBox;

class Tbakiyedegistir : public QDialog
{
    Q_OBJECT
public:
    explicit Tbakiyedegistir(QWidget* AOwner);

    // The new balance (1 … 1000).
    int YeniBakiye() const;

    QLabel *barkod, *adi, *finishkod, *marka, *model;
    QLabel *alinansiparis, *teslimedilen, *elimizde, *eskibakiye;
    QLabel* elimizdeBaslik; // "Elimizde:", hidden with its value
    QSpinBox* adet;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
