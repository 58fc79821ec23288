#include "promotion/banner.h"

BannerKarari BannerDegerlendir(qint64 size, const QByteArray& okunan)
{
    if (size == 0)
        return BannerKarari::Yok;
    return okunan.size() == size ? BannerKarari::Goster : BannerKarari::Degistirme;
}

bool AltBannerGosterilebilir(const QByteArray& bmp) { return bmp.size() >= 11; }
