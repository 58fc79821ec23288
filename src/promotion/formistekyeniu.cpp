#include "promotion/formistekyeniu.h"

#include "core/dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#ifdef ZELVORI_WEBENGINE
#include <QWebEngineView>
#endif

Tformistekyeni::Tformistekyeni(QWidget* AOwner)
    : QDialog(AOwner)
{
    setObjectName(QStringLiteral("formistekyeni"));
    resize(780, 555);

    auto* kok = new QVBoxLayout(this);
    kok->setContentsMargins(0, 0, 0, 0);
    kok->setSpacing(0);

#ifdef ZELVORI_WEBENGINE
    sitem = new QWebEngineView(this);
#else
    sitem = new QWidget(this);
    auto* ic = new QVBoxLayout(sitem);
    m_bilgi = new QLabel(sitem);
    m_bilgi->setObjectName(QStringLiteral("bilgi"));
    m_bilgi->setAlignment(Qt::AlignCenter);
    m_bilgi->setWordWrap(true);
    m_bilgi->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_bilgi->setStyleSheet(QStringLiteral("font-size: 15px; color: #3D414A;"));
    ic->addWidget(m_bilgi);
#endif
    sitem->setObjectName(QStringLiteral("sitem"));
    kok->addWidget(sitem, 1);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(41);
    auto* alt = new QHBoxLayout(Panel1);
    alt->setContentsMargins(6, 4, 6, 4);
    Button1 = new QPushButton(QStringLiteral("Kapat"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedWidth(131);
    Button1->setAutoDefault(false);
    alt->addWidget(Button1);
    alt->addStretch(1);
    kok->addWidget(Panel1);

    connect(Button1, &QPushButton::clicked, this, &Tformistekyeni::Button1Click);
}

bool Tformistekyeni::GomuluSayfa()
{
#ifdef ZELVORI_WEBENGINE
    return true;
#else
    return false;
#endif
}

void Tformistekyeni::Git(const QString& adres)
{
#ifdef ZELVORI_WEBENGINE
    static_cast<QWebEngineView*>(sitem)->load(QUrl(adres, QUrl::TolerantMode));
#else
    const bool acildi = openWithSystem(OpenRequest{adres, {}});
    const QString bag = adres.toHtmlEscaped();
    if (acildi)
        m_bilgi->setText(QStringLiteral("<p>Bu sayfa sisteminizin web tarayıcısında açıldı.</p>"
                                        "<p>Formu tarayıcıda doldurup gönderdikten sonra bu pencereyi "
                                        "“Kapat” ile kapatabilirsiniz.</p><p style='color:#6C8EAD'>")
                         + bag + QStringLiteral("</p>"));
    else
        m_bilgi->setText(QStringLiteral("<p>Web tarayıcısı açılamadı.</p>"
                                        "<p>Lütfen aşağıdaki adresi tarayıcınıza yazınız:</p>"
                                        "<p style='color:#6C8EAD'>")
                         + bag + QStringLiteral("</p>"));
#endif
}

void Tformistekyeni::Button1Click() { close(); }
