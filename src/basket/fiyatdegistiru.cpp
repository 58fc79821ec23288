#include "basket/fiyatdegistiru.h"

#include "core/utils.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QDoubleSpinBox* tutarKutusu(QWidget* sahip, const QString& ad, double enFazla)
{
    auto* k = new QDoubleSpinBox(sahip);
    k->setObjectName(ad);
    k->setDecimals(2);
    k->setRange(0, enFazla);
    k->setGroupSeparatorShown(true);
    k->setSuffix(u" TL"_s);
    k->setButtonSymbols(QAbstractSpinBox::NoButtons);
    k->setAlignment(Qt::AlignRight);
    return k;
}

// The number written in a box (its text, not its last accepted value); 0
// when it cannot be read.
double okunan(const QDoubleSpinBox* k)
{
    bool sayi = false;
    QString metin = k->cleanText();
    metin.remove(k->locale().groupSeparator());
    const double d = k->locale().toDouble(metin, &sayi);
    return sayi ? d : 0.0;
}

} // namespace

Tfiyatdegistir::Tfiyatdegistir(QWidget* AOwner)
    : QDialog(AOwner)
{
    setWindowTitle(u"Fiyat Değiştir"_s);
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    resize(432, 246);

    auto* duzen = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    _fiyat = tutarKutusu(this, u"_fiyat"_s, 999999999.99);
    _iskonto = tutarKutusu(this, u"_iskonto"_s, 100);
    LBLNET = new QLabel(u"Net Fiyat:"_s, this);
    LBLNET->setObjectName(u"LBLNET"_s);
    LABELKDV = new QLabel(u"Net Fiyat:"_s, this);
    LABELKDV->setObjectName(u"LABELKDV"_s);
    for (QLabel* l : {LBLNET, LABELKDV}) {
        QFont f = l->font();
        f.setBold(true);
        f.setPixelSize(16);
        l->setFont(f);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    form->addRow(u"Fiyat:"_s, _fiyat);
    form->addRow(u"İndirim Oranı %:"_s, _iskonto);
    form->addRow(u"Net Fiyat:"_s, LBLNET);
    form->addRow(u"KDV Dahil Fiyat:"_s, LABELKDV);
    duzen->addLayout(form);

    auto* tuslar = new QDialogButtonBox(this);
    QPushButton* degistir = tuslar->addButton(u"Değiştir"_s, QDialogButtonBox::AcceptRole);
    degistir->setObjectName(u"Button1"_s);
    QPushButton* vazgec = tuslar->addButton(u"Vazgeç"_s, QDialogButtonBox::RejectRole);
    vazgec->setObjectName(u"Button2"_s);
    connect(tuslar, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(tuslar, &QDialogButtonBox::rejected, this, &QDialog::reject);
    duzen->addWidget(tuslar);

    for (QDoubleSpinBox* k : {_fiyat, _iskonto})
        k->findChild<QLineEdit*>()->installEventFilter(this);
}

double Tfiyatdegistir::Fiyat() const
{
    return okunan(_fiyat);
}

double Tfiyatdegistir::Iskonto() const
{
    return okunan(_iskonto);
}

void Tfiyatdegistir::setDegerler(double fiyat, double iskonto)
{
    _fiyat->setValue(fiyat);
    _iskonto->setValue(iskonto);
}

void Tfiyatdegistir::Hesapla()
{
    const double F = Fiyat();
    const double I = Iskonto();
    const double net = I > 0 ? F - F * I / 100 : F;
    LBLNET->setText(SayiGosterIkiBasamak(net));
    LABELKDV->setText(SayiGosterIkiBasamak(net * 1.2));
}

bool Tfiyatdegistir::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease)
        Hesapla();
    return QDialog::eventFilter(watched, event);
}
