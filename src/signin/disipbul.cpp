#include "signin/disipbul.h"

#include "signin/httpadresi.h"

#include <httplib.h>

#include <thread>

namespace disip {

namespace {
std::atomic<long long> beklemeMs{1000};
}

bool BirKezSor(const QString& adres, QString& sonuc, QString& hata)
{
    const HttpAdresi a = HttpAdresiAyir(adres);
    if (!a.gecerli) {
        hata = QStringLiteral("Geçersiz adres: ") + adres;
        return false;
    }
    httplib::Client istemci(a.koken.toStdString());
    istemci.set_connection_timeout(std::chrono::milliseconds(15000));
    istemci.set_read_timeout(std::chrono::milliseconds(1500));
    istemci.set_follow_location(true);
    httplib::Result cevap = istemci.Get(a.yol.toStdString());
    if (!cevap) {
        hata = QString::fromStdString(httplib::to_string(cevap.error()));
        return false;
    }
    if (cevap->status < 200 || cevap->status > 299) {
        hata = QStringLiteral("HTTP %1").arg(cevap->status);
        return false;
    }
    sonuc = QString::fromUtf8(cevap->body).trimmed();
    return true;
}

QString Bul(const QString& adres, const std::atomic<bool>& dur)
{
    while (!dur.load()) {
        QString sonuc, hata;
        if (BirKezSor(adres, sonuc, hata))
            return sonuc;
        // Wait in short slices so that a closed window stops the loop quickly.
        const auto bitis = std::chrono::steady_clock::now() + std::chrono::milliseconds(beklemeMs.load());
        while (!dur.load() && std::chrono::steady_clock::now() < bitis)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

std::chrono::milliseconds TekrarBeklemesiAyarla(std::chrono::milliseconds bekleme)
{
    return std::chrono::milliseconds(beklemeMs.exchange(bekleme.count()));
}

} // namespace disip
