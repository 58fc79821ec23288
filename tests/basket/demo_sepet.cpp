// Shows the basket tab, the order confirmation and the outstanding lines
// with the demo data of an in-process application server, and writes a
// picture of each: demo_sepet [--grab <folder>] [--user DEMO-PC].
#include "basket/ONAYSIPU.h"
#include "basket/bakiyesiparisleru.h"
#include "basket/sepetsekmesi.h"
#include "core/baglantiu.h"
#include "core/dialogrecorder.h"
#include "platform/dataset/memtable.h"
#include "platform/datasnap/connection.h"
#include "platform/grid/datagrid.h"
#include "tests/appserver/serverfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
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
    const QString klasor = g > 0 && g + 1 < args.size() ? args[g + 1] : QString();
    const int u = int(args.indexOf(u"--user"_s));
    const QString makine = u > 0 && u + 1 < args.size() ? args[u + 1] : u"DEMO-PC"_s;

    ServerFixture sunucu(3000);
    if (!sunucu.ok())
        return 1;
    DialogRecorder dialogs; // the demo answers every question with its focused button
    TSonucBilgisi sbilgi = sunucu.signIn(makine);
    datasnap::Connection bagc;
    bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
    bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));

    auto resim = [&](QWidget& w, const QString& ad) {
        QTest::qWait(300);
        if (!klasor.isEmpty())
            w.grab().save(QDir(klasor).filePath(ad));
    };

    MemTable sepet;
    TSepetSekmesi sekme(bagc, sbilgi, sepet);
    sekme.setWindowTitle(u"Sepet"_s);
    sekme.resize(1380, 760);
    sekme.show();
    QSignalSpy bitti(&sekme, &TSepetSekmesi::YuklemeBitti);
    QSignalSpy uyari(&sekme, &TSepetSekmesi::UyariGeldi);
    sekme.Gosterildi();
    bitti.wait(20000);
    if (uyari.isEmpty())
        uyari.wait(20000);
    sekme.Button4Click();
    // One line unmarked, so the totals show that only marked lines count.
    sekme.cxGrid2->setFocusedRow(0);
    sekme.cxGrid2->setFocusedColumn(u"SEC"_s);
    sekme.Deitir1Click();
    resim(sekme, u"sepet.png"_s);

    std::unique_ptr<TONAYSIP> onay(TONAYSIP::Ac(&sekme, bagc, sekme.lbluyarbakiye->text(), sbilgi,
                                                sekme.geneltoplaml->text()));
    onay->KargoTuruSec(0);
    if (onay->kargocombo->currentIndex() <= 0 && onay->kargocombo->count() > 1)
        onay->kargocombo->setCurrentIndex(1);
    onay->aciklamagir->setPlainText(u"Öğleden önce teslim lütfen."_s);
    onay->show();
    resim(*onay, u"onay.png"_s);
    onay->hide();

    Tbakiyesiparisler bakiye(nullptr, bagc, sbilgi);
    bakiye.KullaniciTipiUygula(sbilgi.MusteriTipi(), false);
    bakiye.BakiyeAlalim();
    bakiye.resize(1380, 700);
    bakiye.show();
    bakiye.cxGrid2->setFocusedRow(0);
    bakiye.SiparisDipGoster();
    resim(bakiye, u"bakiye.png"_s);

    if (!klasor.isEmpty())
        return 0;
    return app.exec();
}
