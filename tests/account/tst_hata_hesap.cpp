// The account tabs' loads under server and network faults, against the
// application server behind the fault proxy: the statement and the previous
// orders keep the rows shown before, report the connection message, leave
// their grid enabled and attached, and load again once the server answers.
#include "account/cariekstresekmesi.h"
#include "account/oncekisekmesi.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "tests/support/faultenv.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString kBaglantiHatasi = u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s;

enum class Sekme { Ekstre, Onceki };

// One tab with what the test looks at, whichever it is.
struct HesapSekmesi
{
    MemTable tablo;
    std::unique_ptr<QWidget> sekme;
    DataGrid *grid = nullptr;
    std::function<void()> goster;
    QString metot;

    HesapSekmesi(Sekme tur, FaultEnv &env)
    {
        if (tur == Sekme::Ekstre) {
            auto *s = new TCariEkstreSekmesi(env.bagc, env.sbilgi, tablo);
            grid = s->cxGrid5;
            goster = [s] { s->Gosterildi(); };
            metot = u"CariEkstreVer"_s;
            sekme.reset(s);
        } else {
            auto *s = new TOncekiSiparislerSekmesi(env.bagc, env.sbilgi, tablo);
            grid = s->cxGrid3;
            goster = [s] { s->Gosterildi(); };
            metot = u"OncekiSiparisler"_s;
            sekme.reset(s);
        }
        sekme->resize(1200, 700);
        sekme->show();
    }

    // Shows the tab; the load's outcome and whether "busy" ended, or nullopt
    // when the load did not end in time.
    std::optional<bool> yukle(bool *mesgulBitti)
    {
        QSignalSpy bitti(sekme.get(), SIGNAL(YuklemeBitti(bool)));
        QSignalSpy mesgul(sekme.get(), SIGNAL(Yukleniyor(bool)));
        goster();
        if (!bitti.wait(30000))
            return std::nullopt;
        *mesgulBitti = !mesgul.isEmpty() && mesgul.last().first().toBool() == false;
        return bitti.first().first().toBool();
    }

    // The table's content as text, to compare before and after.
    QStringList satirlar() const
    {
        QStringList s;
        const TableData &t = tablo.data();
        for (int r = 0; r < t.rowCount(); ++r) {
            QStringList hucre;
            for (int c = 0; c < t.fieldCount(); ++c)
                hucre << t.value(r, c).toString();
            s << hucre.join(u'|');
        }
        return s;
    }
};

} // namespace

Q_DECLARE_METATYPE(Sekme)

class tst_HataHesap : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }
    void yuklemeHatasi_data();
    void yuklemeHatasi();
};

void tst_HataHesap::yuklemeHatasi_data()
{
    QTest::addColumn<Sekme>("sekme");
    QTest::addColumn<InjectedFault>("fault");
    for (const auto &[name, fault] : faultRows(true)) {
        QTest::addRow("statement: %s", name.constData()) << Sekme::Ekstre << fault;
        QTest::addRow("previous orders: %s", name.constData()) << Sekme::Onceki << fault;
    }
}

void tst_HataHesap::yuklemeHatasi()
{
    QFETCH(Sekme, sekme);
    QFETCH(InjectedFault, fault);
    FaultEnv env;
    QVERIFY(env.ok());
    HesapSekmesi s(sekme, env);

    bool mesgulBitti = false;
    QCOMPARE(s.yukle(&mesgulBitti), std::optional<bool>(true));
    const QStringList onceki = s.satirlar();
    QVERIFY(!onceki.isEmpty());

    env.dialogs.clear();
    env.apply(fault, s.metot);
    mesgulBitti = false;
    const std::optional<bool> sonuc = s.yukle(&mesgulBitti);
    QVERIFY2(sonuc.has_value(), "the load did not end");
    QCOMPARE(*sonuc, fault.succeeds);
    if (!fault.refuse)
        QCOMPARE(env.proxy.faultsApplied(), 1);
    // The rows shown before stay (a successful load brings the same ones).
    QCOMPARE(s.satirlar(), onceki);
    if (fault.succeeds) {
        QVERIFY(env.dialogs.texts().isEmpty());
    } else {
        QCOMPARE(env.dialogs.texts(), FaultEnv::failureTexts(fault, kBaglantiHatasi));
        QCOMPARE(env.dialogs.messages().last().kind, mtError);
    }
    QVERIFY(mesgulBitti);
    QVERIFY(s.grid->isEnabled());
    QVERIFY(s.grid->isAttached());

    env.heal();
    env.dialogs.clear();
    QCOMPARE(s.yukle(&mesgulBitti), std::optional<bool>(true));
    QCOMPARE(s.satirlar(), onceki);
    QVERIFY(env.dialogs.texts().isEmpty());
}

QTEST_MAIN(tst_HataHesap)
#include "tst_hata_hesap.moc"
