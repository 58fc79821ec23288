#include "signin/girisformu.h"

#include "assets/resimler.h"
#include "core/ayarini.h"
#include "core/baglantikontrol.h"
#include "core/beklesinu.h"
#include "core/utils.h"
#include "promotion/formistekyeniu.h"
#include "server/proxim.h"
#include "signin/disipbul.h"
#include "signin/dosyaindiru.h"
#include "signin/programsonu.h"

#include <QCheckBox>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <mutex>

namespace {

std::mutex cariSecimiKilidi;
Tgirisform::CariSecimiPenceresi& cariSecimi()
{
    static Tgirisform::CariSecimiPenceresi p;
    return p;
}

QFont tahoma(int px, bool bold)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

// Both edits force upper case as the user types.
void buyukHarfeZorla(QLineEdit* e)
{
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& t) {
        const QString buyuk = t.toUpper();
        if (buyuk != t) {
            const int imlec = e->cursorPosition();
            e->setText(buyuk);
            e->setCursorPosition(qMin(imlec, int(buyuk.size())));
        }
    });
}

QLabel* kirmiziEtiket(const QString& metin, QWidget* parent)
{
    auto* l = new QLabel(metin, parent);
    l->setFont(tahoma(13, true));
    // The label colour value 1510114 is blue-green-red: red E2, green 10, blue 17.
    l->setStyleSheet(QStringLiteral("color: #FFFFFF; background: #E21017; padding: 3px 2px;"));
    return l;
}

struct BaglantiSonucu
{
    bool basarili = false;
    TSonucBilgisi kayit;
};

} // namespace

void Tgirisform::CariSecimiAyarla(CariSecimiPenceresi pencere)
{
    std::lock_guard lock(cariSecimiKilidi);
    cariSecimi() = std::move(pencere);
}

Tgirisform::Tgirisform(QWidget* owner)
    // A window of its own with a task-bar entry (no parent), only a close box.
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_dur(std::make_shared<std::atomic<bool>>(false))
{
    setObjectName(QStringLiteral("girisform"));
    setWindowTitle(QStringLiteral("Giriş"));
    setFont(tahoma(13, true));
    setFixedSize(368, 550);

    // The background picture fills the window; the controls sit on top of it.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 368, 550);
    {
        QPixmap arka(368, 550);
        arka.fill(Qt::transparent);
        QPainter p(&arka);
        QSvgRenderer(Resimler::GirisArkaPlan()).render(&p);
        Image1->setPixmap(arka);
    }

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(34, 236, 34, 14);
    lay->setSpacing(4);

    Label1 = kirmiziEtiket(QStringLiteral(" Kullanıcı Adı:"), this);
    adi = new QLineEdit(this);
    adi->setObjectName(QStringLiteral("adi"));
    Label2 = kirmiziEtiket(QStringLiteral(" Şifre:"), this);
    sifre = new QLineEdit(this);
    sifre->setObjectName(QStringLiteral("sifre"));
    sifre->setEchoMode(QLineEdit::Password);
    for (QLineEdit* e : {adi, sifre}) {
        e->setMinimumHeight(26);
        buyukHarfeZorla(e);
        e->installEventFilter(this);
    }

    benihatirla = new QCheckBox(QStringLiteral("Beni hatırla"), this);
    benihatirla->setObjectName(QStringLiteral("benihatirla"));
    benihatirla->setChecked(true);
    benihatirla->setStyleSheet(QStringLiteral("color: #FFFFFF; font-weight: bold;"));

    lay->addWidget(Label1);
    lay->addWidget(adi);
    lay->addSpacing(6);
    lay->addWidget(Label2);
    lay->addWidget(sifre);
    lay->addSpacing(4);
    lay->addWidget(benihatirla);
    lay->addSpacing(8);

    auto* dugmeler = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("Giriş"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    RxGIFAnimator1 = new QLabel(this);
    RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    RxGIFAnimator1->setFixedSize(28, 28);
    RxGIFAnimator1->setMovie(new QMovie(Resimler::Mesgul(), QByteArray(), RxGIFAnimator1));
    RxGIFAnimator1->setAlignment(Qt::AlignCenter);
    Button2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* b : {Button1, Button2}) {
        // Enter in the edits is handled by the edits, never by a default button.
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumHeight(30);
    }
    dugmeler->addWidget(Button1, 1);
    dugmeler->addWidget(RxGIFAnimator1);
    dugmeler->addWidget(Button2, 1);
    lay->addLayout(dugmeler);
    // Keeps the place of the hidden indicator so the buttons do not move.
    QSizePolicy sp = RxGIFAnimator1->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    RxGIFAnimator1->setSizePolicy(sp);
    RxGIFAnimator1->hide();

    lay->addStretch(1);
    RxLabel1 = new QLabel(this);
    RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    RxLabel1->setAlignment(Qt::AlignCenter);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(15);
    arial.setBold(true);
    RxLabel1->setFont(arial);
    RxLabel1->setStyleSheet(QStringLiteral("color: #000000; background: transparent;"));
    RxLabel1->setText(QStringLiteral("Zelvori Otomotiv Yedek Parça A.Ş.\n"
                                     "Sanayi Mah. Parça Sok. No: 12\n"
                                     "34000 Başakşehir / İstanbul\n"
                                     "siparis@zelvorioto.com.tr\n"
                                     "Tel: 0 (212) 555 00 00"));
    auto* golge = new QGraphicsDropShadowEffect(RxLabel1);
    golge->setColor(Qt::white);
    golge->setOffset(1, 1);
    golge->setBlurRadius(0);
    RxLabel1->setGraphicsEffect(golge);
    lay->addWidget(RxLabel1);

    setTabOrder(Button1, Button2);
    setTabOrder(Button2, benihatirla);
    setTabOrder(benihatirla, adi);
    setTabOrder(adi, sifre);

    connect(Button1, &QPushButton::clicked, this, &Tgirisform::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tgirisform::Button2Click);

    idsi = BilgisayarIdAl();
    ayarlariYukle();
    adi->setFocus();
}

Tgirisform::~Tgirisform()
{
    m_dur->store(true);
}

void Tgirisform::ayarlariYukle()
{
    bool dosyaVar = false;
    const KullaniciAyari ayar = AyarOku(AyarDosyasiYolu(), &dosyaVar);
    if (!dosyaVar)
        return;
    benihatirla->setChecked(ayar.hatirla);
    if (benihatirla->isChecked()) {
        adi->setText(ayar.isim);
        sifre->setText(ayar.sifre);
    }
}

// ---------------------------------------------------------------- keys

bool Tgirisform::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == adi || watched == sifre)) {
        const int tus = static_cast<QKeyEvent*>(event)->key();
        if (tus == Qt::Key_Return || tus == Qt::Key_Enter) {
            if (watched == adi)
                adiKeyDown();
            else
                sifreKeyDown();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tgirisform::bosUyarisi(QLineEdit* edit, const QString& metin)
{
    playDialogSound(mtError);
    showMessageBox(MessageBoxRequest{metin, QStringLiteral("Zelvori Otomotiv B2B"), mtWarning, {mbOK}});
    edit->selectAll();
    edit->setFocus();
}

void Tgirisform::adiKeyDown()
{
    if (adi->text().trimmed().isEmpty()) {
        bosUyarisi(adi, QStringLiteral("Lütfen kullanıcı adını giriniz !"));
        return;
    }
    sifre->selectAll();
    sifre->setFocus();
}

void Tgirisform::sifreKeyDown()
{
    if (sifre->text().trimmed().isEmpty()) {
        bosUyarisi(sifre, QStringLiteral("Lütfen kullanıcı şifresini giriniz !"));
        return;
    }
    Button1Click();
}

// ---------------------------------------------------------------- attempt

void Tgirisform::mesgulGoster(bool goster)
{
    RxGIFAnimator1->setVisible(goster);
    if (goster)
        RxGIFAnimator1->movie()->start();
    else
        RxGIFAnimator1->movie()->stop();
}

void Tgirisform::Button1Click()
{
    if (!Button1->isEnabled())
        return;
    Button1->setText(QStringLiteral("Bağlanıyor..."));
    Button1->setEnabled(false);
    mesgulGoster(true);

    auto adres = std::make_shared<QString>();
    const QString servis = IpServisAdresi();
    auto dur = m_dur;
    Async([adres, servis, dur] { *adres = disip::Bul(servis, *dur); })
        .Await(this, [this, adres] {
            Button1->setText(QStringLiteral("Giriş!"));
            mesgulGoster(false);
            Devamet(*adres);
        });
}

void Tgirisform::Devamet(const QString& disip)
{
    if (disip.trimmed().isEmpty()) {
        MesajGoster(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"), mtError, {mbOK}, 0, mbOK);
        Button1->setEnabled(true);
        emit girisDenendi();
        return;
    }
    Bilgim->setDisip(disip);
    SunucuAdresiniYaz(*bagim);

    // The fetch works on a clone; the record is taken over on the main thread.
    auto sonuc = std::make_shared<BaglantiSonucu>();
    std::shared_ptr<datasnap::Connection> klon = bagim->CloneConnection();
    const QString id = idsi;
    const QString servis = IpServisAdresi();
    auto dur = m_dur;
    Async([sonuc, klon, id, servis, dur] {
        if (!BaglantiKontrol(*klon, 0))
            return;
        try {
            TServerMethods1Client istemci(*klon);
            std::optional<TSonucBilgisi> kayit = istemci.BuyukGetir(id);
            if (!kayit) {
                klon->Close();
                return;
            }
            sonuc->kayit.Kopyala(*kayit);
        } catch (...) {
            klon->Close();
            return;
        }
        klon->Close();
        sonuc->kayit.setBilgiSayarAdi(BilgisayarAdiAl());
        sonuc->kayit.setBilgisayarKullanici(KullaniciAdiAl());
        sonuc->kayit.setIcip(IcIpAl());
        sonuc->kayit.setBILGISAYARID(BilgisayarIdAl());
        sonuc->kayit.setDisip(disip::Bul(servis, *dur));
        sonuc->basarili = true;
    }).Await(this, [this, sonuc] { Degerlendir(sonuc->basarili, sonuc->kayit); });
}

void Tgirisform::yenidenHazirla()
{
    Button1->setEnabled(true);
    adi->selectAll();
    adi->setFocus();
}

void Tgirisform::Degerlendir(bool basarili, const TSonucBilgisi& kayit)
{
    mesgulGoster(false);
    if (!basarili) {
        MesajGoster(QStringLiteral("Bağlantı Kurulamadı !"), mtError, {mbOK}, 0, mbOK);
        yenidenHazirla();
        emit girisDenendi();
        return;
    }
    Bilgim->Kopyala(kayit);

    if (Bilgim->Version() != IstemciVersiyonu) {
        emit girisDenendi();
        Tdosyaindir indir(this, Bilgim->Version());
        indir.exec();
        return;
    }

    if (!Bilgim->Varmi()) {
        emit girisDenendi();
        Tformistekyeni form(this);
        form.setWindowTitle(QStringLiteral("Zelvori Otomotiv B2B İstek Formu"));
        form.Git(WebAdresi() + QStringLiteral("formmailgonder.aspx?carino=0&kullanici= &id=") + idsi);
        form.exec();
        ProgramiSonlandir(0);
        return;
    }

    const auto hatali = [this] {
        MesajGoster(QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"), mtWarning, {mbOK}, 0,
                    mbOK);
        yenidenHazirla();
        emit girisDenendi();
    };
    if (adi->text() != Bilgim->ADI() || sifre->text() != Bilgim->SIFRE()) {
        hatali();
        return;
    }

    // The password is kept only when the user asked to be remembered: the
    // next start shows nothing otherwise, and a stored password is readable
    // on disk.
    KullaniciAyari ayar;
    ayar.isim = adi->text();
    ayar.hatirla = benihatirla->isChecked();
    ayar.sifre = ayar.hatirla ? sifre->text() : QString();
    QString hata;
    if (!AyarYaz(AyarDosyasiYolu(), ayar, &hata))
        MesajGoster(QStringLiteral("Ayarlar kaydedilemedi !\r\n") + hata, mtError, {mbOK}, 0, mbOK);

    if (Bilgim->AKTIF() != 1) {
        hatali();
        return;
    }

    if (Bilgim->MusteriTipi() == 1 || Bilgim->MusteriTipi() == 2) {
        CariSecimiPenceresi secim;
        {
            std::lock_guard lock(cariSecimiKilidi);
            secim = cariSecimi();
        }
        if (secim && !secim(this, *bagim, *Bilgim)) {
            emit girisDenendi();
            ProgramiSonlandir(0);
            return;
        }
    }

    emit girisDenendi();
    accept();
}

void Tgirisform::Button2Click()
{
    ProgramiSonlandir(0);
    // Only reached when the ending is replaced (tests): close like the box.
    QDialog::reject();
}
