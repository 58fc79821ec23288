#pragma once
// Common helpers every window uses: the Turkish message dialog, number
// formats, the basket selection check, the weighted column layout, address and
// browser helpers, and this computer's identity and folders.

#include "core/dialogs.h"
#include "platform/os/identity.h"

#include <QList>
#include <QLocale>
#include <QString>

class MemTable;

// ---------------------------------------------------------------- dialogs

// The Turkish message dialog: caption by kind ("Uyarı", "Hata", "Bilgi",
// "Soru"), Turkish button labels, the kind's sound, 15 pt font, the focused
// button first in the tab order. helpContext is accepted and not used.
// Returns the modal result (mrOk 1, mrYes 6, mrNo 7, ...). Any thread.
int MesajGoster(const QString& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext, TMsgDlgBtn focused);

// ---------------------------------------------------------------- numbers

// The display format of floating-point fields: grouped thousands, two decimals.
inline QString OndalikGorunum()
{
    return QStringLiteral("#,###,##0.00");
}

// Sets OndalikGorunum as the display format of every field of exactly the
// floating-point type; currency, BCD, integer and other fields keep theirs.
void OndalikFormatla(MemTable& table);

// Rounds to two decimals, halves away from zero (10.125 -> 10.13), exactly as
// the number is shown with two decimals: the value counts with 15 significant
// digits, so 1.005 gives 1.01. The result does not depend on the locale.
double IkiHaneYuvarla(double value);

// "#,###,##0.00": grouped, two decimals, separators of the given locale.
// Other patterns: formatNumber() of platform/dataset/displayformat.h, which
// these two and IkiHaneYuvarla use, so shown and rounded values agree.
QString SayiGoster(double value, const QLocale& locale = QLocale());
// "#,###,##00.00": as SayiGoster with at least two integer digits ("05,50").
QString SayiGosterIkiBasamak(double value, const QLocale& locale = QLocale());

// ---------------------------------------------------------------- tables

// True when the open table holds a line whose field SEC equals 1; the cursor
// then stays on that line. A closed or empty table answers false.
bool SecimVarmi(MemTable& table);

// ---------------------------------------------------------------- column layout

struct SutunGenislikSonucu
{
    bool enIyiSigdir = false; // let the grid fit every column to its contents
    QList<int> genislikler;   // otherwise: the width of each visible column
};

// The weighted column layout. Wider screens than 1152 px share
// (gridWidth - 30) among the visible columns by weight: unit = trunc((gridWidth
// - 30) / sum of weights), width = weight x unit. 1152 px or narrower, or when
// the weights sum to 0 or less, asks for best fit. Widths never go below 0.
SutunGenislikSonucu SutunGenislikAyarla(const QList<int>& agirliklar, int gridGenisligi, int ekranGenisligi);

// ---------------------------------------------------------------- addresses, browsers

// Percent-encodes a complete web address: scheme, host, path separators and the
// query's '?', '&' and '=' stay; the rest of path and query values becomes
// UTF-8 percent escapes.
QString UrlKodla(const QString& adres);

// The external browser that opens addresses (the system's default), as an
// executable path; empty when none is known.
QString ChromeYolu();
// Whether an embedded browser engine is built in.
bool GomuluTarayiciVar();
// The major version of the embedded browser engine, or 0 when there is none.
int IEVersiyonu();

// ---------------------------------------------------------------- identity, folders

QString BilgisayarAdiAl();
QString KullaniciAdiAl();
// The first IPv4 address of this host's own name, dotted; "127.0.0.1" otherwise.
QString IcIpAl();
// The first physical disk's serial number, upper-cased, or empty. The roots
// default to the live system; tests pass fixture trees.
QString DiskSeriNoAl(const os::SystemRoots& roots = {});
// The first non-loopback adapter's non-zero address as "AA-BB-CC-DD-EE-FF", or empty.
QString MacAdresiAl(const os::SystemRoots& roots = {});
// The machine identifier: the trimmed disk serial without any space, else the
// MAC text without spaces; empty when neither is known.
QString BilgisayarIdAl(const os::SystemRoots& roots = {});
// The same rule over given sources (the identity helpers feed it).
QString BilgisayarIdOlustur(const QString& diskSeriNo, const QString& macAdresi);

// The program's folder in the user's roaming configuration folder
// ("<config>/zelvorioto"), created when missing; no trailing separator.
QString UygulamaKlasoru();
// The user's documents folder.
QString BelgelerKlasoru();
// The user's local application-data folder (downloads such as the setup file).
QString YerelUygulamaKlasoru();
