#include "account/ayrinti_faturau.h"

#include "basket/excelkaydet.h"
#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/utils.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QList<GridColumn> FaturaSutunlari()
{
    auto g = [](const QString& ad, const QString& baslik) { return GridColumn::textColumn(ad, baslik); };
    auto sag = [&](const QString& ad, const QString& baslik) {
        return g(ad, baslik).setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    QList<GridColumn> s{g(u"OEMNO"_s, u"Oem No"_s),
                        g(u"STOKADI"_s, u"Açıklama"_s),
                        g(u"FINISHKOD"_s, u"Finish Kod"_s),
                        g(u"MARKA"_s, u"Marka"_s),
                        g(u"MODEL"_s, u"Model"_s),
                        g(u"ANAGRUP"_s, u"Ana Grup"_s),
                        g(u"BIRIM"_s, u"Birim"_s),
                        sag(u"STOKHAR_MIKTAR"_s, u"Miktar"_s),
                        sag(u"STOKHAR_TLBIRIMFIYATI"_s, u"Birim Fiyat"_s),
                        sag(u"STOKHAR_TLTUTAR"_s, u"Tutar"_s),
                        sag(u"STOKHAR_INDIRIM1"_s, u"%İnd1 "_s),
                        sag(u"STOKHAR_INDIRIM2"_s, u"%İnd2"_s),
                        sag(u"KDV"_s, u"Kdv"_s),
                        sag(u"STOKHAR_TOPLAMINDIRIM"_s, u"İndirim Tutarı"_s),
                        sag(u"STOKHAR_TOPLAMMASRAF"_s, u"Masraf Toplamı"_s),
                        sag(u"STOKHAR_NETTLBIRIMFIYATI"_s, u"Net Birim Fiyat"_s),
                        sag(u"STOKHAR_NETTLTUTAR"_s, u"Net Tutar"_s)};
    const QList<QPair<QString, QString>> secilebilir{
        {u"OZELKOD"_s, u"Özel Kod"_s},
        {u"BARKOD"_s, u"Barkod"_s},
        {u"STOKHAR_HAREKETTARIHI"_s, u"Tarih"_s},
        {u"STOKHAR_HAREKETTIPI2"_s, u"Türü"_s},
        {u"EVRAKNO"_s, u"Evrak No"_s},
        {u"STOKHAR_TLVERGI"_s, u"Vergi"_s},
        {u"IRSALIYEEVRAKNO"_s, u"İrsaliye No"_s},
        {u"STOKHAR_IRSTARIHI"_s, u"İrsaliye Tarihi"_s},
        {u"SATIRACIKLMASI"_s, u"Açıklama"_s},
        {u"STOKHAR_SAAT"_s, u"Saat"_s},
        {u"STOKHAR_VADE"_s, u"Vade(Gün)"_s},
        {u"SIPARISEVRAKNO"_s, u"Sipariş EvrakNo"_s},
        {u"SIPARISTARIHI"_s, u"Sipariş Tarihi"_s},
        {u"IRSALIYETIP2"_s, u"İrsaliye Tipi"_s}};
    for (const auto& [ad, baslik] : secilebilir)
        s.append(g(ad, baslik).setHidden());
    QList<QPair<QString, QString>> ic;
    for (int i = 3; i <= 8; ++i)
        ic.append({u"STOKHAR_INDIRIM%1"_s.arg(i), u"%İnd%1"_s.arg(i)});
    ic += {{u"STOKHAR_DOVIZBIRIMFIYATI"_s, u"Döviz Birim Fiyat"_s},
           {u"STOKHAR_DOVIZVERGI"_s, u"Döviz Vergi"_s},
           {u"STOKHAR_DOVIZTUTAR"_s, u"Döviz Tutar"_s},
           {u"STOKHAR_PARTI"_s, u"Parti"_s},
           {u"STOKHAR_BEDEN"_s, u"Beden"_s},
           {u"STOKHAR_RENK"_s, u"Renk"_s},
           {u"STOKHAR_MASRAF1"_s, u"%Masraf1"_s},
           {u"STOKHAR_MASRAF2"_s, u"%Masraf2"_s},
           {u"STOKHAR_DOVIZTOPLAMINDIRIM"_s, u"Döviz İndirim Tutar"_s},
           {u"STOKHAR_DOVIZTOPLAMMASRAF"_s, u"Döviz Masraf Tutarı"_s},
           {u"STOKHAR_NETDOVIZBIRIMFIYATI"_s, u"Net Döviz Birim Fiyat"_s},
           {u"STOKHAR_NETDOVIZTUTAR"_s, u"Net Döviz Tutar"_s},
           {u"STOKHAR_KURTL"_s, u"KurTL"_s},
           {u"SATICIADI"_s, u"Satıcısı"_s}};
    for (const QString& ad : {u"SIPARISTIPI"_s, u"IRSALIYETIPINO"_s, u"STOKCARIKOD"_s, u"SUBE_NO"_s,
                              u"STOKHAR_CARINO"_s, u"KUR_KURSIMGE"_s, u"URETICIKODU"_s, u"DPKOD"_s,
                              u"ENADI"_s, u"PKOD"_s, u"BELGENO"_s, u"IDNO"_s})
        ic.append({ad, QString()});
    for (const auto& [ad, baslik] : ic)
        s.append(g(ad, baslik).setInternal());
    return s;
}

double altDegeri(const MemTable& alt, const QString& ad)
{
    const Field f = alt.FindField(ad);
    return !alt.Active() || alt.IsEmpty() || !f.isValid() || f.IsNull() ? 0.0 : f.AsFloat();
}

QString satirMetni(const MemTable& t, const QString& ad)
{
    const Field f = t.FindField(ad);
    return !t.Active() || t.IsEmpty() || !f.isValid() ? QString() : f.DisplayText();
}

} // namespace

Tayrinti_fatura::Tayrinti_fatura(QWidget* AOwner)
    : QDialog(AOwner)
{
    setObjectName(u"ayrinti_fatura"_s);
    setWindowTitle(u"Evrak Ayrıntısı"_s);
    auto* duzen = new QVBoxLayout(this);
    cxGrid2 = new DataGrid(this);
    cxGrid2->setObjectName(u"cxGrid2"_s);
    cxGrid2->setColumns(FaturaSutunlari());
    HesapIzgarasiKur(cxGrid2, 13);
    cxGrid2->setFooterSummaries({{u"OEMNO"_s, SummaryKind::Count}, {u"STOKHAR_MIKTAR"_s, SummaryKind::Sum}});
    cxGrid2->bind(&fatura);
    duzen->addWidget(cxGrid2, 1);

    auto* alt_ = new QHBoxLayout;
    auto* bilgi = new QGroupBox(u"Evrak Bilgileri"_s, this);
    QFont kalin = bilgi->font();
    kalin.setBold(true);
    bilgi->setFont(kalin);
    auto* bd = new QGridLayout(bilgi);
    _tarih = DegerEtiketi(bilgi, u"_tarih"_s);
    _evrakcinsi = DegerEtiketi(bilgi, u"_evrakcinsi"_s);
    _saticiadi = DegerEtiketi(bilgi, u"_saticiadi"_s);
    _evrakno = DegerEtiketi(bilgi, u"_evrakno"_s);
    _vadegun = DegerEtiketi(bilgi, u"_vadegun"_s);
    const QList<QPair<QString, QLabel*>> satirlar{{u"Tarih:"_s, _tarih},
                                                   {u"Evrak Cinsi:"_s, _evrakcinsi},
                                                   {u"Temsilci:"_s, _saticiadi},
                                                   {u"Evrak No:"_s, _evrakno},
                                                   {u"Vade (Gün):"_s, _vadegun}};
    for (int i = 0; i < satirlar.size(); ++i) {
        bd->addWidget(new QLabel(satirlar[i].first, bilgi), i, 0);
        bd->addWidget(satirlar[i].second, i, 1);
    }
    alt_->addWidget(bilgi, 1);
    alt_->addStretch(1);
    alt_->addWidget(ToplamKutusu(this, Etiketler));
    alt_->addWidget(KapatExcelTuslari(this, Kapat, Button2));
    duzen->addLayout(alt_);

    connect(Kapat, &QPushButton::clicked, this, &QDialog::close);
    connect(Button2, &QPushButton::clicked, this, &Tayrinti_fatura::Button2Click);
}

Tayrinti_fatura::~Tayrinti_fatura() = default;

void Tayrinti_fatura::Yukle(datasnap::Connection& bagc, int carino, int idno)
{
    AnaBaglantidaCagir(bagc, [&](TServerMethods1Client& c) { fatura.assign(c.FaturaGetir(carino, idno)); });
    AnaBaglantidaCagir(bagc, [&](TServerMethods1Client& c) { alt.assign(c.FaturaAltGetir(idno)); });
    EnIyile();
}

void Tayrinti_fatura::EnIyile()
{
    OndalikFormatla(fatura);
    cxGrid2->bestFit();
    if (alt.Active())
        alt.First();
    Etiketler.aratoplaml->setText(SayiGoster(altDegeri(alt, u"TOPLAM"_s)));
    Etiketler.indiriml->setText(SayiGoster(altDegeri(alt, u"TOPLAMINDIRIM"_s)));
    Etiketler.nettutarl->setText(SayiGoster(altDegeri(alt, u"MATRAH"_s)));
    Etiketler.geneltoplaml->setText(SayiGoster(altDegeri(alt, u"KDVDAHIL"_s)));
    Etiketler.vergil->setText(SayiGoster(altDegeri(alt, u"KDVTUTAR"_s)));
    if (fatura.Active() && !fatura.IsEmpty())
        fatura.First();
    _tarih->setText(satirMetni(fatura, u"STOKHAR_HAREKETTARIHI"_s));
    _evrakcinsi->setText(satirMetni(fatura, u"STOKHAR_HAREKETTIPI2"_s));
    _saticiadi->setText(satirMetni(fatura, u"SATICIADI"_s));
    _evrakno->setText(satirMetni(fatura, u"EVRAKNO"_s));
    _vadegun->setText(satirMetni(fatura, u"STOKHAR_VADE"_s));
    if (QScreen* ekran = screen()) {
        const QRect r = ekran->availableGeometry();
        setGeometry(r.left() + 40, r.top() + 40, r.width() - 80, r.height() - 150);
    }
}

void Tayrinti_fatura::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Stretching keeps the proportions of the best fit, which needs the
    // grid's real width, known only once the window is shown.
    cxGrid2->setAutoWidth(false);
    cxGrid2->bestFit();
    cxGrid2->setAutoWidth(true);
}

void Tayrinti_fatura::Button2Click()
{
    GridExcelKaydet(*cxGrid2);
}

void Tayrinti_fatura::Ac(QWidget* sahip, datasnap::Connection& bagc, const TSonucBilgisi& sbilgi, int idno,
                         const PencereGosterici& goster)
{
    Tayrinti_fatura pencere(sahip);
    pencere.Yukle(bagc, sbilgi.CARINO(), idno);
    PencereyiGoster(pencere, goster);
}
