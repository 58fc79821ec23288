#pragma once
// Transfer objects of the module mobilstokunit: dealer-account details,
// opening adverts and announcements, catalogue items and basket lines.
//
// Each field F<Name> sits behind the property <Name>; properties are declared
// in field order, which is the member order of the marshalled form ("F" +
// property name). Dates (TDate) are day numbers held as double.

#include <QList>
#include <QMetaType>
#include <QString>
#include <QtCore/qobjectdefs.h>

// The details of a dealer account (MobilCariBilgisiGetir). Texts empty,
// numbers 0.
class TMobilCariBilgisi
{
    Q_GADGET
    Q_PROPERTY(QString BILGISAYARID READ BILGISAYARID WRITE setBILGISAYARID)
    Q_PROPERTY(QString SEHIR READ SEHIR WRITE setSEHIR)
    Q_PROPERTY(QString FAX1 READ FAX1 WRITE setFAX1)
    Q_PROPERTY(QString SATICIMAIL READ SATICIMAIL WRITE setSATICIMAIL)
    Q_PROPERTY(QString SATICIADI READ SATICIADI WRITE setSATICIADI)
    Q_PROPERTY(QString CARIADI READ CARIADI WRITE setCARIADI)
    Q_PROPERTY(QString EMAIL READ EMAIL WRITE setEMAIL)
    Q_PROPERTY(QString VERGIDAIRESI READ VERGIDAIRESI WRITE setVERGIDAIRESI)
    Q_PROPERTY(QString YETKILI READ YETKILI WRITE setYETKILI)
    Q_PROPERTY(QString AltGrup READ AltGrup WRITE setAltGrup)
    Q_PROPERTY(QString TEL2 READ TEL2 WRITE setTEL2)
    Q_PROPERTY(QString SIFRE READ SIFRE WRITE setSIFRE)
    Q_PROPERTY(QString GSM READ GSM WRITE setGSM)
    Q_PROPERTY(QString TEL1 READ TEL1 WRITE setTEL1)
    Q_PROPERTY(QString ADRES2 READ ADRES2 WRITE setADRES2)
    Q_PROPERTY(double TLBORC READ TLBORC WRITE setTLBORC)
    Q_PROPERTY(double TLALACAK READ TLALACAK WRITE setTLALACAK)
    Q_PROPERTY(QString ADRES1 READ ADRES1 WRITE setADRES1)
    Q_PROPERTY(QString ULKE READ ULKE WRITE setULKE)
    Q_PROPERTY(QString AnaGrup READ AnaGrup WRITE setAnaGrup)
    Q_PROPERTY(int CARINO READ CARINO WRITE setCARINO)
    Q_PROPERTY(double TLBAKIYE READ TLBAKIYE WRITE setTLBAKIYE)
    Q_PROPERTY(QString VERGINO READ VERGINO WRITE setVERGINO)
    Q_PROPERTY(QString MAIL READ MAIL WRITE setMAIL)
    Q_PROPERTY(QString OzelKod READ OzelKod WRITE setOzelKod)
    Q_PROPERTY(QString KULLANICIADI READ KULLANICIADI WRITE setKULLANICIADI)
    Q_PROPERTY(QString SATICITELEFON READ SATICITELEFON WRITE setSATICITELEFON)
    Q_PROPERTY(QString CARIKOD READ CARIKOD WRITE setCARIKOD)
    Q_PROPERTY(QString FAX2 READ FAX2 WRITE setFAX2)
    Q_PROPERTY(QString ILCE READ ILCE WRITE setILCE)

public:
    static QString TypeName() { return QStringLiteral("mobilstokunit.TMobilCariBilgisi"); }

    // Copies every field of source; afterwards both are equal and share nothing.
    void Kopyala(const TMobilCariBilgisi& source) { *this = source; }

    bool operator==(const TMobilCariBilgisi&) const = default;

    QString BILGISAYARID() const { return FBILGISAYARID; }
    void setBILGISAYARID(const QString& v) { FBILGISAYARID = v; }
    QString SEHIR() const { return FSEHIR; }
    void setSEHIR(const QString& v) { FSEHIR = v; }
    QString FAX1() const { return FFAX1; }
    void setFAX1(const QString& v) { FFAX1 = v; }
    QString SATICIMAIL() const { return FSATICIMAIL; }
    void setSATICIMAIL(const QString& v) { FSATICIMAIL = v; }
    QString SATICIADI() const { return FSATICIADI; }
    void setSATICIADI(const QString& v) { FSATICIADI = v; }
    QString CARIADI() const { return FCARIADI; }
    void setCARIADI(const QString& v) { FCARIADI = v; }
    QString EMAIL() const { return FEMAIL; }
    void setEMAIL(const QString& v) { FEMAIL = v; }
    QString VERGIDAIRESI() const { return FVERGIDAIRESI; }
    void setVERGIDAIRESI(const QString& v) { FVERGIDAIRESI = v; }
    QString YETKILI() const { return FYETKILI; }
    void setYETKILI(const QString& v) { FYETKILI = v; }
    QString AltGrup() const { return FAltGrup; }
    void setAltGrup(const QString& v) { FAltGrup = v; }
    QString TEL2() const { return FTEL2; }
    void setTEL2(const QString& v) { FTEL2 = v; }
    QString SIFRE() const { return FSIFRE; }
    void setSIFRE(const QString& v) { FSIFRE = v; }
    QString GSM() const { return FGSM; }
    void setGSM(const QString& v) { FGSM = v; }
    QString TEL1() const { return FTEL1; }
    void setTEL1(const QString& v) { FTEL1 = v; }
    QString ADRES2() const { return FADRES2; }
    void setADRES2(const QString& v) { FADRES2 = v; }
    double TLBORC() const { return FTLBORC; }
    void setTLBORC(double v) { FTLBORC = v; }
    double TLALACAK() const { return FTLALACAK; }
    void setTLALACAK(double v) { FTLALACAK = v; }
    QString ADRES1() const { return FADRES1; }
    void setADRES1(const QString& v) { FADRES1 = v; }
    QString ULKE() const { return FULKE; }
    void setULKE(const QString& v) { FULKE = v; }
    QString AnaGrup() const { return FAnaGrup; }
    void setAnaGrup(const QString& v) { FAnaGrup = v; }
    int CARINO() const { return FCARINO; }
    void setCARINO(int v) { FCARINO = v; }
    double TLBAKIYE() const { return FTLBAKIYE; }
    void setTLBAKIYE(double v) { FTLBAKIYE = v; }
    QString VERGINO() const { return FVERGINO; }
    void setVERGINO(const QString& v) { FVERGINO = v; }
    QString MAIL() const { return FMAIL; }
    void setMAIL(const QString& v) { FMAIL = v; }
    QString OzelKod() const { return FOzelKod; }
    void setOzelKod(const QString& v) { FOzelKod = v; }
    QString KULLANICIADI() const { return FKULLANICIADI; }
    void setKULLANICIADI(const QString& v) { FKULLANICIADI = v; }
    QString SATICITELEFON() const { return FSATICITELEFON; }
    void setSATICITELEFON(const QString& v) { FSATICITELEFON = v; }
    QString CARIKOD() const { return FCARIKOD; }
    void setCARIKOD(const QString& v) { FCARIKOD = v; }
    QString FAX2() const { return FFAX2; }
    void setFAX2(const QString& v) { FFAX2 = v; }
    QString ILCE() const { return FILCE; }
    void setILCE(const QString& v) { FILCE = v; }

private:
    QString FBILGISAYARID;
    QString FSEHIR;
    QString FFAX1;
    QString FSATICIMAIL;
    QString FSATICIADI;
    QString FCARIADI;
    QString FEMAIL;
    QString FVERGIDAIRESI;
    QString FYETKILI;
    QString FAltGrup;
    QString FTEL2;
    QString FSIFRE;
    QString FGSM;
    QString FTEL1;
    QString FADRES2;
    double FTLBORC = 0;
    double FTLALACAK = 0;
    QString FADRES1;
    QString FULKE;
    QString FAnaGrup;
    int FCARINO = 0;
    double FTLBAKIYE = 0;
    QString FVERGINO;
    QString FMAIL;
    QString FOzelKod;
    QString FKULLANICIADI;
    QString FSATICITELEFON;
    QString FCARIKOD;
    QString FFAX2;
    QString FILCE;
};

// One opening advert or announcement (AcilisREklamVer, and the items of
// TAcilisEkranlariki). Resim is the picture as hexadecimal text, two digits per
// byte; Arama is "#KAMPANYA#", "#YENİ#" or a search text. No copy method:
// it is a plain value, copied by assignment.
class TAcilisEkran
{
    Q_GADGET
    Q_PROPERTY(int SiraNo READ SiraNo WRITE setSiraNo)
    Q_PROPERTY(QString Resim READ Resim WRITE setResim)
    Q_PROPERTY(QString Baslik READ Baslik WRITE setBaslik)
    Q_PROPERTY(QString Arama READ Arama WRITE setArama)

public:
    static QString TypeName() { return QStringLiteral("mobilstokunit.TAcilisEkran"); }

    bool operator==(const TAcilisEkran&) const = default;

    int SiraNo() const { return FSiraNo; }
    void setSiraNo(int v) { FSiraNo = v; }
    QString Resim() const { return FResim; }
    void setResim(const QString& v) { FResim = v; }
    QString Baslik() const { return FBaslik; }
    void setBaslik(const QString& v) { FBaslik = v; }
    QString Arama() const { return FArama; }
    void setArama(const QString& v) { FArama = v; }

private:
    int FSiraNo = 0;
    QString FResim;
    QString FBaslik;
    QString FArama;
};

// The announcement set (AcilisEkranlarVer2). The list owns its items.
class TAcilisEkranlariki
{
    Q_GADGET
    Q_PROPERTY(QList<TAcilisEkran> Ekranlar READ Ekranlar WRITE setEkranlar)

public:
    static QString TypeName() { return QStringLiteral("mobilstokunit.TAcilisEkranlariki"); }

    bool operator==(const TAcilisEkranlariki&) const = default;

    QList<TAcilisEkran> Ekranlar() const { return FEkranlar; }
    // Replaces the whole array.
    void setEkranlar(const QList<TAcilisEkran>& v) { FEkranlar = v; }

private:
    QList<TAcilisEkran> FEkranlar;
};

// One catalogue item with its prices. Numbers 0 and texts empty, except
// Birim "ADET" and KDV 20. (Kampnayali is spelled so on the wire.)
class TMobilStok
{
    Q_GADGET
    Q_PROPERTY(int StokNo READ StokNo WRITE setStokNo)
    Q_PROPERTY(int ResimVar READ ResimVar WRITE setResimVar)
    Q_PROPERTY(QString Resim READ Resim WRITE setResim)
    Q_PROPERTY(int Yeni READ Yeni WRITE setYeni)
    Q_PROPERTY(QString Departman READ Departman WRITE setDepartman)
    Q_PROPERTY(double VerilenSiparis READ VerilenSiparis WRITE setVerilenSiparis)
    Q_PROPERTY(QString AltGrup READ AltGrup WRITE setAltGrup)
    Q_PROPERTY(int Durum READ Durum WRITE setDurum)
    Q_PROPERTY(QString Renk READ Renk WRITE setRenk)
    Q_PROPERTY(QString Birim READ Birim WRITE setBirim)
    Q_PROPERTY(double KDV READ KDV WRITE setKDV)
    Q_PROPERTY(double AlinanSiparis READ AlinanSiparis WRITE setAlinanSiparis)
    Q_PROPERTY(double Isk2 READ Isk2 WRITE setIsk2)
    Q_PROPERTY(QString AnaGrup READ AnaGrup WRITE setAnaGrup)
    Q_PROPERTY(QString Kod READ Kod WRITE setKod)
    Q_PROPERTY(double Isk3 READ Isk3 WRITE setIsk3)
    Q_PROPERTY(double ListeFiyati READ ListeFiyati WRITE setListeFiyati)
    Q_PROPERTY(QString Beden READ Beden WRITE setBeden)
    Q_PROPERTY(double NetFiyat READ NetFiyat WRITE setNetFiyat)
    Q_PROPERTY(double Isk1 READ Isk1 WRITE setIsk1)
    Q_PROPERTY(double KDVliFiyat READ KDVliFiyat WRITE setKDVliFiyat)
    Q_PROPERTY(double Isk4 READ Isk4 WRITE setIsk4)
    Q_PROPERTY(QString OzelKod READ OzelKod WRITE setOzelKod)
    Q_PROPERTY(int Kampnayali READ Kampnayali WRITE setKampnayali)
    Q_PROPERTY(QString Barkod READ Barkod WRITE setBarkod)
    Q_PROPERTY(double IndirimOran READ IndirimOran WRITE setIndirimOran)
    Q_PROPERTY(double Kalan READ Kalan WRITE setKalan)
    Q_PROPERTY(QString UreticiKod READ UreticiKod WRITE setUreticiKod)
    Q_PROPERTY(double KampanyaliFiyat READ KampanyaliFiyat WRITE setKampanyaliFiyat)
    Q_PROPERTY(QString OemNo READ OemNo WRITE setOemNo)
    Q_PROPERTY(int BarkodNo READ BarkodNo WRITE setBarkodNo)
    Q_PROPERTY(QString PKod READ PKod WRITE setPKod)
    Q_PROPERTY(QString DpKod READ DpKod WRITE setDpKod)
    Q_PROPERTY(QString Adi READ Adi WRITE setAdi)
    Q_PROPERTY(double Fiyat READ Fiyat WRITE setFiyat)

public:
    static QString TypeName() { return QStringLiteral("mobilstokunit.TMobilStok"); }

    // Copies every field of source; afterwards both are equal and share nothing.
    void Kopyala(const TMobilStok& source) { *this = source; }

    bool operator==(const TMobilStok&) const = default;

    int StokNo() const { return FStokNo; }
    void setStokNo(int v) { FStokNo = v; }
    int ResimVar() const { return FResimVar; }
    void setResimVar(int v) { FResimVar = v; }
    QString Resim() const { return FResim; }
    void setResim(const QString& v) { FResim = v; }
    int Yeni() const { return FYeni; }
    void setYeni(int v) { FYeni = v; }
    QString Departman() const { return FDepartman; }
    void setDepartman(const QString& v) { FDepartman = v; }
    double VerilenSiparis() const { return FVerilenSiparis; }
    void setVerilenSiparis(double v) { FVerilenSiparis = v; }
    QString AltGrup() const { return FAltGrup; }
    void setAltGrup(const QString& v) { FAltGrup = v; }
    int Durum() const { return FDurum; }
    void setDurum(int v) { FDurum = v; }
    QString Renk() const { return FRenk; }
    void setRenk(const QString& v) { FRenk = v; }
    QString Birim() const { return FBirim; }
    void setBirim(const QString& v) { FBirim = v; }
    double KDV() const { return FKDV; }
    void setKDV(double v) { FKDV = v; }
    double AlinanSiparis() const { return FAlinanSiparis; }
    void setAlinanSiparis(double v) { FAlinanSiparis = v; }
    double Isk2() const { return FIsk2; }
    void setIsk2(double v) { FIsk2 = v; }
    QString AnaGrup() const { return FAnaGrup; }
    void setAnaGrup(const QString& v) { FAnaGrup = v; }
    QString Kod() const { return FKod; }
    void setKod(const QString& v) { FKod = v; }
    double Isk3() const { return FIsk3; }
    void setIsk3(double v) { FIsk3 = v; }
    double ListeFiyati() const { return FListeFiyati; }
    void setListeFiyati(double v) { FListeFiyati = v; }
    QString Beden() const { return FBeden; }
    void setBeden(const QString& v) { FBeden = v; }
    double NetFiyat() const { return FNetFiyat; }
    void setNetFiyat(double v) { FNetFiyat = v; }
    double Isk1() const { return FIsk1; }
    void setIsk1(double v) { FIsk1 = v; }
    double KDVliFiyat() const { return FKDVliFiyat; }
    void setKDVliFiyat(double v) { FKDVliFiyat = v; }
    double Isk4() const { return FIsk4; }
    void setIsk4(double v) { FIsk4 = v; }
    QString OzelKod() const { return FOzelKod; }
    void setOzelKod(const QString& v) { FOzelKod = v; }
    int Kampnayali() const { return FKampnayali; }
    void setKampnayali(int v) { FKampnayali = v; }
    QString Barkod() const { return FBarkod; }
    void setBarkod(const QString& v) { FBarkod = v; }
    double IndirimOran() const { return FIndirimOran; }
    void setIndirimOran(double v) { FIndirimOran = v; }
    double Kalan() const { return FKalan; }
    void setKalan(double v) { FKalan = v; }
    QString UreticiKod() const { return FUreticiKod; }
    void setUreticiKod(const QString& v) { FUreticiKod = v; }
    double KampanyaliFiyat() const { return FKampanyaliFiyat; }
    void setKampanyaliFiyat(double v) { FKampanyaliFiyat = v; }
    QString OemNo() const { return FOemNo; }
    void setOemNo(const QString& v) { FOemNo = v; }
    int BarkodNo() const { return FBarkodNo; }
    void setBarkodNo(int v) { FBarkodNo = v; }
    QString PKod() const { return FPKod; }
    void setPKod(const QString& v) { FPKod = v; }
    QString DpKod() const { return FDpKod; }
    void setDpKod(const QString& v) { FDpKod = v; }
    QString Adi() const { return FAdi; }
    void setAdi(const QString& v) { FAdi = v; }
    double Fiyat() const { return FFiyat; }
    void setFiyat(double v) { FFiyat = v; }

private:
    int FStokNo = 0;
    int FResimVar = 0;
    QString FResim;
    int FYeni = 0;
    QString FDepartman;
    double FVerilenSiparis = 0;
    QString FAltGrup;
    int FDurum = 0;
    QString FRenk;
    QString FBirim = QStringLiteral("ADET");
    double FKDV = 20;
    double FAlinanSiparis = 0;
    double FIsk2 = 0;
    QString FAnaGrup;
    QString FKod;
    double FIsk3 = 0;
    double FListeFiyati = 0;
    QString FBeden;
    double FNetFiyat = 0;
    double FIsk1 = 0;
    double FKDVliFiyat = 0;
    double FIsk4 = 0;
    QString FOzelKod;
    int FKampnayali = 0;
    QString FBarkod;
    double FIndirimOran = 0;
    double FKalan = 0;
    QString FUreticiKod;
    double FKampanyaliFiyat = 0;
    QString FOemNo;
    int FBarkodNo = 0;
    QString FPKod;
    QString FDpKod;
    QString FAdi;
    double FFiyat = 0;
};

// One basket line; its fields are the columns of the basket table. Numbers and
// dates 0, texts empty.
class TMobilSepet
{
    Q_GADGET
    Q_PROPERTY(int KARGOID READ KARGOID WRITE setKARGOID)
    Q_PROPERTY(int StokNo READ StokNo WRITE setStokNo)
    Q_PROPERTY(double TARIH READ TARIH WRITE setTARIH)
    Q_PROPERTY(int SIRANO READ SIRANO WRITE setSIRANO)
    Q_PROPERTY(QString CARIADI READ CARIADI WRITE setCARIADI)
    Q_PROPERTY(double VERILISTARIHI READ VERILISTARIHI WRITE setVERILISTARIHI)
    Q_PROPERTY(int Durum READ Durum WRITE setDurum)
    Q_PROPERTY(double MIKTAR READ MIKTAR WRITE setMIKTAR)
    Q_PROPERTY(int VERENIDNO READ VERENIDNO WRITE setVERENIDNO)
    Q_PROPERTY(double NETTUTAR READ NETTUTAR WRITE setNETTUTAR)
    Q_PROPERTY(double KDVLITUTAR READ KDVLITUTAR WRITE setKDVLITUTAR)
    Q_PROPERTY(double KDV READ KDV WRITE setKDV)
    Q_PROPERTY(int AKTAR READ AKTAR WRITE setAKTAR)
    Q_PROPERTY(QString SAAT READ SAAT WRITE setSAAT)
    Q_PROPERTY(double VERGITUTARI READ VERGITUTARI WRITE setVERGITUTARI)
    Q_PROPERTY(QString PKod READ PKod WRITE setPKod)
    Q_PROPERTY(QString MODEL READ MODEL WRITE setMODEL)
    Q_PROPERTY(double INDIRIMTUTAR READ INDIRIMTUTAR WRITE setINDIRIMTUTAR)
    Q_PROPERTY(int STOK_STOKNO READ STOK_STOKNO WRITE setSTOK_STOKNO)
    Q_PROPERTY(double BIRIMFIYAT READ BIRIMFIYAT WRITE setBIRIMFIYAT)
    Q_PROPERTY(int SEC READ SEC WRITE setSEC)
    Q_PROPERTY(QString OEM2 READ OEM2 WRITE setOEM2)
    Q_PROPERTY(QString OEM3 READ OEM3 WRITE setOEM3)
    Q_PROPERTY(QString AnaGrup READ AnaGrup WRITE setAnaGrup)
    Q_PROPERTY(QString MARKA READ MARKA WRITE setMARKA)
    Q_PROPERTY(QString VEREN READ VEREN WRITE setVEREN)
    Q_PROPERTY(QString STOKADI READ STOKADI WRITE setSTOKADI)
    Q_PROPERTY(QString OEM1 READ OEM1 WRITE setOEM1)
    Q_PROPERTY(int CARINO READ CARINO WRITE setCARINO)
    Q_PROPERTY(int VERENSIRANO READ VERENSIRANO WRITE setVERENSIRANO)
    Q_PROPERTY(int ACIKLAMA READ ACIKLAMA WRITE setACIKLAMA)
    Q_PROPERTY(double INDIRIMORANI2 READ INDIRIMORANI2 WRITE setINDIRIMORANI2)
    Q_PROPERTY(QString OEM4 READ OEM4 WRITE setOEM4)
    Q_PROPERTY(QString KUR READ KUR WRITE setKUR)
    Q_PROPERTY(double INDIRIMORANI3 READ INDIRIMORANI3 WRITE setINDIRIMORANI3)
    Q_PROPERTY(int SIPARISNO READ SIPARISNO WRITE setSIPARISNO)
    Q_PROPERTY(double IDNO READ IDNO WRITE setIDNO)
    Q_PROPERTY(QString OzelKod READ OzelKod WRITE setOzelKod)
    Q_PROPERTY(QString DpKod READ DpKod WRITE setDpKod)
    Q_PROPERTY(double KURTL READ KURTL WRITE setKURTL)
    Q_PROPERTY(double INDIRIMORANI1 READ INDIRIMORANI1 WRITE setINDIRIMORANI1)
    Q_PROPERTY(QString DIGERADI READ DIGERADI WRITE setDIGERADI)
    Q_PROPERTY(QString Barkod READ Barkod WRITE setBarkod)
    Q_PROPERTY(double TUTAR READ TUTAR WRITE setTUTAR)
    Q_PROPERTY(QString URETICIKODU READ URETICIKODU WRITE setURETICIKODU)
    Q_PROPERTY(double Kalan READ Kalan WRITE setKalan)
    Q_PROPERTY(QString FINISHKOD READ FINISHKOD WRITE setFINISHKOD)
    Q_PROPERTY(QString CARIKOD READ CARIKOD WRITE setCARIKOD)
    Q_PROPERTY(double NETBIRIMFIYAT READ NETBIRIMFIYAT WRITE setNETBIRIMFIYAT)
    Q_PROPERTY(QString OemNo READ OemNo WRITE setOemNo)
    Q_PROPERTY(int TESLIMID READ TESLIMID WRITE setTESLIMID)
    Q_PROPERTY(int ResimVar READ ResimVar WRITE setResimVar)
    Q_PROPERTY(QString Resim READ Resim WRITE setResim)

public:
    static QString TypeName() { return QStringLiteral("mobilstokunit.TMobilSepet"); }

    // Copies every field of source; afterwards both are equal and share nothing.
    void Kopyala(const TMobilSepet& source) { *this = source; }

    bool operator==(const TMobilSepet&) const = default;

    int KARGOID() const { return FKARGOID; }
    void setKARGOID(int v) { FKARGOID = v; }
    int StokNo() const { return FStokNo; }
    void setStokNo(int v) { FStokNo = v; }
    double TARIH() const { return FTARIH; }
    void setTARIH(double v) { FTARIH = v; }
    int SIRANO() const { return FSIRANO; }
    void setSIRANO(int v) { FSIRANO = v; }
    QString CARIADI() const { return FCARIADI; }
    void setCARIADI(const QString& v) { FCARIADI = v; }
    double VERILISTARIHI() const { return FVERILISTARIHI; }
    void setVERILISTARIHI(double v) { FVERILISTARIHI = v; }
    int Durum() const { return FDurum; }
    void setDurum(int v) { FDurum = v; }
    double MIKTAR() const { return FMIKTAR; }
    void setMIKTAR(double v) { FMIKTAR = v; }
    int VERENIDNO() const { return FVERENIDNO; }
    void setVERENIDNO(int v) { FVERENIDNO = v; }
    double NETTUTAR() const { return FNETTUTAR; }
    void setNETTUTAR(double v) { FNETTUTAR = v; }
    double KDVLITUTAR() const { return FKDVLITUTAR; }
    void setKDVLITUTAR(double v) { FKDVLITUTAR = v; }
    double KDV() const { return FKDV; }
    void setKDV(double v) { FKDV = v; }
    int AKTAR() const { return FAKTAR; }
    void setAKTAR(int v) { FAKTAR = v; }
    QString SAAT() const { return FSAAT; }
    void setSAAT(const QString& v) { FSAAT = v; }
    double VERGITUTARI() const { return FVERGITUTARI; }
    void setVERGITUTARI(double v) { FVERGITUTARI = v; }
    QString PKod() const { return FPKod; }
    void setPKod(const QString& v) { FPKod = v; }
    QString MODEL() const { return FMODEL; }
    void setMODEL(const QString& v) { FMODEL = v; }
    double INDIRIMTUTAR() const { return FINDIRIMTUTAR; }
    void setINDIRIMTUTAR(double v) { FINDIRIMTUTAR = v; }
    int STOK_STOKNO() const { return FSTOK_STOKNO; }
    void setSTOK_STOKNO(int v) { FSTOK_STOKNO = v; }
    double BIRIMFIYAT() const { return FBIRIMFIYAT; }
    void setBIRIMFIYAT(double v) { FBIRIMFIYAT = v; }
    int SEC() const { return FSEC; }
    void setSEC(int v) { FSEC = v; }
    QString OEM2() const { return FOEM2; }
    void setOEM2(const QString& v) { FOEM2 = v; }
    QString OEM3() const { return FOEM3; }
    void setOEM3(const QString& v) { FOEM3 = v; }
    QString AnaGrup() const { return FAnaGrup; }
    void setAnaGrup(const QString& v) { FAnaGrup = v; }
    QString MARKA() const { return FMARKA; }
    void setMARKA(const QString& v) { FMARKA = v; }
    QString VEREN() const { return FVEREN; }
    void setVEREN(const QString& v) { FVEREN = v; }
    QString STOKADI() const { return FSTOKADI; }
    void setSTOKADI(const QString& v) { FSTOKADI = v; }
    QString OEM1() const { return FOEM1; }
    void setOEM1(const QString& v) { FOEM1 = v; }
    int CARINO() const { return FCARINO; }
    void setCARINO(int v) { FCARINO = v; }
    int VERENSIRANO() const { return FVERENSIRANO; }
    void setVERENSIRANO(int v) { FVERENSIRANO = v; }
    int ACIKLAMA() const { return FACIKLAMA; }
    void setACIKLAMA(int v) { FACIKLAMA = v; }
    double INDIRIMORANI2() const { return FINDIRIMORANI2; }
    void setINDIRIMORANI2(double v) { FINDIRIMORANI2 = v; }
    QString OEM4() const { return FOEM4; }
    void setOEM4(const QString& v) { FOEM4 = v; }
    QString KUR() const { return FKUR; }
    void setKUR(const QString& v) { FKUR = v; }
    double INDIRIMORANI3() const { return FINDIRIMORANI3; }
    void setINDIRIMORANI3(double v) { FINDIRIMORANI3 = v; }
    int SIPARISNO() const { return FSIPARISNO; }
    void setSIPARISNO(int v) { FSIPARISNO = v; }
    double IDNO() const { return FIDNO; }
    void setIDNO(double v) { FIDNO = v; }
    QString OzelKod() const { return FOzelKod; }
    void setOzelKod(const QString& v) { FOzelKod = v; }
    QString DpKod() const { return FDpKod; }
    void setDpKod(const QString& v) { FDpKod = v; }
    double KURTL() const { return FKURTL; }
    void setKURTL(double v) { FKURTL = v; }
    double INDIRIMORANI1() const { return FINDIRIMORANI1; }
    void setINDIRIMORANI1(double v) { FINDIRIMORANI1 = v; }
    QString DIGERADI() const { return FDIGERADI; }
    void setDIGERADI(const QString& v) { FDIGERADI = v; }
    QString Barkod() const { return FBarkod; }
    void setBarkod(const QString& v) { FBarkod = v; }
    double TUTAR() const { return FTUTAR; }
    void setTUTAR(double v) { FTUTAR = v; }
    QString URETICIKODU() const { return FURETICIKODU; }
    void setURETICIKODU(const QString& v) { FURETICIKODU = v; }
    double Kalan() const { return FKalan; }
    void setKalan(double v) { FKalan = v; }
    QString FINISHKOD() const { return FFINISHKOD; }
    void setFINISHKOD(const QString& v) { FFINISHKOD = v; }
    QString CARIKOD() const { return FCARIKOD; }
    void setCARIKOD(const QString& v) { FCARIKOD = v; }
    double NETBIRIMFIYAT() const { return FNETBIRIMFIYAT; }
    void setNETBIRIMFIYAT(double v) { FNETBIRIMFIYAT = v; }
    QString OemNo() const { return FOemNo; }
    void setOemNo(const QString& v) { FOemNo = v; }
    int TESLIMID() const { return FTESLIMID; }
    void setTESLIMID(int v) { FTESLIMID = v; }
    int ResimVar() const { return FResimVar; }
    void setResimVar(int v) { FResimVar = v; }
    QString Resim() const { return FResim; }
    void setResim(const QString& v) { FResim = v; }

private:
    int FKARGOID = 0;
    int FStokNo = 0;
    double FTARIH = 0;
    int FSIRANO = 0;
    QString FCARIADI;
    double FVERILISTARIHI = 0;
    int FDurum = 0;
    double FMIKTAR = 0;
    int FVERENIDNO = 0;
    double FNETTUTAR = 0;
    double FKDVLITUTAR = 0;
    double FKDV = 0;
    int FAKTAR = 0;
    QString FSAAT;
    double FVERGITUTARI = 0;
    QString FPKod;
    QString FMODEL;
    double FINDIRIMTUTAR = 0;
    int FSTOK_STOKNO = 0;
    double FBIRIMFIYAT = 0;
    int FSEC = 0;
    QString FOEM2;
    QString FOEM3;
    QString FAnaGrup;
    QString FMARKA;
    QString FVEREN;
    QString FSTOKADI;
    QString FOEM1;
    int FCARINO = 0;
    int FVERENSIRANO = 0;
    int FACIKLAMA = 0;
    double FINDIRIMORANI2 = 0;
    QString FOEM4;
    QString FKUR;
    double FINDIRIMORANI3 = 0;
    int FSIPARISNO = 0;
    double FIDNO = 0;
    QString FOzelKod;
    QString FDpKod;
    double FKURTL = 0;
    double FINDIRIMORANI1 = 0;
    QString FDIGERADI;
    QString FBarkod;
    double FTUTAR = 0;
    QString FURETICIKODU;
    double FKalan = 0;
    QString FFINISHKOD;
    QString FCARIKOD;
    double FNETBIRIMFIYAT = 0;
    QString FOemNo;
    int FTESLIMID = 0;
    int FResimVar = 0;
    QString FResim;
};

// The owning lists of the vocabulary shared with the server. A QList of
// values owns its items; marshalled, a list is a JSON array of marshalled
// objects.
using TMobilStoklar = QList<TMobilStok>;
using TMobilSepetler = QList<TMobilSepet>;
using TAcilisEkranlar = QList<TAcilisEkran>;

Q_DECLARE_METATYPE(TMobilCariBilgisi)
Q_DECLARE_METATYPE(TAcilisEkran)
Q_DECLARE_METATYPE(TAcilisEkranlariki)
Q_DECLARE_METATYPE(TMobilStok)
Q_DECLARE_METATYPE(TMobilSepet)
