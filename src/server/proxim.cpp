// The client class of the remote server methods: one call per method, results
// read by position (out-parameters first, the return value last).
#include "server/proxim.h"

#include "platform/datasnap/servermethodcommand.h"
#include "wire/marshal.h"
#include "wire/reader.h"

#include <mutex>

using datasnap::ServerError;

void TransferNesneleriniKaydet()
{
    static std::once_flag once;
    std::call_once(once, [] {
        wire::registerType<TSonucBilgisi>(TSonucBilgisi::TypeName());
        wire::registerType<TSiparisDipAyrinti>(TSiparisDipAyrinti::TypeName());
        wire::registerType<TTusSonuclari>(TTusSonuclari::TypeName());
        wire::registerType<TMobilCariBilgisi>(TMobilCariBilgisi::TypeName());
        wire::registerType<TAcilisEkran>(TAcilisEkran::TypeName());
        wire::registerType<TAcilisEkranlariki>(TAcilisEkranlariki::TypeName());
        wire::registerType<TMobilStok>(TMobilStok::TypeName());
        wire::registerType<TMobilSepet>(TMobilSepet::TypeName());
    });
}

// The answer of one call, read value by value in declaration order.
struct ProximCagri
{
    wire::Reader sonuc;
    QString method;

    // Throws when a value had the wrong kind or the answer held more or fewer
    // values than the method declares.
    void bitir()
    {
        if (!sonuc.finish())
            throw ServerError(ServerError::Kind::Protocol,
                              QStringLiteral("Invalid answer to %1: %2").arg(method, sonuc.error().message),
                              200, method);
    }
};

TServerMethods1Client::TServerMethods1Client(datasnap::Connection& connection)
    : m_connection(connection)
{
    if (!connection.Connected())
        throw ServerError(ServerError::Kind::NotOpen, QString::fromLatin1(datasnap::kConnectionNotOpenText));
    TransferNesneleriniKaydet();
}

TServerMethods1Client::~TServerMethods1Client() = default;

datasnap::ServerMethodCommand& TServerMethods1Client::komut(const QString& method)
{
    auto it = m_komutlar.find(method);
    if (it == m_komutlar.end()) {
        auto command = std::make_unique<datasnap::ServerMethodCommand>(m_connection, u"TServerMethods1." + method);
        command->Prepare();
        it = m_komutlar.emplace(method, std::move(command)).first;
    }
    return *it->second;
}

ProximCagri TServerMethods1Client::cagir(const QString& method, QList<wire::Value> parameters)
{
    datasnap::ServerMethodCommand& command = komut(method);
    command.setParameters(std::move(parameters));
    command.Execute();
    return ProximCagri{wire::Reader(command.takeResults(), QStringLiteral("result")), method};
}

// ---- The 49 server methods, in the order of the class ----------------------

int TServerMethods1Client::EnVer(int stokno)
{
    ProximCagri c = cagir(QStringLiteral("EnVer"), {stokno});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::SepetVer2(int carino)
{
    ProximCagri c = cagir(QStringLiteral("SepetVer2"), {carino});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::OncekiSiparisler(int carino)
{
    ProximCagri c = cagir(QStringLiteral("OncekiSiparisler"), {carino});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::CariEkstreVer(int carino)
{
    ProximCagri c = cagir(QStringLiteral("CariEkstreVer"), {carino});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::KampanyaliVer2(int cario, int satici)
{
    ProximCagri c = cagir(QStringLiteral("KampanyaliVer2"), {cario, satici});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::BakiyelerVer2(int carino)
{
    ProximCagri c = cagir(QStringLiteral("BakiyelerVer2"), {carino});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

std::optional<TSonucBilgisi> TServerMethods1Client::BuyukGetir(const QString& idsi)
{
    ProximCagri c = cagir(QStringLiteral("BuyukGetir"), {idsi});
    auto sonuc = c.sonuc.object<TSonucBilgisi>(u"Result");
    c.bitir();
    return sonuc;
}

QByteArray TServerMethods1Client::SAnalPosPdfVer(int sirano, qint64& boy)
{
    ProximCagri c = cagir(QStringLiteral("SAnalPosPdfVer"), {sirano});
    boy = c.sonuc.int64(u"boy");
    auto sonuc = c.sonuc.bytes(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::StokAraGetirZelvori(const QString& kod, const TSonucBilgisi& bilgi)
{
    ProximCagri c = cagir(QStringLiteral("StokAraGetirZelvori"), {kod, wire::marshal(bilgi)});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::YenilerVer2(int carino)
{
    ProximCagri c = cagir(QStringLiteral("YenilerVer2"), {carino});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::TeslimVer()
{
    ProximCagri c = cagir(QStringLiteral("TeslimVer"), {});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::KargoVer()
{
    ProximCagri c = cagir(QStringLiteral("KargoVer"), {});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::KargolarVer(int gn)
{
    ProximCagri c = cagir(QStringLiteral("KargolarVer"), {gn});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

int TServerMethods1Client::SepetEkle2(const TSonucBilgisi& bilgim, int carino, int stokno, const QString& barkod, const QString& stokadi, double miktar, double kdv, double fiyat, double ind1, int verenid, int k, double ind2, double ind3, double ind4)
{
    ProximCagri c = cagir(QStringLiteral("SepetEkle2"), {wire::marshal(bilgim), carino, stokno, barkod, stokadi, miktar, kdv, fiyat, ind1, verenid, k, ind2, ind3, ind4});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

int TServerMethods1Client::SepetGuncelle2(const TSonucBilgisi& bilgim, int carino, int stokno, const QString& barkod, const QString& stokadi, double miktar, double kdv, double fiyat, double ind1, int verenid, int _sepetsirano, double ind2, double ind3, double ind4)
{
    ProximCagri c = cagir(QStringLiteral("SepetGuncelle2"), {wire::marshal(bilgim), carino, stokno, barkod, stokadi, miktar, kdv, fiyat, ind1, verenid, _sepetsirano, ind2, ind3, ind4});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

int TServerMethods1Client::SepetHepsiniSil(const TSonucBilgisi& bilgi)
{
    ProximCagri c = cagir(QStringLiteral("SepetHepsiniSil"), {wire::marshal(bilgi)});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

int TServerMethods1Client::SepetSatirSil(const TSonucBilgisi& bilgi, int satirno, const QString& aciklamam)
{
    ProximCagri c = cagir(QStringLiteral("SepetSatirSil"), {wire::marshal(bilgi), satirno, aciklamam});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

bool TServerMethods1Client::SiparisKaydet(const TSonucBilgisi& BB, int _carino, int _teslim, int _kargo, const QString& _aciklama, int _verenid, int _kargoyeni)
{
    ProximCagri c = cagir(QStringLiteral("SiparisKaydet"), {wire::marshal(BB), _carino, _teslim, _kargo, _aciklama, _verenid, _kargoyeni});
    auto sonuc = c.sonuc.boolean(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::SiparisAyrintisi2(int carino, int idnosu)
{
    ProximCagri c = cagir(QStringLiteral("SiparisAyrintisi2"), {carino, idnosu});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::FaturaGetir(int carino, int idnosu)
{
    ProximCagri c = cagir(QStringLiteral("FaturaGetir"), {carino, idnosu});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::FaturaAltGetir(int idnosu)
{
    ProximCagri c = cagir(QStringLiteral("FaturaAltGetir"), {idnosu});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::Tahsilat(int idnosu)
{
    ProximCagri c = cagir(QStringLiteral("Tahsilat"), {idnosu});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

int TServerMethods1Client::SanalposSiranoVer(int idnosu)
{
    ProximCagri c = cagir(QStringLiteral("SanalposSiranoVer"), {idnosu});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

int TServerMethods1Client::BakiyeDuzenle(const TSonucBilgisi& k, int stokno, int sepetsirano, int siparissirano, double Adet, double Bakiye, const QString& barkod)
{
    ProximCagri c = cagir(QStringLiteral("BakiyeDuzenle"), {wire::marshal(k), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

int TServerMethods1Client::BakiyeDegistir(const TSonucBilgisi& k, int stokno, int sepetsirano, int siparissirano, double Adet, double Bakiye, const QString& barkod)
{
    ProximCagri c = cagir(QStringLiteral("BakiyeDegistir"), {wire::marshal(k), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

int TServerMethods1Client::BakiyeFiyatDegistir(const TSonucBilgisi& k, int stokno, int sepetsirano, int siparissirano, double Adet, double Bakiye, const QString& barkod, double fiyat, double ind)
{
    ProximCagri c = cagir(QStringLiteral("BakiyeFiyatDegistir"), {wire::marshal(k), stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod, fiyat, ind});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

std::optional<TSiparisDipAyrinti> TServerMethods1Client::SiparisAytintisiDip(int carino, int siranosu)
{
    ProximCagri c = cagir(QStringLiteral("SiparisAytintisiDip"), {carino, siranosu});
    auto sonuc = c.sonuc.object<TSiparisDipAyrinti>(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::CariAra(const TSonucBilgisi& bil, const QString& aranan)
{
    ProximCagri c = cagir(QStringLiteral("CariAra"), {wire::marshal(bil), aranan});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

int TServerMethods1Client::SepetSayisi(const TSonucBilgisi& bil)
{
    ProximCagri c = cagir(QStringLiteral("SepetSayisi"), {wire::marshal(bil)});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

std::optional<TTusSonuclari> TServerMethods1Client::TusSonuclariVer(const TSonucBilgisi& bil)
{
    ProximCagri c = cagir(QStringLiteral("TusSonuclariVer"), {wire::marshal(bil)});
    auto sonuc = c.sonuc.object<TTusSonuclari>(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::CariSepetVer(const TSonucBilgisi& bil, int n)
{
    ProximCagri c = cagir(QStringLiteral("CariSepetVer"), {wire::marshal(bil), n});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

QString TServerMethods1Client::KayanYaziGetir()
{
    ProximCagri c = cagir(QStringLiteral("KayanYaziGetir"), {});
    auto sonuc = c.sonuc.string(u"Result");
    c.bitir();
    return sonuc;
}

QByteArray TServerMethods1Client::BannerResimVer2(qint64& size)
{
    ProximCagri c = cagir(QStringLiteral("BannerResimVer2"), {});
    size = c.sonuc.int64(u"size");
    auto sonuc = c.sonuc.bytes(u"Result");
    c.bitir();
    return sonuc;
}

QByteArray TServerMethods1Client::BannerResimVer3(qint64& size)
{
    ProximCagri c = cagir(QStringLiteral("BannerResimVer3"), {});
    size = c.sonuc.int64(u"size");
    auto sonuc = c.sonuc.bytes(u"Result");
    c.bitir();
    return sonuc;
}

QByteArray TServerMethods1Client::RaporGetir(int raporno, int bolum, int idno, int carino, const QString& saticiadi, double tarih1, double tarih2, qint64& size)
{
    ProximCagri c = cagir(QStringLiteral("RaporGetir"), {raporno, bolum, idno, carino, saticiadi, tarih1, tarih2});
    size = c.sonuc.int64(u"size");
    auto sonuc = c.sonuc.bytes(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::BalonGetir(const TSonucBilgisi& bil)
{
    ProximCagri c = cagir(QStringLiteral("BalonGetir"), {wire::marshal(bil)});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::TumSiparislerVer(int carino, int stokno)
{
    ProximCagri c = cagir(QStringLiteral("TumSiparislerVer"), {carino, stokno});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

void TServerMethods1Client::SepetSecimGuncelle(int sirano, int secim)
{
    ProximCagri c = cagir(QStringLiteral("SepetSecimGuncelle"), {sirano, secim});
    c.bitir();
}

int TServerMethods1Client::MailGonserCari(const QString& idsi, const QString& baslik, const QString& firmaadi, const QString& adres1, const QString& adres2, const QString& ilce, const QString& sehir, const QString& telefon, const QString& fax, const QString& vd, const QString& vn, const QString& yetkili, const QString& kullaniciadi, const QString& sifre, const QString& mail, const QString& kargoambar)
{
    ProximCagri c = cagir(QStringLiteral("MailGonserCari"), {idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon, fax, vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

int TServerMethods1Client::MailGonserCariNormal(const QString& idsi, const QString& baslik, const QString& firmaadi, const QString& adres1, const QString& adres2, const QString& ilce, const QString& sehir, const QString& telefon, const QString& fax, const QString& vd, const QString& vn, const QString& yetkili, const QString& kullaniciadi, const QString& sifre, const QString& mail, const QString& kargoambar, const QString& konu)
{
    ProximCagri c = cagir(QStringLiteral("MailGonserCariNormal"), {idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon, fax, vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar, konu});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

std::optional<TMobilCariBilgisi> TServerMethods1Client::MobilCariBilgisiGetir(int sirano, const QString& _idsi)
{
    ProximCagri c = cagir(QStringLiteral("MobilCariBilgisiGetir"), {sirano, _idsi});
    auto sonuc = c.sonuc.object<TMobilCariBilgisi>(u"Result");
    c.bitir();
    return sonuc;
}

int TServerMethods1Client::AcilisReklamAdet()
{
    ProximCagri c = cagir(QStringLiteral("AcilisReklamAdet"), {});
    auto sonuc = c.sonuc.int32(u"Result");
    c.bitir();
    return sonuc;
}

std::optional<TAcilisEkran> TServerMethods1Client::AcilisREklamVer(int sira)
{
    ProximCagri c = cagir(QStringLiteral("AcilisREklamVer"), {sira});
    auto sonuc = c.sonuc.object<TAcilisEkran>(u"Result");
    c.bitir();
    return sonuc;
}

std::optional<TAcilisEkranlariki> TServerMethods1Client::AcilisEkranlarVer2()
{
    ProximCagri c = cagir(QStringLiteral("AcilisEkranlarVer2"), {});
    auto sonuc = c.sonuc.object<TAcilisEkranlariki>(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::RaporAlinanSiparisler(const TSonucBilgisi& bilgi, double tarih1, double tarih2)
{
    ProximCagri c = cagir(QStringLiteral("RaporAlinanSiparisler"), {wire::marshal(bilgi), tarih1, tarih2});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::RaporEnCokSatilanStoklar(const TSonucBilgisi& bilgi, double tarih1, double tarih2)
{
    ProximCagri c = cagir(QStringLiteral("RaporEnCokSatilanStoklar"), {wire::marshal(bilgi), tarih1, tarih2});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}

QString TServerMethods1Client::CariDurumVer(int carino)
{
    ProximCagri c = cagir(QStringLiteral("CariDurumVer"), {carino});
    auto sonuc = c.sonuc.string(u"Result");
    c.bitir();
    return sonuc;
}

QString TServerMethods1Client::CariVadeGunGecmismiBul(int carino)
{
    ProximCagri c = cagir(QStringLiteral("CariVadeGunGecmismiBul"), {carino});
    auto sonuc = c.sonuc.string(u"Result");
    c.bitir();
    return sonuc;
}

TableData TServerMethods1Client::StokHareketVer(int carino, int stokno)
{
    ProximCagri c = cagir(QStringLiteral("StokHareketVer"), {carino, stokno});
    auto sonuc = c.sonuc.table(u"Result");
    c.bitir();
    return sonuc;
}
