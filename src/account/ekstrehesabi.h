#pragma once
// The statement's own computations: the running balance over EKSTRE and the
// kind of document a row's type name stands for.

#include <QString>

class MemTable;

// Running balance over the table in its current row order: b += BORC − ALACAK
// (a null amount counts as 0), b written unrounded into BAKIYE, D set to "B"
// for b > 0, "A" for b < 0 and " " for exactly 0. The cursor ends on the first
// row; a closed table, an empty one or one without BORC / ALACAK / BAKIYE / D
// is left alone.
void BakiyeHesapla(MemTable& EKSTRE);

// Which detail window a type name opens: 1 collection ("Tediye" or
// "Tahsilat", whole text, case-sensitive), 2 invoice (contains "Fatura",
// case-sensitive), 0 none.
int EvrakTuru(const QString& turadi);
