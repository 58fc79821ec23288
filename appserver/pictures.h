#pragma once
// The demo set's pictures, drawn at seeding time: product photos and adverts
// as JPEG, the top banner as an animated GIF, the bottom banner as a BMP.
// Text is drawn only when a GUI application object exists (fonts need one);
// without it the pictures carry their shapes and colours alone.

#include <QByteArray>
#include <QString>

namespace pictures {

QByteArray productJpeg(int variant, const QString &label);
QByteArray advertJpeg(int variant, const QString &title, const QString &subtitle);
QByteArray topBannerGif();
QByteArray bottomBannerBmp();

} // namespace pictures
