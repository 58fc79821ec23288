#pragma once

// The look settings a DataGrid shares with its delegate, header and footer.

#include "platform/grid/gridstyle.h"

#include <QColor>
#include <QFont>

struct GridLook {
    GridStyles styles;
    QFont font;
    QColor gridLineColor = QColor(0xD4, 0xD4, 0xD4);
    bool gridLines = true;
    bool focusRect = true;
    Qt::Alignment headerAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    int cellPadding = 3;

    // The fill and text colour of a data cell in a given state.
    QColor cellBackground(bool selected, bool odd) const;
    QColor cellForeground(bool selected, bool odd) const;
    QFont cellFont() const;
    QColor headerBackground() const;
    QColor headerForeground() const;
    QFont headerFont() const;
};
