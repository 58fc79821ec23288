// The reports window against the application server with its demo data:
// "Göster" fills the table of the active tab, grouped by representative and
// collapsed; a second "Göster" replaces it; a dead connection keeps the table
// and is told.
#include "account/raporformu.h"
#include "core/baglantikontrol.h"
#include "core/dialogrecorder.h"
#include "platform/datasnap/connection.h"
#include "platform/grid/datagrid.h"
#include "tests/appserver/serverfixture.h"
#include "tests/basket/sepetortami.h"

#include <QDateEdit>
#include <QTabWidget>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

class tst_RaporForm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }
    void raporlar();
};

void tst_RaporForm::raporlar()
{
    ServerFixture sunucu;
    QVERIFY(sunucu.ok());
    DialogRecorder dialogs;
    const BaglantiBeklemesi eski = BaglantiBeklemesiniAyarla([](std::chrono::milliseconds) {});
    datasnap::Connection bagc;
    bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
    bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));
    bagc.setParam(datasnap::param::ConnectTimeout, u"500"_s);
    TSonucBilgisi sbilgi = sunucu.signIn(u"DEMO-PC"_s);
    sbilgi.setMusteriTipi(2); // every representative's orders

    Traporform pencere(nullptr);
    pencere.bag = bagc.CloneConnection();
    pencere.sbilgi = &sbilgi;
    QCOMPARE(pencere.tarih1->date(), QDate::currentDate());
    pencere.tarih1->setDate(QDate::currentDate().addDays(-365));
    pencere.Button1Click();
    QVERIFY(pencere.siparis.RecordCount() > 0);
    QCOMPARE(pencere.stok.RecordCount(), 0); // only the active tab's report ran
    QCOMPARE(pencere.siparisGrid->groupColumn(), u"SATICIADI"_s);
    QVERIFY(pencere.siparisGrid->groupCount() > 0);
    for (int g = 0; g < pencere.siparisGrid->groupCount(); ++g)
        QVERIFY(!pencere.siparisGrid->isGroupExpanded(g));
    const double toplam = pencere.siparisGrid->footerValue({u"TUTAR"_s, SummaryKind::Sum});
    QVERIFY(toplam > 0);
    double gruplar = 0;
    for (int g = 0; g < pencere.siparisGrid->groupCount(); ++g)
        gruplar += pencere.siparisGrid->groupSummaryValue(g, {u"TUTAR"_s, SummaryKind::Sum});
    QVERIFY(qAbs(gruplar - toplam) < 0.01);

    // A second "Göster" over a shorter range replaces the rows; groups come back collapsed.
    const int onceki = pencere.siparis.RecordCount();
    pencere.siparisGrid->setGroupExpanded(0, true);
    pencere.tarih1->setDate(QDate::currentDate().addDays(-3));
    pencere.Button1Click();
    QVERIFY(pencere.siparis.RecordCount() < onceki);
    QVERIFY(!pencere.siparisGrid->isGroupExpanded(0));

    pencere.cxPageControl1->setCurrentWidget(pencere.tabstok);
    pencere.tarih1->setDate(QDate::currentDate().addDays(-365));
    pencere.Button1Click();
    QVERIFY(pencere.stok.RecordCount() > 0);
    QVERIFY(pencere.stokGrid->footerValue({u"MIKTAR"_s, SummaryKind::Sum}) > 0);
    QCOMPARE(dialogs.messages().size(), 0);

    // No server: the table keeps its rows and the user is told.
    const int stokSatir = pencere.stok.RecordCount();
    pencere.bag->setParam(datasnap::param::Port, QString::number(kapaliPort()));
    pencere.Button1Click();
    QCOMPARE(pencere.stok.RecordCount(), stokSatir);
    QCOMPARE(dialogs.messages().last().text, u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s);
    BaglantiBeklemesiniAyarla(eski);
}

QTEST_MAIN(tst_RaporForm)
#include "tst_raporform.moc"
