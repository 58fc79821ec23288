#include "promotion/acilisreklamu.h"

#include "assets/resimler.h"
#include "core/baglantikontrol.h"
#include "core/beklesinu.h"
#include "core/onaltilik.h"
#include "promotion/gifresim.h"
#include "server/proxim.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

Tacilisreklam::Tacilisreklam(QWidget* AOwner, const datasnap::Connection& _c, const TSonucBilgisi& _b)
    : QDialog(AOwner, Qt::Dialog | Qt::FramelessWindowHint)
    , con(_c.CloneConnection())
{
    setObjectName(QStringLiteral("acilisreklam"));
    Bilgim.Kopyala(_b);
    setFixedSize(606, 480);
    setStyleSheet(QStringLiteral("#acilisreklam { background: #FFFFFF; border: 1px solid #3D414A; }"));

    auto* kok = new QVBoxLayout(this);
    kok->setContentsMargins(3, 0, 3, 3);
    kok->setSpacing(0);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setContentsMargins(0, 10, 0, 10);
    QFont f = Label1->font();
    f.setPixelSize(16);
    f.setBold(true);
    Label1->setFont(f);
    kok->addWidget(Label1);

    cxImage1 = new QLabel(this);
    cxImage1->setObjectName(QStringLiteral("cxImage1"));
    cxImage1->setAlignment(Qt::AlignCenter);
    cxImage1->setMinimumSize(1, 1);
    cxImage1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    cxImage1->setCursor(Qt::PointingHandCursor);
    cxImage1->installEventFilter(this);
    kok->addWidget(cxImage1, 1);

    auto* alt = new QHBoxLayout;
    alt->setContentsMargins(0, 3, 0, 0);
    alt->setSpacing(3);
    Button1 = new QToolButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    Button1->setFixedWidth(49);
    Button2 = new QToolButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    Button2->setFixedWidth(49);
    gifstokara = new TGifResim(this);
    gifstokara->setObjectName(QStringLiteral("gifstokara"));
    gifstokara->loadFile(Resimler::Mesgul());
    gifstokara->setFixedWidth(35);
    gifstokara->hide();
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Button1xxx = new QPushButton(QStringLiteral("Kapat"), this);
    Button1xxx->setObjectName(QStringLiteral("Button1xxx"));
    Button1xxx->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    Button1xxx->setFixedWidth(131);
    Button1xxx->setAutoDefault(false);
    for (QWidget* w : {static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button2),
                       static_cast<QWidget*>(Button1xxx), static_cast<QWidget*>(cxImage1)})
        w->setFocusPolicy(Qt::NoFocus);
    alt->addWidget(Button1);
    alt->addWidget(Button2);
    alt->addWidget(gifstokara);
    alt->addWidget(Label2, 1);
    alt->addWidget(Button1xxx);
    kok->addLayout(alt);

    connect(Button1, &QToolButton::clicked, this, &Tacilisreklam::Button1Click);
    connect(Button2, &QToolButton::clicked, this, &Tacilisreklam::Button2Click);
    connect(Button1xxx, &QPushButton::clicked, this, &Tacilisreklam::Button1xxxClick);

    if (AOwner) {
        const QPoint merkez = AOwner->geometry().center();
        move(merkez - QPoint(width() / 2, height() / 2));
    }
    setFocusPolicy(Qt::StrongFocus);
    sirasi = 1;
    REsimGoster(1);
}

Tacilisreklam::~Tacilisreklam() = default;

void Tacilisreklam::REsimGoster(int i)
{
    Button1->setEnabled(false);
    Button2->setEnabled(false);
    gifstokara->GosterAnim();
    m_yukleniyor = true;

    struct Sonuc
    {
        bool geldi = false;
        int adet = 0;
        QString baslik, arama;
        QByteArray resim;
    };
    auto sonuc = std::make_shared<Sonuc>();
    // The job holds its own reference to the connection: a window closed
    // mid-load is gone, but the load ends on a living connection.
    std::shared_ptr<datasnap::Connection> c = con;
    Async([c, sonuc, i] {
        if (!BaglantiKontrol(*c, 1))
            return;
        try {
            TServerMethods1Client istemci(*c);
            const int a = istemci.AcilisReklamAdet();
            const std::optional<TAcilisEkran> ekran = istemci.AcilisREklamVer(i - 1);
            c->Close();
            if (!ekran)
                return;
            sonuc->adet = a;
            sonuc->baslik = ekran->Baslik();
            sonuc->arama = ekran->Arama();
            sonuc->resim = OnaltilikCoz(ekran->Resim());
            sonuc->geldi = true;
        } catch (const std::exception&) {
            // A failed advert keeps what was shown before.
            c->Close();
        }
    }).Await(this, [this, sonuc, i] {
        if (sonuc->geldi) {
            adet = sonuc->adet;
            Label1->setText(sonuc->baslik);
            QPixmap resim;
            resim.loadFromData(sonuc->resim);
            m_resim = resim;
            resmiYerlestir();
            m_gosterilen = i;
            konumYaz();
            arama = sonuc->arama;
        } else if (sirasi != m_gosterilen) {
            // The advert shown stays, and so does its position.
            sirasi = m_gosterilen;
            konumYaz();
        }
        Button1->setEnabled(true);
        Button2->setEnabled(true);
        gifstokara->GizleDurdur();
        m_yukleniyor = false;
        emit YuklemeBitti();
    });
}

void Tacilisreklam::konumYaz() { Label2->setText(QString::number(sirasi) + QStringLiteral(" / ") + QString::number(adet)); }

void Tacilisreklam::resmiYerlestir()
{
    if (m_resim.isNull()) {
        cxImage1->clear();
        return;
    }
    cxImage1->setPixmap(m_resim.scaled(cxImage1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void Tacilisreklam::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    resmiYerlestir();
}

void Tacilisreklam::Button1Click()
{
    if (m_yukleniyor || sirasi == 1)
        return;
    --sirasi;
    REsimGoster(sirasi);
    konumYaz();
}

void Tacilisreklam::Button2Click()
{
    if (m_yukleniyor || sirasi == adet)
        return;
    ++sirasi;
    REsimGoster(sirasi);
    konumYaz();
}

void Tacilisreklam::Button1xxxClick() { done(QDialog::Rejected); }

void Tacilisreklam::cxImage1Click() { done(arama.trimmed().isEmpty() ? QDialog::Rejected : QDialog::Accepted); }

void Tacilisreklam::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: Button1Click(); break;
    case Qt::Key_Right: Button2Click(); break;
    default: done(QDialog::Rejected); break;
    }
    event->accept();
}

bool Tacilisreklam::eventFilter(QObject* nesne, QEvent* olay)
{
    if (nesne == cxImage1 && olay->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(olay)->button() == Qt::LeftButton) {
        cxImage1Click();
        return true;
    }
    return QDialog::eventFilter(nesne, olay);
}
