#include "core/baglantikontrol.h"

#include "core/dialogs.h"
#include "core/utils.h"
#include "platform/datasnap/servererror.h"

#include <QCoreApplication>

#include <mutex>
#include <utility>
#include <thread>

namespace {

constexpr int kDenemeSayisi = 11;
constexpr std::chrono::milliseconds kBekleme{500};

std::mutex beklemeKilidi;
BaglantiBeklemesi ayarliBekleme;

void gercektenBekle(std::chrono::milliseconds sure)
{
    std::this_thread::sleep_for(sure);
}

BaglantiBeklemesi gecerliBekleme()
{
    std::lock_guard lock(beklemeKilidi);
    return ayarliBekleme ? ayarliBekleme : BaglantiBeklemesi(gercektenBekle);
}

} // namespace

BaglantiBeklemesi BaglantiBeklemesiniAyarla(BaglantiBeklemesi bekle)
{
    std::lock_guard lock(beklemeKilidi);
    return std::exchange(ayarliBekleme, std::move(bekle));
}

bool BaglantiKontrol(datasnap::Connection& connection, int rapor)
{
    return BaglantiKontrol(connection, rapor, gecerliBekleme());
}

bool BaglantiKontrol(datasnap::Connection& connection, int rapor, const BaglantiBeklemesi& bekle)
{
    connection.Close();
    for (int basarisiz = 0; basarisiz < kDenemeSayisi; ++basarisiz) {
        QString hata;
        try {
            connection.Open();
            return true;
        } catch (const datasnap::ServerError& e) {
            hata = e.message();
        } catch (const std::exception& e) {
            hata = QString::fromUtf8(e.what());
        }
        MessageBoxRequest kutu;
        kutu.text = hata;
        kutu.caption = QCoreApplication::applicationName();
        kutu.kind = mtCustom;
        kutu.buttons = {mbOK};
        showMessageBox(kutu);
        connection.Close();
        if (bekle)
            bekle(kBekleme);
    }
    if (rapor == 1)
        MesajGoster(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"), mtError, {mbOK}, 0, mbOK);
    return false;
}
