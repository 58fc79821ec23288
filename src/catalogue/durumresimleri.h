#pragma once

#include "platform/grid/gridcolumn.h"

#include <QList>
#include <QPixmap>
#include <QWidget>

// The 24 × 24 pictures of the stock lists: the stock state of column DURUM,
// the "new" and "campaign" marks and the "has a picture" mark.

// The state picture list, ten entries: 0 in stock, 1 special order, 2 on the
// way, 3 critical level, 4 not available, 5 being procured, 8 please phone;
// 6, 7 and 9 are spare entries without a value.
const QList<QPixmap> &DurumResimleri();

// The DURUM value → picture mapping with the state names. A value outside
// the list (or an empty cell) draws nothing.
QList<PictureItem> DurumResimDegerleri();

// Pictures of the "Yeni" / "Kampanyalı" columns: 0 "no", 1 "yes".
const QList<QPixmap> &EvetHayirResimleri();
// Picture of the "Resim" column: 0 "the item has a picture".
const QList<QPixmap> &ResimVarResimleri();

// The legend of the state pictures for a status bar: "Durum Açıklaması:    "
// followed by each picture and its text, left to right. The outstanding-lines
// window shows it without " Kritik Seviye ".
QWidget *DurumAciklamasiOlustur(QWidget *parent, bool kritikSeviyeGoster = true);
