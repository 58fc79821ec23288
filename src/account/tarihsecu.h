#pragma once
// "Tarih Seç": one or two dates for a report. Both pickers start at the
// current date and time; "Seç" closes with OK.
//
//   Ttarihsec t(this);
//   t.TekTarih();                       // a one-date report
//   if (t.exec() == QDialog::Accepted) use(t.Tarih1(), t.Tarih2());

#include <QDialog>

class QDateTimeEdit;
class QLabel;
class QPushButton;

class Ttarihsec : public QDialog
{
    Q_OBJECT
public:
    explicit Ttarihsec(QWidget* AOwner = nullptr);
    ~Ttarihsec() override;

    // Hides the second label and picker.
    void TekTarih();
    // The picked dates as day numbers (days since 30 December 1899).
    double Tarih1() const;
    double Tarih2() const;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QDateTimeEdit* DateTimePicker1 = nullptr;
    QDateTimeEdit* DateTimePicker2 = nullptr;
    QPushButton* Button1 = nullptr; // "Seç"
};
