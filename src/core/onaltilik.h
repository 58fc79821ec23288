#pragma once
// Picture bytes carried as hexadecimal text: two digits per byte, no
// separators, upper or lower case.

#include <QByteArray>
#include <QString>

// "89504E47" -> 0x89 0x50 0x4E 0x47. A single digit left at the end is one
// byte of its own ("ABC" -> 0xAB 0x0C). A character that is no hexadecimal
// digit counts as 0, so a damaged text still gives a buffer of the expected
// length (the picture decoder then rejects it) instead of shifting every
// later byte.
QByteArray OnaltilikCoz(QStringView metin);
