#pragma once
// The connection check in front of every remote call.

#include "platform/datasnap/connection.h"

#include <chrono>
#include <functional>

// The pause between two open attempts.
using BaglantiBeklemesi = std::function<void(std::chrono::milliseconds)>;

// Closes the connection, then tries to open it up to 11 times. Each failed
// attempt shows its own error text in a plain message box, closes the
// connection and pauses 500 ms. After 11 failures, with rapor 1 the user is
// told "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!" (MesajGoster, error,
// OK); with rapor 0 the caller reports. True when the connection is open.
//
// Callable from any thread: the boxes appear on the main thread and a worker
// waits until each is closed. Throws nothing but MainThreadCallAbandoned,
// when a box can no longer be shown because the worker's job is being
// stopped or the program is ending (core/beklesinu.h).
bool BaglantiKontrol(datasnap::Connection& connection, int rapor);
// The same with the pause given (tests pass one that does not sleep).
bool BaglantiKontrol(datasnap::Connection& connection, int rapor, const BaglantiBeklemesi& bekle);

// Replaces the pause the two-argument form uses, process-wide, and returns
// the previous one; an empty function restores the real sleep. For tests of
// code that calls BaglantiKontrol against an unreachable server.
BaglantiBeklemesi BaglantiBeklemesiniAyarla(BaglantiBeklemesi bekle);
