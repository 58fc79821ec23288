#pragma once
// What the basket tests share: a loopback stand-in server, a connection to
// it, a sign-in record, the dialog recorder, and basket tables written as the
// server sends them.

#include "core/baglantikontrol.h"
#include "core/baglantiu.h"
#include "core/dialogrecorder.h"
#include "platform/datasnap/connection.h"
#include "tests/catalogue/sahtesunucu.h"

#include <QTcpServer>

#include <chrono>

// Columns of a basket line as the tests write them.
struct SepetSatiri
{
    int sirano = 0;
    QByteArray sec = "0"; // JSON: 0, 1 or null
    double tutar = 0;
    double indirim = 0;
    double vergi = 0;
};

inline QByteArray sayiJson(double d)
{
    return QByteArray::number(d, 'g', 17);
}

inline QByteArray sepetJson(const QList<SepetSatiri>& satirlar)
{
    QList<QList<QByteArray>> rows;
    for (const SepetSatiri& s : satirlar)
        rows.append({QByteArray::number(s.sirano), QByteArray::number(1000 + s.sirano), s.sec,
                     "\"BRK-" + QByteArray::number(s.sirano) + "\"", "\"PARCA " + QByteArray::number(s.sirano) + "\"",
                     "2", sayiJson(s.tutar), sayiJson(s.indirim), sayiJson(s.vergi)});
    return "[" + tabloJson({"SIRANO:integer", "STOKNO:integer", "SEC:integer", "BARKOD:string",
                            "STOKADI:string", "MIKTAR:float", "TUTAR:float", "INDIRIMTUTAR:float",
                            "VERGITUTARI:float"},
                           rows)
        + "]";
}

// A loopback port nobody listens on.
inline int kapaliPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const int port = s.serverPort();
    s.close();
    return port;
}

struct SunucuOrtami
{
    SahteSunucu sunucu;
    datasnap::Connection bagc;
    TSonucBilgisi sbilgi;
    DialogRecorder dialogs;
    BaglantiBeklemesi eskiBekleme;

    SunucuOrtami()
    {
        bagc.setParam(datasnap::param::HostName, QStringLiteral("127.0.0.1"));
        bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));
        bagc.setParam(datasnap::param::ConnectTimeout, QStringLiteral("500"));
        sbilgi.setCARINO(7);
        sbilgi.setSirano(3);
        sbilgi.setADI(QStringLiteral("AHMET BAYİ"));
        sbilgi.setCariAdi(QStringLiteral("ÖRNEK OTOMOTİV"));
        // A failed connection check retries at once instead of pausing.
        eskiBekleme = BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {});
    }
    ~SunucuOrtami() { BaglantiBeklemesiniAyarla(eskiBekleme); }

    // Points the connection (and its later clones) at a closed port.
    void sunucuyuKapat() { bagc.setParam(datasnap::param::Port, QString::number(kapaliPort())); }
};
