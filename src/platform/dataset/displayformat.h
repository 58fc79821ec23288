#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// Number display patterns of the in-memory table ("#,###,##0.00" and kin).
//
//   0   a digit that is always shown (before the point: minimum integer digits;
//       after it: minimum decimals)
//   #   a digit shown only when significant (after the point: optional decimals)
//   ,   anywhere before the point: group the integer digits
//   .   the decimal point
//   "x" or 'x'  literal text; any other character is copied as it is
//   ;   separates the pattern for positive;negative;zero values. A negative
//       section is shown without the minus sign (the section carries its own).
//
// Separators come from the locale. Rounding is commercial: the value is first
// taken to 15 significant digits (so 1.005 counts as 1.005, not
// 1.00499999...), then halves round away from zero (10.125 -> 10.13).
// "#,###,##0.00": 1234567.891 -> "1.234.567,89" in Turkish; 0.5 -> "0,50".
// "#,###,##00.00": 5.5 -> "05,50".  "#,###,##.00": 0.5 -> ",50".
QString formatNumber(double value, QStringView pattern, const QLocale &locale = QLocale());

// The display format the program gives to every floating-point column.
inline constexpr QStringView kFloatDisplayFormat = u"#,###,##0.00";
