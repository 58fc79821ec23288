#pragma once
// Downloads of server-rendered PDF files (payment receipts and reports): the
// stream is read in blocks of 1 024 bytes, kept only when its length equals
// the size the server announced, written to a temporary file beside the
// target and moved into place, then opened with the system's program.
// A failed or short download never opens an older file of the same name.

#include <QByteArray>
#include <QString>

#include <functional>

class TSonucBilgisi;
namespace datasnap {
class Connection;
}

enum class BelgeKayitSonucu {
    Kaydedildi,  // the new file is in place
    Eksik,       // announced size 0 or a different byte count: nothing written
    Yazilamadi,  // the file could not be written or moved into place
};

// Reads the stream in 1 024-byte blocks until a short read; when the bytes
// read equal boy (and boy is not 0) writes them to dosya through a temporary
// file in the same folder. hata receives the reason of a failed write.
BelgeKayitSonucu BelgeKaydet(const QByteArray& akim, qint64 boy, const QString& dosya, QString* hata = nullptr);

// The common download step: deletes an old dosya, opens the connection (an
// error while opening is shown and ends the step), asks the server for the
// stream with indir (on the open connection; a remote error there is
// swallowed and leaves no file), saves it with BelgeKaydet, closes the
// connection, and opens the new file with the system's program. A write that
// fails is told to the user. True when the new file was opened.
using BelgeAkimi = std::function<QByteArray(datasnap::Connection&, qint64& boy)>;
bool BelgeIndirAc(datasnap::Connection& baglanti, const QString& dosya, const BelgeAkimi& indir);

// "<documents>/sanalposodeme<sirano>.pdf".
QString DekontDosyasi(int sirano);
// "<documents>/rapor<raporno + carino>.pdf" (the two numbers are added).
QString RaporDosyasi(int raporno, int carino);

// The server-rendered PDF report raporno for customer carino (0: all) and the
// seller name, between tarih1 and tarih2 (day numbers), over bag (opened and
// closed here) with sbilgi's Sirano; saved as RaporDosyasi and opened.
bool RaporIndir(datasnap::Connection& bag, const TSonucBilgisi& sbilgi, int raporno, int carino,
                double tarih1, double tarih2, const QString& saticiadi);
