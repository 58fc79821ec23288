#include "salesrep/seccariu.h"

#include "account/belgeindir.h"
#include "account/tarihsecu.h"
#include "assets/resimler.h"
#include "basket/bakiyesiparisleru.h"
#include "core/beklesinu.h"
#include "core/utils.h"
#include "platform/datasnap/connection.h"
#include "platform/datasnap/servererror.h"
#include "platform/grid/datagrid.h"
#include "platform/grid/gridstyle.h"
#include "server/proxim.h"
#include "signin/programsonu.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QFont tahoma(int px, bool bold)
{
    QFont f(u"Tahoma"_s);
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

// A large counter button: icon above, the count in bold red 27-px letters.
QToolButton* sayacDugmesi(const QString& ad, const QString& ipucu, const QString& resim, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(ad);
    b->setToolTip(ipucu);
    b->setIcon(QIcon(resim));
    b->setIconSize(QSize(48, 48));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setFont(tahoma(27, true));
    b->setStyleSheet(u"QToolButton { color: #E00000; padding: 4px; }"_s);
    b->setMinimumSize(130, 70);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

QFrame* ayrac(QWidget* parent)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

// Every Float / Currency / Bcd column of a result: these show "#,###,##0.00".
bool ondalikMi(FieldType t)
{
    return t == FieldType::Float || t == FieldType::Currency || t == FieldType::Bcd;
}

// Lets Enter in the search box start the search without closing the dialog.
class EnterSuzgeci : public QObject
{
public:
    EnterSuzgeci(QObject* parent, std::function<void()> fn)
        : QObject(parent)
        , FFn(std::move(fn))
    {
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) {
                FFn();
                return true;
            }
        }
        return QObject::eventFilter(o, e);
    }

private:
    std::function<void()> FFn;
};

struct TListeDurumu
{
    std::unique_ptr<datasnap::Connection> klon;
    TSonucBilgisi kopya;
    TableData veri;
    QString hata; // empty: loaded
};

} // namespace

QString BaglantiHataMetni()
{
    return u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s;
}

QString CagriHataMetni(const std::exception& hata)
{
    if (const auto* s = dynamic_cast<const datasnap::ServerError*>(&hata)) {
        if (s->kind() == datasnap::ServerError::Kind::Server && !s->message().isEmpty())
            return s->message();
    }
    return BaglantiHataMetni();
}

Tseccari::Tseccari(QWidget* owner, datasnap::Connection& bag_, TSonucBilgisi& bilgim_)
    : QDialog(owner)
    , bag(&bag_)
    , bilgim(&bilgim_)
{
    setObjectName(u"seccari"_s);
    setWindowTitle(u"Cari Seçimi"_s);
    setFont(tahoma(13, true));
    arayuzuKur();
    menuyuKur();

    BakiyePenceresiGoster = [](Tbakiyesiparisler& p) { p.exec(); };
    TarihSor = [](QWidget* sahip, bool tekTarih) -> std::optional<TTarihler> {
        Ttarihsec t(sahip);
        if (tekTarih)
            t.TekTarih();
        if (t.exec() != QDialog::Accepted)
            return std::nullopt;
        return TTarihler{t.Tarih1(), t.Tarih2()};
    };
    RaporIndirici = [](datasnap::Connection& b, const TSonucBilgisi& bilgi, int raporno, int carino, double t1,
                       double t2, const QString& satici) {
        RaporIndir(b, bilgi, raporno, carino, t1, t2, satici);
    };
    NEdit1->setFocus();
}

Tseccari::~Tseccari() = default;

void Tseccari::arayuzuKur()
{
    auto* ana = new QVBoxLayout(this);
    ana->setContentsMargins(4, 4, 4, 4);
    ana->addWidget(ustPaneliKur());

    cxGrid1 = new DataGrid(this);
    cxGrid1->setObjectName(u"cxGrid1"_s);
    QList<GridColumn> sutunlar;
    // No captions: each header reads its column name.
    const QStringList gorunen = {u"CARIKOD"_s, u"CARIADI"_s, u"SATICISI"_s, u"TLBAKIYE"_s, u"DURUM"_s, u"SEPET"_s,
                                 u"ALINDI"_s, u"ONAYLANDI"_s, u"GORULDU"_s, u"HAZIRLANDI"_s, u"PARCALIHAZIRLANDI"_s};
    const QStringList sira = {u"CARINO"_s,   u"CARIKOD"_s, u"CARIADI"_s, u"SATICISI"_s, u"TLBAKIYE"_s,
                              u"DURUM"_s,    u"OZELKOD"_s, u"KOD1"_s,    u"KOD2"_s,     u"KOD3"_s,
                              u"KOD4"_s,     u"KOD5"_s,    u"TEL1"_s,    u"TEL2"_s,     u"ILCE"_s,
                              u"IL"_s,       u"GSM"_s,     u"SEPET"_s,   u"YETKILI"_s,  u"INDIRIM"_s,
                              u"VADE"_s,     u"VADEKONTROLGUN"_s, u"VADEKONTROLAY"_s, u"VERGIDAIRESI"_s,
                              u"VERGINO"_s,  u"ADRES1"_s,  u"ADRES2"_s,  u"ANAGRUP"_s,  u"ALTGRUP"_s,
                              u"FAX1"_s,     u"FAX2"_s,    u"EMAIL"_s,   u"ALINDI"_s,   u"ONAYLANDI"_s,
                              u"GORULDU"_s,  u"HAZIRLANDI"_s, u"PARCALIHAZIRLANDI"_s};
    for (const QString& ad : sira) {
        GridColumn s = GridColumn::textColumn(ad);
        if (!gorunen.contains(ad))
            s.setHidden();
        if (ad == u"TLBAKIYE"_s)
            s.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sutunlar.append(s);
    }
    cxGrid1->setColumns(sutunlar);
    cxGrid1->bind(&CARILER);
    cxGrid1->setGridFont(tahoma(15, false));
    cxGrid1->setGroupByBoxVisible(false);
    cxGrid1->setIncrementalSearchEnabled(true);
    cxGrid1->setFooterSummaries({{u"CARIKOD"_s, SummaryKind::Count}});
    GridStyles stiller;
    stiller.header = sharedstyles::darkSlate();
    stiller.selection = sharedstyles::paleBlue();
    stiller.oddRow = sharedstyles::white();
    stiller.evenRow = sharedstyles::lightGrey();
    cxGrid1->setStyles(stiller);

    auto* bolucu = new QSplitter(Qt::Horizontal, this);
    bolucu->setObjectName(u"cxSplitter1"_s);
    bolucu->addWidget(cxGrid1);
    bolucu->addWidget(detayPaneliKur());
    bolucu->setStretchFactor(0, 1);
    bolucu->setStretchFactor(1, 0);
    ana->addWidget(bolucu, 1);

    auto* alt = new QHBoxLayout;
    Button1 = new QPushButton(u"Seç"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setMinimumSize(120, 36);
    Button1->setAutoDefault(false);
    Button2 = new QPushButton(u"Vazgeç"_s, this);
    Button2->setObjectName(u"Button2"_s);
    Button2->setMinimumSize(120, 36);
    Button2->setAutoDefault(false);
    alt->addWidget(Button1);
    alt->addStretch(1);
    alt->addWidget(Button2);
    ana->addLayout(alt);

    connect(Button1, &QPushButton::clicked, this, &Tseccari::CariSec);
    connect(Button2, &QPushButton::clicked, this, &Tseccari::Button2Click);
    connect(cxGrid1, &DataGrid::rowDoubleClicked, this, [this](int) { CariSec(); });
    connect(cxGrid1, &DataGrid::focusedRowChanged, this, [this](int) { DetayGoster(); });
}

QWidget* Tseccari::ustPaneliKur()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(u"Panel1"_s);
    auto* dikey = new QVBoxLayout(panel);
    dikey->setContentsMargins(0, 0, 0, 0);
    auto* satir = new QHBoxLayout;

    sBitBtn2 = sayacDugmesi(u"sBitBtn2"_s, u"Tüm Carileri Listeler"_s, Resimler::CariSec(), panel);
    sepettus = sayacDugmesi(u"sepettus"_s, u"Sipariş sepetinde \r\nstok olan carileri listeler."_s,
                            Resimler::Sepet(), panel);
    alinditus = sayacDugmesi(u"alinditus"_s, u"Yeni Alınan \r\nSiparişleri Listeler"_s,
                             Resimler::OncekiSiparisler(), panel);
    onaylanditus = sayacDugmesi(u"onaylanditus"_s, u"Onaylanan Siparişler"_s, Resimler::Evet(), panel);
    goruldutus = sayacDugmesi(u"goruldutus"_s, u"Görülen Siparişler"_s, Resimler::Buyutec(), panel);
    parcalihazirlandi = sayacDugmesi(u"parcalihazirlandi"_s, u"Eksik Hazırlanan siparişler"_s,
                                     Resimler::Durum(5), panel);
    hazirlanditus = sayacDugmesi(u"hazirlanditus"_s, u"Hazırlanan Siparişler"_s, Resimler::Durum(1), panel);
    sevktus = sayacDugmesi(u"sevktus"_s, u"Sevk Edilen Siparişler"_s, Resimler::Durum(3), panel);

    const QList<QToolButton*> dugmeler = {sBitBtn2, sepettus, alinditus, onaylanditus,
                                          goruldutus, parcalihazirlandi, hazirlanditus, sevktus};
    for (QToolButton* b : dugmeler)
        satir->addWidget(b);
    dikey->addLayout(satir);

    connect(sBitBtn2, &QToolButton::clicked, this, &Tseccari::sBitBtn2Click);
    const QList<QToolButton*> durumlar = {sepettus, alinditus, onaylanditus, goruldutus,
                                          parcalihazirlandi, hazirlanditus, sevktus};
    for (int i = 0; i < durumlar.size(); ++i)
        connect(durumlar[i], &QToolButton::clicked, this, [this, i] { DurumListele(i + 1); });

    auto* arama = new QHBoxLayout;
    auto* buyutec = new QLabel(panel);
    buyutec->setPixmap(QIcon(Resimler::Buyutec()).pixmap(24, 24));
    arama->addWidget(buyutec);
    NEdit1 = new QLineEdit(panel);
    NEdit1->setObjectName(u"NEdit1"_s);
    NEdit1->setFont(tahoma(20, true));
    NEdit1->setStyleSheet(u"QLineEdit { background: #FFFBE6; }"_s);
    // Upper case as the user types.
    connect(NEdit1, &QLineEdit::textEdited, NEdit1, [e = NEdit1](const QString& t) {
        const QString buyuk = t.toUpper();
        if (buyuk != t) {
            const int imlec = e->cursorPosition();
            e->setText(buyuk);
            e->setCursorPosition(qMin(imlec, int(buyuk.size())));
        }
    });
    NEdit1->installEventFilter(new EnterSuzgeci(NEdit1, [this] { NEdit1Enter(); }));
    arama->addWidget(NEdit1, 1);
    dikey->addLayout(arama);
    return panel;
}

QWidget* Tseccari::detayPaneliKur()
{
    GroupBox1 = new QGroupBox(u"Cari Bilgileri"_s, this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    GroupBox1->setMinimumWidth(330);
    auto* g = new QGridLayout(GroupBox1);
    int satir = 0;
    auto deger = [this](const QString& ad) {
        auto* l = new QLabel(GroupBox1);
        l->setObjectName(ad);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setWordWrap(true);
        return l;
    };
    auto cift = [&](const QString& baslik, QLabel* l) {
        if (!baslik.isEmpty())
            g->addWidget(new QLabel(baslik, GroupBox1), satir, 0, Qt::AlignLeft | Qt::AlignTop);
        g->addWidget(l, satir, 1);
        ++satir;
    };
    auto cizgi = [&] { g->addWidget(ayrac(GroupBox1), satir++, 0, 1, 2); };

    cift(u"CariKod:"_s, carikod = deger(u"carikod"_s));
    cift(u"Cari Adı:"_s, cariadi = deger(u"cariadi"_s));
    cift(u"Yetkili:"_s, yetkili = deger(u"yetkili"_s));
    cizgi();
    cift(u"Özel Kod:"_s, ozelkod = deger(u"ozelkod"_s));
    cift(u"Ana Grup:"_s, anagrup = deger(u"anagrup"_s));
    cift(u"Alt Grup:"_s, altgrup = deger(u"altgrup"_s));
    cizgi();
    cift(u"Adres:"_s, adres1 = deger(u"adres1"_s));
    cift({}, adres2 = deger(u"adres2"_s));
    cift({}, ilce = deger(u"ilce"_s));
    cift(u"Vergi D.:"_s, vergi = deger(u"vergi"_s));
    cizgi();
    cift(u"Telefon:"_s, telefon1 = deger(u"telefon1"_s));
    cift({}, telefon2 = deger(u"telefon2"_s));
    cift(u"Fax:"_s, fax1 = deger(u"fax1"_s));
    cift({}, fax2 = deger(u"fax2"_s));
    cift(u"Gsm:"_s, gsm = deger(u"gsm"_s));
    cift(u"E-mail:"_s, email = deger(u"email"_s));
    cizgi();
    cift(u"İndirim %:"_s, indirim = deger(u"indirim"_s));
    cift(u"Vade (Gün):"_s, vade = deger(u"vade"_s));
    cift(u"Bakiye:"_s, bakiye = deger(u"bakiye"_s));
    bakiye->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g->setRowStretch(satir, 1);
    g->setColumnStretch(1, 1);
    GroupBox1->hide();
    return GroupBox1;
}

void Tseccari::menuyuKur()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    CariOzeti1 = PopupMenu1->addAction(u"Cari Özeti Göster"_s);
    CariOzeti1->setObjectName(u"CariOzeti1"_s);
    PopupMenu1->addSeparator();
    Bakiyeler1 = PopupMenu1->addAction(u"Bakiyelerini Göster"_s);
    Bakiyeler1->setObjectName(u"Bakiyeler1"_s);
    PopupMenu1->addSeparator();
    AlisSatis1 = PopupMenu1->addAction(u"Cari Alış Satış Tablosu (Satıcılı)"_s);
    AlisSatis1->setObjectName(u"AlisSatis1"_s);
    TopluVade1 = PopupMenu1->addAction(u"Cari Toplu Alacak Vadeleri"_s);
    TopluVade1->setObjectName(u"TopluVade1"_s);
    cxGrid1->setContextMenu(PopupMenu1);

    connect(CariOzeti1, &QAction::triggered, this, [this] { RaporIste(CariRaporu::CariOzeti); });
    connect(Bakiyeler1, &QAction::triggered, this, &Tseccari::BakiyeleriGoster);
    connect(AlisSatis1, &QAction::triggered, this, [this] { RaporIste(CariRaporu::AlisSatisTablosu); });
    connect(TopluVade1, &QAction::triggered, this, [this] { RaporIste(CariRaporu::TopluAlacakVadeleri); });
}

void Tseccari::showEvent(QShowEvent* event)
{
    // The screen's work area less 100 pixels each way, at (50, 50), once.
    if (!FYerlesti) {
        FYerlesti = true;
        if (QScreen* ekran = screen()) {
            const QRect alan = ekran->availableGeometry();
            setGeometry(alan.left() + 50, alan.top() + 50, alan.width() - 100, alan.height() - 100);
        }
    }
    QDialog::showEvent(event);
}

bool Tseccari::cagir(const std::function<void(TServerMethods1Client&)>& fn)
{
    try {
        bag->Open();
        {
            TServerMethods1Client istemci(*bag);
            fn(istemci);
        }
        bag->Close();
        return true;
    } catch (const std::exception& e) {
        bag->Close();
        MesajGoster(CagriHataMetni(e), mtError, {mbOK}, 0, mbOK);
        return false;
    }
}

void Tseccari::SepetSayisiYaz()
{
    int sayi = 0;
    TSonucBilgisi kopya;
    kopya.Kopyala(*bilgim);
    if (!cagir([&](TServerMethods1Client& c) { sayi = c.SepetSayisi(kopya); }))
        return;
    sepettus->setText(sayi < 1 ? QString() : QString::number(sayi));
}

void Tseccari::TusSonuclari()
{
    std::optional<TTusSonuclari> sonuc;
    TSonucBilgisi kopya;
    kopya.Kopyala(*bilgim);
    if (!cagir([&](TServerMethods1Client& c) { sonuc = c.TusSonuclariVer(kopya); }))
        return;
    TTusSonuclari t;
    if (sonuc)
        t.Kopyala(*sonuc);
    alinditus->setText(QString::number(t.Alindi()));
    onaylanditus->setText(QString::number(t.Onaylandi()));
    goruldutus->setText(QString::number(t.Goruldu()));
    parcalihazirlandi->setText(QString::number(t.ParcaliHazirlandi()));
    hazirlanditus->setText(QString::number(t.Hazirlandi()));
    sevktus->setText(QString::number(t.SevkEdildi()));
}

QString Tseccari::AramaMetni(const QString& kutu)
{
    QString metin = kutu;
    metin.replace(QChar(0x0131), u'i');
    return metin.trimmed();
}

void Tseccari::listele(std::function<TableData(TServerMethods1Client&, const TSonucBilgisi&)> cagri,
                       std::function<void()> sonra)
{
    if (FYukleniyor)
        return;
    FYukleniyor = true;
    cxGrid1->setEnabled(false);
    cxGrid1->detach();
    cxGrid1->beginUpdate();

    auto durum = std::make_shared<TListeDurumu>();
    durum->kopya.Kopyala(*bilgim);
    durum->klon = bag->CloneConnection();
    Async([durum, cagri] {
        try {
            durum->klon->Open();
            {
                TServerMethods1Client istemci(*durum->klon);
                durum->veri = cagri(istemci, durum->kopya);
            }
        } catch (const std::exception& e) {
            durum->hata = CagriHataMetni(e);
        }
        durum->klon->Close();
        durum->klon.reset();
    }).Await(this, [this, durum, sonra] {
        const bool ok = durum->hata.isEmpty();
        if (ok) {
            CARILER.DisableControls();
            CARILER.assign(std::move(durum->veri));
            OndalikFormatla(CARILER);
            CARILER.EnableControls();
        }
        cxGrid1->attach();
        cxGrid1->endUpdate();
        cxGrid1->setEnabled(true);
        if (ok) {
            cxGrid1->bestFit();
            if (cxGrid1->rowCount() > 0)
                cxGrid1->setFocusedRow(cxGrid1->sourceRowAt(0));
        }
        DetayGoster();
        FYukleniyor = false;
        if (!ok)
            MesajGoster(durum->hata, mtError, {mbOK}, 0, mbOK);
        if (sonra)
            sonra();
        emit ListeYuklendi(ok);
    });
}

void Tseccari::aramaKutusunaDon()
{
    NEdit1->selectAll();
    NEdit1->setFocus();
}

void Tseccari::CariListele()
{
    const QString metin = AramaMetni(NEdit1->text());
    listele([metin](TServerMethods1Client& c, const TSonucBilgisi& b) { return c.CariAra(b, metin); },
            [this] { aramaKutusunaDon(); });
}

void Tseccari::DurumListele(int n)
{
    std::function<void()> sonra;
    if (n == 1)
        sonra = [this] { aramaKutusunaDon(); };
    listele([n](TServerMethods1Client& c, const TSonucBilgisi& b) { return c.CariSepetVer(b, n); }, sonra);
}

void Tseccari::NEdit1Enter()
{
    CariListele();
}

void Tseccari::sBitBtn2Click()
{
    NEdit1->clear();
    CariListele();
}

QString Tseccari::alan(int satir, const QString& ad) const
{
    const TableData& d = CARILER.data();
    const int i = d.fieldIndex(ad);
    if (satir < 0 || satir >= d.rowCount() || i < 0 || d.isNull(satir, i))
        return {};
    const FieldType t = d.field(i).type;
    if (ondalikMi(t))
        return QLocale().toString(d.doubleValue(satir, i), 'g', 15);
    return d.value(satir, i).toString();
}

std::optional<TOdakliCari> Tseccari::odakliCari() const
{
    if (!cxGrid1->isAttached())
        return std::nullopt;
    const int satir = cxGrid1->focusedRow();
    if (satir < 0 || satir >= CARILER.data().rowCount())
        return std::nullopt;
    const TableData& d = CARILER.data();
    const int i = d.fieldIndex(u"CARINO"_s);
    TOdakliCari c;
    c.carino = (i < 0 || d.isNull(satir, i)) ? 0 : int(d.intValue(satir, i));
    c.saticisi = alan(satir, u"SATICISI"_s);
    return c;
}

void Tseccari::DetayGoster()
{
    const int s = cxGrid1->isAttached() ? cxGrid1->focusedRow() : -1;
    if (s < 0 || s >= CARILER.data().rowCount()) {
        GroupBox1->hide();
        return;
    }
    carikod->setText(alan(s, u"CARIKOD"_s));
    cariadi->setText(alan(s, u"CARIADI"_s));
    yetkili->setText(alan(s, u"YETKILI"_s));
    ozelkod->setText(alan(s, u"OZELKOD"_s));
    anagrup->setText(alan(s, u"ANAGRUP"_s));
    altgrup->setText(alan(s, u"ALTGRUP"_s));
    adres1->setText(alan(s, u"ADRES1"_s));
    adres2->setText(alan(s, u"ADRES2"_s));
    ilce->setText(alan(s, u"ILCE"_s) + u"/"_s + alan(s, u"IL"_s));
    vergi->setText(alan(s, u"VERGIDAIRESI"_s) + u"/"_s + alan(s, u"VERGINO"_s));
    telefon1->setText(alan(s, u"TEL1"_s));
    telefon2->setText(alan(s, u"TEL2"_s));
    fax1->setText(alan(s, u"FAX1"_s));
    fax2->setText(alan(s, u"FAX2"_s));
    gsm->setText(alan(s, u"GSM"_s));
    email->setText(alan(s, u"EMAIL"_s));
    const TableData& d = CARILER.data();
    const int b = d.fieldIndex(u"TLBAKIYE"_s);
    const QString tutar = (b < 0 || d.isNull(s, b)) ? QString() : SayiGoster(d.doubleValue(s, b));
    bakiye->setText(tutar + u" "_s + alan(s, u"DURUM"_s));
    vade->setText(alan(s, u"VADE"_s));
    indirim->setText(alan(s, u"INDIRIM"_s));
    GroupBox1->show();
}

void Tseccari::CariSec()
{
    const std::optional<TOdakliCari> c = odakliCari();
    if (!c || c->carino <= 0)
        return;
    const int s = cxGrid1->focusedRow();
    bilgim->setCARINO(c->carino);
    bilgim->setcarikod(alan(s, u"CARIKOD"_s));
    bilgim->setCariAdi(alan(s, u"CARIADI"_s));
    accept();
}

void Tseccari::Button2Click()
{
    ProgramiSonlandir(0);
    // Only reached when the ending is replaced (tests).
    reject();
}

void Tseccari::RaporIste(CariRaporu rapor)
{
    const std::optional<TRaporIstegi> istek = RaporIstegiVer(rapor, odakliCari(), *bilgim);
    if (!istek || !TarihSor || !RaporIndirici)
        return;
    const std::optional<TTarihler> tarihler = TarihSor(this, istek->tekTarih);
    if (!tarihler)
        return;
    const double t2 = istek->tekTarih ? tarihler->tarih1 : tarihler->tarih2;
    RaporIndirici(*bag, *bilgim, istek->raporno, istek->carino, tarihler->tarih1, t2, istek->saticiadi);
}

void Tseccari::BakiyeleriGoster()
{
    const std::optional<TOdakliCari> c = odakliCari();
    if (!c)
        return;
    // A private copy: the outstanding lines of the pointed customer, while the
    // live record keeps the customer the representative acts for.
    TSonucBilgisi kopya;
    kopya.Kopyala(*bilgim);
    kopya.setCARINO(c->carino);
    auto pencere = std::make_unique<Tbakiyesiparisler>(this, *bag, kopya);
    pencere->KullaniciTipiUygula(bilgim->MusteriTipi(), false);
    for (const QString& sutun : {u"ELDEKI"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s})
        pencere->cxGrid2->setColumnShown(sutun, true);
    pencere->BakiyeAlalim();
    pencere->setWindowState(Qt::WindowMaximized);
    BakiyePenceresiGoster(*pencere);
}

bool CariSecimiGoster(QWidget* sahip, datasnap::Connection& bag, TSonucBilgisi& bilgim,
                      const std::function<int(Tseccari&)>& goster)
{
    Tseccari pencere(sahip, bag, bilgim);
    pencere.SepetSayisiYaz();
    pencere.TusSonuclari();
    const int sonuc = goster ? goster(pencere) : pencere.exec();
    return sonuc == QDialog::Accepted;
}
