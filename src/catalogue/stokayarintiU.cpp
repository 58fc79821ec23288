#include "catalogue/stokayarintiU.h"

#include "catalogue/asyncresimu.h"
#include "core/utils.h"

#include <algorithm>

#include <QDoubleSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int kEnCokAdet = 10000;

QDoubleSpinBox *tutarKutusu(QWidget *parent)
{
    auto *k = new QDoubleSpinBox(parent);
    k->setDecimals(2);
    k->setRange(-1e12, 1e12);
    k->setGroupSeparatorShown(true);
    k->setButtonSymbols(QAbstractSpinBox::NoButtons);
    k->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    k->setReadOnly(true);
    k->setMinimumHeight(28);
    return k;
}

QLabel *degerEtiketi(QWidget *parent)
{
    auto *l = new QLabel(parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

Tstokayarinti::Tstokayarinti(QWidget *AOwner, int _stokno)
    : QDialog(AOwner)
    , stokno(_stokno)
{
    setWindowTitle(u"Sepete Ekle"_s);
    resize(662, 631);

    auto *ana = new QVBoxLayout(this);

    // Top band: the item's data beside fixed captions.
    auto *ust = new QWidget(this);
    ust->setFixedHeight(97);
    auto *ustDuzen = new QGridLayout(ust);
    ustDuzen->setContentsMargins(4, 2, 4, 2);
    ustDuzen->setVerticalSpacing(1);
    barkod = degerEtiketi(ust);
    adi = degerEtiketi(ust);
    finishkod = degerEtiketi(ust);
    marka = degerEtiketi(ust);
    model = degerEtiketi(ust);
    const std::pair<const char16_t *, QLabel *> satirlar[] = {
        {u"Barkod:", barkod}, {u"Açıklama:", adi}, {u"Finish Kod:", finishkod},
        {u"Marka:", marka},   {u"Model:", model},
    };
    int r = 0;
    for (const auto &[yazi, etiket] : satirlar) {
        auto *sabit = new QLabel(QString::fromUtf16(yazi), ust);
        sabit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ustDuzen->addWidget(sabit, r, 0);
        ustDuzen->addWidget(etiket, r, 1);
        ++r;
    }
    ustDuzen->setColumnStretch(1, 1);
    ana->addWidget(ust);

    AsyncResim1 = new TAsyncResim(this);
    AsyncResim1->setMinimumHeight(160);
    ana->addWidget(AsyncResim1, 1);

    // The four discount rates; hidden unless the opener shows them.
    GridPanel2 = new QWidget(this);
    auto *oranDuzen = new QGridLayout(GridPanel2);
    oranDuzen->setContentsMargins(0, 0, 0, 0);
    edindirim1 = tutarKutusu(GridPanel2);
    edindirim2 = tutarKutusu(GridPanel2);
    edindirim3 = tutarKutusu(GridPanel2);
    edindirim4 = tutarKutusu(GridPanel2);
    const std::pair<const char16_t *, QDoubleSpinBox *> oranlar[] = {
        {u"İsk", edindirim1}, {u"İsk2", edindirim2}, {u"İsk3", edindirim3}, {u"İsk4", edindirim4}};
    int c = 0;
    for (const auto &[yazi, kutu] : oranlar) {
        kutu->setRange(-100, 100);
        oranDuzen->addWidget(new QLabel(QString::fromUtf16(yazi), GridPanel2), 0, c);
        oranDuzen->addWidget(kutu, 1, c);
        ++c;
    }
    GridPanel2->setVisible(false);
    ana->addWidget(GridPanel2);

    auto *alt = new QGridLayout;
    Label1 = new QLabel(u"Adet:"_s, this);
    adet = new QSpinBox(this);
    adet->setRange(1, kEnCokAdet);
    adet->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    adet->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    {
        QFont f = adet->font();
        f.setPixelSize(20);
        adet->setFont(f);
    }
    Label2 = new QLabel(u"Fiyat:"_s, this);
    birimfiyat = tutarKutusu(this);
    birimfiyat->setRange(0, 1e12);
    indirimoran = new QLabel(u"İndirim:"_s, this);
    indtutar = tutarKutusu(this);
    Label3 = new QLabel(u"KDV Dahil:"_s, this);
    kdvdahiltutar = tutarKutusu(this);
    sLabel6 = new QLabel(u"Tutar:"_s, this);
    geneltutar = tutarKutusu(this);
    const std::pair<QLabel *, QWidget *> formSatirlari[] = {
        {Label1, adet}, {Label2, birimfiyat}, {indirimoran, indtutar},
        {Label3, kdvdahiltutar}, {sLabel6, geneltutar}};
    r = 0;
    for (const auto &[etiket, kutu] : formSatirlari) {
        etiket->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        alt->addWidget(etiket, r, 0);
        alt->addWidget(kutu, r, 1);
        ++r;
    }
    alt->setColumnStretch(1, 1);
    ana->addLayout(alt);

    auto *tuslar = new QHBoxLayout;
    ParcaliTus1 = new QPushButton(u"Sipariş ekle"_s, this);
    ParcaliTus2 = new QPushButton(u"Vazgeç"_s, this);
    // Enter belongs to the quantity box (accept as typed), not to a button.
    ParcaliTus1->setAutoDefault(false);
    ParcaliTus2->setAutoDefault(false);
    ParcaliTus1->setMinimumHeight(40);
    ParcaliTus2->setMinimumHeight(40);
    tuslar->addStretch(1);
    tuslar->addWidget(ParcaliTus1);
    tuslar->addWidget(ParcaliTus2);
    ana->addLayout(tuslar);

    connect(ParcaliTus1, &QPushButton::clicked, this, &Tstokayarinti::siparisEkle);
    connect(ParcaliTus2, &QPushButton::clicked, this, &QDialog::reject);
    connect(adet, &QSpinBox::valueChanged, this, [this] { Hesapla(); });
    connect(adet, &QSpinBox::editingFinished, this, [this] {
        // Leaving the box rounds to whole packages; closing the dialog (which
        // also takes the focus away) must not change an accepted quantity.
        if (!FKapaniyor && isVisible())
            KoliYuvarla();
    });

    adet->installEventFilter(this);
    for (QDoubleSpinBox *k : tutarKutulari())
        k->installEventFilter(this);

    // Object names as the controls are called, for style sheets and tests.
    const std::pair<QObject *, const char *> adlar[] = {
        {barkod, "barkod"}, {adi, "adi"}, {finishkod, "finishkod"}, {marka, "marka"},
        {model, "model"}, {AsyncResim1, "AsyncResim1"}, {GridPanel2, "GridPanel2"},
        {edindirim1, "edindirim1"}, {edindirim2, "edindirim2"}, {edindirim3, "edindirim3"},
        {edindirim4, "edindirim4"}, {adet, "adet"}, {birimfiyat, "birimfiyat"},
        {indirimoran, "indirimoran"}, {indtutar, "indtutar"}, {kdvdahiltutar, "kdvdahiltutar"},
        {geneltutar, "geneltutar"}, {ParcaliTus1, "ParcaliTus1"}, {ParcaliTus2, "ParcaliTus2"}};
    for (const auto &[nesne, ad] : adlar)
        nesne->setObjectName(QLatin1String(ad));

    setTabOrder(adet, birimfiyat);
    adet->setFocus();
}

QList<QDoubleSpinBox *> Tstokayarinti::tutarKutulari() const
{
    return {birimfiyat, indtutar, kdvdahiltutar, geneltutar,
            edindirim1, edindirim2, edindirim3, edindirim4};
}

void Tstokayarinti::setKoliadet(int K)
{
    Fkoliadet = GecerliKoliAdet(K);
    adet->setSingleStep(Fkoliadet);
    adet->setMinimum(std::min(Fkoliadet, kEnCokAdet));
    adet->setValue(Fkoliadet);
}

void Tstokayarinti::FiyatDuzenlenebilir(bool oranPaneliGoster)
{
    birimfiyat->setReadOnly(false);
    for (QDoubleSpinBox *k : {edindirim1, edindirim2, edindirim3, edindirim4})
        k->setReadOnly(false);
    GridPanel2->setVisible(oranPaneliGoster);
}

int Tstokayarinti::Miktar() const
{
    bool ok = false;
    const int deger = adet->cleanText().trimmed().toInt(&ok);
    if (!ok || deger < 1)
        return adet->minimum();
    return deger;
}

double Tstokayarinti::BirimFiyat() const
{
    return birimfiyat->value();
}

TIndirimOranlari Tstokayarinti::Oranlar() const
{
    return {edindirim1->value(), edindirim2->value(), edindirim3->value(), edindirim4->value()};
}

void Tstokayarinti::setOranlar(const TIndirimOranlari &oranlar)
{
    edindirim1->setValue(oranlar[0]);
    edindirim2->setValue(oranlar[1]);
    edindirim3->setValue(oranlar[2]);
    edindirim4->setValue(oranlar[3]);
}

void Tstokayarinti::setBirimFiyat(double fiyat)
{
    birimfiyat->setValue(fiyat);
}

void Tstokayarinti::setMiktar(int deger)
{
    adet->setValue(std::clamp(deger, adet->minimum(), adet->maximum()));
}

void Tstokayarinti::Hesapla()
{
    // A text that is no number counts as the box's minimum.
    const TSatirHesabi h = SatirHesapla(BirimFiyat(), Miktar(), Oranlar(), kdvoran);
    indtutar->setValue(h.indirimTutar);
    kdvdahiltutar->setValue(h.kdvDahil);
    geneltutar->setValue(IkiHaneYuvarla(kdvdahiltutar->value() * Miktar()));
}

void Tstokayarinti::KoliYuvarla()
{
    const int yuvarli = KoliyeYuvarla(Miktar(), Fkoliadet);
    adet->setValue(std::clamp(yuvarli, adet->minimum(), adet->maximum()));
}

void Tstokayarinti::siparisEkle()
{
    KoliYuvarla();
    FKapaniyor = true;
    accept();
}

void Tstokayarinti::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FKapaniyor = false;
    // Decided once, when the dialog appears.
    const bool indirimVar = IndirimGosterilir(Oranlar());
    indirimoran->setVisible(indirimVar);
    indtutar->setVisible(indirimVar);
    Hesapla();
    AsyncResim1->SetUrl(FResimAdresi + QString::number(stokno));
    adet->setFocus();
    adet->selectAll();
}

bool Tstokayarinti::eventFilter(QObject *watched, QEvent *event)
{
    const bool basma = event->type() == QEvent::KeyPress;
    const bool birakma = event->type() == QEvent::KeyRelease;
    if (!basma && !birakma)
        return QDialog::eventFilter(watched, event);
    auto *tus = static_cast<QKeyEvent *>(event);
    const bool enter = tus->key() == Qt::Key_Return || tus->key() == Qt::Key_Enter;

    if (watched == adet) {
        if (basma && enter) {
            // Accept at once with the quantity as typed: no package rounding.
            FKapaniyor = true;
            accept();
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }

    auto *kutu = qobject_cast<QDoubleSpinBox *>(watched);
    if (!kutu)
        return QDialog::eventFilter(watched, event);
    if (basma && enter && kutu == birimfiyat)
        return true; // swallowed
    if (birakma && !tus->isAutoRepeat()) {
        if (tus->key() == Qt::Key_F4) {
            birimfiyat->setValue(birimfiyat->value() / 1.2);
            Hesapla();
            return true;
        }
        Hesapla();
    }
    return QDialog::eventFilter(watched, event);
}
