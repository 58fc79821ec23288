#pragma once
// The sign-in record: everything the client knows about the signed-in user,
// the dealer account, the sales representative and this computer.

#include <QMetaType>
#include <QString>
#include <QtCore/qobjectdefs.h>

// A plain value type. Each field F<Name> sits behind the property <Name>; the
// properties are declared in the fields' declaration order, which is also the
// member order of the marshalled form. The marshaller names each member
// "F" + property name ("FBILGISAYARID", "FSaticiMail", ...).
class TSonucBilgisi
{
    Q_GADGET
    Q_PROPERTY(QString BILGISAYARID READ BILGISAYARID WRITE setBILGISAYARID)
    Q_PROPERTY(QString SaticiMail READ SaticiMail WRITE setSaticiMail)
    Q_PROPERTY(int Sirano READ Sirano WRITE setSirano)
    Q_PROPERTY(QString CariAdi READ CariAdi WRITE setCariAdi)
    Q_PROPERTY(QString SIFRE READ SIFRE WRITE setSIFRE)
    Q_PROPERTY(int SaticiNo READ SaticiNo WRITE setSaticiNo)
    Q_PROPERTY(int CARINO READ CARINO WRITE setCARINO)
    Q_PROPERTY(int AKTIF READ AKTIF WRITE setAKTIF)
    Q_PROPERTY(QString Kullanicimail READ Kullanicimail WRITE setKullanicimail)
    Q_PROPERTY(QString ADI READ ADI WRITE setADI)
    Q_PROPERTY(QString SaticiTelefon READ SaticiTelefon WRITE setSaticiTelefon)
    Q_PROPERTY(QString carikod READ carikod WRITE setcarikod)
    Q_PROPERTY(bool Varmi READ Varmi WRITE setVarmi)
    Q_PROPERTY(QString SaticiAdi READ SaticiAdi WRITE setSaticiAdi)
    Q_PROPERTY(QString BilgiSayarAdi READ BilgiSayarAdi WRITE setBilgiSayarAdi)
    Q_PROPERTY(QString Disip READ Disip WRITE setDisip)
    Q_PROPERTY(QString Icip READ Icip WRITE setIcip)
    Q_PROPERTY(QString BilgisayarKullanici READ BilgisayarKullanici WRITE setBilgisayarKullanici)
    Q_PROPERTY(int MusteriTipi READ MusteriTipi WRITE setMusteriTipi)
    Q_PROPERTY(int Version READ Version WRITE setVersion)

public:
    // Create: strings empty, numbers 0, Varmi false, MusteriTipi 1, Version 1.
    TSonucBilgisi() = default;

    // Copies all 20 fields from source; the two records share nothing
    // afterwards (QString's implicit sharing detaches on the first write).
    void Kopyala(const TSonucBilgisi& source);

    // The marshalled type name of this class.
    static QString TypeName() { return QStringLiteral("baglantiu.TSonucBilgisi"); }

    bool operator==(const TSonucBilgisi&) const = default;

    QString BILGISAYARID() const { return FBILGISAYARID; }
    void setBILGISAYARID(const QString& v) { FBILGISAYARID = v; }
    QString SaticiMail() const { return FSaticiMail; }
    void setSaticiMail(const QString& v) { FSaticiMail = v; }
    int Sirano() const { return FSirano; }
    void setSirano(int v) { FSirano = v; }
    QString CariAdi() const { return FCariAdi; }
    void setCariAdi(const QString& v) { FCariAdi = v; }
    QString SIFRE() const { return FSIFRE; }
    void setSIFRE(const QString& v) { FSIFRE = v; }
    int SaticiNo() const { return FSaticiNo; }
    void setSaticiNo(int v) { FSaticiNo = v; }
    int CARINO() const { return FCARINO; }
    void setCARINO(int v) { FCARINO = v; }
    int AKTIF() const { return FAKTIF; }
    void setAKTIF(int v) { FAKTIF = v; }
    QString Kullanicimail() const { return FKullanicimail; }
    void setKullanicimail(const QString& v) { FKullanicimail = v; }
    QString ADI() const { return FADI; }
    void setADI(const QString& v) { FADI = v; }
    QString SaticiTelefon() const { return FSaticiTelefon; }
    void setSaticiTelefon(const QString& v) { FSaticiTelefon = v; }
    QString carikod() const { return Fcarikod; }
    void setcarikod(const QString& v) { Fcarikod = v; }
    bool Varmi() const { return FVarmi; }
    void setVarmi(bool v) { FVarmi = v; }
    QString SaticiAdi() const { return FSaticiAdi; }
    void setSaticiAdi(const QString& v) { FSaticiAdi = v; }
    QString BilgiSayarAdi() const { return FBilgiSayarAdi; }
    void setBilgiSayarAdi(const QString& v) { FBilgiSayarAdi = v; }
    QString Disip() const { return FDisip; }
    void setDisip(const QString& v) { FDisip = v; }
    QString Icip() const { return FIcip; }
    void setIcip(const QString& v) { FIcip = v; }
    QString BilgisayarKullanici() const { return FBilgisayarKullanici; }
    void setBilgisayarKullanici(const QString& v) { FBilgisayarKullanici = v; }
    int MusteriTipi() const { return FMusteriTipi; }
    void setMusteriTipi(int v) { FMusteriTipi = v; }
    int Version() const { return FVersion; }
    void setVersion(int v) { FVersion = v; }

private:
    QString FBILGISAYARID;
    QString FSaticiMail;
    int FSirano = 0;
    QString FCariAdi;
    QString FSIFRE;
    int FSaticiNo = 0;
    int FCARINO = 0;
    int FAKTIF = 0;
    QString FKullanicimail;
    QString FADI;
    QString FSaticiTelefon;
    QString Fcarikod;
    bool FVarmi = false;
    QString FSaticiAdi;
    QString FBilgiSayarAdi;
    QString FDisip;
    QString FIcip;
    QString FBilgisayarKullanici;
    int FMusteriTipi = 1;
    int FVersion = 1;
};

Q_DECLARE_METATYPE(TSonucBilgisi)
