#pragma once
// Transfer objects of the module baglantiu that the server returns. The sign-in
// record of the same module is core/baglantiu.h.
//
// Each field F<Name> sits behind the property <Name>; properties are declared
// in field order, which is the member order of the marshalled form ("F" +
// property name).

#include "core/baglantiu.h"

#include <QMetaType>
#include <QString>
#include <QtCore/qobjectdefs.h>

// The footer of an order (SiparisAytintisiDip): messages, status, cargo and
// delivery. All texts start empty.
class TSiparisDipAyrinti
{
    Q_GADGET
    Q_PROPERTY(QString SizinMesaj READ SizinMesaj WRITE setSizinMesaj)
    Q_PROPERTY(QString Durumu READ Durumu WRITE setDurumu)
    Q_PROPERTY(QString Veren READ Veren WRITE setVeren)
    Q_PROPERTY(QString Kargo READ Kargo WRITE setKargo)
    Q_PROPERTY(QString BizimMesaj READ BizimMesaj WRITE setBizimMesaj)
    Q_PROPERTY(QString TeslimCinsi READ TeslimCinsi WRITE setTeslimCinsi)
    Q_PROPERTY(QString KargoCinsi READ KargoCinsi WRITE setKargoCinsi)
    Q_PROPERTY(QString SaticiNotu READ SaticiNotu WRITE setSaticiNotu)

public:
    static QString TypeName() { return QStringLiteral("baglantiu.TSiparisDipAyrinti"); }

    // Copies every field of source; afterwards both are equal and share nothing.
    void Kopyala(const TSiparisDipAyrinti& source) { *this = source; }

    bool operator==(const TSiparisDipAyrinti&) const = default;

    QString SizinMesaj() const { return FSizinMesaj; }
    void setSizinMesaj(const QString& v) { FSizinMesaj = v; }
    QString Durumu() const { return FDurumu; }
    void setDurumu(const QString& v) { FDurumu = v; }
    QString Veren() const { return FVeren; }
    void setVeren(const QString& v) { FVeren = v; }
    QString Kargo() const { return FKargo; }
    void setKargo(const QString& v) { FKargo = v; }
    QString BizimMesaj() const { return FBizimMesaj; }
    void setBizimMesaj(const QString& v) { FBizimMesaj = v; }
    QString TeslimCinsi() const { return FTeslimCinsi; }
    void setTeslimCinsi(const QString& v) { FTeslimCinsi = v; }
    QString KargoCinsi() const { return FKargoCinsi; }
    void setKargoCinsi(const QString& v) { FKargoCinsi = v; }
    QString SaticiNotu() const { return FSaticiNotu; }
    void setSaticiNotu(const QString& v) { FSaticiNotu = v; }

private:
    QString FSizinMesaj;
    QString FDurumu;
    QString FVeren;
    QString FKargo;
    QString FBizimMesaj;
    QString FTeslimCinsi;
    QString FKargoCinsi;
    QString FSaticiNotu;
};

// Counts of a dealer's orders per status (TusSonuclariVer). All start at 0.
class TTusSonuclari
{
    Q_GADGET
    Q_PROPERTY(int Alindi READ Alindi WRITE setAlindi)
    Q_PROPERTY(int Onaylandi READ Onaylandi WRITE setOnaylandi)
    Q_PROPERTY(int ParcaliHazirlandi READ ParcaliHazirlandi WRITE setParcaliHazirlandi)
    Q_PROPERTY(int SevkEdildi READ SevkEdildi WRITE setSevkEdildi)
    Q_PROPERTY(int Hazirlandi READ Hazirlandi WRITE setHazirlandi)
    Q_PROPERTY(int Goruldu READ Goruldu WRITE setGoruldu)

public:
    static QString TypeName() { return QStringLiteral("baglantiu.TTusSonuclari"); }

    // Copies every field of source; afterwards both are equal and share nothing.
    void Kopyala(const TTusSonuclari& source) { *this = source; }

    bool operator==(const TTusSonuclari&) const = default;

    int Alindi() const { return FAlindi; }
    void setAlindi(int v) { FAlindi = v; }
    int Onaylandi() const { return FOnaylandi; }
    void setOnaylandi(int v) { FOnaylandi = v; }
    int ParcaliHazirlandi() const { return FParcaliHazirlandi; }
    void setParcaliHazirlandi(int v) { FParcaliHazirlandi = v; }
    int SevkEdildi() const { return FSevkEdildi; }
    void setSevkEdildi(int v) { FSevkEdildi = v; }
    int Hazirlandi() const { return FHazirlandi; }
    void setHazirlandi(int v) { FHazirlandi = v; }
    int Goruldu() const { return FGoruldu; }
    void setGoruldu(int v) { FGoruldu = v; }

private:
    int FAlindi = 0;
    int FOnaylandi = 0;
    int FParcaliHazirlandi = 0;
    int FSevkEdildi = 0;
    int FHazirlandi = 0;
    int FGoruldu = 0;
};

Q_DECLARE_METATYPE(TSiparisDipAyrinti)
Q_DECLARE_METATYPE(TTusSonuclari)
