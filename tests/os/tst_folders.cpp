#include "platform/os/folders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_folders : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void defaultBrowser_data();
    void defaultBrowser();
    void openWithSystemRefusesWhatIsNotThere_data();
    void openWithSystemRefusesWhatIsNotThere();

private:
    QString executable(const QString& name);
    QTemporaryDir m_root;
};

void tst_folders::initTestCase()
{
    QVERIFY(m_root.isValid());
}

void tst_folders::cleanup()
{
    qunsetenv("BROWSER");
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
    qunsetenv("XDG_DATA_DIRS");
}

QString tst_folders::executable(const QString& name)
{
    const QString path = m_root.filePath(u"bin/"_s + name);
    QDir().mkpath(m_root.filePath(u"bin"_s));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write("#!/bin/sh\n");
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

void tst_folders::defaultBrowser_data()
{
    QTest::addColumn<QString>("browserEnv");  // "<exe>" stands for the fixture program
    QTest::addColumn<QString>("mimeapps");    // content of the user's mimeapps.list
    QTest::addColumn<QString>("desktopExec"); // Exec line of applications/tarayici.desktop
    QTest::addColumn<bool>("expectFixture");
    QTest::newRow("BROWSER wins") << u"<exe> %s"_s
                                  << u"[Default Applications]\nx-scheme-handler/https=tarayici.desktop\n"_s
                                  << u"/nonexistent/other %u"_s << true;
    QTest::newRow("https handler of mimeapps")
        << QString()
        << u"[Added Associations]\nx-scheme-handler/https=yok.desktop\n[Default Applications]\nx-scheme-handler/https=tarayici.desktop;yedek.desktop\n"_s
        << u"<exe> %u"_s << true;
    QTest::newRow("http handler when https has none")
        << QString() << u"[Default Applications]\nx-scheme-handler/http=tarayici.desktop\n"_s << u"\"<exe>\" %U"_s
        << true;
    QTest::newRow("handler whose program is missing")
        << QString() << u"[Default Applications]\nx-scheme-handler/https=tarayici.desktop\n"_s
        << u"/nonexistent/browser %u"_s << false;
}

void tst_folders::defaultBrowser()
{
    QFETCH(QString, browserEnv);
    QFETCH(QString, mimeapps);
    QFETCH(QString, desktopExec);
    QFETCH(bool, expectFixture);
    const QString exe = executable(u"tarayici"_s);
    QVERIFY(!exe.isEmpty());
    QTemporaryDir home;
    const QString config = home.filePath(u"config"_s);
    const QString data = home.filePath(u"data"_s);
    QVERIFY(QDir().mkpath(config) && QDir().mkpath(data + u"/applications"_s));
    QFile list(config + u"/mimeapps.list"_s);
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(mimeapps.toUtf8());
    list.close();
    QFile desktop(data + u"/applications/tarayici.desktop"_s);
    QVERIFY(desktop.open(QIODevice::WriteOnly));
    const QString entry
        = u"[Desktop Entry]\nName=Tarayıcı\nExec="_s + QString(desktopExec).replace(u"<exe>"_s, exe) + u"\n"_s;
    desktop.write(entry.toUtf8());
    desktop.close();

    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(home.filePath(u"none"_s)));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(home.filePath(u"none"_s)));
    if (!browserEnv.isEmpty())
        qputenv("BROWSER", QString(browserEnv).replace(u"<exe>"_s, exe).toUtf8());

    const QString found = os::defaultBrowser();
    if (expectFixture)
        QCOMPARE(found, exe);
    else
        QVERIFY2(found != exe && !found.startsWith(u"/nonexistent"_s), qPrintable(found));
}

void tst_folders::openWithSystemRefusesWhatIsNotThere_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("missing file") << u"/nonexistent/rapor12.pdf"_s << QStringList();
    QTest::newRow("missing program with arguments") << u"/nonexistent/ZELVORISetup.exe"_s << QStringList{u"/silent"_s};
}

void tst_folders::openWithSystemRefusesWhatIsNotThere()
{
    QFETCH(QString, target);
    QFETCH(QStringList, arguments);
    QVERIFY(!os::openWithSystem(target, arguments));
}

QTEST_GUILESS_MAIN(tst_folders)
#include "tst_folders.moc"
