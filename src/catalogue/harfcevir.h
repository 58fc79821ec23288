#pragma once

#include <QChar>
#include <QString>

// Letter folding of the search box: the Turkish letters that have no ASCII
// form are replaced before they reach the box (ğ→g, ş→S, ı→I, İ→I, ...);
// every other character passes unchanged. The lower-case dotted i stays i.
QChar HarfCevir(QChar c);

// What the search box holds for a typed text: every character folded, then
// shown in upper case. One character in, one character out, so the cursor
// position of the box stays valid.
QString AramaMetniCevir(const QString &yazilan);
