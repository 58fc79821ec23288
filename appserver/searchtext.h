#pragma once
// The search form of codes and names: Turkish letters folded to ASCII, upper
// case, and everything that is not a letter or digit removed, so that
// "12-345 ab", "12345AB" and "12.345.AB" all read "12345AB".

#include <QString>
#include <QStringList>

namespace searchtext {

// One code or name in search form.
QString normalise(QStringView text);
// The words of a search text, each in search form; empty words are dropped.
QStringList words(QStringView text);
// Folds Turkish letters to ASCII and upper-cases (keeps blanks and punctuation).
QString foldUpper(QStringView text);

} // namespace searchtext
