#include "salesrep/carirapor.h"

using namespace Qt::StringLiterals;

std::optional<TRaporIstegi> RaporIstegiVer(CariRaporu rapor, const std::optional<TOdakliCari>& satir,
                                           const TSonucBilgisi& bilgim)
{
    const bool cariVar = satir && satir->carino > 0;
    switch (rapor) {
    case CariRaporu::CariOzeti:
        if (!cariVar)
            return std::nullopt;
        return TRaporIstegi{6, satir->carino, satir->saticisi, true};
    case CariRaporu::AlisSatisTablosu:
        // The table is about the customer the representative pointed at, not
        // the one he currently acts for.
        if (!cariVar)
            return std::nullopt;
        return TRaporIstegi{7, satir->carino, satir->saticisi, false};
    case CariRaporu::TopluAlacakVadeleri:
        // All customers: a type-1 representative sees his own, others every one.
        return TRaporIstegi{6, 0, bilgim.MusteriTipi() == 1 ? bilgim.ADI() : u"."_s, true};
    }
    return std::nullopt;
}
