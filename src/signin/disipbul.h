#pragma once
// The external address lookup of the sign-in: a GET of a what-is-my-IP
// service whose whole plain-text body is the caller's IPv4 address.

#include <QString>

#include <atomic>
#include <chrono>

namespace disip {

// One GET with a read time-out of 1,500 ms and a connect time-out of
// 15,000 ms. True with the trimmed body when the service answered with a
// 2xx status; false with the reason otherwise.
bool BirKezSor(const QString& adres, QString& sonuc, QString& hata);

// Repeats BirKezSor until it succeeds, pausing between tries (1,000 ms by
// default). Returns the trimmed body, or an empty text when `dur` was set.
QString Bul(const QString& adres, const std::atomic<bool>& dur);

// The pause between tries; tests shorten it. Returns the previous one.
std::chrono::milliseconds TekrarBeklemesiAyarla(std::chrono::milliseconds bekleme);

} // namespace disip
