#include "promotion/mailformu.h"

#include "core/baglantikontrol.h"
#include "core/beklesinu.h"
#include "core/utils.h"
#include "server/proxim.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

QStringList MesajSatirlari(const QString& metin)
{
    if (metin.isEmpty())
        return {};
    QStringList satirlar = metin.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (satirlar.last().isEmpty())
        satirlar.removeLast();
    return satirlar;
}

QString VirgulluMetin(const QStringList& satirlar)
{
    QStringList parcalar;
    parcalar.reserve(satirlar.size());
    for (const QString& s : satirlar) {
        bool tirnakla = false;
        for (QChar c : s) {
            if (c.unicode() <= u' ' || c == u'"' || c == u',') {
                tirnakla = true;
                break;
            }
        }
        if (tirnakla) {
            QString t = s;
            t.replace(u'"', QStringLiteral("\"\""));
            parcalar.append(u'"' + t + u'"');
        } else {
            parcalar.append(s);
        }
    }
    return parcalar.join(u',');
}

Tmailform::Tmailform(QWidget* AOwner, const datasnap::Connection& _c, const TSonucBilgisi& _b)
    : QDialog(AOwner)
    , con(_c.CloneConnection())
{
    Bilgim.Kopyala(_b);
    setObjectName(QStringLiteral("mailform"));
    setWindowTitle(QStringLiteral("Mail Gönder"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);
    resize(671, 451);

    auto* kok = new QVBoxLayout(this);
    kok->setContentsMargins(15, 15, 15, 15);
    auto* izgara = new QGridLayout;
    izgara->setHorizontalSpacing(10);
    Label1 = new QLabel(QStringLiteral("Konu:"), this);
    baslik = new QLineEdit(this);
    baslik->setObjectName(QStringLiteral("baslik"));
    baslik->setFixedWidth(560);
    Label2 = new QLabel(QStringLiteral("Mail:"), this);
    konu = new QPlainTextEdit(this);
    konu->setObjectName(QStringLiteral("konu"));
    konu->setFixedSize(560, 324);
    konu->setLineWrapMode(QPlainTextEdit::NoWrap);
    konu->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    konu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    izgara->addWidget(Label1, 0, 0, Qt::AlignRight | Qt::AlignVCenter);
    izgara->addWidget(baslik, 0, 1);
    izgara->addWidget(Label2, 1, 0, Qt::AlignRight | Qt::AlignTop);
    izgara->addWidget(konu, 1, 1);
    kok->addLayout(izgara);
    kok->addStretch(1);

    auto* alt = new QHBoxLayout;
    Button2 = new QPushButton(QStringLiteral("Gönder"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1 = new QPushButton(QStringLiteral("Kapat"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    for (QPushButton* b : {Button2, Button1}) {
        b->setAutoDefault(false);
        b->setFixedWidth(131);
        b->setMinimumHeight(28);
    }
    alt->addWidget(Button2);
    alt->addStretch(1);
    alt->addWidget(Button1);
    kok->addLayout(alt);

    connect(Button2, &QPushButton::clicked, this, &Tmailform::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &Tmailform::Button1Click);
    baslik->setFocus();
}

Tmailform::~Tmailform() = default;

void Tmailform::Button2Click()
{
    if (m_gonderiliyor)
        return;
    if (baslik->text().trimmed().isEmpty()) {
        baslik->selectAll();
        baslik->setFocus();
        MesajGoster(QStringLiteral("Lütfen Başlık Giriniz !"), mtWarning, {mbOK}, 0, mbOK);
        return;
    }
    if (konu->toPlainText().trimmed().isEmpty()) {
        konu->selectAll();
        konu->setFocus();
        MesajGoster(QStringLiteral("Lütfen Konu Giriniz !"), mtWarning, {mbOK}, 0, mbOK);
        return;
    }

    m_gonderiliyor = true;
    Button2->setEnabled(false);

    const QString konuBasligi = baslik->text();
    const QString mesaj = VirgulluMetin(MesajSatirlari(konu->toPlainText()));
    const QString id = BilgisayarIdAl();
    std::shared_ptr<datasnap::Connection> baglanti = con;
    auto hata = std::make_shared<bool>(false);
    Async([baglanti, konuBasligi, mesaj, id, hata] {
        if (!BaglantiKontrol(*baglanti, 1)) {
            *hata = true;
            return;
        }
        try {
            TServerMethods1Client cari(*baglanti);
            const std::optional<TMobilCariBilgisi> b = cari.MobilCariBilgisiGetir(0, id);
            if (!b) {
                // Without the account details the mail would reach nobody.
                *hata = true;
                baglanti->Close();
                return;
            }
            const TMobilCariBilgisi& c = *b;
            TServerMethods1Client gonder(*baglanti);
            gonder.MailGonserCariNormal(id, konuBasligi, c.CARIADI(), c.ADRES1(), c.ADRES2(), c.ILCE(), c.SEHIR(),
                                        c.TEL1(), c.FAX1(), c.VERGIDAIRESI(), c.VERGINO(), c.YETKILI(),
                                        c.KULLANICIADI(), c.SIFRE(), c.MAIL(), QString(), mesaj);
        } catch (...) {
            *hata = true;
        }
        baglanti->Close();
    }).Await(this, [this, hata] {
        if (*hata)
            MesajGoster(QStringLiteral("Mail Göndermede Hata\r\nLütfen Tekrar Deneyin !"), mtError, {mbOK}, 0, mbOK);
        else
            MesajGoster(QStringLiteral("Mail Gönderildi !"), mtInformation, {mbOK}, 0, mbOK);
        m_gonderiliyor = false;
        Button2->setEnabled(true);
        emit gonderildi();
    });
}

void Tmailform::Button1Click()
{
    if (Button2->isEnabled())
        close();
}

// The window outlives its background send: closing through the frame or
// Escape is refused as "Kapat" is.
void Tmailform::closeEvent(QCloseEvent* event)
{
    if (m_gonderiliyor)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void Tmailform::reject()
{
    if (!m_gonderiliyor)
        QDialog::reject();
}
