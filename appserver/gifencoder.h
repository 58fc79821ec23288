#pragma once
// Writes animated GIF files (GIF89a, LZW-compressed, looping) from frames of
// the same size. Qt reads GIF but cannot write it, so the banner is encoded here.

#include <QByteArray>
#include <QImage>
#include <QList>

namespace gif {

struct Frame {
    QImage image;       // any format; reduced to the shared 256-colour palette
    int delayCs = 10;   // display time in hundredths of a second
};

// The frames as one looping animation; empty when there is no frame or the
// frames differ in size.
QByteArray encodeAnimation(const QList<Frame> &frames);

} // namespace gif
