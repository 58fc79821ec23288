#pragma once

#include "catalogue/satirhesabi.h"

#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;
class TAsyncResim;

// "Sepete Ekle": the dialog that adds a stock item to the basket or changes a
// basket line. It shows the item, lets the user choose a quantity in whole
// packages and recomputes the line at every change. It makes no remote call
// itself (only its picture is fetched); the opener fills it before showing
// it and reads the quantity, unit price and rates after acceptance.
class Tstokayarinti : public QDialog
{
    Q_OBJECT
public:
    Tstokayarinti(QWidget *AOwner, int _stokno);
    static Tstokayarinti *Ac(QWidget *AOwner, int _stokno) { return new Tstokayarinti(AOwner, _stokno); }

    int stokno;
    double kdvoran = 0;

    // Package size K (below 1 counts as 1): the quantity box starts at, steps
    // by and may not go below K.
    int koliadet() const { return Fkoliadet; }
    void setKoliadet(int K);

    // The prefix of the item picture's address; the stock number follows it.
    void setResimAdresi(const QString &onEk) { FResimAdresi = onEk; }

    // Makes the unit price and the four rates editable (user types 1 and 2);
    // the rate panel is shown only when oranPaneliGoster is set.
    void FiyatDuzenlenebilir(bool oranPaneliGoster);

    // Values read after acceptance. The quantity is the number written in
    // the box; a text that is no number counts as the box's minimum.
    int Miktar() const;
    double BirimFiyat() const;
    TIndirimOranlari Oranlar() const;
    void setOranlar(const TIndirimOranlari &oranlar);
    void setBirimFiyat(double fiyat);
    void setMiktar(int adet);

    // Recomputes the discount, VAT-inclusive unit price and line total.
    void Hesapla();
    // Rounds the quantity up to whole packages and keeps it within K … 10000.
    void KoliYuvarla();

    // Controls, named as the opener fills them.
    QLabel *barkod, *adi, *finishkod, *marka, *model;
    TAsyncResim *AsyncResim1;
    QWidget *GridPanel2;
    QDoubleSpinBox *edindirim1, *edindirim2, *edindirim3, *edindirim4;
    QLabel *Label1;
    QSpinBox *adet;
    QLabel *Label2;
    QDoubleSpinBox *birimfiyat;
    QLabel *indirimoran;
    QDoubleSpinBox *indtutar;
    QLabel *Label3;
    QDoubleSpinBox *kdvdahiltutar;
    QLabel *sLabel6;
    QDoubleSpinBox *geneltutar;
    QPushButton *ParcaliTus1, *ParcaliTus2;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QList<QDoubleSpinBox *> tutarKutulari() const;
    void siparisEkle();

    int Fkoliadet = 1;
    QString FResimAdresi;
    bool FKapaniyor = false;
};
