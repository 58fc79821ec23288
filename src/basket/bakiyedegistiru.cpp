#include "basket/bakiyedegistiru.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

Tbakiyedegistir::Tbakiyedegistir(QWidget* AOwner)
    : QDialog(AOwner)
{
    setWindowTitle(u"Bakiye Değiştir"_s);
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(545, 320);

    auto* duzen = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto deger = [this](const QString& ad) {
        auto* l = new QLabel(this);
        l->setObjectName(ad);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    barkod = deger(u"barkod"_s);
    adi = deger(u"adi"_s);
    finishkod = deger(u"finishkod"_s);
    marka = deger(u"marka"_s);
    model = deger(u"model"_s);
    alinansiparis = deger(u"alinansiparis"_s);
    teslimedilen = deger(u"teslimedilen"_s);
    elimizde = deger(u"elimizde"_s);
    eskibakiye = deger(u"eskibakiye"_s);
    form->addRow(u"Barkod:"_s, barkod);
    form->addRow(u"Açıklama:"_s, adi);
    form->addRow(u"Finish Kod:"_s, finishkod);
    form->addRow(u"Marka:"_s, marka);
    form->addRow(u"Model:"_s, model);
    form->addRow(u"Alınan sipariş:"_s, alinansiparis);
    form->addRow(u"Teslim Edilen:"_s, teslimedilen);
    elimizdeBaslik = new QLabel(u"Elimizde:"_s, this);
    form->addRow(elimizdeBaslik, elimizde);
    form->addRow(u"Eski bakiye:"_s, eskibakiye);
    adet = new QSpinBox(this);
    adet->setObjectName(u"adet"_s);
    adet->setRange(1, 1000);
    adet->setValue(1);
    form->addRow(u"Yeni bakiye:"_s, adet);
    duzen->addLayout(form);

    auto* tuslar = new QDialogButtonBox(this);
    QPushButton* degistir = tuslar->addButton(u"Değiştir"_s, QDialogButtonBox::AcceptRole);
    degistir->setObjectName(u"Button1"_s);
    QPushButton* vazgec = tuslar->addButton(u"Vazgeç"_s, QDialogButtonBox::RejectRole);
    vazgec->setObjectName(u"Button2"_s);
    for (QPushButton* b : {degistir, vazgec})
        b->setAutoDefault(false);
    connect(tuslar, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(tuslar, &QDialogButtonBox::rejected, this, &QDialog::reject);
    duzen->addWidget(tuslar);

    adet->installEventFilter(this);
    adet->findChild<QLineEdit*>()->installEventFilter(this);
    adet->setFocus();
}

int Tbakiyedegistir::YeniBakiye() const
{
    return adet->value();
}

bool Tbakiyedegistir::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            // What is written counts, not the last value the box accepted:
            // a typed 0 is no balance and keeps the dialog open.
            bool sayi = false;
            const int yazilan = adet->locale().toInt(adet->cleanText(), &sayi);
            if (sayi && yazilan > 0 && yazilan <= adet->maximum()) {
                adet->setValue(yazilan);
                accept();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
