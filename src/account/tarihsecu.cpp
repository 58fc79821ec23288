#include "account/tarihsecu.h"

#include "platform/dataset/fieldtype.h"

#include <QDateTimeEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

Ttarihsec::Ttarihsec(QWidget* AOwner)
    : QDialog(AOwner, Qt::Tool)
{
    setObjectName(u"tarihsec"_s);
    setWindowTitle(u"Tarih Seç"_s);
    QFont f(u"Tahoma"_s);
    f.setPixelSize(13);
    f.setBold(true);
    setFont(f);
    auto* duzen = new QGridLayout(this);
    const QDateTime simdi = QDateTime::currentDateTime();
    Label1 = new QLabel(u"Tarih 1:"_s, this);
    Label2 = new QLabel(u"Tarih 1:"_s, this);
    DateTimePicker1 = new QDateTimeEdit(simdi, this);
    DateTimePicker2 = new QDateTimeEdit(simdi, this);
    for (QDateTimeEdit* p : {DateTimePicker1, DateTimePicker2}) {
        p->setCalendarPopup(true);
        p->setDisplayFormat(u"dd.MM.yyyy"_s);
    }
    DateTimePicker1->setObjectName(u"DateTimePicker1"_s);
    DateTimePicker2->setObjectName(u"DateTimePicker2"_s);
    duzen->addWidget(Label1, 0, 0);
    duzen->addWidget(DateTimePicker1, 0, 1);
    duzen->addWidget(Label2, 1, 0);
    duzen->addWidget(DateTimePicker2, 1, 1);
    Button1 = new QPushButton(u"Seç"_s, this);
    Button1->setObjectName(u"Button1"_s);
    duzen->addWidget(Button1, 2, 0, 1, 2);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

Ttarihsec::~Ttarihsec() = default;

void Ttarihsec::TekTarih()
{
    Label2->hide();
    DateTimePicker2->hide();
}

double Ttarihsec::Tarih1() const
{
    return dayNumberFromDateTime(DateTimePicker1->dateTime());
}

double Ttarihsec::Tarih2() const
{
    return dayNumberFromDateTime(DateTimePicker2->dateTime());
}
