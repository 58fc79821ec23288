#pragma once

#include <array>

// The amounts of one basket line as the add-to-basket dialog shows them.
struct TSatirHesabi
{
    double brut = 0;         // G = unit price × quantity
    double net = 0;          // N after the successive discounts
    double indirimTutar = 0; // G − N, not rounded
    double netYuvarli = 0;   // N rounded to two decimals
    double birimNet = 0;     // net unit price, 0 for quantity 0
    double kdvDahil = 0;     // VAT-inclusive net unit price
    double genelTutar = 0;   // line total with VAT
};

using TIndirimOranlari = std::array<double, 4>;

// Line computation: the four rates apply one after another to what the
// previous ones left (a rate of 0 or below is skipped); the total is built
// from the rounded VAT-inclusive unit price, not from the rounded net total.
TSatirHesabi SatirHesapla(double birimFiyat, int adet, const TIndirimOranlari &oranlar,
                          double kdvOran);

// The discount label and amount are shown only when the rates add up to more
// than 1 percent.
bool IndirimGosterilir(const TIndirimOranlari &oranlar);

// A package size below 1 (including 0 from the server) counts as 1, so the
// rounding below never divides by zero.
int GecerliKoliAdet(int koliAdet);

// Rounds a quantity up to the next whole number of packages.
int KoliyeYuvarla(int adet, int koliAdet);
