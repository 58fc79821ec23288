// The catalogue's server calls under server and network faults, against the
// application server behind the fault proxy.
// The stock search: whatever goes wrong, the list is emptied, the connection
// error is shown once, the caption falls back, the search box is usable again
// with the user's text in it, and the next search works.
// The new-items and campaign tabs: a failed load keeps the rows shown before,
// reports the error, and leaves the grid enabled for the next load.
#include "catalogue/stoklistesiu.h"
#include "catalogue/tanitimlistesiu.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "tests/support/faultenv.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

const QString kBaglantiHatasi = u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s;

struct AramaOrtami
{
    FaultEnv env;
    MemTable stok, sepet;
    TKatalogBaglami baglam;
    QWidget pencere;
    TStokListesi *sekme = nullptr;

    AramaOrtami()
    {
        baglam.bagc = &env.bagc;
        baglam.sbilgi = &env.sbilgi;
        baglam.sepet = &sepet;
        baglam.PencereGoster = [](QDialog &) { return int(QDialog::Rejected); };
        auto *duzen = new QVBoxLayout(&pencere);
        auto *cubuk = new QHBoxLayout;
        duzen->addLayout(cubuk);
        sekme = new TStokListesi(baglam, stok, &pencere);
        sekme->AramaCubugunaYerlestir(cubuk);
        duzen->addWidget(sekme);
        pencere.resize(1400, 800);
        pencere.show();
    }

    // Types the text and presses Enter; the search's outcome, or nullopt
    // when it did not end in time.
    std::optional<bool> ara(const QString &metin)
    {
        QSignalSpy bitti(sekme, &TStokListesi::AramaBitti);
        sekme->araedit->setText(metin);
        QTest::keyClick(sekme->araedit, Qt::Key_Return);
        if (!bitti.wait(30000))
            return std::nullopt;
        return bitti.first().first().toBool();
    }
};

struct TanitimOrtami
{
    FaultEnv env;
    MemTable tablo, sepet;
    TKatalogBaglami baglam;
    TTanitimListesi sekme;

    explicit TanitimOrtami(TTanitimListesi::Tur tur)
        : sekme(tur, baglamHazirla(), tablo)
    {
        sekme.resize(1200, 700);
    }

    TKatalogBaglami &baglamHazirla()
    {
        baglam.bagc = &env.bagc;
        baglam.sbilgi = &env.sbilgi;
        baglam.sepet = &sepet;
        baglam.PencereGoster = [](QDialog &) { return int(QDialog::Rejected); };
        return baglam;
    }

    std::optional<bool> yukle()
    {
        QSignalSpy bitti(&sekme, &TTanitimListesi::YuklemeBitti);
        sekme.Yukle();
        if (!bitti.wait(30000))
            return std::nullopt;
        return bitti.first().first().toBool();
    }
};

QList<qint64> stokNolari(const MemTable &t)
{
    QList<qint64> n;
    const int sutun = t.data().fieldIndex(u"STOK_STOKNO");
    for (int r = 0; r < t.RecordCount(); ++r)
        n << t.data().value(r, sutun).toLongLong();
    return n;
}

} // namespace

Q_DECLARE_METATYPE(TTanitimListesi::Tur)

class tst_HataKatalog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }
    void aramaHatasi_data() { addFaultRows(true); }
    void aramaHatasi();
    void tanitimYuklemeHatasi_data();
    void tanitimYuklemeHatasi();
};

void tst_HataKatalog::aramaHatasi()
{
    QFETCH(InjectedFault, fault);
    AramaOrtami o;
    QVERIFY(o.env.ok());

    // A first search fills the list.
    QCOMPARE(o.ara(u"FREN"_s), std::optional<bool>(true));
    const int satir = o.stok.RecordCount();
    QVERIFY(satir > 0);
    const QString doluBaslik = o.sekme->Baslik();
    QCOMPARE(doluBaslik, QString::number(satir) + u"=Stok Listesi"_s);

    o.env.dialogs.clear();
    o.env.apply(fault, u"StokAraGetirZelvori"_s);
    const std::optional<bool> sonuc = o.ara(u"FREN "_s);
    QVERIFY2(sonuc.has_value(), "the search did not end");
    QCOMPARE(*sonuc, fault.succeeds);
    if (fault.succeeds) {
        QVERIFY(o.env.dialogs.texts().isEmpty());
        QCOMPARE(o.sekme->Baslik(), QString::number(o.stok.RecordCount()) + u"=Stok Listesi"_s);
    } else {
        QCOMPARE(o.env.dialogs.texts(), FaultEnv::failureTexts(fault, kBaglantiHatasi));
        QCOMPARE(o.env.dialogs.messages().last().kind, mtError);
        QCOMPARE(o.stok.RecordCount(), 0);
        QCOMPARE(o.sekme->Baslik(), u"Stok Listesi"_s);
    }
    if (!fault.refuse)
        QCOMPARE(o.env.proxy.faultsApplied(), 1);

    // The window is usable again, with what the user typed still in the box.
    QVERIFY(o.sekme->araedit->isEnabled());
    QVERIFY(!o.sekme->AramaSuruyor());
    QVERIFY(o.sekme->gifstokara->isHidden());
    QVERIFY(o.sekme->cxGrid1->isEnabled());
    QCOMPARE(o.sekme->araedit->text(), u"FREN "_s);

    // Once the server answers again, the same search works.
    o.env.heal();
    o.env.dialogs.clear();
    QCOMPARE(o.ara(u"FREN"_s), std::optional<bool>(true));
    QCOMPARE(o.stok.RecordCount(), satir);
    QCOMPARE(o.sekme->Baslik(), doluBaslik);
    QVERIFY(o.env.dialogs.texts().isEmpty());
}

void tst_HataKatalog::tanitimYuklemeHatasi_data()
{
    QTest::addColumn<TTanitimListesi::Tur>("tur");
    QTest::addColumn<InjectedFault>("fault");
    for (const auto &[name, fault] : faultRows(true)) {
        QTest::addRow("new items: %s", name.constData()) << TTanitimListesi::Tur::Yeniler << fault;
        QTest::addRow("campaign: %s", name.constData()) << TTanitimListesi::Tur::Kampanya << fault;
    }
}

void tst_HataKatalog::tanitimYuklemeHatasi()
{
    QFETCH(TTanitimListesi::Tur, tur);
    QFETCH(InjectedFault, fault);
    TanitimOrtami o(tur);
    QVERIFY(o.env.ok());
    const QString metot = tur == TTanitimListesi::Tur::Yeniler ? u"YenilerVer2"_s : u"KampanyaliVer2"_s;

    QCOMPARE(o.yukle(), std::optional<bool>(true));
    const QList<qint64> onceki = stokNolari(o.tablo);
    QVERIFY(!onceki.isEmpty());
    const QString baslik = o.sekme.Baslik();

    o.env.dialogs.clear();
    o.env.apply(fault, metot);
    const std::optional<bool> sonuc = o.yukle();
    QVERIFY2(sonuc.has_value(), "the load did not end");
    QCOMPARE(*sonuc, fault.succeeds);
    // The rows shown before stay (a successful load brings the same list).
    QCOMPARE(stokNolari(o.tablo), onceki);
    QCOMPARE(o.sekme.Baslik(), baslik);
    if (fault.succeeds) {
        QVERIFY(o.env.dialogs.texts().isEmpty());
    } else {
        const QList<ShownDialog> m = o.env.dialogs.messages();
        QVERIFY(!m.isEmpty());
        QCOMPARE(m.last().kind, mtError);
        if (fault.refuse) {
            QCOMPARE(o.env.dialogs.texts(), FaultEnv::failureTexts(fault, kBaglantiHatasi));
        } else {
            // One error box with the failure's own text.
            QCOMPARE(m.size(), 1);
            QVERIFY(!m.last().text.isEmpty());
            if (fault.fault == FaultProxy::Fault::Status500)
                QCOMPARE(m.last().text, u"Deliberate server failure"_s);
        }
    }
    QVERIFY(o.sekme.grid->isEnabled());
    QVERIFY(!o.sekme.YukleniyorMu());
    QVERIFY(o.sekme.Gosterge()->isHidden());

    o.env.heal();
    o.env.dialogs.clear();
    QCOMPARE(o.yukle(), std::optional<bool>(true));
    QCOMPARE(stokNolari(o.tablo), onceki);
    QVERIFY(o.env.dialogs.texts().isEmpty());
}

QTEST_MAIN(tst_HataKatalog)
#include "tst_hata_katalog.moc"
