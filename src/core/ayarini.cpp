#include "core/ayarini.h"

#include "core/utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameKey(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Values keep their blanks: one with outer blanks, or one that is itself
// quoted, is written in quotes, and the reader takes one pair of quotes off.
QString quoted(QString value)
{
    // A line break would end the line early and let the rest read as a key
    // of its own; it cannot be kept in a line-based file.
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool needsQuotes = value != value.trimmed()
        || (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')));
    return needsQuotes ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

QString unquoted(const QString& value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

QString clean(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.trimmed();
}

} // namespace

void IniDosyasi::MetindenOku(const QString& text)
{
    m_bolumler.clear();
    Bolum* current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (n == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            // A damaged header, or one with only blanks in it (it would be
            // written back as "[]", which reads as damaged): its keys belong
            // nowhere.
            if (!line.endsWith(QLatin1Char(']')) || line.size() < 2 || name.isEmpty()) {
                current = nullptr;
                continue;
            }
            current = &bolumAc(name);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || !current)
            continue; // no key, or a key outside any section
        const QString key = line.left(eq).trimmed();
        if (key.isEmpty())
            continue;
        bool known = false;
        for (const auto& kv : std::as_const(current->degerler))
            known = known || sameKey(kv.first, key);
        if (!known) // the first of duplicate keys counts
            current->degerler.append({key, unquoted(line.mid(eq + 1).trimmed())});
    }
}

bool IniDosyasi::Oku(const QString& path)
{
    m_bolumler.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_hata = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_hata = file.errorString();
        return false;
    }
    MetindenOku(QString::fromUtf8(bytes));
    return true;
}

QString IniDosyasi::Metin() const
{
    QString text;
    for (const Bolum& b : m_bolumler) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QLatin1Char('[') + b.ad + QStringLiteral("]\n");
        for (const auto& kv : b.degerler)
            text += kv.first + QLatin1Char('=') + quoted(kv.second) + QLatin1Char('\n');
    }
    return text;
}

bool IniDosyasi::Yaz(const QString& path)
{
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    const QByteArray bytes = Metin().toUtf8();
    QByteArray tmpl = QFile::encodeName(info.absoluteFilePath()) + ".tmp-XXXXXX";
    // mkstemp creates the file with permissions 0600 in the target's folder,
    // so the rename below replaces the old file in one step.
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) {
        m_hata = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    auto fail = [&](int err) {
        m_hata = QString::fromLocal8Bit(std::strerror(err));
        ::close(fd);
        ::unlink(tmpl.constData());
        return false;
    };
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        written += n;
    }
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0 || ::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        m_hata = QString::fromLocal8Bit(std::strerror(errno));
        ::unlink(tmpl.constData());
        return false;
    }
    if (::rename(tmpl.constData(), QFile::encodeName(info.absoluteFilePath()).constData()) != 0) {
        m_hata = QString::fromLocal8Bit(std::strerror(errno));
        ::unlink(tmpl.constData());
        return false;
    }
    m_hata.clear();
    return true;
}

IniDosyasi::Bolum& IniDosyasi::bolumAc(const QString& section)
{
    for (Bolum& b : m_bolumler) {
        if (sameKey(b.ad, section))
            return b;
    }
    m_bolumler.append(Bolum{section, {}});
    return m_bolumler.last();
}

const IniDosyasi::Bolum* IniDosyasi::bolum(const QString& section) const
{
    for (const Bolum& b : m_bolumler) {
        if (sameKey(b.ad, section))
            return &b;
    }
    return nullptr;
}

QString IniDosyasi::Deger(const QString& section, const QString& key, const QString& defaultValue) const
{
    if (const Bolum* b = bolum(section)) {
        for (const auto& kv : b->degerler) {
            if (sameKey(kv.first, key))
                return kv.second;
        }
    }
    return defaultValue;
}

bool IniDosyasi::VarMi(const QString& section, const QString& key) const
{
    if (const Bolum* b = bolum(section)) {
        for (const auto& kv : b->degerler) {
            if (sameKey(kv.first, key))
                return true;
        }
    }
    return false;
}

void IniDosyasi::DegerYaz(const QString& section, const QString& key, const QString& value)
{
    const QString sec = clean(section);
    const QString k = clean(key);
    // A key with '=' would split differently, and one that starts like a
    // section header or a comment would not read back as a key at all.
    if (sec.isEmpty() || k.isEmpty() || k.contains(QLatin1Char('=')) || k.startsWith(QLatin1Char('['))
        || k.startsWith(QLatin1Char(';')) || k.startsWith(QLatin1Char('#')))
        return;
    Bolum& target = bolumAc(sec);
    for (auto& kv : target.degerler) {
        if (sameKey(kv.first, k)) {
            kv.second = value;
            return;
        }
    }
    target.degerler.append({k, value});
}

bool IniDosyasi::Mantiksal(const QString& section, const QString& key, bool defaultValue) const
{
    const QString v = Deger(section, key).trimmed();
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (ok)
        return n != 0;
    if (v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (v.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return defaultValue;
}

void IniDosyasi::MantiksalYaz(const QString& section, const QString& key, bool value)
{
    DegerYaz(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

namespace {
const QString kBolum = QStringLiteral("kullanici");
const QString kIsim = QStringLiteral("isim");
const QString kSifre = QStringLiteral("sifre");
const QString kHatirla = QStringLiteral("hatırla");
} // namespace

QString AyarDosyasiYolu()
{
    return UygulamaKlasoru() + QStringLiteral("/ayar.ini");
}

KullaniciAyari AyarOku(const QString& path, bool* dosyaVar)
{
    IniDosyasi ini;
    const bool ok = ini.Oku(path);
    if (dosyaVar)
        *dosyaVar = ok;
    KullaniciAyari ayar;
    if (!ok)
        return ayar;
    ayar.isim = ini.Deger(kBolum, kIsim);
    ayar.sifre = ini.Deger(kBolum, kSifre);
    ayar.hatirla = ini.Mantiksal(kBolum, kHatirla, true);
    return ayar;
}

bool AyarYaz(const QString& path, const KullaniciAyari& ayar, QString* hata)
{
    IniDosyasi ini;
    ini.Oku(path); // keep whatever else the file holds
    ini.DegerYaz(kBolum, kIsim, ayar.isim);
    ini.DegerYaz(kBolum, kSifre, ayar.sifre);
    ini.MantiksalYaz(kBolum, kHatirla, ayar.hatirla);
    const bool ok = ini.Yaz(path);
    if (hata)
        *hata = ok ? QString() : ini.Hata();
    return ok;
}
