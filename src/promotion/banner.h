#pragma once
// The rules of the two banners fetched at start-up.

#include <QByteArray>
#include <QtGlobal>

enum class BannerKarari {
    Yok,        // the server has no banner (size 0): the banner's place is emptied
    Goster,     // the bytes read are exactly the announced size: show them
    Degistirme, // fewer or more bytes than announced: the banner stays as it was
};

BannerKarari BannerDegerlendir(qint64 size, const QByteArray& okunan);

// A bottom-banner bitmap of fewer than 11 bytes cannot hold a picture and is
// not shown.
bool AltBannerGosterilebilir(const QByteArray& bmp);
