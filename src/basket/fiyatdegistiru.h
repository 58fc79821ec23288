#pragma once
// "Fiyat Değiştir": a new unit price and first discount rate for an
// outstanding order line, with the net and VAT-inclusive price recomputed at
// every key released.

#include <QDialog>

class QDoubleSpinBox;
class QLabel;

class Tfiyatdegistir : public QDialog
{
    Q_OBJECT
public:
    explicit Tfiyatdegistir(QWidget* AOwner);

    // The price and the rate as the boxes hold them.
    double Fiyat() const;
    double Iskonto() const;
    void setDegerler(double fiyat, double iskonto);

    // Net = price less the rate (when above 0), VAT-inclusive = net × 1.2,
    // both "#,###,##00.00". A box that cannot be read counts as 0.
    void Hesapla();

    QDoubleSpinBox* _fiyat;
    QDoubleSpinBox* _iskonto;
    QLabel* LBLNET;
    QLabel* LABELKDV;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
