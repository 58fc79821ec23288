#pragma once
// TGifResim: a picture control for animated GIFs (the header picture and the
// busy indicators). Animate switches the animation on and off; GosterAnim
// shows and animates, GizleDurdur hides and stops.

#include "platform/widgets/animatedpicture.h"

class TGifResim : public AnimatedPicture
{
    Q_OBJECT
    Q_PROPERTY(bool Animate READ Animate WRITE setAnimate)

public:
    explicit TGifResim(QWidget* parent = nullptr);

    bool Animate() const { return FAnimate; }
    // A new value is stored and, when the control holds a GIF, the control is
    // made transparent and the animation switched; the same value again does
    // nothing.
    void setAnimate(bool animate);

    void GosterAnim();
    void GizleDurdur();

private:
    bool FAnimate = false;
};
