#pragma once
// The download of the setup program: one GET into memory with the request
// headers of the update window, reporting progress as the data arrives.
// Succeeds only for a complete 2xx answer; an error status or an answer
// shorter than its announced length is a failure with its reason.

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>

struct IndirmeSonucu
{
    bool basarili = false;
    QByteArray veri;
    QString hata; // the reason of a failure, for "Hata Oluştu !\r\nHata: " + hata
};

// Called with the announced length (0 when unknown) and the bytes read so far.
using IndirmeIlerlemesi = std::function<void(qint64 toplam, qint64 okunan)>;

IndirmeSonucu KurulumuIndir(const QString& adres, const IndirmeIlerlemesi& ilerleme);

// The connection and response time-out of the download (60 000 ms);
// tests shorten it. Returns the previous one.
std::chrono::milliseconds KurulumZamanAsimiAyarla(std::chrono::milliseconds sure);
