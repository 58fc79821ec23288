// Renders every window of the account area with the demo data of an
// in-process application server into PNG files (argument: output folder,
// default /tmp), so they can be looked at without a display.
#include "account/ayrinti_faturau.h"
#include "account/ayrinti_siparisu.h"
#include "account/ayrinti_tahsilatu.h"
#include "account/cariekstresekmesi.h"
#include "account/ekstrehesabi.h"
#include "account/oncekisekmesi.h"
#include "account/raporformu.h"
#include "account/sanalpossekmesi.h"
#include "account/tarihsecu.h"
#include "appserver/database.h"
#include "core/dialogrecorder.h"
#include "platform/dataset/memtable.h"
#include "platform/datasnap/connection.h"
#include "platform/grid/datagrid.h"
#include "tests/appserver/serverfixture.h"

#include <QApplication>
#include <QDateEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTabWidget>

#include <csignal>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QString klasor;

void kaydet(QWidget& w, const QString& ad, QSize boyut = {1360, 760})
{
    w.resize(boyut);
    w.show();
    QApplication::processEvents();
    const QString yol = klasor + u"/hesap-"_s + ad + u".png"_s;
    w.grab().save(yol);
    std::printf("%s\n", qPrintable(yol));
}

} // namespace

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    klasor = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"/tmp"_s;
    ServerFixture sunucu;
    if (!sunucu.ok())
        return 1;
    DialogRecorder dialogs;
    datasnap::Connection bagc;
    bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
    bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));
    TSonucBilgisi sbilgi = sunucu.signIn(u"DEMO-PC"_s);

    MemTable EKSTRE;
    TCariEkstreSekmesi ekstre(bagc, sbilgi, EKSTRE);
    {
        QSignalSpy bitti(&ekstre, &TCariEkstreSekmesi::YuklemeBitti);
        ekstre.Gosterildi();
        bitti.wait(20000);
    }
    kaydet(ekstre, u"ekstre"_s);

    MemTable ONCEKILER;
    TOncekiSiparislerSekmesi onceki(bagc, sbilgi, ONCEKILER);
    {
        QSignalSpy bitti(&onceki, &TOncekiSiparislerSekmesi::YuklemeBitti);
        onceki.Gosterildi();
        bitti.wait(20000);
    }
    kaydet(onceki, u"oncekiler"_s);

    if (ONCEKILER.RecordCount() > 0) {
        Tayrinti_siparis siparis(nullptr);
        siparis.Yukle(bagc, sbilgi.CARINO(), ONCEKILER.data().value(0, ONCEKILER.data().fieldIndex(u"IDNO")).toInt());
        kaydet(siparis, u"siparis"_s, siparis.size());
    }

    // The first invoice and the first card-paid collection of the statement.
    const TableData& e = EKSTRE.data();
    for (int r = 0; r < e.rowCount(); ++r) {
        if (EvrakTuru(e.stringValue(r, e.fieldIndex(u"TURADI"))) == 2) {
            Tayrinti_fatura fatura(nullptr);
            fatura.Yukle(bagc, sbilgi.CARINO(), int(e.intValue(r, e.fieldIndex(u"IDNO"))));
            kaydet(fatura, u"fatura"_s, fatura.size());
            break;
        }
    }
    QSqlQuery q = runSql(sunucu.database().connection(),
                         u"SELECT p.tahsilatidno FROM sanalpos p ORDER BY p.sirano LIMIT 1"_s);
    if (q.next()) {
        Tayrinti_tahsilat tahsilat(nullptr);
        tahsilat.Yukle(bagc, q.value(0).toInt());
        kaydet(tahsilat, u"tahsilat"_s, {1100, 460});
    }

    sbilgi.setMusteriTipi(2);
    Traporform rapor(nullptr);
    rapor.bag = bagc.CloneConnection();
    rapor.sbilgi = &sbilgi;
    rapor.tarih1->setDate(QDate::currentDate().addDays(-365));
    rapor.Button1Click();
    rapor.siparisGrid->setGroupExpanded(0, true);
    kaydet(rapor, u"rapor-siparis"_s);
    rapor.cxPageControl1->setCurrentWidget(rapor.tabstok);
    rapor.Button1Click();
    kaydet(rapor, u"rapor-stok"_s);

    Ttarihsec tarih(nullptr);
    kaydet(tarih, u"tarihsec"_s, tarih.sizeHint());

    TSanalPosSekmesi pos(bagc, sbilgi);
    pos.Gosterildi();
    kaydet(pos, u"sanalpos"_s, {900, 300});

    for (const QString& t : dialogs.texts())
        std::printf("dialog: %s\n", qPrintable(t));
    return 0;
}
