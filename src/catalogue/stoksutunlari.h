#pragma once

// The column definitions of the catalogue's grids, in display order, with
// their captions, layout weights, start widths and start states.

#include "platform/grid/gridcolumn.h"

#include <QList>
#include <QString>

// Name of the client-drawn price column of the stock list.
inline const QString kFiyatBilgisiSutunu = QStringLiteral("FiyatBilgisi");

// The stock list; fiyatBilgisiCizici paints the "Fiyat Bilgisi" cells.
QList<GridColumn> StokListesiSutunlari(CellPainter fiyatBilgisiCizici);
// The new-items list (Tahoma grid, plain text columns).
QList<GridColumn> YenilerSutunlari();
// The campaign list (text columns word-wrapped).
QList<GridColumn> KampanyaSutunlari();
// The stock movements window: field names as headers.
QList<GridColumn> StokHareketSutunlari();
// "Sipariş Hareketleri": the outstanding-lines columns with their captions,
// without INDIRIMYAZI and INDIRIMORANI4.
QList<GridColumn> TumSiparislerSutunlari();

// The text of a "Fiyat Bilgisi" cell for a row of the stock list.
QString FiyatBilgisiHucreYazisi(const GridCell &hucre);
