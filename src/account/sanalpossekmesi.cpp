#include "account/sanalpossekmesi.h"

#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/utils.h"
#include "server/proxim.h"

#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString kodla(const QString& deger)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(deger));
}

} // namespace

QString OdemeSayfasiAdresi(int carino, const QString& cariAdi, const QString& bakiye)
{
    return OdemeAdresi() + u"/tuvrakart.html?carino="_s + QString::number(carino) + u"&sube=MERKEZ&firmasi="_s
        + kodla(cariAdi) + u"&bakiye="_s + kodla(bakiye);
}

TSanalPosSekmesi::TSanalPosSekmesi(datasnap::Connection& bagc_, TSonucBilgisi& sbilgi_, QWidget* parent)
    : QWidget(parent)
    , bagc(bagc_)
    , sbilgi(sbilgi_)
{
    setObjectName(u"sitem"_s);
    auto* duzen = new QVBoxLayout(this);
    bilgi = new QLabel(this);
    bilgi->setObjectName(u"bilgi"_s);
    bilgi->setAlignment(Qt::AlignCenter);
    bilgi->setWordWrap(true);
    QFont f(u"Tahoma"_s);
    f.setPixelSize(16);
    bilgi->setFont(f);
    duzen->addWidget(bilgi);
}

TSanalPosSekmesi::~TSanalPosSekmesi() = default;

QString TSanalPosSekmesi::BakiyeAl()
{
    std::unique_ptr<datasnap::Connection> klon = bagc.CloneConnection();
    QString bakiye;
    if (BaglantiKontrol(*klon, 0)) {
        try {
            TServerMethods1Client istemci(*klon);
            bakiye = istemci.CariDurumVer(sbilgi.CARINO());
        } catch (const datasnap::ServerError&) {
            // An error counts as a missing balance, told below.
            bakiye.clear();
        }
    }
    klon->Close();
    return bakiye;
}

void TSanalPosSekmesi::Gosterildi()
{
    const QString bakiye = BakiyeAl();
    if (bakiye.isEmpty()) {
        MesajGoster(u"Bağlantı Hatası \r\nLütfen Sonra Tekrar Deneyiniz !"_s, mtError, {mbOK}, 0, mbOK);
        emit StokListesiIstendi();
        return;
    }
    const QString adres = OdemeSayfasiAdresi(sbilgi.CARINO(), sbilgi.CariAdi(), bakiye);
    if (openWithSystem({adres, {}})) {
        FSonAdres = adres;
        bilgi->setText(u"Ödeme sayfası tarayıcınızda açıldı.\nBakiye: "_s + bakiye);
        return;
    }
    MesajGoster(u"Sisteminiz Güvenli Değil\r\nÖdeme Alamıyoruz !\r\nLütfen Windows'u güncelleyiniz"_s, mtWarning,
                {mbOK}, 0, mbOK);
}
