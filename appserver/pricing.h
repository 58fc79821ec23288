#pragma once
// Money rules shared by every method that shows prices or line amounts:
// successive discount rates, two-decimal rounding, VAT, and the Turkish
// display of amounts in texts.

#include <QString>

#include <array>

namespace pricing {

using Rates = std::array<double, 4>;

// Rounds to two decimals, halves away from zero.
double round2(double value);

// The amount left after applying each positive rate to what the previous
// ones left (10 and 5 of 100 leave 85.5).
double afterDiscounts(double amount, const Rates &rates);

// The rates as display text: the positive ones joined by "+" ("10+5+2"); "0"
// when there is none.
QString ratesText(const Rates &rates);

struct LineAmounts {
    double tutar = 0;          // quantity x unit price
    double indirimTutar = 0;   // tutar - nettutar
    double netTutar = 0;       // after the discounts
    double netBirimFiyat = 0;  // nettutar / quantity
    double vergiTutari = 0;    // VAT on nettutar
    double kdvliTutar = 0;     // nettutar + VAT
};
LineAmounts lineAmounts(double quantity, double unitPrice, const Rates &rates, double vatPercent);

// "12.345,67" (Turkish grouping and decimal comma).
QString money(double value);

} // namespace pricing
