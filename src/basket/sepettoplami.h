#pragma once
// The five totals shown under the basket and the outstanding-lines grids.
// Every running sum is rounded to two decimals after each addition, as the
// amounts on the invoices are.

class MemTable;
class QLabel;

struct TToplamlar
{
    double Toplam = 0;  // sum of TUTAR
    double Indirim = 0; // sum of INDIRIMTUTAR
    double Ara = 0;     // Toplam - Indirim
    double Vergi = 0;   // sum of VERGITUTARI (basket) or 20 % of Ara (outstanding lines)
    double Genel = 0;   // Ara + Vergi
};

// Totals of the basket lines whose SEC equals 1 (other lines, a closed or an
// empty table count nothing). The table's cursor does not move.
TToplamlar SepetToplamHesapla(const MemTable& sepet);

// Totals of every outstanding line: there is no selection mark, and the tax
// is always taken as 20 % of the subtotal.
TToplamlar BakiyeToplamHesapla(const MemTable& bakiyesepet);

// The labels of a totals box, each given its value in the number display.
struct TToplamEtiketleri
{
    QLabel* aratoplaml = nullptr;
    QLabel* indiriml = nullptr;
    QLabel* nettutarl = nullptr;
    QLabel* vergil = nullptr;
    QLabel* geneltoplaml = nullptr;

    // "#,###,##0.00" for all five (the basket).
    void Yaz(const TToplamlar& t) const;
    // "#,###,##0.00" for the first four, "#,###,##00.00" for Genel Toplam
    // (the outstanding lines).
    void YazIkiBasamakGenel(const TToplamlar& t) const;
};
