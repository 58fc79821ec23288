#pragma once

// Looks of a DataGrid: a style is a fill, a text colour and optionally a
// font; a grid assigns styles to its parts.

#include <QColor>
#include <QFont>

#include <optional>

struct GridStyle {
    QColor background;
    QColor text;            // invalid: the part's default text colour
    std::optional<QFont> font;

    static GridStyle fill(const QColor &background, const QColor &text = {});
};

// Which style each part of a grid uses; an empty part keeps the default.
struct GridStyles {
    std::optional<GridStyle> background; // the area below the last row
    std::optional<GridStyle> content;    // cells, unless a row style applies
    std::optional<GridStyle> evenRow;    // rows 0, 2, 4, ...
    std::optional<GridStyle> oddRow;     // rows 1, 3, 5, ...
    std::optional<GridStyle> header;
    std::optional<GridStyle> indicator;
    std::optional<GridStyle> selection;
};

// The five styles the main window's grids share.
namespace sharedstyles {
GridStyle lightGrey();  // fill #EFEFEF
GridStyle white();      // fill white
GridStyle darkSlate();  // fill #3D414A, white bold text, 13 px
GridStyle paleBlue();   // fill #D2F0F9, black text
GridStyle darkGrey();   // fill #424242
} // namespace sharedstyles
