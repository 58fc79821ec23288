// The road of an order end to end, against the application server running
// in-process on a loopback port with a fresh demo database: search, add to
// the basket, mark the line, send the order, then read the order from the
// server's data and see the basket shrink.
#include "appserver/database.h"
#include "basket/ONAYSIPU.h"
#include "basket/sepetsekmesi.h"
#include "catalogue/sepeteekle.h"
#include "catalogue/stoklistesiu.h"
#include "core/baglantiu.h"
#include "core/dialogrecorder.h"
#include "core/utils.h"
#include "platform/dataset/memtable.h"
#include "platform/datasnap/connection.h"
#include "platform/grid/datagrid.h"
#include "tests/appserver/serverfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

class tst_SiparisYolu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }
    void aramadanSipariseKadar();
};

void tst_SiparisYolu::aramadanSipariseKadar()
{
    ServerFixture sunucu;
    QVERIFY(sunucu.ok());
    DialogRecorder dialogs;
    TSonucBilgisi sbilgi = sunucu.signIn(u"DEMO-PC"_s);
    QVERIFY(sbilgi.CARINO() > 0);
    datasnap::Connection bagc;
    bagc.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
    bagc.setParam(datasnap::param::Port, QString::number(sunucu.port()));

    MemTable stok, sepet;
    TSepetSekmesi sepetSekmesi(bagc, sbilgi, sepet);
    TKatalogBaglami katalog;
    katalog.bagc = &bagc;
    katalog.sbilgi = &sbilgi;
    katalog.sepet = &sepet;
    katalog.SepetYukle = [&] { sepetSekmesi.Yenile(); };
    katalog.PencereGoster = [](QDialog&) { return int(QDialog::Accepted); }; // "Sepete Ekle" as filled
    TStokListesi stokSekmesi(katalog, stok);

    // The basket as the dealer finds it, nothing marked.
    QVERIFY(sepetSekmesi.Yenile());
    sepetSekmesi.Button5Click();
    const int ilkSatir = sepet.RecordCount();

    // Search for an item by a code the catalogue holds.
    const QString barkod = scalarSql(sunucu.database().connection(),
                                     u"SELECT barkod FROM stok WHERE stokno NOT IN "
                                     "(SELECT stokno FROM sepet WHERE carino = ?) ORDER BY stokno LIMIT 1"_s,
                                     {sbilgi.CARINO()})
                               .toString();
    QVERIFY(!barkod.isEmpty());
    QSignalSpy bitti(&stokSekmesi, &TStokListesi::AramaBitti);
    stokSekmesi.AramaYap(barkod);
    QVERIFY(bitti.wait(20000));
    QVERIFY(bitti.first().first().toBool());
    QVERIFY(stok.Locate(u"BARKOD"_s, barkod));
    const qint64 stokno = stok.FieldByName(u"STOK_STOKNO"_s).AsInteger();

    // Add it: one more basket line, unmarked.
    StokSepeteEkle(katalog, TStokKaynagi::StokListesi, stok, stokno);
    QCOMPARE(sepet.RecordCount(), ilkSatir + 1);
    QVERIFY(sepet.Locate(u"STOKNO"_s, stokno));
    QCOMPARE(sepet.FieldByName(u"SEC"_s).AsInteger(), 0);
    QCOMPARE(sepetSekmesi.geneltoplaml->text(), SayiGoster(0));

    // Mark it by double-clicking its "Seç" cell; the server keeps the mark.
    sepetSekmesi.cxGrid2->setFocusedRow(sepet.currentRow());
    sepetSekmesi.cxGrid2->setFocusedColumn(u"SEC"_s);
    sepetSekmesi.Deitir1Click();
    const int sirano = int(sepet.FieldByName(u"SIRANO"_s).AsInteger());
    QCOMPARE(scalarSql(sunucu.database().connection(), u"SELECT sec FROM sepet WHERE sirano = ?"_s, {sirano})
                 .toInt(),
             1);
    QVERIFY(sepetSekmesi.Toplamlar().Genel > 0);

    // Send it with the first cargo kind and its first company.
    sepetSekmesi.Baglam().PencereGoster = [](QDialog& d) {
        auto& onay = static_cast<TONAYSIP&>(d);
        onay.KargoTuruSec(0);
        if (onay.kargocombo->currentIndex() <= 0)
            onay.kargocombo->setCurrentIndex(1);
        onay.aciklamagir->setPlainText(u"Uçtan uca sipariş"_s);
        onay.Button1Click();
        return onay.result();
    };
    dialogs.clear();
    sepetSekmesi.Button1Click();
    QCOMPARE(dialogs.texts(), QStringList{u"Siparişiniz Gönderildi !"_s});

    // The server holds the order with this line; the basket lost it.
    QSqlQuery q = runSql(sunucu.database().connection(),
                         u"SELECT s.aciklama, l.stokno FROM siparis s JOIN siparis_satir l ON l.idno = s.idno "
                         "WHERE s.carino = ? AND s.idno = (SELECT MAX(idno) FROM siparis WHERE carino = ?)"_s,
                         {sbilgi.CARINO(), sbilgi.CARINO()});
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), u"Uçtan uca sipariş"_s);
    QCOMPARE(q.value(1).toLongLong(), stokno);
    QVERIFY(!q.next());
    QCOMPARE(sepet.RecordCount(), ilkSatir);
    QVERIFY(!sepet.Locate(u"STOKNO"_s, stokno));
    QCOMPARE(sepetSekmesi.geneltoplaml->text(), SayiGoster(0));
}

QTEST_MAIN(tst_SiparisYolu)
#include "tst_siparisyolu.moc"
