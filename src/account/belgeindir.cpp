#include "account/belgeindir.h"

#include "core/baglantiu.h"
#include "core/utils.h"
#include "platform/datasnap/connection.h"
#include "server/proxim.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kBlok = 1024;

} // namespace

BelgeKayitSonucu BelgeKaydet(const QByteArray& akim, qint64 boy, const QString& dosya, QString* hata)
{
    if (boy == 0)
        return BelgeKayitSonucu::Eksik;
    QBuffer kaynak;
    kaynak.setData(akim);
    kaynak.open(QIODevice::ReadOnly);
    QByteArray tampon;
    QByteArray blok(kBlok, '\0');
    for (;;) {
        const qint64 okunan = kaynak.read(blok.data(), kBlok);
        if (okunan > 0)
            tampon.append(blok.constData(), okunan);
        if (okunan < kBlok)
            break;
    }
    if (tampon.size() != boy)
        return BelgeKayitSonucu::Eksik;

    QDir().mkpath(QFileInfo(dosya).absolutePath());
    // QSaveFile writes beside the target and renames on commit, so either the
    // complete new file is in place or the target is untouched.
    QSaveFile hedef(dosya);
    bool yazildi = hedef.open(QIODevice::WriteOnly);
    // A full disk first takes what still fits and reports no error; writing
    // the rest again fails with the system's reason (no space, file too
    // large), which the user is then shown.
    for (qsizetype yazilan = 0; yazildi && yazilan < tampon.size();) {
        const qint64 n = hedef.write(tampon.constData() + yazilan, tampon.size() - yazilan);
        yazildi = n > 0;
        yazilan += yazildi ? n : 0;
    }
    if (!yazildi || !hedef.commit()) {
        if (hata)
            *hata = hedef.errorString();
        hedef.cancelWriting();
        return BelgeKayitSonucu::Yazilamadi;
    }
    return BelgeKayitSonucu::Kaydedildi;
}

bool BelgeIndirAc(datasnap::Connection& baglanti, const QString& dosya, const BelgeAkimi& indir)
{
    // An old file must not stand in for this download; if it cannot be
    // deleted, the new one still replaces it through the temporary file.
    if (QFile::exists(dosya))
        QFile::remove(dosya);

    try {
        baglanti.Open();
    } catch (const datasnap::ServerError& e) {
        MesajGoster(e.message(), mtError, {mbOK}, 0, mbOK);
        return false;
    }

    BelgeKayitSonucu sonuc = BelgeKayitSonucu::Eksik;
    QString hata;
    try {
        qint64 boy = 0;
        const QByteArray akim = indir(baglanti, boy);
        sonuc = BelgeKaydet(akim, boy, dosya, &hata);
    } catch (const std::exception&) {
        // A failed remote call leaves no file and opens nothing, as a short
        // stream does.
        sonuc = BelgeKayitSonucu::Eksik;
    }
    baglanti.Close();

    if (sonuc == BelgeKayitSonucu::Yazilamadi) {
        MesajGoster(u"Belge kaydedilemedi:\r\n"_s + QDir::toNativeSeparators(dosya) + u"\r\n"_s + hata, mtError,
                    {mbOK}, 0, mbOK);
        return false;
    }
    if (sonuc != BelgeKayitSonucu::Kaydedildi)
        return false;
    if (!openWithSystem({dosya, {}})) {
        MesajGoster(u"Belge açılamadı:\r\n"_s + QDir::toNativeSeparators(dosya), mtError, {mbOK}, 0, mbOK);
        return false;
    }
    return true;
}

QString DekontDosyasi(int sirano)
{
    return BelgelerKlasoru() + u"/sanalposodeme"_s + QString::number(sirano) + u".pdf"_s;
}

QString RaporDosyasi(int raporno, int carino)
{
    return BelgelerKlasoru() + u"/rapor"_s + QString::number(raporno + carino) + u".pdf"_s;
}

bool RaporIndir(datasnap::Connection& bag, const TSonucBilgisi& sbilgi, int raporno, int carino,
                double tarih1, double tarih2, const QString& saticiadi)
{
    const int idno = sbilgi.Sirano();
    return BelgeIndirAc(bag, RaporDosyasi(raporno, carino), [&](datasnap::Connection& c, qint64& boy) {
        TServerMethods1Client istemci(c);
        return istemci.RaporGetir(raporno, raporno, idno, carino, saticiadi, tarih1, tarih2, boy);
    });
}
