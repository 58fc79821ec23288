// Shows the customer selection with the demo data of an in-process
// application server and writes a picture of it:
// demo_seccari [--grab <file.png>] [--user TEMSILCI1-PC].
#include "core/baglantiu.h"
#include "core/dialogrecorder.h"
#include "platform/datasnap/connection.h"
#include "platform/grid/datagrid.h"
#include "salesrep/seccariu.h"
#include "tests/appserver/serverfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const QStringList args = app.arguments();
    const int g = int(args.indexOf(u"--grab"_s));
    const QString dosya = g > 0 && g + 1 < args.size() ? args[g + 1] : QString();
    const int u = int(args.indexOf(u"--user"_s));
    const QString makine = u > 0 && u + 1 < args.size() ? args[u + 1] : u"TEMSILCI1-PC"_s;

    ServerFixture sunucu;
    if (!sunucu.ok())
        return 1;
    DialogRecorder dialogs;
    TSonucBilgisi sbilgi = sunucu.signIn(makine);
    datasnap::Connection bagc;
    bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
    bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));

    Tseccari pencere(nullptr, bagc, sbilgi);
    pencere.SepetSayisiYaz();
    pencere.TusSonuclari();
    pencere.show();
    QSignalSpy bitti(&pencere, &Tseccari::ListeYuklendi);
    pencere.sBitBtn2Click();
    bitti.wait(20000);
    if (pencere.cxGrid1->rowCount() > 1)
        pencere.cxGrid1->setFocusedRow(pencere.cxGrid1->sourceRowAt(1));
    if (dosya.isEmpty())
        return app.exec();
    QTest::qWait(300);
    return pencere.grab().save(dosya) ? 0 : 2;
}
