#pragma once
// The column definitions of the basket grid and of the outstanding-lines
// grid, in display order.

#include "platform/grid/gridcolumn.h"

#include <QList>

// "Seç" is the check box the user toggles by double-click.
inline constexpr char16_t kSecSutunu[] = u"SEC";

QList<GridColumn> SepetSutunlari();
QList<GridColumn> BakiyeSutunlari();
