#include "signin/kullanicikayitu.h"

#include "core/baglantikontrol.h"
#include "core/beklesinu.h"
#include "core/utils.h"
#include "server/proxim.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QFont tahoma(int px, bool bold)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QLabel* baslik(const QString& metin, QWidget* parent)
{
    auto* l = new QLabel(metin, parent);
    l->setStyleSheet(QStringLiteral("color: #FFFFFF; background: #3D414A; padding: 4px 8px; font-size: 14px;"));
    return l;
}

QLineEdit* alan(const QString& ad, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(ad);
    return e;
}

// The account details as the server returned them.
struct CariBilgileri
{
    bool var = false;
    TMobilCariBilgisi bilgi;
};

// The texts of one request, taken on the main thread.
struct IstekMetinleri
{
    QString firmaadi, adres1, adres2, ilce, sehir, telefon, fax, vd, vn, yetkili, kullaniciadi, sifre, mail,
        kargoambar;
};

} // namespace

Tkullanicikayit::Tkullanicikayit(QWidget* AOwner, const datasnap::Connection& _c, const TSonucBilgisi& _b)
    : QDialog(AOwner)
    , con(_c.CloneConnection())
{
    Bilgim.Kopyala(_b);
    setObjectName(QStringLiteral("kullanicikayit"));
    setFont(tahoma(13, true));
    resize(705, 514);

    auto* kok = new QVBoxLayout(this);
    kok->setContentsMargins(12, 10, 12, 10);
    kok->setSpacing(6);

    lblid = new QLabel(this);
    lblid->setObjectName(QStringLiteral("lblid"));
    lblid->setTextInteractionFlags(Qt::TextSelectableByMouse);
    kok->addWidget(lblid);

    firmaadi = alan(QStringLiteral("firmaadi"), this);
    adres1 = alan(QStringLiteral("adres1"), this);
    adres2 = alan(QStringLiteral("adres2"), this);
    ilce = alan(QStringLiteral("ilce"), this);
    sehir = alan(QStringLiteral("sehir"), this);
    telefon = alan(QStringLiteral("telefon"), this);
    fax = alan(QStringLiteral("fax"), this);
    vd = alan(QStringLiteral("vd"), this);
    vn = alan(QStringLiteral("vn"), this);
    yetkili = alan(QStringLiteral("yetkili"), this);
    kullaniciadi = alan(QStringLiteral("kullaniciadi"), this);
    sifre = alan(QStringLiteral("sifre"), this);
    mail = alan(QStringLiteral("mail"), this);
    kargoambar = alan(QStringLiteral("kargoambar"), this);

    // One row: a caption and one or two edits side by side.
    const auto satir = [this](QGridLayout* g, int r, const QString& metin, QLineEdit* sol, QLineEdit* sag) {
        auto* l = new QLabel(metin, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(l, r, 0);
        if (sag) {
            g->addWidget(sol, r, 1);
            g->addWidget(sag, r, 2);
        } else {
            g->addWidget(sol, r, 1, 1, 2);
        }
    };

    kok->addWidget(baslik(QStringLiteral("Firma Bilgileri"), this));
    auto* firma = new QGridLayout;
    firma->setColumnMinimumWidth(0, 150);
    firma->setColumnStretch(1, 1);
    firma->setColumnStretch(2, 1);
    satir(firma, 0, QStringLiteral("Firma Adı:"), firmaadi, nullptr);
    satir(firma, 1, QStringLiteral("Adres:"), adres1, nullptr);
    satir(firma, 2, QStringLiteral("Adres2:"), adres2, nullptr);
    satir(firma, 3, QStringLiteral("İlçe/Şehir:"), ilce, sehir);
    satir(firma, 4, QStringLiteral("Telefon/Fax:"), telefon, fax);
    satir(firma, 5, QStringLiteral("Vergi Dairesi / No:"), vd, vn);
    satir(firma, 6, QStringLiteral("Yetkili:"), yetkili, nullptr);
    kok->addLayout(firma);

    kok->addWidget(baslik(QStringLiteral("Kullanıcı Bilgileri"), this));
    auto* kullanici = new QGridLayout;
    kullanici->setColumnMinimumWidth(0, 150);
    kullanici->setColumnStretch(1, 1);
    kullanici->setColumnStretch(2, 1);
    satir(kullanici, 0, QStringLiteral("Kullanıcı Adı:"), kullaniciadi, nullptr);
    satir(kullanici, 1, QStringLiteral("Şifre:"), sifre, nullptr);
    satir(kullanici, 2, QStringLiteral("Mail:"), mail, nullptr);
    satir(kullanici, 3, QStringLiteral("Kargo Ambar:"), kargoambar, nullptr);
    kok->addLayout(kullanici);
    kok->addStretch(1);

    auto* alt = new QHBoxLayout;
    Button2 = new QPushButton(QStringLiteral("Gönder"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1 = new QPushButton(QStringLiteral("Kapat"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    for (QPushButton* b : {Button2, Button1}) {
        b->setAutoDefault(false);
        b->setMinimumSize(131, 32);
    }
    alt->addWidget(Button2);
    alt->addStretch(1);
    alt->addWidget(Button1);
    kok->addLayout(alt);

    QWidget* sira[] = {firmaadi, adres1, adres2, ilce, sehir, telefon, fax, vd, vn, yetkili, kullaniciadi,
                       sifre, mail, kargoambar, Button2, Button1};
    for (size_t i = 0; i + 1 < std::size(sira); ++i)
        setTabOrder(sira[i], sira[i + 1]);

    connect(Button2, &QPushButton::clicked, this, &Tkullanicikayit::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &Tkullanicikayit::Button1Click);

    _idsi = BilgisayarIdAl();
    lblid->setText(QStringLiteral("Bilgisayar ID: ") + _idsi);
    kullaniciadi->setText(Bilgim.ADI());
    firmaadi->setText(Bilgim.CariAdi());
    setWindowTitle(QStringLiteral("Şifre Değiştirme İsteği"));
    durum = teski;
    bilgileriYukle();
}

Tkullanicikayit::~Tkullanicikayit() = default;

QList<QPair<QLineEdit*, QString>> Tkullanicikayit::ZorunluAlanlar() const
{
    return {
        {firmaadi, QStringLiteral("Firma Adı boş olamaz !")},
        {adres1, QStringLiteral("Adres boş olamaz !")},
        {ilce, QStringLiteral("İlçe Adı boş olamaz !")},
        {sehir, QStringLiteral("Şehir Adı boş olamaz !")},
        {telefon, QStringLiteral("Telefon  boş olamaz !")},
        {yetkili, QStringLiteral("Yetkili  boş olamaz !")},
        {kullaniciadi, QStringLiteral("Kullanıcı  boş olamaz !")},
        {sifre, QStringLiteral("Şifre  boş olamaz !")},
        {mail, QStringLiteral("Mail  boş olamaz !")},
    };
}

// The details load on a clone of their own in the background, so the window
// appears at once and an unreachable server does not freeze it.
void Tkullanicikayit::bilgileriYukle()
{
    std::shared_ptr<datasnap::Connection> klon = con->CloneConnection();
    auto sonuc = std::make_shared<CariBilgileri>();
    const QString id = _idsi;
    Async([klon, sonuc, id] {
        klon->Close();
        if (!BaglantiKontrol(*klon, 1))
            return;
        TServerMethods1Client istemci(*klon);
        if (std::optional<TMobilCariBilgisi> b = istemci.MobilCariBilgisiGetir(0, id)) {
            sonuc->bilgi.Kopyala(*b);
            sonuc->var = true;
        }
        klon->Close();
    }).Await(this, [this, sonuc] {
        if (sonuc->var) {
            const TMobilCariBilgisi& b = sonuc->bilgi;
            adres1->setText(b.ADRES1());
            adres2->setText(b.ADRES2());
            ilce->setText(b.ILCE());
            sehir->setText(b.SEHIR());
            telefon->setText(b.TEL1());
            fax->setText(b.FAX1());
            vd->setText(b.VERGIDAIRESI());
            vn->setText(b.VERGINO());
        }
        emit bilgilerYuklendi();
    });
}

void Tkullanicikayit::Button2Click()
{
    if (m_gonderiliyor)
        return;
    for (const auto& [edit, mesaj] : ZorunluAlanlar()) {
        if (edit->text().trimmed().isEmpty()) {
            edit->selectAll();
            edit->setFocus();
            MesajGoster(mesaj, mtWarning, {mbOK}, 0, mbOK);
            return;
        }
    }

    auto m = std::make_shared<IstekMetinleri>(IstekMetinleri{
        firmaadi->text(), adres1->text(), adres2->text(), ilce->text(), sehir->text(), telefon->text(),
        fax->text(), vd->text(), vn->text(), yetkili->text(), kullaniciadi->text(), sifre->text(), mail->text(),
        kargoambar->text()});
    auto tamam = std::make_shared<bool>(false);
    std::shared_ptr<datasnap::Connection> baglanti = con;
    const QString id = _idsi;
    m_gonderiliyor = true;
    Button2->setEnabled(false);
    // A server error escapes the job and reaches the program's general error
    // report after the completion step; the window stays open.
    Async([baglanti, m, tamam, id] {
        baglanti->Close();
        if (!BaglantiKontrol(*baglanti, 1))
            return;
        {
            TServerMethods1Client istemci(*baglanti);
            istemci.MailGonserCari(id, QStringLiteral("Şifre Değiştirme İsteği"), m->firmaadi, m->adres1,
                                   m->adres2, m->ilce, m->sehir, m->telefon, m->fax, m->vd, m->vn, m->yetkili,
                                   m->kullaniciadi, m->sifre, m->mail, m->kargoambar);
        }
        baglanti->Close();
        *tamam = true;
    }).Await([this, tamam, guard = QPointer<Tkullanicikayit>(this)] {
        if (!guard)
            return;
        m_gonderiliyor = false;
        Button2->setEnabled(true);
        if (*tamam)
            MesajGoster(QStringLiteral("İsteğiniz Gönderildi!"), mtInformation, {mbOK}, 0, mbOK);
        emit gonderildi();
    });
}

void Tkullanicikayit::Button1Click() { reject(); }

// While a request is on its way the window stays, so the job's connection
// outlives it.
void Tkullanicikayit::closeEvent(QCloseEvent* event)
{
    if (m_gonderiliyor)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void Tkullanicikayit::reject()
{
    if (!m_gonderiliyor)
        QDialog::reject();
}
