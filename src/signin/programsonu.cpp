#include "signin/programsonu.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {
std::mutex kilit;
ProgramSonlandirici sonlandirici;
} // namespace

void ProgramiSonlandir(int kod)
{
    ProgramSonlandirici s;
    {
        std::lock_guard lock(kilit);
        s = sonlandirici;
    }
    if (s) {
        s(kod);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(kod);
}

ProgramSonlandirici ProgramSonlandiriciAyarla(ProgramSonlandirici yeni)
{
    std::lock_guard lock(kilit);
    std::swap(sonlandirici, yeni);
    return yeni;
}
