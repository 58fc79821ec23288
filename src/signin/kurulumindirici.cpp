#include "signin/kurulumindirici.h"

#include "signin/httpadresi.h"

#include <httplib.h>

#include <atomic>

namespace {
std::atomic<std::chrono::milliseconds::rep> zamanAsimi{60000};
} // namespace

std::chrono::milliseconds KurulumZamanAsimiAyarla(std::chrono::milliseconds sure)
{
    return std::chrono::milliseconds(zamanAsimi.exchange(sure.count()));
}

IndirmeSonucu KurulumuIndir(const QString& adres, const IndirmeIlerlemesi& ilerleme)
{
    IndirmeSonucu s;
    const HttpAdresi a = HttpAdresiAyir(adres);
    if (!a.gecerli) {
        s.hata = QStringLiteral("Geçersiz adres: ") + adres;
        return s;
    }
    httplib::Client istemci(a.koken.toStdString());
    const std::chrono::milliseconds sure(zamanAsimi.load());
    istemci.set_connection_timeout(sure);
    istemci.set_read_timeout(sure);
    istemci.set_follow_location(true);
    istemci.set_decompress(true);
    const httplib::Headers basliklar = {
        {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8"},
        {"Accept-Encoding", "gzip, deflate"},
        {"Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4"},
        {"User-Agent", "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
                       "Chrome/60.0.3112.32 Safari/537.36"},
    };

    std::string govde;
    qint64 duyurulan = 0;
    httplib::Result cevap = istemci.Get(
        a.yol.toStdString(), basliklar,
        [&](const httplib::Response& r) {
            duyurulan = static_cast<qint64>(r.get_header_value<uint64_t>("Content-Length"));
            return true;
        },
        [&](const char* veri, size_t boy) {
            govde.append(veri, boy);
            if (ilerleme && duyurulan > 0)
                ilerleme(duyurulan, static_cast<qint64>(govde.size()));
            return true;
        });
    if (!cevap) {
        s.hata = QString::fromStdString(httplib::to_string(cevap.error()));
        return s;
    }
    if (cevap->status < 200 || cevap->status > 299) {
        s.hata = QStringLiteral("HTTP %1 %2").arg(cevap->status).arg(QString::fromStdString(cevap->reason));
        return s;
    }
    if (duyurulan > 0 && static_cast<qint64>(govde.size()) < duyurulan) {
        s.hata = QStringLiteral("Eksik indirme: %1 / %2 bayt").arg(govde.size()).arg(duyurulan);
        return s;
    }
    s.veri = QByteArray::fromStdString(govde);
    s.basarili = true;
    return s;
}
