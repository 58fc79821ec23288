// The basket's server calls under server and network faults, against the
// application server behind the fault proxy:
// - the basket tab's load keeps the lines shown before and reports the error;
// - a change (mark, mark all, delete a line, delete all, quantity, add) that
//   fails reports it, never claims success, and when the user simply does it
//   again once the server answers, the server holds the change once;
// - a failed order leaves the basket as it was, reports "Sipariş Göndermede
//   Hata", and sending again never records the lines twice;
// - a lookup of the confirmation window that fails leaves its list empty,
//   and "Evet" then asks for the missing choice;
// - the outstanding-lines tab reports a failed load and stays usable.
#include "appserver/database.h"
#include "basket/ONAYSIPU.h"
#include "basket/bakiyelersekmesi.h"
#include "basket/bakiyesiparisleru.h"
#include "basket/sepetsekmesi.h"
#include "catalogue/sepeteekle.h"
#include "catalogue/stokayarintiU.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/datagrid.h"
#include "server/proxim.h"
#include "tests/support/faultenv.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QVBoxLayout>

#include <csignal>
#include <memory>
#include <optional>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

const QString kBaglantiHatasi = u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"_s;
const QString kReddedildi = u"Connection refused"_s;

// One basket line as the server and the client hold it.
using Satir = std::tuple<int, qint64, double, int>; // SIRANO, STOKNO, MIKTAR, SEC

enum class Degisiklik { Isaret, HepsiniSec, SatirSil, HepsiniSil, MiktarDegistir, Ekle };

QString metotAdi(Degisiklik d)
{
    switch (d) {
    case Degisiklik::Isaret:
    case Degisiklik::HepsiniSec: return u"SepetSecimGuncelle"_s;
    case Degisiklik::SatirSil: return u"SepetSatirSil"_s;
    case Degisiklik::HepsiniSil: return u"SepetHepsiniSil"_s;
    case Degisiklik::MiktarDegistir: return u"SepetGuncelle2"_s;
    case Degisiklik::Ekle: return u"SepetEkle2"_s;
    }
    return {};
}

struct SepetOrtami
{
    FaultEnv env;
    MemTable sepet, stok;
    QWidget pencere;
    TSepetSekmesi *sekme = nullptr;
    std::function<int(QDialog &)> cevap;
    int miktar = 3; // what the line dialog is filled with

    SepetOrtami()
    {
        auto *duzen = new QVBoxLayout(&pencere);
        sekme = new TSepetSekmesi(env.bagc, env.sbilgi, sepet, nullptr, &pencere);
        duzen->addWidget(sekme);
        sekme->Baglam().PencereGoster = [this](QDialog &d) {
            return cevap ? cevap(d) : int(QDialog::Rejected);
        };
        pencere.resize(1300, 800);
        pencere.show();
    }

    int carino() const { return env.sbilgi.CARINO(); }

    QList<Satir> sunucudaki()
    {
        QList<Satir> s;
        QSqlQuery q = runSql(env.server.database().connection(),
                             u"SELECT sirano, stokno, miktar, sec FROM sepet WHERE carino = ? ORDER BY sirano"_s,
                             {carino()});
        while (q.next())
            s.append({q.value(0).toInt(), q.value(1).toLongLong(), q.value(2).toDouble(), q.value(3).toInt()});
        return s;
    }

    QList<Satir> istemcideki() const
    {
        QList<Satir> s;
        if (!sepet.Active())
            return s;
        const TableData &t = sepet.data();
        const int a = t.fieldIndex(u"SIRANO"), b = t.fieldIndex(u"STOKNO"), c = t.fieldIndex(u"MIKTAR"),
                  d = t.fieldIndex(u"SEC");
        for (int r = 0; r < t.rowCount(); ++r)
            s.append({t.value(r, a).toInt(), t.value(r, b).toLongLong(), t.value(r, c).toDouble(),
                      t.value(r, d).toInt()});
        std::sort(s.begin(), s.end());
        return s;
    }

    // Stock numbers of items not in the basket, lowest first.
    QList<qint64> sepetteOlmayan(int adet)
    {
        QList<qint64> n;
        QSqlQuery q = runSql(env.server.database().connection(),
                             u"SELECT stokno FROM stok WHERE stokno NOT IN (SELECT stokno FROM sepet WHERE carino = ?) "
                             "ORDER BY stokno LIMIT ?"_s,
                             {carino(), adet});
        while (q.next())
            n << q.value(0).toLongLong();
        return n;
    }

    // A basket of exactly `adet` unmarked lines, put there directly.
    bool sepetHazirla(int adet)
    {
        runSql(env.server.database().connection(), u"DELETE FROM sepet WHERE carino = ?"_s, {carino()});
        datasnap::Connection dogrudan;
        dogrudan.setParam(datasnap::param::HostName, u"127.0.0.1"_s);
        dogrudan.setParam(datasnap::param::Port, QString::number(env.server.port()));
        try {
            dogrudan.Open();
            TServerMethods1Client c(dogrudan);
            for (qint64 stokno : sepetteOlmayan(adet))
                if (c.SepetEkle2(env.sbilgi, carino(), int(stokno), u"B"_s, u"PARCA"_s, 2, 20, 100, 0,
                                 env.sbilgi.Sirano(), 0, 0, 0, 0)
                    != 1)
                    return false;
        } catch (const datasnap::ServerError &e) {
            qWarning("%s", qPrintable(e.message()));
            return false;
        }
        return sunucudaki().size() == adet && sekme->Yenile();
    }

    // Focuses the basket line with this number on a column of the grid.
    bool odakla(int sirano, const QString &sutun)
    {
        if (!sepet.Active() || !sepet.Locate(u"SIRANO"_s, sirano))
            return false;
        sekme->cxGrid2->setFocusedRow(sepet.currentRow());
        sekme->cxGrid2->setFocusedColumn(sutun);
        return true;
    }

    std::optional<bool> goster()
    {
        QSignalSpy bitti(sekme, &TSepetSekmesi::YuklemeBitti);
        QSignalSpy uyari(sekme, &TSepetSekmesi::UyariGeldi);
        sekme->Gosterildi();
        if (!bitti.wait(30000))
            return std::nullopt;
        // The account warning runs on its own task; it ends before the case does.
        if (uyari.isEmpty() && !uyari.wait(30000))
            return std::nullopt;
        return bitti.first().first().toBool();
    }
};

// Every dialog was one of the connection check's (a box per attempt, then
// the connection message) and the connection message came.
bool yalnizcaBaglantiHatasi(const QStringList &metinler)
{
    for (const QString &m : metinler)
        if (m != kReddedildi && m != kBaglantiHatasi)
            return false;
    return metinler.contains(kBaglantiHatasi);
}

} // namespace

Q_DECLARE_METATYPE(Degisiklik)

class tst_HataSepet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }
    void sepetYuklemeHatasi_data() { addFaultRows(true); }
    void sepetYuklemeHatasi();
    void degisiklikHatasi_data();
    void degisiklikHatasi();
    void siparisHatasi_data() { addFaultRows(false); }
    void siparisHatasi();
    void onayAramasiHatasi_data();
    void onayAramasiHatasi();
    void bakiyeYuklemeHatasi_data() { addFaultRows(true); }
    void bakiyeYuklemeHatasi();
};

void tst_HataSepet::sepetYuklemeHatasi()
{
    QFETCH(InjectedFault, fault);
    SepetOrtami o;
    QVERIFY(o.env.ok());
    QVERIFY(o.sepetHazirla(3));
    QCOMPARE(o.goster(), std::optional<bool>(true));
    const QList<Satir> onceki = o.istemcideki();
    QCOMPARE(onceki.size(), 3);
    QSignalSpy baslik(o.sekme, &TSepetSekmesi::BaslikDegisti);

    o.env.dialogs.clear();
    o.env.apply(fault, u"SepetVer2"_s);
    const std::optional<bool> sonuc = o.goster();
    QVERIFY2(sonuc.has_value(), "the load did not end");
    QCOMPARE(*sonuc, fault.succeeds);
    QCOMPARE(o.istemcideki(), onceki);
    QCOMPARE(baslik.size(), 1);
    QCOMPARE(baslik.first().first().toString(), u"3=Sepet"_s);
    const QStringList metinler = o.env.dialogs.texts();
    if (fault.succeeds) {
        QVERIFY(metinler.isEmpty());
    } else if (fault.refuse) {
        // The load's check reports; the account warning's check only shows its boxes.
        QCOMPARE(metinler.count(kReddedildi), 22);
        QCOMPARE(metinler.count(kBaglantiHatasi), 1);
        QCOMPARE(metinler.size(), 23);
    } else {
        QCOMPARE(metinler.size(), 1);
        QCOMPARE(o.env.dialogs.messages().first().kind, mtError);
        QVERIFY(!metinler.first().isEmpty());
        if (fault.fault == FaultProxy::Fault::Status500)
            QCOMPARE(metinler.first(), u"Deliberate server failure"_s);
    }
    QVERIFY(o.sekme->cxGrid2->isEnabled());
    QVERIFY(!o.sekme->YuklemeSuruyor());

    o.env.heal();
    o.env.dialogs.clear();
    QCOMPARE(o.goster(), std::optional<bool>(true));
    QCOMPARE(o.istemcideki(), onceki);
    QVERIFY(o.env.dialogs.texts().isEmpty());
}

void tst_HataSepet::degisiklikHatasi_data()
{
    QTest::addColumn<Degisiklik>("degisiklik");
    QTest::addColumn<InjectedFault>("fault");
    const std::pair<const char *, Degisiklik> siteler[] = {
        {"mark", Degisiklik::Isaret},          {"mark all", Degisiklik::HepsiniSec},
        {"delete line", Degisiklik::SatirSil}, {"delete all", Degisiklik::HepsiniSil},
        {"quantity", Degisiklik::MiktarDegistir}, {"add", Degisiklik::Ekle},
    };
    for (const auto &[site, d] : siteler)
        for (const auto &[name, fault] : faultRows(false))
            QTest::addRow("%s: %s", site, name.constData()) << d << fault;
}

void tst_HataSepet::degisiklikHatasi()
{
    QFETCH(Degisiklik, degisiklik);
    QFETCH(InjectedFault, fault);
    SepetOrtami o;
    QVERIFY(o.env.ok());
    QVERIFY(o.sepetHazirla(3));
    const QList<Satir> onceki = o.sunucudaki();
    const int hedef = std::get<0>(onceki.at(1)); // the line the change is about
    const qint64 yeniStok = o.sepetteOlmayan(1).value(0);
    QVERIFY(yeniStok > 0);

    // The line dialog: the quantity set, accepted as filled.
    o.miktar = 5;
    o.cevap = [&o](QDialog &d) {
        auto &ayrinti = static_cast<Tstokayarinti &>(d);
        ayrinti.setMiktar(o.miktar);
        return int(QDialog::Accepted);
    };
    // A stock list holding the item to add.
    TableData liste({{u"STOK_STOKNO"_s, FieldType::Integer}, {u"BARKOD"_s, FieldType::String},
                     {u"ADI"_s, FieldType::String}, {u"KDV"_s, FieldType::Float}, {u"FIYAT"_s, FieldType::Float},
                     {u"K"_s, FieldType::Integer}, {u"IND1"_s, FieldType::Float}});
    liste.appendRow();
    liste.setValue(0, 0, yeniStok);
    liste.setValue(0, 1, u"EKLENEN"_s);
    liste.setValue(0, 2, u"EKLENEN PARCA"_s);
    liste.setValue(0, 3, 20.0);
    liste.setValue(0, 4, 100.0);
    liste.setValue(0, 5, 0);
    liste.setValue(0, 6, 0.0);
    o.stok.assign(liste);

    // The change once, as the user does it; `tekrar`: again after a failure,
    // judged by what the window shows.
    auto yap = [&](bool tekrar) {
        switch (degisiklik) {
        case Degisiklik::Isaret:
            if (o.odakla(hedef, u"SEC"_s)
                && (!tekrar || o.sepet.FieldByName(u"SEC"_s).AsInteger() != 1))
                o.sekme->Deitir1Click();
            break;
        case Degisiklik::HepsiniSec:
            o.sekme->Button4Click();
            break;
        case Degisiklik::SatirSil:
            if (o.odakla(hedef, u"STOKADI"_s)) {
                o.env.dialogs.answer(mrYes);
                o.sekme->SatrSil1Click();
            }
            break;
        case Degisiklik::HepsiniSil:
            o.env.dialogs.answer(mrYes);
            o.sekme->HepsiniSil1Click();
            break;
        case Degisiklik::MiktarDegistir:
            if (o.odakla(hedef, u"STOKADI"_s))
                o.sekme->Deitir1Click();
            break;
        case Degisiklik::Ekle:
            StokSepeteEkle(o.sekme->Baglam(), TStokKaynagi::StokListesi, o.stok, yeniStok);
            break;
        }
    };
    // What the server holds once the change was made exactly once.
    QList<Satir> beklenen = onceki;
    switch (degisiklik) {
    case Degisiklik::Isaret:
        std::get<3>(beklenen[1]) = 1;
        break;
    case Degisiklik::HepsiniSec:
        for (Satir &s : beklenen)
            std::get<3>(s) = 1;
        break;
    case Degisiklik::SatirSil:
        beklenen.removeAt(1);
        break;
    case Degisiklik::HepsiniSil:
        beklenen.clear();
        break;
    case Degisiklik::MiktarDegistir:
        std::get<2>(beklenen[1]) = o.miktar;
        break;
    case Degisiklik::Ekle:
        break; // checked below: one new line with the quantity
    }

    o.env.dialogs.clear();
    o.env.apply(fault, metotAdi(degisiklik));
    yap(false);
    // What the change reported, without the question before a deletion.
    QStringList metinler;
    for (const ShownDialog &m : o.env.dialogs.messages())
        if (m.kind != mtConfirmation)
            metinler << m.text;
    if (!fault.refuse)
        QCOMPARE(o.env.proxy.faultsApplied(), 1);
    if (fault.succeeds) {
        QVERIFY2(!metinler.contains(kBaglantiHatasi), qPrintable(metinler.join(u" | ")));
    } else {
        // Never a success message for a change that failed.
        QVERIFY2(!metinler.contains(u"Satır silindi !"_s) && !metinler.contains(u"Sepet Silindi !"_s),
                 qPrintable(metinler.join(u" | ")));
        QVERIFY(!o.env.dialogs.messages().isEmpty());
        if (fault.refuse) {
            QVERIFY2(yalnizcaBaglantiHatasi(metinler), qPrintable(metinler.join(u" | ")));
        } else {
            const QList<ShownDialog> hatalar = o.env.dialogs.messages();
            const bool hataVar = std::any_of(hatalar.cbegin(), hatalar.cend(),
                                             [](const ShownDialog &m) { return m.kind == mtError; });
            QVERIFY2(hataVar, qPrintable(metinler.join(u" | ")));
            if (fault.fault == FaultProxy::Fault::Status500)
                QVERIFY2(metinler.contains(u"Deliberate server failure"_s), qPrintable(metinler.join(u" | ")));
        }
    }
    QVERIFY(o.sekme->cxGrid2->isEnabled());

    // The server answers again; the user does it again where the window
    // still shows it undone.
    o.env.heal();
    o.env.dialogs.clear();
    if (!fault.succeeds)
        yap(true);
    const QList<Satir> sonra = o.sunucudaki();
    if (degisiklik == Degisiklik::Ekle) {
        QCOMPARE(sonra.size(), onceki.size() + 1);
        const auto yeni = std::find_if(sonra.cbegin(), sonra.cend(),
                                       [&](const Satir &s) { return std::get<1>(s) == yeniStok; });
        QVERIFY(yeni != sonra.cend());
        QCOMPARE(std::get<2>(*yeni), double(o.miktar));
    } else {
        QCOMPARE(sonra, beklenen);
    }
    // The window shows what the server holds.
    QVERIFY(o.sekme->Yenile());
    QCOMPARE(o.istemcideki(), sonra);
    QCOMPARE(o.sekme->Toplamlar().Genel, SepetToplamHesapla(o.sepet).Genel);
}

void tst_HataSepet::siparisHatasi()
{
    QFETCH(InjectedFault, fault);
    SepetOrtami o;
    QVERIFY(o.env.ok());
    QVERIFY(o.sepetHazirla(3));
    o.sekme->Button4Click();
    QVERIFY(o.sekme->Yenile());
    const QList<Satir> onceki = o.istemcideki();
    QCOMPARE(onceki.size(), 3);
    const auto siparisSayisi = [&o] {
        return scalarSql(o.env.server.database().connection(),
                         u"SELECT COUNT(*) FROM siparis_satir l JOIN siparis s ON s.idno = l.idno WHERE s.carino = ?"_s,
                         {o.carino()})
            .toInt();
    };
    const int oncekiSatir = siparisSayisi();
    o.cevap = [](QDialog &d) {
        auto &onay = static_cast<TONAYSIP &>(d);
        onay.KargoTuruSec(0);
        if (onay.kargocombo->currentIndex() <= 0)
            onay.kargocombo->setCurrentIndex(1);
        onay.aciklamagir->setPlainText(u"Arıza denemesi"_s);
        onay.Button1Click();
        return onay.result();
    };

    // The fault hits the sending, after the confirmation window's lookups.
    o.env.dialogs.clear();
    const auto onayla = o.cevap;
    o.cevap = [&](QDialog &d) {
        const int r = onayla(d);
        o.env.apply(fault, u"SiparisKaydet"_s);
        return r;
    };
    o.sekme->Button1Click();
    o.cevap = onayla;
    const QStringList metinler = o.env.dialogs.texts();
    const QList<FaultProxy::Call> cagrilar = o.env.proxy.calls();
    const bool sunucuyaUlasti = std::any_of(cagrilar.cbegin(), cagrilar.cend(), [](const FaultProxy::Call &c) {
        return c.path.endsWith(u"/SiparisKaydet") && c.upstream;
    });
    if (fault.succeeds) {
        QCOMPARE(metinler, QStringList{u"Siparişiniz Gönderildi !"_s});
        QCOMPARE(siparisSayisi(), oncekiSatir + 3);
        QVERIFY(o.istemcideki().isEmpty());
        return;
    }
    QVERIFY2(!metinler.isEmpty() && metinler.last() == u"Sipariş Göndermede Hata"_s, qPrintable(metinler.join(u" | ")));
    QVERIFY(!metinler.contains(u"Siparişiniz Gönderildi !"_s));
    if (fault.refuse)
        QVERIFY(yalnizcaBaglantiHatasi(metinler.mid(0, metinler.size() - 1)));
    else
        QCOMPARE(metinler.size(), 1);
    // The basket is kept as it was (not reloaded).
    QCOMPARE(o.istemcideki(), onceki);
    QCOMPARE(siparisSayisi(), oncekiSatir + (sunucuyaUlasti ? 3 : 0));
    QCOMPARE(sunucuyaUlasti, FaultEnv::reachesUpstream(fault));

    // Sending again once the server answers: the lines are ordered once in all.
    o.env.heal();
    o.env.dialogs.clear();
    o.sekme->Button1Click();
    QCOMPARE(siparisSayisi(), oncekiSatir + 3);
    QCOMPARE(o.env.dialogs.texts(),
             QStringList{sunucuyaUlasti ? u"Sipariş Göndermede Hata"_s : u"Siparişiniz Gönderildi !"_s});
    QVERIFY(o.sunucudaki().isEmpty());
}

void tst_HataSepet::onayAramasiHatasi_data()
{
    QTest::addColumn<QString>("metot");
    QTest::addColumn<QString>("eksikSecim"); // what "Evet" asks for after the failure
    QTest::addColumn<InjectedFault>("fault");
    const std::tuple<const char *, QString, QString> aramalar[] = {
        {"delivery kinds", u"TeslimVer"_s, u"Lütfen Teslim Durumu Seçiniz !"_s},
        {"cargo kinds", u"KargoVer"_s, u"Lütfen Kargo Türünü Seçiniz !"_s},
        {"cargo companies", u"KargolarVer"_s, u"Lütfen Kargo  Seçiniz !"_s},
    };
    for (const auto &[ad, metot, eksik] : aramalar)
        for (const auto &[name, fault] : faultRows(true)) {
            // Both kinds come after one connection check: refused, the
            // delivery kinds fail first.
            if (fault.refuse && metot == u"KargoVer")
                continue;
            QTest::addRow("%s: %s", ad, name.constData()) << metot << eksik << fault;
        }
}

void tst_HataSepet::onayAramasiHatasi()
{
    QFETCH(QString, metot);
    QFETCH(QString, eksikSecim);
    QFETCH(InjectedFault, fault);
    FaultEnv env;
    QVERIFY(env.ok());
    const bool firmalar = metot == u"KargolarVer";

    if (!firmalar)
        env.apply(fault, metot);
    std::unique_ptr<TONAYSIP> onay(TONAYSIP::Ac(nullptr, env.bagc, QString(), env.sbilgi, u"100,00"_s));
    if (firmalar) {
        // The first kind's companies arrive and one is chosen; then another
        // kind is clicked and its companies cannot be fetched.
        QVERIFY(env.dialogs.texts().isEmpty());
        QVERIFY(onay->KargoTuruAdlari().size() >= 2);
        onay->KargoTuruSec(0);
        QVERIFY(onay->kargocombo->count() > 1);
        onay->kargocombo->setCurrentIndex(1);
        env.apply(fault, metot);
        onay->KargoTuruSec(1);
    }
    const QStringList metinler = env.dialogs.texts();
    const QList<ShownDialog> gosterilen = env.dialogs.messages();
    if (!fault.refuse)
        QCOMPARE(env.proxy.faultsApplied(), 1);

    env.heal();
    env.dialogs.clear();
    if (fault.succeeds) {
        QVERIFY(metinler.isEmpty());
        QVERIFY(!onay->TeslimAdlari().isEmpty());
        QVERIFY(!onay->KargoTuruAdlari().isEmpty());
        if (firmalar)
            QVERIFY(onay->kargocombo->count() > 1);
        return;
    }
    QVERIFY(!metinler.isEmpty());
    if (fault.refuse) {
        QCOMPARE(metinler, FaultEnv::failureTexts(fault, kBaglantiHatasi));
    } else {
        QCOMPARE(metinler.size(), 1);
        QCOMPARE(gosterilen.first().kind, mtError);
        if (fault.fault == FaultProxy::Fault::Status500)
            QCOMPARE(metinler.first(), u"Deliberate server failure"_s);
    }
    // The affected list is empty...
    if (metot == u"TeslimVer") {
        QVERIFY(onay->TeslimAdlari().isEmpty());
    } else if (metot == u"KargoVer") {
        QVERIFY(!onay->TeslimAdlari().isEmpty());
        QVERIFY(onay->KargoTuruAdlari().isEmpty());
    } else {
        // ...none of the companies of the kind clicked before is left to send.
        QCOMPARE(onay->kargocombo->count(), 0);
    }
    // ...and "Evet" asks for the missing choice instead of closing.
    if (metot == u"KargoVer")
        onay->TeslimSec(0);
    onay->Button1Click();
    QCOMPARE(env.dialogs.texts(), QStringList{eksikSecim});
    QVERIFY(onay->result() != QDialog::Accepted);
}

void tst_HataSepet::bakiyeYuklemeHatasi()
{
    QFETCH(InjectedFault, fault);
    FaultEnv env;
    QVERIFY(env.ok());
    QWidget pencere;
    auto *duzen = new QVBoxLayout(&pencere);
    auto *sekme = new TBakiyelerSekmesi(env.bagc, env.sbilgi, &pencere);
    duzen->addWidget(sekme);
    pencere.resize(1300, 800);
    pencere.show();

    sekme->Gosterildi();
    QVERIFY(sekme->benimbakiyesiparisler());
    const int satir = sekme->benimbakiyesiparisler()->bakiyesepet.RecordCount();
    QVERIFY(env.dialogs.texts().isEmpty());
    sekme->Gizlendi();

    env.apply(fault, u"BakiyelerVer2"_s);
    sekme->Gosterildi();
    Tbakiyesiparisler *b = sekme->benimbakiyesiparisler();
    QVERIFY(b);
    const QStringList metinler = env.dialogs.texts();
    if (fault.succeeds) {
        QVERIFY(metinler.isEmpty());
        QCOMPARE(b->bakiyesepet.RecordCount(), satir);
    } else if (fault.refuse) {
        QCOMPARE(metinler, FaultEnv::failureTexts(fault, kBaglantiHatasi));
    } else {
        QCOMPARE(metinler.size(), 1);
        QCOMPARE(env.dialogs.messages().first().kind, mtError);
        if (fault.fault == FaultProxy::Fault::Status500)
            QCOMPARE(metinler.first(), u"Deliberate server failure"_s);
        // Nothing half-loaded: a fresh window has no lines.
        QCOMPARE(b->bakiyesepet.RecordCount(), 0);
    }
    QVERIFY(b->cxGrid2->isEnabled());

    // Shown again once the server answers: the lines are there.
    env.heal();
    env.dialogs.clear();
    sekme->Gizlendi();
    sekme->Gosterildi();
    QVERIFY(sekme->benimbakiyesiparisler());
    QCOMPARE(sekme->benimbakiyesiparisler()->bakiyesepet.RecordCount(), satir);
    QVERIFY(env.dialogs.texts().isEmpty());
}

QTEST_MAIN(tst_HataSepet)
#include "tst_hata_sepet.moc"
