#include "core/ayarini.h"
#include "tests/core/yazmahatasi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

class tst_ayarini : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void missingFileGivesDefaults();
    void roundTripKeepsKeysLiteral_data();
    void roundTripKeepsKeysLiteral();
    void readsFilesWrittenElsewhere_data();
    void readsFilesWrittenElsewhere();
    void writeIsPrivateAndAtomic();
    void failedWriteLeavesOldFile();
    void keepsOtherContent();
    void unwritableKeepsOldFile_data();
    void unwritableKeepsOldFile();
    void writtenTextReadsBackTheSame_data();
    void writtenTextReadsBackTheSame();
    void keysThatWouldNotReadBackAreRefused_data();
    void keysThatWouldNotReadBackAreRefused();

private:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("ayar.ini"));
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_ayarini::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString tst_ayarini::write(const QByteArray& bytes, const QString& name)
{
    const QString path = m_dir->filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(bytes);
    return path;
}

void tst_ayarini::missingFileGivesDefaults()
{
    bool exists = true;
    const KullaniciAyari a = AyarOku(m_dir->filePath(u"yok/ayar.ini"_s), &exists);
    QVERIFY(!exists);
    QCOMPARE(a.isim, QString());
    QCOMPARE(a.sifre, QString());
    QCOMPARE(a.hatirla, true);
}

void tst_ayarini::roundTripKeepsKeysLiteral_data()
{
    QTest::addColumn<QString>("isim");
    QTest::addColumn<QString>("sifre");
    QTest::addColumn<bool>("hatirla");
    QTest::newRow("plain") << u"bayi1"_s << u"gizli"_s << true;
    QTest::newRow("not remembered") << u"bayi1"_s << u"gizli"_s << false;
    QTest::newRow("turkish letters") << u"şükrü.öğüt"_s << u"İıĞğ Şş"_s << true;
    QTest::newRow("outer blanks kept") << u" ali "_s << u"  p w  "_s << true;
    QTest::newRow("quotes kept") << u"\"tırnak\""_s << u"\"a"_s << true;
    QTest::newRow("equals and semicolons") << u"a=b"_s << u";x=#y["_s << true;
    QTest::newRow("empty") << QString() << QString() << true;
}

void tst_ayarini::roundTripKeepsKeysLiteral()
{
    QFETCH(QString, isim);
    QFETCH(QString, sifre);
    QFETCH(bool, hatirla);
    const QString path = m_dir->filePath(u"zelvorioto/ayar.ini"_s);
    QString error;
    QVERIFY2(AyarYaz(path, {isim, sifre, hatirla}, &error), qPrintable(error));

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.contains("[kullanici]"));
    QVERIFY2(bytes.contains("hat\xC4\xB1rla="), bytes.constData()); // the key in UTF-8, not escaped
    QVERIFY(!bytes.contains("%U"));

    bool exists = false;
    const KullaniciAyari back = AyarOku(path, &exists);
    QVERIFY(exists);
    QCOMPARE(back.isim, isim);
    QCOMPARE(back.sifre, sifre);
    QCOMPARE(back.hatirla, hatirla);
}

void tst_ayarini::readsFilesWrittenElsewhere_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("isim");
    QTest::addColumn<QString>("sifre");
    QTest::addColumn<bool>("hatirla");
    QTest::newRow("windows line ends and BOM")
        << QByteArray("\xEF\xBB\xBF[kullanici]\r\nisim=ahmet\r\nsifre=123\r\nhat\xC4\xB1rla=0\r\n") << u"ahmet"_s
        << u"123"_s << false;
    QTest::newRow("key absent: remember") << QByteArray("[kullanici]\nisim=a\nsifre=b\n") << u"a"_s << u"b"_s << true;
    QTest::newRow("damaged lines skipped")
        << QByteArray("[kullanici]\nbozuk satir\n=degersiz\n[yarim\nisim=x\n[kullanici]\nsifre=y\n\x01\x02\n")
        << QString() << u"y"_s << true;
    QTest::newRow("keys outside the section ignored")
        << QByteArray("isim=disarida\n[kullanici]\nsifre=s\n") << QString() << u"s"_s << true;
    QTest::newRow("other section") << QByteArray("[baska]\nisim=z\n[kullanici]\nisim=k\n") << u"k"_s << QString()
                                   << true;
    QTest::newRow("true and garbage booleans")
        << QByteArray("[kullanici]\nhat\xC4\xB1rla=true\n") << QString() << QString() << true;
    QTest::newRow("unreadable boolean keeps default")
        << QByteArray("[kullanici]\nhat\xC4\xB1rla=belki\n") << QString() << QString() << true;
    QTest::newRow("first duplicate wins")
        << QByteArray("[kullanici]\nisim=ilk\nisim=ikinci\n") << u"ilk"_s << QString() << true;
    QTest::newRow("not utf-8 at all") << QByteArray("\xFF\xFE\x00\x01[\x80\n") << QString() << QString() << true;
    QTest::newRow("empty file") << QByteArray() << QString() << QString() << true;
}

void tst_ayarini::readsFilesWrittenElsewhere()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, isim);
    QFETCH(QString, sifre);
    QFETCH(bool, hatirla);
    const QString path = write(bytes);
    QVERIFY(!path.isEmpty());
    const KullaniciAyari a = AyarOku(path);
    QCOMPARE(a.isim, isim);
    QCOMPARE(a.sifre, sifre);
    QCOMPARE(a.hatirla, hatirla);
}

void tst_ayarini::writeIsPrivateAndAtomic()
{
    const QString path = write("[kullanici]\nisim=eski\n");
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::ReadGroup));
    QVERIFY(AyarYaz(path, {u"yeni"_s, u"s"_s, true}));
    struct stat st
    { };
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0600));
    // No temporary file left behind.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"ayar.ini"_s});
    QCOMPARE(AyarOku(path).isim, u"yeni"_s);
}

void tst_ayarini::failedWriteLeavesOldFile()
{
    // The name is taken by a folder: the rename fails, the folder and its
    // content stay, no temporary file is left, and the failure is reported.
    const QString path = m_dir->filePath(u"ayar.ini"_s);
    QVERIFY(QDir().mkpath(path + u"/icerik"_s));
    QString error;
    QVERIFY(!AyarYaz(path, {u"yeni"_s, QString(), true}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(path + u"/icerik"_s).isDir());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList());

    // A parent that is a file: nothing can be created under it.
    const QString blocker = write("[kullanici]\nisim=eski\n", u"dosya"_s);
    QVERIFY(!AyarYaz(blocker + u"/ayar.ini"_s, {u"yeni"_s, QString(), true}, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(AyarOku(blocker).isim, u"eski"_s);
}

void tst_ayarini::keepsOtherContent()
{
    const QString path = write("[baska]\nanahtar=deger\n[kullanici]\nisim=a\nek=1\n");
    QVERIFY(AyarYaz(path, {u"b"_s, u"c"_s, false}));
    IniDosyasi ini;
    QVERIFY(ini.Oku(path));
    QCOMPARE(ini.Deger(u"baska"_s, u"anahtar"_s), u"deger"_s);
    QCOMPARE(ini.Deger(u"kullanici"_s, u"ek"_s), u"1"_s);
    QCOMPARE(ini.Deger(u"KULLANICI"_s, u"ISIM"_s), u"b"_s);
    QCOMPARE(ini.Mantiksal(u"kullanici"_s, u"hatırla"_s, true), false);
}

enum class Engel { DoluDisk, SaltOkunurKlasor, UstuDosya };
Q_DECLARE_METATYPE(Engel)

void tst_ayarini::unwritableKeepsOldFile_data()
{
    QTest::addColumn<Engel>("engel");
    QTest::addColumn<qint64>("sigan");  // bytes a file may grow to on the full disk
    QTest::addColumn<int>("hataNo");
    QTest::newRow("disk full before the first byte") << Engel::DoluDisk << qint64(0) << EFBIG;
    QTest::newRow("disk full halfway") << Engel::DoluDisk << qint64(600) << EFBIG;
    QTest::newRow("read-only folder") << Engel::SaltOkunurKlasor << qint64(0) << EROFS;
    QTest::newRow("folder is a file") << Engel::UstuDosya << qint64(0) << ENOTDIR;
}

// A settings file that cannot be written gives the system's reason and
// leaves the old file byte for byte, with no temporary file beside it.
void tst_ayarini::unwritableKeepsOldFile()
{
    QFETCH(Engel, engel);
    QFETCH(qint64, sigan);
    QFETCH(int, hataNo);
    const QByteArray eski = "[kullanici]\nisim=eski\nsifre=eskisifre\nhat\xC4\xB1rla=1\n";
    QString klasor = m_dir->path();
    QString yol = write(eski);
    std::unique_ptr<SaltOkunurKlasor> salt;
    if (engel == Engel::SaltOkunurKlasor) {
        salt = std::make_unique<SaltOkunurKlasor>(m_dir->path(), QList<QPair<QString, QByteArray>>{{u"ayar.ini"_s, eski}});
        if (!salt->ok())
            QSKIP("mounting a read-only file system is not allowed here");
        klasor = salt->path();
        yol = klasor + u"/ayar.ini"_s;
    } else if (engel == Engel::UstuDosya) {
        klasor = yol; // the file where the folder should be
        yol = klasor + u"/ayar.ini"_s;
    }
    const QStringList once = QDir(klasor).entryList(QDir::Files | QDir::Hidden);

    // Longer than the full disk lets grow: the write must fail midway.
    const KullaniciAyari yeni{QString(1000, u'y'), u"yenisifre"_s, false};
    QString hata;
    bool yazildi = false;
    if (engel == Engel::DoluDisk) {
        DoluDisk dolu{rlim_t(sigan)};
        QVERIFY(dolu.ok());
        yazildi = AyarYaz(yol, yeni, &hata);
    } else {
        yazildi = AyarYaz(yol, yeni, &hata);
    }
    QVERIFY(!yazildi);
    QCOMPARE(hata, QString::fromLocal8Bit(std::strerror(hataNo)));

    const QString eskiYol = engel == Engel::UstuDosya ? klasor : yol;
    QFile f(eskiYol);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), eski);
    QCOMPARE(QDir(klasor).entryList(QDir::Files | QDir::Hidden), once);
    // Once the disk has room again, the same write succeeds.
    if (engel == Engel::DoluDisk) {
        QVERIFY2(AyarYaz(yol, yeni, &hata), qPrintable(hata));
        QCOMPARE(AyarOku(yol).isim, yeni.isim);
    }
}

void tst_ayarini::writtenTextReadsBackTheSame_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("isim");
    QTest::newRow("header of blanks") << QByteArray("[ ]\nisim=yok\n[kullanici]\nisim=var\n") << u"var"_s;
    QTest::newRow("header of a form feed") << QByteArray("i\n[\x0c]\n\xa8\xa9i]\n[]\n\xa0\xa0!c\x04") << QString();
    QTest::newRow("empty header") << QByteArray("[]\nisim=yok\n") << QString();
    QTest::newRow("header of one bracket") << QByteArray("[\nisim=yok\n[kullanici]\nisim=k\n") << u"k"_s;
}

// What is read and written again reads back to the same text: nothing read
// from a file is lost or changed by the next save.
void tst_ayarini::writtenTextReadsBackTheSame()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, isim);
    IniDosyasi ini;
    ini.MetindenOku(QString::fromUtf8(bytes));
    IniDosyasi again;
    again.MetindenOku(ini.Metin());
    QCOMPARE(again.Metin(), ini.Metin());
    QCOMPARE(again.Deger(u"kullanici"_s, u"isim"_s), isim);
}

void tst_ayarini::keysThatWouldNotReadBackAreRefused_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored"); // the key as kept; empty: refused
    QTest::newRow("plain") << u"isim"_s << u"isim"_s;
    QTest::newRow("outer blanks") << u"  isim \r"_s << u"isim"_s;
    QTest::newRow("turkish") << u"hatırla"_s << u"hatırla"_s;
    QTest::newRow("inner bracket") << u"a[b]"_s << u"a[b]"_s;
    QTest::newRow("like a header") << u"[kullanici]"_s << QString();
    QTest::newRow("like a comment") << u";yorum"_s << QString();
    QTest::newRow("like a hash comment") << u"#yorum"_s << QString();
    QTest::newRow("with equals") << u"a=b"_s << QString();
    QTest::newRow("blank") << u" \r\n "_s << QString();
}

// A key is stored only when it reads back as itself; otherwise the file's
// text stays as it was.
void tst_ayarini::keysThatWouldNotReadBackAreRefused()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    IniDosyasi ini;
    ini.MetindenOku(u"[kullanici]\nisim=a\n"_s);
    const QString before = ini.Metin();
    ini.DegerYaz(u"kullanici"_s, key, u"deger"_s);
    IniDosyasi back;
    back.MetindenOku(ini.Metin());
    if (stored.isEmpty()) {
        QCOMPARE(ini.Metin(), before);
    } else {
        QCOMPARE(back.Deger(u"kullanici"_s, stored), u"deger"_s);
        QCOMPARE(back.Metin(), ini.Metin());
    }
}

QTEST_GUILESS_MAIN(tst_ayarini)
#include "tst_ayarini.moc"
