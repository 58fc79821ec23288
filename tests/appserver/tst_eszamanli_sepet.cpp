// Two clients on one dealer's basket at the same time, each on its own
// connection through the program's own server-method client, against the
// in-process server: adding, marking, changing, deleting and ordering
// interleave, and afterwards the basket and the orders add up — no line lost,
// none doubled, none in two orders, quantities as the answers said.
#include "serverfixture.h"

#include "platform/datasnap/connection.h"
#include "platform/datasnap/servererror.h"
#include "platform/dataset/tabledata.h"
#include "server/proxim.h"

#include <QSqlQuery>
#include <QTest>

#include <atomic>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <latch>
#include <map>
#include <thread>

namespace {

struct Satir {
    int stokno = 0;
    double miktar = 0;
    bool sec = false;
};

// An order line as the database holds it.
struct SiparisSatiri {
    int idno = 0;
    int stokno = 0;
    double miktar = 0;
};

// One client: its own connection and the dealer's record.
class Istemci {
public:
    Istemci(int port, const TSonucBilgisi &kayit)
    {
        m_kayit.Kopyala(kayit);
        m_bag.setParam(datasnap::param::HostName, QStringLiteral("127.0.0.1"));
        m_bag.setParam(datasnap::param::Port, QString::number(port));
        m_bag.Open();
    }
    ~Istemci() { m_bag.Close(); }

    int ekle(int stokno, double miktar)
    {
        return TServerMethods1Client(m_bag).SepetEkle2(m_kayit, m_kayit.CARINO(), stokno, QStringLiteral("KOD"),
                                                       QStringLiteral("AD"), miktar, 20, 100, 0, m_kayit.Sirano(), 0, 0,
                                                       0, 0);
    }
    void isaretle(int sirano, bool sec) { TServerMethods1Client(m_bag).SepetSecimGuncelle(sirano, sec ? 1 : 0); }
    int degistir(int sirano, double miktar)
    {
        return TServerMethods1Client(m_bag).SepetGuncelle2(m_kayit, m_kayit.CARINO(), 0, QString(), QString(), miktar, 20,
                                                           100, 0, m_kayit.Sirano(), sirano, 0, 0, 0);
    }
    int sil(int sirano) { return TServerMethods1Client(m_bag).SepetSatirSil(m_kayit, sirano, QString()); }
    bool siparis()
    {
        return TServerMethods1Client(m_bag).SiparisKaydet(m_kayit, m_kayit.CARINO(), 1, 2, QStringLiteral("eşzamanlı"),
                                                          m_kayit.Sirano(), 4);
    }
    // The basket by line number, as the server lists it.
    std::map<int, Satir> sepet()
    {
        const TableData t = TServerMethods1Client(m_bag).SepetVer2(m_kayit.CARINO());
        std::map<int, Satir> out;
        for (int r = 0; r < t.rowCount(); ++r)
            out[int(t.intValue(r, t.fieldIndex(u"SIRANO")))] = {int(t.intValue(r, t.fieldIndex(u"STOKNO"))),
                                                                t.doubleValue(r, t.fieldIndex(u"MIKTAR")),
                                                                t.intValue(r, t.fieldIndex(u"SEC")) == 1};
        return out;
    }

private:
    TSonucBilgisi m_kayit;
    datasnap::Connection m_bag;
};

// An answer a side did not expect; ends that side's work.
struct Beklenmedik : std::runtime_error {
    using std::runtime_error::runtime_error;
};
void bekle(bool kosul, const QString &metin)
{
    if (!kosul)
        throw Beklenmedik(metin.toStdString());
}

// Runs both at once, released together; returns what went wrong on either side.
QStringList ikisiBirden(const std::function<void()> &a, const std::function<void()> &b)
{
    std::latch basla(2);
    QStringList hatalar;
    std::mutex m;
    auto sar = [&](const std::function<void()> &f) {
        return std::thread([&, f] {
            basla.arrive_and_wait();
            try {
                f();
            } catch (const std::exception &e) {
                std::lock_guard<std::mutex> lock(m);
                hatalar << QString::fromUtf8(e.what());
            }
        });
    };
    std::thread ta = sar(a), tb = sar(b);
    ta.join();
    tb.join();
    return hatalar;
}

} // namespace

class tst_EszamanliSepet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void ikiIstemciBirSepet_data();
    void ikiIstemciBirSepet();

private:
    // Lines of the order made during the case, by basket line number; a line
    // in two orders is counted in `ikinci`.
    std::map<int, SiparisSatiri> siparisSatirlari(QStringList *ikinci);

    std::unique_ptr<ServerFixture> m_server;
    TSonucBilgisi m_kayit;
    int m_sonSiparis = 0;
    int m_carino = 1000;
};

void tst_EszamanliSepet::initTestCase()
{
    m_server = std::make_unique<ServerFixture>(300);
    QVERIFY(m_server->ok());
    m_kayit = m_server->signIn(QStringLiteral("DEMO-PC"));
    QVERIFY(m_kayit.Varmi());
}

// Each case works on an account of its own, with an empty basket.
void tst_EszamanliSepet::init()
{
    ++m_carino;
    m_kayit.setCARINO(m_carino);
    QSqlDatabase db = m_server->database().connection();
    QVERIFY(runSql(db, QStringLiteral("DELETE FROM sepet WHERE carino = ?"), {m_carino}).isActive());
    m_sonSiparis = scalarSql(db, QStringLiteral("SELECT COALESCE(MAX(idno), 0) FROM siparis")).toInt();
}

std::map<int, SiparisSatiri> tst_EszamanliSepet::siparisSatirlari(QStringList *ikinci)
{
    QSqlQuery q = runSql(m_server->database().connection(),
                         QStringLiteral("SELECT ss.sepetsirano, ss.idno, ss.stokno, ss.miktar FROM siparis_satir ss "
                                        "JOIN siparis o ON o.idno = ss.idno WHERE o.carino = ? AND o.idno > ?"),
                         {m_carino, m_sonSiparis});
    std::map<int, SiparisSatiri> out;
    while (q.next())
        if (!out.emplace(q.value(0).toInt(), SiparisSatiri{q.value(1).toInt(), q.value(2).toInt(), q.value(3).toDouble()})
                 .second)
            *ikinci << QStringLiteral("basket line %1 ordered twice").arg(q.value(0).toInt());
    return out;
}

void tst_EszamanliSepet::ikiIstemciBirSepet_data()
{
    QTest::addColumn<QString>("durum");
    QTest::newRow("ayni kalemleri ekleme") << QStringLiteral("ekle+ekle");
    QTest::newRow("isaretleme ile silme") << QStringLiteral("isaretle+sil");
    QTest::newRow("iki siparis ayni satirlar") << QStringLiteral("siparis+siparis");
    QTest::newRow("siparis surerken isaretleme") << QStringLiteral("siparis+isaretle");
    QTest::newRow("siparis surerken silme") << QStringLiteral("siparis+sil");
    QTest::newRow("siparis surerken ekleme") << QStringLiteral("siparis+ekle");
    QTest::newRow("siparis surerken degistirme") << QStringLiteral("siparis+degistir");
}

void tst_EszamanliSepet::ikiIstemciBirSepet()
{
    QFETCH(QString, durum);
    constexpr int kSatir = 16;
    constexpr int kIlkStok = 1101;
    Istemci a(m_server->port(), m_kayit), b(m_server->port(), m_kayit);

    // The starting basket: kSatir lines of 2 pieces, marked for the order cases.
    const bool isaretli = durum.startsWith(u"siparis+") && durum != u"siparis+isaretle";
    if (durum != u"ekle+ekle") {
        for (int i = 0; i < kSatir; ++i)
            QCOMPARE(a.ekle(kIlkStok + i, 2), 1);
    }
    const std::map<int, Satir> ilk = a.sepet();
    QCOMPARE(int(ilk.size()), durum == u"ekle+ekle" ? 0 : kSatir);
    for (const auto &[sirano, s] : ilk)
        if (isaretli)
            a.isaretle(sirano, true);
    std::vector<int> siralar;
    for (const auto &[sirano, s] : ilk)
        siralar.push_back(sirano);

    // What each side was told, for the expectations.
    std::map<int, int> silindi, degisti;  // line -> answer
    QStringList hatalar;
    int kabul = 0;
    // Orders until one is refused after the other side has finished.
    std::atomic<bool> digeriBitti{false};
    auto siparisDongusu = [&] {
        for (;;) {
            const bool bitti = digeriBitti.load();
            if (a.siparis())
                ++kabul;
            else if (bitti)
                break;
            else
                std::this_thread::yield();
        }
    };
    auto sonra = [&](const std::function<void()> &f) {
        return [&digeriBitti, f] {
            // Also when f fails, or the order loop would never end.
            struct Son {
                std::atomic<bool> &bitti;
                ~Son() { bitti = true; }
            } son{digeriBitti};
            f();
        };
    };

    if (durum == u"ekle+ekle") {
        // Both add the same eight items three times, and four of their own.
        auto ekleyen = [](Istemci &c, int kendi) {
            return [&c, kendi] {
                for (int tur = 0; tur < 3; ++tur)
                    for (int i = 0; i < 8; ++i)
                        bekle(c.ekle(kIlkStok + i, 1) == 1, QStringLiteral("add refused"));
                for (int i = 0; i < 4; ++i)
                    bekle(c.ekle(kendi + i, 5) == 1, QStringLiteral("add refused"));
            };
        };
        hatalar = ikisiBirden(ekleyen(a, 1201), ekleyen(b, 1251));
        QVERIFY2(hatalar.isEmpty(), qPrintable(hatalar.join(u'\n')));
        const std::map<int, Satir> son = a.sepet();
        std::map<int, int> kalemSatiri;
        for (const auto &[sirano, s] : son)
            QVERIFY2(++kalemSatiri[s.stokno] == 1, qPrintable(QStringLiteral("item %1 has two lines").arg(s.stokno)));
        QCOMPARE(int(son.size()), 16);
        for (const auto &[sirano, s] : son)
            QCOMPARE(s.miktar, s.stokno < 1200 ? 6.0 : 5.0);
        return;
    }
    if (durum == u"isaretle+sil") {
        hatalar = ikisiBirden(
            [&] {
                for (size_t i = 0; i < siralar.size(); i += 2)
                    a.isaretle(siralar[i], true);
            },
            [&] {
                for (size_t i = 1; i < siralar.size(); i += 2)
                    silindi[siralar[i]] = b.sil(siralar[i]);
            });
        QVERIFY2(hatalar.isEmpty(), qPrintable(hatalar.join(u'\n')));
        const std::map<int, Satir> son = a.sepet();
        QCOMPARE(int(son.size()), kSatir / 2);
        for (size_t i = 0; i < siralar.size(); ++i) {
            if (i % 2) {
                QCOMPARE(silindi[siralar[i]], 1);
                QVERIFY(!son.count(siralar[i]));
            } else {
                QVERIFY(son.count(siralar[i]));
                QVERIFY(son.at(siralar[i]).sec);
                QCOMPARE(son.at(siralar[i]).miktar, 2.0);
            }
        }
        return;
    }

    std::map<int, double> eklenen;  // item -> pieces added by the other side
    if (durum == u"siparis+siparis") {
        std::atomic<int> kabulB{0};
        hatalar = ikisiBirden([&] { kabul += a.siparis() ? 1 : 0; }, [&] { kabulB += b.siparis() ? 1 : 0; });
        QCOMPARE(kabul + kabulB.load(), 1);
        kabul += kabulB.load();
    } else if (durum == u"siparis+isaretle") {
        hatalar = ikisiBirden(siparisDongusu, sonra([&] {
                        for (int sirano : siralar)
                            b.isaretle(sirano, true);
                    }));
    } else if (durum == u"siparis+sil") {
        hatalar = ikisiBirden(siparisDongusu, sonra([&] {
                        for (int sirano : siralar)
                            silindi[sirano] = b.sil(sirano);
                    }));
    } else if (durum == u"siparis+ekle") {
        // More pieces of the marked items, and eight new items.
        hatalar = ikisiBirden(siparisDongusu, sonra([&] {
                        for (int i = 0; i < kSatir; ++i) {
                            bekle(b.ekle(kIlkStok + i, 3) == 1, QStringLiteral("add refused"));
                            eklenen[kIlkStok + i] += 3;
                        }
                        for (int i = 0; i < 8; ++i) {
                            bekle(b.ekle(1281 + i, 1) == 1, QStringLiteral("add refused"));
                            eklenen[1281 + i] += 1;
                        }
                    }));
    } else if (durum == u"siparis+degistir") {
        hatalar = ikisiBirden(siparisDongusu, sonra([&] {
                        for (int sirano : siralar)
                            degisti[sirano] = b.degistir(sirano, 7);
                    }));
    } else {
        QFAIL("unknown case");
    }
    QVERIFY2(hatalar.isEmpty(), qPrintable(hatalar.join(u'\n')));
    // Lines were marked before the other side could delete them all, except
    // when it deletes.
    if (durum != u"siparis+sil")
        QVERIFY(kabul >= 1);

    const std::map<int, SiparisSatiri> siparisli = siparisSatirlari(&hatalar);
    QVERIFY2(hatalar.isEmpty(), qPrintable(hatalar.join(u'\n')));
    const std::map<int, Satir> son = a.sepet();
    for (const auto &[sirano, s] : son)
        QVERIFY2(!siparisli.count(sirano), qPrintable(QStringLiteral("line %1 both ordered and in the basket").arg(sirano)));

    // Every starting line is in exactly one place: an order, or deleted.
    for (int sirano : siralar) {
        const int stokno = ilk.at(sirano).stokno;
        if (silindi.count(sirano) && silindi[sirano] == 1) {
            QVERIFY2(!siparisli.count(sirano) && !son.count(sirano),
                     qPrintable(QStringLiteral("deleted line %1 still there").arg(sirano)));
            continue;
        }
        QVERIFY2(siparisli.count(sirano), qPrintable(QStringLiteral("line %1 lost").arg(sirano)));
        const SiparisSatiri &o = siparisli.at(sirano);
        QCOMPARE(o.stokno, stokno);
        if (durum == u"siparis+degistir")
            QCOMPARE(o.miktar, degisti[sirano] == 1 ? 7.0 : 2.0);
        else if (durum != u"siparis+ekle")
            QCOMPARE(o.miktar, 2.0);
    }
    if (durum == u"siparis+sil") {
        // A delete that was refused found its line already ordered.
        for (const auto &[sirano, answer] : silindi)
            QCOMPARE(answer == 1, !siparisli.count(sirano));
    }
    if (durum == u"siparis+ekle") {
        // Pieces are kept: what the orders and the basket hold per item is
        // what was put in, and each item has at most one basket line.
        std::map<int, double> toplam, beklenen;
        for (const auto &[sirano, o] : siparisli)
            toplam[o.stokno] += o.miktar;
        std::map<int, int> kalemSatiri;
        for (const auto &[sirano, s] : son) {
            toplam[s.stokno] += s.miktar;
            QVERIFY2(++kalemSatiri[s.stokno] == 1, qPrintable(QStringLiteral("item %1 has two lines").arg(s.stokno)));
        }
        for (const auto &[sirano, s] : ilk)
            beklenen[s.stokno] += s.miktar;
        for (const auto &[stokno, n] : eklenen)
            beklenen[stokno] += n;
        QVERIFY(toplam == beklenen);
    } else {
        QVERIFY(son.empty());
    }
}

QTEST_GUILESS_MAIN(tst_EszamanliSepet)
#include "tst_eszamanli_sepet.moc"
