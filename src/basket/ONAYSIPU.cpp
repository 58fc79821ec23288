#include "basket/ONAYSIPU.h"

#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/utils.h"
#include "server/proxim.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

void uyar(const QString& metin)
{
    MesajGoster(metin, mtWarning, {mbOK}, 0, mbOK);
}

QFont yaziTipi(const QString& aile, int piksel, bool kalin)
{
    QFont f(aile);
    f.setPixelSize(piksel);
    f.setBold(kalin);
    return f;
}

} // namespace

TONAYSIP::TONAYSIP(QWidget* AOwner, datasnap::Connection& _c, const QString& mesaj,
                   TSonucBilgisi& _sbilgi, const QString& _toplam)
    : QDialog(AOwner)
    , bagc(_c)
    , sbilgi(_sbilgi)
    , toplam(_toplam)
{
    setWindowTitle(u"Sipariş Onay"_s);
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(894, 526);

    auto* duzen = new QVBoxLayout(this);
    auto* ust = new QHBoxLayout;

    teslimbox = new QGroupBox(u"Teslim Durumu"_s, this);
    teslimbox->setObjectName(u"teslimbox"_s);
    // At least as designed; wider when a kind's name needs it.
    teslimbox->setMinimumWidth(135);
    new QVBoxLayout(teslimbox);
    teslimGrubu = new QButtonGroup(this);
    ust->addWidget(teslimbox);

    boxkargo = new QGroupBox(u"Kargo Türleri"_s, this);
    boxkargo->setObjectName(u"boxkargo"_s);
    boxkargo->setMinimumWidth(208);
    new QVBoxLayout(boxkargo);
    kargoGrubu = new QButtonGroup(this);
    ust->addWidget(boxkargo);

    auto* GroupBox1 = new QGroupBox(u"Kargo"_s, this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    auto* kargoDuzen = new QVBoxLayout(GroupBox1);
    kargocombo = new QComboBox(GroupBox1);
    kargocombo->setObjectName(u"kargocombo"_s);
    kargocombo->setEditable(false);
    kargocombo->setMinimumWidth(210);
    kargoDuzen->addWidget(kargocombo);
    uyarikargo = new QLabel(GroupBox1);
    uyarikargo->setObjectName(u"uyarikargo"_s);
    uyarikargo->setFixedSize(210, 59);
    uyarikargo->setWordWrap(true);
    uyarikargo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    kargoDuzen->addWidget(uyarikargo);
    kargoDuzen->addStretch(1);
    ust->addWidget(GroupBox1);

    auto* GroupBox2 = new QGroupBox(u"Mesaj"_s, this);
    GroupBox2->setObjectName(u"GroupBox2"_s);
    auto* mesajDuzen = new QVBoxLayout(GroupBox2);
    aciklamagir = new QPlainTextEdit(GroupBox2);
    aciklamagir->setObjectName(u"aciklamagir"_s);
    aciklamagir->setFont(yaziTipi(u"Tahoma"_s, 13, true));
    aciklamagir->setStyleSheet(u"QPlainTextEdit { background: #FFFFE1; }"_s);
    mesajDuzen->addWidget(aciklamagir);
    ust->addWidget(GroupBox2, 1);
    duzen->addLayout(ust, 1);

    Label2 = new QLabel(this);
    Label2->setObjectName(u"Label2"_s);
    Label2->setFont(yaziTipi(u"Courier New"_s, 16, true));
    Label2->setTextFormat(Qt::PlainText);
    // The summary lines up in a fixed-pitch font: the captions are padded.
    Label2->setText(u"Kullanıcı: "_s + sbilgi.ADI() + u"\r\n"_s + u"Cari     : "_s + sbilgi.CariAdi()
                    + u"\r\n"_s + u"Tutar    : "_s + toplam);
    duzen->addWidget(Label2);

    Label3 = new QLabel(mesaj, this);
    Label3->setObjectName(u"Label3"_s);
    Label3->setFont(yaziTipi(u"Courier New"_s, 16, true));
    Label3->setStyleSheet(u"color: red;"_s);
    Label3->setWordWrap(true);
    duzen->addWidget(Label3);

    Label1 = new QLabel(u"Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setFont(yaziTipi(u"Tahoma"_s, 20, true));
    Label1->setAlignment(Qt::AlignCenter);
    duzen->addWidget(Label1);

    auto* tuslar = new QHBoxLayout;
    Button1 = new QPushButton(u"Evet"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button2 = new QPushButton(u"Hayır"_s, this);
    Button2->setObjectName(u"Button2"_s);
    for (QPushButton* b : {Button1, Button2}) {
        b->setFont(yaziTipi(u"Tahoma"_s, 16, true));
        b->setMinimumSize(150, 45);
        b->setAutoDefault(false);
    }
    tuslar->addWidget(Button1);
    tuslar->addStretch(1);
    tuslar->addWidget(Button2);
    duzen->addLayout(tuslar);

    connect(Button1, &QPushButton::clicked, this, &TONAYSIP::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(kargoGrubu, &QButtonGroup::idClicked, this, [this] { boxkargoClick(); });
    connect(kargocombo, &QComboBox::currentIndexChanged, this, [this] { kargocomboChange(); });

    turleriYukle();
}

QString TONAYSIP::Aciklama() const
{
    return aciklamagir->toPlainText();
}

void TONAYSIP::secenekleriDoldur(QGroupBox* kutu, QButtonGroup* grup, QList<int>& idler,
                                 const TableData& veri)
{
    for (int r = 0; r < veri.rowCount(); ++r) {
        auto* secenek = new QRadioButton(veri.stringValue(r, 1), kutu);
        grup->addButton(secenek, int(idler.size()));
        idler.append(int(veri.intValue(r, 0)));
        kutu->layout()->addWidget(secenek);
    }
    static_cast<QVBoxLayout*>(kutu->layout())->addStretch(1);
}

void TONAYSIP::turleriYukle()
{
    std::unique_ptr<datasnap::Connection> klon = bagc.CloneConnection();
    if (!BaglantiKontrol(*klon, 1))
        return;
    try {
        TServerMethods1Client istemci(*klon);
        secenekleriDoldur(teslimbox, teslimGrubu, teslimIdleri, istemci.TeslimVer());
        // The second delivery kind is the usual one; with a single kind, that one.
        if (!teslimIdleri.isEmpty())
            TeslimSec(teslimIdleri.size() > 1 ? 1 : 0);
        secenekleriDoldur(boxkargo, kargoGrubu, kargoIdleri, istemci.KargoVer());
    } catch (const datasnap::ServerError& e) {
        MesajGoster(e.message(), mtError, {mbOK}, 0, mbOK);
    }
    klon->Close();
}

QStringList TONAYSIP::TeslimAdlari() const
{
    QStringList s;
    for (QAbstractButton* b : teslimGrubu->buttons())
        s << b->text();
    return s;
}

QStringList TONAYSIP::KargoTuruAdlari() const
{
    QStringList s;
    for (QAbstractButton* b : kargoGrubu->buttons())
        s << b->text();
    return s;
}

int TONAYSIP::SeciliTeslim() const
{
    return teslimGrubu->checkedId();
}

int TONAYSIP::SeciliKargoTuru() const
{
    return kargoGrubu->checkedId();
}

void TONAYSIP::TeslimSec(int index)
{
    if (QAbstractButton* b = teslimGrubu->button(index))
        b->setChecked(true);
}

void TONAYSIP::KargoTuruSec(int index)
{
    if (QAbstractButton* b = kargoGrubu->button(index))
        b->click();
}

void TONAYSIP::boxkargoClick()
{
    uyarikargo->clear();
    const int secili = SeciliKargoTuru();
    if (secili < 0)
        return;
    // The companies of the kind clicked before go first: when this kind's
    // cannot be fetched the list stays empty, and none of another kind can
    // be sent with this one.
    {
        const QSignalBlocker sessiz(kargocombo);
        kargocombo->clear();
    }
    if (kargo.Active())
        kargo.EmptyDataSet();
    if (!BaglantiKontrol(bagc, 1))
        return;
    try {
        TServerMethods1Client istemci(bagc);
        kargo.assign(istemci.KargolarVer(kargoIdleri.value(secili)));
    } catch (const datasnap::ServerError& e) {
        bagc.Close();
        MesajGoster(e.message(), mtError, {mbOK}, 0, mbOK);
        return;
    }
    bagc.Close();

    {
        const QSignalBlocker sessiz(kargocombo);
        kargocombo->clear();
        kargocombo->addItem(u" "_s);
        const int adi = kargo.data().fieldIndex(u"ADI");
        for (int r = 0; adi >= 0 && r < kargo.RecordCount(); ++r)
            kargocombo->addItem(kargo.data().stringValue(r, adi));
        kargocombo->setCurrentIndex(-1);
    }
    // A single company needs no choice.
    if (kargocombo->count() == 2)
        kargocombo->setCurrentIndex(1);
}

int TONAYSIP::kargoSatiri(const QString& adi) const
{
    const TableData& d = kargo.data();
    const int sutun = d.fieldIndex(u"ADI");
    for (int r = 0; sutun >= 0 && r < d.rowCount(); ++r) {
        if (d.stringValue(r, sutun) == adi)
            return r;
    }
    return -1;
}

void TONAYSIP::kargocomboChange()
{
    const int satir = kargoSatiri(kargocombo->currentText());
    const int uyari = kargo.data().fieldIndex(u"UYARI");
    uyarikargo->setText(satir >= 0 && uyari >= 0 ? kargo.data().stringValue(satir, uyari) : QString());
}

void TONAYSIP::Button1Click()
{
    if (SeciliTeslim() < 0) {
        uyar(u"Lütfen Teslim Durumu Seçiniz !"_s);
        return;
    }
    if (SeciliKargoTuru() < 0) {
        uyar(u"Lütfen Kargo Türünü Seçiniz !"_s);
        return;
    }
    const int satir = kargocombo->currentIndex() > 0 ? kargoSatiri(kargocombo->currentText()) : -1;
    const int sirano = kargo.data().fieldIndex(u"SIRANO");
    if (satir < 0 || sirano < 0) {
        uyar(u"Lütfen Kargo  Seçiniz !"_s);
        kargocombo->setFocus();
        return;
    }
    KN = int(kargo.data().intValue(satir, sirano));
    td = teslimIdleri.value(SeciliTeslim());
    kt = kargoIdleri.value(SeciliKargoTuru());
    accept();
}
