#pragma once
// The PDF reports a sales representative asks for from the customer list:
// which report number, customer number and seller name each entry sends, and
// whether it asks for one date or two. Pure rules, no widgets, no calls.

#include "core/baglantiu.h"

#include <QString>

#include <optional>

enum class CariRaporu {
    CariOzeti,          // "Cari Özeti Göster"
    AlisSatisTablosu,   // "Cari Alış Satış Tablosu (Satıcılı)"
    TopluAlacakVadeleri // "Cari Toplu Alacak Vadeleri"
};

struct TRaporIstegi
{
    int raporno = 0;
    int carino = 0;
    QString saticiadi;
    bool tekTarih = true; // one date, sent as both dates

    bool operator==(const TRaporIstegi&) const = default;
};

// The focused customer row as the reports need it; none when no row is
// focused.
struct TOdakliCari
{
    int carino = 0;
    QString saticisi;
};

// The request of an entry, or nothing when the entry needs a focused customer
// with a positive number and there is none.
std::optional<TRaporIstegi> RaporIstegiVer(CariRaporu rapor, const std::optional<TOdakliCari>& satir,
                                           const TSonucBilgisi& bilgim);
