#include "core/baglantiu.h"

void TSonucBilgisi::Kopyala(const TSonucBilgisi& source)
{
    // Every field is a value member, so assignment copies all 20 of them.
    *this = source;
}
