// libFuzzer target for the ayar.ini reader: any bytes parse without a crash;
// what was read and written reads back to the same text (nothing a reread
// loses or changes); a value set through the writer reads back as set.
#include "core/ayarini.h"

#include <QString>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    IniDosyasi ini;
    ini.MetindenOku(text);
    const QString written = ini.Metin();
    IniDosyasi again;
    again.MetindenOku(written);
    if (again.Metin() != written)
        std::abort();

    // The input's first line as a key and the rest as a value, set in the
    // settings section: the writer keeps both as they read back.
    const qsizetype cut = text.indexOf(QLatin1Char('\n'));
    const QString key = cut < 0 ? text : text.left(cut);
    const QString value = cut < 0 ? QString() : text.mid(cut + 1);
    again.DegerYaz(QStringLiteral("kullanici"), key, value);
    // The key as the writer keeps it: a carriage return is a blank, outer
    // blanks go.
    const QString stored = QString(key).replace(QLatin1Char('\r'), QLatin1Char(' ')).trimmed();
    const bool kept = again.VarMi(QStringLiteral("kullanici"), stored);
    IniDosyasi back;
    back.MetindenOku(again.Metin());
    if (kept) {
        QString expected = value;
        expected.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (back.Deger(QStringLiteral("kullanici"), stored) != expected)
            std::abort();
    }
    if (back.Metin() != again.Metin())
        std::abort();
    return 0;
}
