#pragma once
// Ending the program at once: the sign-in, the update download and the close
// confirmation end the process with an exit code and do no further closing
// work. Tests replace the ending with a recorder; the caller then simply
// returns, so every call site is written as "ProgramiSonlandir(0); return;".

#include <functional>

void ProgramiSonlandir(int kod);

// Replaces how the program ends (empty: the process terminates). Returns the
// previous handler.
using ProgramSonlandirici = std::function<void(int)>;
ProgramSonlandirici ProgramSonlandiriciAyarla(ProgramSonlandirici yeni);
