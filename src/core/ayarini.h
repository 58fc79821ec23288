#pragma once
// The settings file "ayar.ini": the remembered user name and password of the
// sign-in window, section "kullanici", keys "isim", "sifre", "hatırla".
//
// A small INI reader/writer of our own: keys and values are kept literally in
// UTF-8 ("hatırla", not an escaped form), the file is written to a temporary
// file and renamed over the old one, readable and writable by the user only.
// A damaged line is skipped; a missing or unreadable file reads as empty.

#include <QList>
#include <QPair>
#include <QString>

class IniDosyasi
{
public:
    // Reads path; false when it does not exist or cannot be read (the object
    // is then empty). Damaged lines are skipped.
    bool Oku(const QString& path);
    // Writes atomically with permissions 0600. On failure returns false and
    // leaves the old file as it was; Hata() tells why.
    bool Yaz(const QString& path);

    // Keys compare case-insensitively, as INI files usually do.
    QString Deger(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    bool VarMi(const QString& section, const QString& key) const;
    // Line breaks in the section, key and value become blanks. A key that
    // could not be read back (empty, with '=', starting with '[', ';' or '#')
    // is not stored.
    void DegerYaz(const QString& section, const QString& key, const QString& value);

    // "1"/"0" when writing; reading accepts 0/1 and false/true (any integer
    // other than 0 is true); anything else gives the default.
    bool Mantiksal(const QString& section, const QString& key, bool defaultValue) const;
    void MantiksalYaz(const QString& section, const QString& key, bool value);

    QString Hata() const { return m_hata; }

    // The file's text as it would be written.
    QString Metin() const;
    // Parses text (as read from a file); damaged lines are skipped.
    void MetindenOku(const QString& text);

private:
    struct Bolum
    {
        QString ad;
        QList<QPair<QString, QString>> degerler;
    };
    const Bolum* bolum(const QString& section) const;
    // The section of that name, appended when missing.
    Bolum& bolumAc(const QString& section);
    QList<Bolum> m_bolumler;
    QString m_hata;
};

// What the sign-in window keeps.
struct KullaniciAyari
{
    QString isim;
    QString sifre;
    bool hatirla = true; // true when the key is absent
};

// The path of "ayar.ini" in UygulamaKlasoru().
QString AyarDosyasiYolu();
// Reads the remembered values; dosyaVar (when given) tells whether the file
// existed and could be read. Missing file: the defaults.
KullaniciAyari AyarOku(const QString& path, bool* dosyaVar = nullptr);
// Writes all three keys, keeping any other content of the file.
// False (with the reason in *hata) when the file could not be written.
bool AyarYaz(const QString& path, const KullaniciAyari& ayar, QString* hata = nullptr);
