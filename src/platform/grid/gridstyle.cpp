#include "platform/grid/gridstyle.h"

GridStyle GridStyle::fill(const QColor &background, const QColor &text)
{
    GridStyle s;
    s.background = background;
    s.text = text;
    return s;
}

namespace sharedstyles {

GridStyle lightGrey() { return GridStyle::fill(QColor(0xEF, 0xEF, 0xEF)); }

GridStyle white() { return GridStyle::fill(Qt::white); }

GridStyle darkSlate()
{
    GridStyle s = GridStyle::fill(QColor(0x3D, 0x41, 0x4A), Qt::white);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    f.setBold(true);
    s.font = f;
    return s;
}

GridStyle paleBlue() { return GridStyle::fill(QColor(0xD2, 0xF0, 0xF9), Qt::black); }

GridStyle darkGrey() { return GridStyle::fill(QColor(0x42, 0x42, 0x42)); }

} // namespace sharedstyles
