#include "promotion/gifresim.h"

TGifResim::TGifResim(QWidget* parent)
    : AnimatedPicture(parent)
{
    setAnimated(false);
}

void TGifResim::setAnimate(bool animate)
{
    if (animate == FAnimate)
        return;
    FAnimate = animate;
    if (hasPicture() && format() == "gif") {
        setAttribute(Qt::WA_TranslucentBackground);
        setAnimated(animate);
    }
}

void TGifResim::GosterAnim()
{
    setAnimate(true);
    show();
}

void TGifResim::GizleDurdur()
{
    hide();
    setAnimate(false);
}
