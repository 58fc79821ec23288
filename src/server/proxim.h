#pragma once
// Server access (module proxim): the endpoint settings and the client class
// of the remote server methods.
//
// A call from a window, following the one call-site pattern:
//
//   if (!BaglantiKontrol(bagc, 1)) return;            // core/baglantikontrol.h
//   TServerMethods1Client client(bagc);               // throws if bagc is not open
//   TSonucBilgisi kopya; kopya.Kopyala(sbilgi);
//   stok.assign(client.StokAraGetirZelvori(kod, kopya));
//   bagc.Close();
//
// Every failure of a call (server error text, broken connection, timeout,
// undecodable answer) is thrown as datasnap::ServerError; its message() is
// the text to show.

#include "core/baglantiu.h"
#include "platform/dataset/tabledata.h"
#include "platform/datasnap/connection.h"
#include "platform/datasnap/servererror.h"
#include "server/baglantiu.h"
#include "server/mobilstokunit.h"
#include "wire/value.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <map>
#include <memory>
#include <optional>

namespace datasnap {
class ServerMethodCommand;
}
struct ProximCagri;

// ---- Endpoint settings ---------------------------------------------------
// The distributor's hosts are compiled in. For development and tests each
// can be replaced from the environment:
//   ZELVORI_SUNUCU   server host, or host:port (the port then replaces 9090)
//   ZELVORI_WEB      web base address ("http://host:port/"; a missing final
//                    "/" is added); ResimAdresi follows it
//   ZELVORI_ODEME    payment page base address ("https://host")
//   ZELVORI_INDIRME  download base address ("http://host")
//   ZELVORI_IPSERVIS address lookup URL (answers the caller's IPv4 as text)
// The values are read from the environment at every call, from any thread.

// Host name of the application server.
QString SunucuAdresi();
// Port of the application server: 9090 unless ZELVORI_SUNUCU names one.
int SunucuPortu();
// Plain-HTTP root address of the web host, ending with "/". Without
// ZELVORI_WEB it is "http://" + the server host + "/".
QString WebAdresi();
// Picture service prefix: WebAdresi() + "resimgoster.ashx?id="; the stock
// number in decimal is appended.
QString ResimAdresi();
// Payment page base address without a final "/"; "/tuvrakart.html?..." is appended.
QString OdemeAdresi();
// Download base address without a final "/"; "/exe/ZELVORISetup.exe" is appended.
QString IndirmeAdresi();
// Complete address of the external-address lookup.
QString IpServisAdresi();
// Writes HostName and Port of a connection from the settings above.
void SunucuAdresiniYaz(datasnap::Connection& connection);

// Registers every transfer object (and the sign-in record) with the wire
// codec's type registry. Idempotent and thread-safe; the client class calls
// it itself, the application server calls it at start-up.
void TransferNesneleriniKaydet();

// ---- Client class ----------------------------------------------------------
// One method per server method of TServerMethods1, named as the server
// method: in-parameters by position, out-parameters as references, the
// result returned as an owned value (tables as TableData for the caller to
// assign into its MemTable, objects as values, std::nullopt for a null
// object, streams as bytes with their announced size in the out parameter).
//
// A client is created for one use on an open connection (bagc or a clone),
// used by one thread, and destroyed before its connection is closed. The
// server-method command of each method is created and prepared on its first
// call and reused by later calls of the same method.
class TServerMethods1Client
{
public:
    // Throws datasnap::ServerError "Connection cannot be nil.  Make sure the
    // connection has been opened." when the connection is not open.
    explicit TServerMethods1Client(datasnap::Connection& connection);
    ~TServerMethods1Client();
    TServerMethods1Client(const TServerMethods1Client&) = delete;
    TServerMethods1Client& operator=(const TServerMethods1Client&) = delete;

    int EnVer(int stokno);
    TableData SepetVer2(int carino);
    TableData OncekiSiparisler(int carino);
    TableData CariEkstreVer(int carino);
    TableData KampanyaliVer2(int cario, int satici);
    TableData BakiyelerVer2(int carino);
    std::optional<TSonucBilgisi> BuyukGetir(const QString& idsi);
    QByteArray SAnalPosPdfVer(int sirano, qint64& boy);
    TableData StokAraGetirZelvori(const QString& kod, const TSonucBilgisi& bilgi);
    TableData YenilerVer2(int carino);
    TableData TeslimVer();
    TableData KargoVer();
    TableData KargolarVer(int gn);
    int SepetEkle2(const TSonucBilgisi& bilgim, int carino, int stokno, const QString& barkod,
                   const QString& stokadi, double miktar, double kdv, double fiyat, double ind1,
                   int verenid, int k, double ind2, double ind3, double ind4);
    int SepetGuncelle2(const TSonucBilgisi& bilgim, int carino, int stokno, const QString& barkod,
                       const QString& stokadi, double miktar, double kdv, double fiyat, double ind1,
                       int verenid, int _sepetsirano, double ind2, double ind3, double ind4);
    int SepetHepsiniSil(const TSonucBilgisi& bilgi);
    int SepetSatirSil(const TSonucBilgisi& bilgi, int satirno, const QString& aciklamam);
    bool SiparisKaydet(const TSonucBilgisi& BB, int _carino, int _teslim, int _kargo,
                       const QString& _aciklama, int _verenid, int _kargoyeni);
    TableData SiparisAyrintisi2(int carino, int idnosu);
    TableData FaturaGetir(int carino, int idnosu);
    TableData FaturaAltGetir(int idnosu);
    TableData Tahsilat(int idnosu);
    int SanalposSiranoVer(int idnosu);
    int BakiyeDuzenle(const TSonucBilgisi& k, int stokno, int sepetsirano, int siparissirano,
                      double Adet, double Bakiye, const QString& barkod);
    int BakiyeDegistir(const TSonucBilgisi& k, int stokno, int sepetsirano, int siparissirano,
                       double Adet, double Bakiye, const QString& barkod);
    int BakiyeFiyatDegistir(const TSonucBilgisi& k, int stokno, int sepetsirano, int siparissirano,
                            double Adet, double Bakiye, const QString& barkod, double fiyat, double ind);
    std::optional<TSiparisDipAyrinti> SiparisAytintisiDip(int carino, int siranosu);
    TableData CariAra(const TSonucBilgisi& bil, const QString& aranan);
    int SepetSayisi(const TSonucBilgisi& bil);
    std::optional<TTusSonuclari> TusSonuclariVer(const TSonucBilgisi& bil);
    TableData CariSepetVer(const TSonucBilgisi& bil, int n);
    QString KayanYaziGetir();
    QByteArray BannerResimVer2(qint64& size);
    QByteArray BannerResimVer3(qint64& size);
    QByteArray RaporGetir(int raporno, int bolum, int idno, int carino, const QString& saticiadi,
                          double tarih1, double tarih2, qint64& size);
    TableData BalonGetir(const TSonucBilgisi& bil);
    TableData TumSiparislerVer(int carino, int stokno);
    void SepetSecimGuncelle(int sirano, int secim);
    int MailGonserCari(const QString& idsi, const QString& baslik, const QString& firmaadi,
                       const QString& adres1, const QString& adres2, const QString& ilce,
                       const QString& sehir, const QString& telefon, const QString& fax,
                       const QString& vd, const QString& vn, const QString& yetkili,
                       const QString& kullaniciadi, const QString& sifre, const QString& mail,
                       const QString& kargoambar);
    int MailGonserCariNormal(const QString& idsi, const QString& baslik, const QString& firmaadi,
                             const QString& adres1, const QString& adres2, const QString& ilce,
                             const QString& sehir, const QString& telefon, const QString& fax,
                             const QString& vd, const QString& vn, const QString& yetkili,
                             const QString& kullaniciadi, const QString& sifre, const QString& mail,
                             const QString& kargoambar, const QString& konu);
    std::optional<TMobilCariBilgisi> MobilCariBilgisiGetir(int sirano, const QString& _idsi);
    int AcilisReklamAdet();
    std::optional<TAcilisEkran> AcilisREklamVer(int sira);
    std::optional<TAcilisEkranlariki> AcilisEkranlarVer2();
    TableData RaporAlinanSiparisler(const TSonucBilgisi& bilgi, double tarih1, double tarih2);
    TableData RaporEnCokSatilanStoklar(const TSonucBilgisi& bilgi, double tarih1, double tarih2);
    QString CariDurumVer(int carino);
    QString CariVadeGunGecmismiBul(int carino);
    TableData StokHareketVer(int carino, int stokno);

private:
    datasnap::ServerMethodCommand& komut(const QString& method);
    // Runs one call of a method with its in-parameters.
    ProximCagri cagir(const QString& method, QList<wire::Value> parameters);

    datasnap::Connection& m_connection;
    std::map<QString, std::unique_ptr<datasnap::ServerMethodCommand>> m_komutlar;
};
