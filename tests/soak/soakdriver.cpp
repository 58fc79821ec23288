#include "soakdriver.h"

#include "core/baglantiu.h"
#include "platform/datasnap/connection.h"
#include "platform/datasnap/servererror.h"
#include "platform/dataset/tabledata.h"
#include "server/proxim.h"

#include <QSqlQuery>
#include <QVariant>

#include <chrono>
#include <cmath>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <thread>

namespace soak {

namespace {

constexpr int kMaxErrorTexts = 12;
const QString kNotePrefix = QStringLiteral("soak ");

bool sameAmount(double a, double b) { return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(a)); }

// An item found by a search, with what an add sends.
struct Item {
    int stokno = 0;
    QString barkod;
    QString adi;
    double kdv = 0;
    double fiyat = 0;
    double ind[4] = {0, 0, 0, 0};
};

// A call's failure that is no exception: an unexpected answer.
struct Unexpected {
    QString text;
};

int column(const TableData &t, const char16_t *name)
{
    const int c = t.fieldIndex(QStringView(name));
    if (c < 0)
        throw Unexpected{QStringLiteral("column %1 missing").arg(QString::fromUtf16(name))};
    return c;
}

} // namespace

struct Run::Shared {
    std::vector<AccountBook> books;
    std::vector<std::unique_ptr<std::mutex>> locks;
    TSonucBilgisi record;
    int teslim = 0, kargo = 0, firma = 0;
    std::atomic<bool> stop{false};
    std::mutex figuresMutex;
};

namespace {

// One client thread: its own connection, its own random choices, counters
// merged at the end.
class Worker {
public:
    Worker(const Options &o, int index, std::vector<AccountBook> &books, std::vector<std::unique_ptr<std::mutex>> &locks,
           const TSonucBilgisi &record, int teslim, int kargo, int firma)
        : m_o(o), m_index(index), m_book(books[size_t(index) % books.size()]),
          m_lock(*locks[size_t(index) % books.size()]), m_rng(o.seed * 7919 + quint64(index)), m_teslim(teslim),
          m_kargo(kargo), m_firma(firma)
    {
        m_record.Kopyala(record);
        m_record.setCARINO(m_book.carino);
        m_conn.setParam(datasnap::param::HostName, o.host);
        m_conn.setParam(datasnap::param::Port, QString::number(o.port));
    }

    void run(const std::atomic<bool> &stop)
    {
        for (int done = 0; !stop.load(std::memory_order_relaxed) && (m_o.steps <= 0 || done < m_o.steps); ++done) {
            try {
                if (!m_conn.Connected())
                    m_conn.Open();
                step();
            } catch (const datasnap::ServerError &e) {
                fail(QStringLiteral("%1: %2").arg(e.method(), e.message()));
                m_conn.Close();
            } catch (const Unexpected &u) {
                fail(u.text);
            }
        }
        m_conn.Close();
    }

    Figures figures;

private:
    void fail(const QString &text)
    {
        ++figures.errors;
        if (figures.firstErrors.size() < kMaxErrorTexts)
            figures.firstErrors << QStringLiteral("thread %1, account %2: %3").arg(m_index).arg(m_book.carino).arg(text);
    }

    TServerMethods1Client &client(const QString &method)
    {
        ++figures.requests;
        ++figures.perMethod[method];
        m_client.emplace(m_conn);
        return *m_client;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    void step()
    {
        const int r = pick(100);
        if (r < 22 || m_items.empty())
            search();
        else if (r < 46)
            add();
        else if (r < 60)
            mark();
        else if (r < 69)
            change();
        else if (r < 75)
            remove();
        else if (r < 83)
            order();
        else if (r < 89)
            outstanding();
        else if (r < 90)
            removeAll();
        else
            read();
    }

    void search()
    {
        const QString term = m_o.searchTerms.at(pick(int(m_o.searchTerms.size())));
        const TableData t = client(QStringLiteral("StokAraGetirZelvori")).StokAraGetirZelvori(term, m_record);
        const int cNo = column(t, u"STOK_STOKNO"), cBarkod = column(t, u"BARKOD"), cAdi = column(t, u"ADI"),
                  cKdv = column(t, u"KDV"), cFiyat = column(t, u"FIYAT");
        const int cInd[4] = {column(t, u"IND1"), column(t, u"IND2"), column(t, u"IND3"), column(t, u"IND4")};
        // A few items of the answer become candidates for adds.
        for (int k = 0; k < 4 && t.rowCount() > 0; ++k) {
            const int row = pick(t.rowCount());
            Item it;
            it.stokno = int(t.intValue(row, cNo));
            it.barkod = t.stringValue(row, cBarkod);
            it.adi = t.stringValue(row, cAdi);
            it.kdv = t.doubleValue(row, cKdv);
            it.fiyat = t.doubleValue(row, cFiyat);
            for (int i = 0; i < 4; ++i)
                it.ind[i] = t.doubleValue(row, cInd[i]);
            if (m_items.size() >= 64)
                m_items[size_t(pick(64))] = it;
            else
                m_items.push_back(it);
        }
    }

    // The basket as the server lists it, by line number.
    std::map<int, BasketLine> serverBasket()
    {
        const TableData t = client(QStringLiteral("SepetVer2")).SepetVer2(m_book.carino);
        const int cSira = column(t, u"SIRANO"), cStok = column(t, u"STOKNO"), cMiktar = column(t, u"MIKTAR"),
                  cFiyat = column(t, u"BIRIMFIYAT"), cSec = column(t, u"SEC");
        std::map<int, BasketLine> out;
        for (int row = 0; row < t.rowCount(); ++row) {
            BasketLine l{int(t.intValue(row, cSira)), int(t.intValue(row, cStok)), t.doubleValue(row, cMiktar),
                         t.doubleValue(row, cFiyat), t.intValue(row, cSec) == 1};
            if (!out.emplace(l.sirano, l).second)
                throw Unexpected{QStringLiteral("SepetVer2 lists line %1 twice").arg(l.sirano)};
        }
        return out;
    }

    static QString differs(const BasketLine &a, const BasketLine &b)
    {
        if (a.stokno != b.stokno || a.miktar != b.miktar || !sameAmount(a.fiyat, b.fiyat) || a.sec != b.sec)
            return QStringLiteral("line %1: server %2 x%3 @%4 sec %5, book %6 x%7 @%8 sec %9")
                .arg(a.sirano)
                .arg(a.stokno)
                .arg(a.miktar)
                .arg(a.fiyat)
                .arg(a.sec)
                .arg(b.stokno)
                .arg(b.miktar)
                .arg(b.fiyat)
                .arg(b.sec);
        return {};
    }

    // Under the lock: the server's basket equals the book, apart from lines
    // of `newItem` that the book does not know yet; returns that line.
    std::optional<BasketLine> reconcile(int newItem)
    {
        std::optional<BasketLine> found;
        const std::map<int, BasketLine> server = serverBasket();
        for (const auto &[sirano, line] : server) {
            auto it = m_book.basket.find(sirano);
            if (it == m_book.basket.end()) {
                if (line.stokno == newItem && !found) {
                    found = line;
                    continue;
                }
                throw Unexpected{QStringLiteral("basket holds line %1 (item %2) the book does not").arg(sirano).arg(line.stokno)};
            }
            const QString d = differs(line, it->second);
            if (!d.isEmpty())
                throw Unexpected{QStringLiteral("basket differs, ") + d};
        }
        for (const auto &[sirano, line] : m_book.basket)
            if (!server.count(sirano))
                throw Unexpected{QStringLiteral("basket lost line %1 (item %2)").arg(sirano).arg(line.stokno)};
        return found;
    }

    BasketLine *anyLine()
    {
        if (m_book.basket.empty())
            return nullptr;
        auto it = m_book.basket.begin();
        std::advance(it, pick(int(m_book.basket.size())));
        return &it->second;
    }

    void add()
    {
        const Item it = m_items[size_t(pick(int(m_items.size())))];
        const double qty = 1 + pick(5);
        std::lock_guard<std::mutex> lock(m_lock);
        BasketLine *known = nullptr;
        for (auto &[sirano, line] : m_book.basket)
            if (line.stokno == it.stokno)
                known = &line;
        const int r = client(QStringLiteral("SepetEkle2"))
                          .SepetEkle2(m_record, m_book.carino, it.stokno, it.barkod, it.adi, qty, it.kdv, it.fiyat, it.ind[0],
                                      m_record.Sirano(), 0, it.ind[1], it.ind[2], it.ind[3]);
        if (r != 1)
            throw Unexpected{QStringLiteral("SepetEkle2 refused item %1: %2").arg(it.stokno).arg(r)};
        if (known) {
            known->miktar += qty;
            known->fiyat = it.fiyat;
            return;
        }
        const std::optional<BasketLine> line = reconcile(it.stokno);
        if (!line)
            throw Unexpected{QStringLiteral("item %1 added, but no new basket line").arg(it.stokno)};
        if (line->miktar != qty || line->sec || !sameAmount(line->fiyat, it.fiyat))
            throw Unexpected{QStringLiteral("new line of item %1 holds %2 x%3").arg(it.stokno).arg(line->miktar).arg(line->fiyat)};
        m_book.basket[line->sirano] = *line;
    }

    void mark()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        BasketLine *l = anyLine();
        if (!l)
            return;
        client(QStringLiteral("SepetSecimGuncelle")).SepetSecimGuncelle(l->sirano, l->sec ? 0 : 1);
        l->sec = !l->sec;
    }

    void change()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        BasketLine *l = anyLine();
        if (!l)
            return;
        const double qty = 1 + pick(9);
        const int r = client(QStringLiteral("SepetGuncelle2"))
                          .SepetGuncelle2(m_record, m_book.carino, 0, QString(), QString(), qty, 20, l->fiyat, 0,
                                          m_record.Sirano(), l->sirano, 0, 0, 0);
        if (r != 1)
            throw Unexpected{QStringLiteral("SepetGuncelle2 refused line %1: %2").arg(l->sirano).arg(r)};
        l->miktar = qty;
    }

    void remove()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        BasketLine *l = anyLine();
        if (!l)
            return;
        const int sirano = l->sirano;
        const int r = client(QStringLiteral("SepetSatirSil")).SepetSatirSil(m_record, sirano, QString());
        if (r != 1)
            throw Unexpected{QStringLiteral("SepetSatirSil refused line %1: %2").arg(sirano).arg(r)};
        m_book.basket.erase(sirano);
    }

    void removeAll()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const int r = client(QStringLiteral("SepetHepsiniSil")).SepetHepsiniSil(m_record);
        if (r != 1)
            throw Unexpected{QStringLiteral("SepetHepsiniSil refused: %1").arg(r)};
        m_book.basket.clear();
    }

    void order()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_book.basket.empty())
            return;
        bool anyMarked = false;
        for (const auto &[sirano, line] : m_book.basket)
            anyMarked = anyMarked || line.sec;
        if (!anyMarked) {
            BasketLine *l = anyLine();
            client(QStringLiteral("SepetSecimGuncelle")).SepetSecimGuncelle(l->sirano, 1);
            l->sec = true;
        }
        Order o;
        o.note = kNotePrefix + QStringLiteral("%1 %2 %3").arg(m_book.carino).arg(m_index).arg(++m_orders);
        if (!client(QStringLiteral("SiparisKaydet"))
                 .SiparisKaydet(m_record, m_book.carino, m_teslim, m_kargo, o.note, m_record.Sirano(), m_firma))
            throw Unexpected{QStringLiteral("SiparisKaydet refused %1").arg(o.note)};
        for (auto it = m_book.basket.begin(); it != m_book.basket.end();) {
            if (it->second.sec) {
                const BasketLine &l = it->second;
                o.lines.push_back({l.sirano, l.stokno, l.miktar, l.fiyat, l.miktar, 0});
                it = m_book.basket.erase(it);
            } else {
                ++it;
            }
        }
        m_book.orders.push_back(std::move(o));
        Order &sent = m_book.orders.back();
        // The order's number, from the previous orders, as the dealer would find it.
        const TableData t = client(QStringLiteral("OncekiSiparisler")).OncekiSiparisler(m_book.carino);
        const int cId = column(t, u"IDNO"), cNote = column(t, u"VERENINNOTU");
        for (int row = 0; row < t.rowCount(); ++row) {
            if (t.stringValue(row, cNote) != sent.note)
                continue;
            if (sent.idno)
                throw Unexpected{QStringLiteral("previous orders list %1 twice").arg(sent.note)};
            sent.idno = int(t.intValue(row, cId));
        }
        if (!sent.idno)
            throw Unexpected{QStringLiteral("previous orders lack %1").arg(sent.note)};
    }

    // Under the lock: every outstanding line of the run's orders is listed
    // once with the book's remainder; then one of them shrinks by one.
    void outstanding()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_book.orders.empty())
            return;
        const TableData t = client(QStringLiteral("BakiyelerVer2")).BakiyelerVer2(m_book.carino);
        const int cId = column(t, u"SIPARISNO"), cSira = column(t, u"SIRANO"), cKalan = column(t, u"KALAN"),
                  cHar = column(t, u"STOKHAR_NO");
        std::map<std::pair<int, int>, OrderLine *> ours;
        for (Order &o : m_book.orders)
            for (OrderLine &l : o.lines)
                ours[{o.idno, l.sepetsirano}] = &l;
        std::set<OrderLine *> listed;
        for (int row = 0; row < t.rowCount(); ++row) {
            auto it = ours.find({int(t.intValue(row, cId)), int(t.intValue(row, cSira))});
            if (it == ours.end())
                continue;
            OrderLine *l = it->second;
            if (!listed.insert(l).second)
                throw Unexpected{QStringLiteral("outstanding lines list basket line %1 twice").arg(l->sepetsirano)};
            if (!sameAmount(t.doubleValue(row, cKalan), l->kalan))
                throw Unexpected{QStringLiteral("outstanding line %1: server %2, book %3")
                                     .arg(l->sepetsirano)
                                     .arg(t.doubleValue(row, cKalan))
                                     .arg(l->kalan)};
            l->stokharNo = int(t.intValue(row, cHar));
        }
        std::vector<OrderLine *> shrinkable;
        for (auto &[key, l] : ours) {
            if (l->kalan > 0 && !listed.count(l))
                throw Unexpected{QStringLiteral("outstanding lines lack basket line %1").arg(l->sepetsirano)};
            if (l->kalan >= 2)
                shrinkable.push_back(l);
        }
        if (shrinkable.empty())
            return;
        OrderLine *l = shrinkable[size_t(pick(int(shrinkable.size())))];
        const int r = client(QStringLiteral("BakiyeDegistir"))
                          .BakiyeDegistir(m_record, l->stokno, l->sepetsirano, l->stokharNo, l->miktar, l->kalan - 1,
                                          QString());
        if (r != 1)
            throw Unexpected{QStringLiteral("BakiyeDegistir refused line %1: %2").arg(l->stokharNo).arg(r)};
        l->kalan -= 1;
    }

    // Reads without the lock, as a second window of the dealer would.
    void read()
    {
        if (pick(2) == 0)
            client(QStringLiteral("SepetVer2")).SepetVer2(m_book.carino);
        else
            client(QStringLiteral("OncekiSiparisler")).OncekiSiparisler(m_book.carino);
    }

    const Options &m_o;
    const int m_index;
    AccountBook &m_book;
    std::mutex &m_lock;
    std::mt19937_64 m_rng;
    const int m_teslim, m_kargo, m_firma;
    TSonucBilgisi m_record;
    datasnap::Connection m_conn;
    std::optional<TServerMethods1Client> m_client;
    std::vector<Item> m_items;
    int m_orders = 0;
};

int firstNumber(const TableData &t, const char16_t *name)
{
    if (t.rowCount() == 0)
        throw Unexpected{QStringLiteral("empty choice list for %1").arg(QString::fromUtf16(name))};
    return int(t.intValue(0, column(t, name)));
}

} // namespace

Run::Run(Options options) : m_options(std::move(options)), m_shared(std::make_unique<Shared>())
{
    TransferNesneleriniKaydet();
}

Run::~Run() = default;

const std::vector<AccountBook> &Run::books() const { return m_shared->books; }

bool Run::execute()
{
    Shared &s = *m_shared;
    if (m_options.accounts.isEmpty() || m_options.threads < 1) {
        m_figures.firstErrors << QStringLiteral("no accounts or no threads");
        return false;
    }
    // The start: sign-in record, delivery and cargo choices, the baskets as they are.
    try {
        datasnap::Connection conn;
        conn.setParam(datasnap::param::HostName, m_options.host);
        conn.setParam(datasnap::param::Port, QString::number(m_options.port));
        conn.Open();
        const std::optional<TSonucBilgisi> rec = TServerMethods1Client(conn).BuyukGetir(m_options.machineId);
        if (!rec || !rec->Varmi())
            throw Unexpected{QStringLiteral("no sign-in for %1").arg(m_options.machineId)};
        s.record = *rec;
        s.teslim = firstNumber(TServerMethods1Client(conn).TeslimVer(), u"SIRANO");
        s.kargo = firstNumber(TServerMethods1Client(conn).KargoVer(), u"SIRANO");
        s.firma = firstNumber(TServerMethods1Client(conn).KargolarVer(s.kargo), u"SIRANO");
        for (int carino : std::as_const(m_options.accounts)) {
            AccountBook book;
            book.carino = carino;
            const TableData t = TServerMethods1Client(conn).SepetVer2(carino);
            for (int row = 0; row < t.rowCount(); ++row) {
                BasketLine l{int(t.intValue(row, column(t, u"SIRANO"))), int(t.intValue(row, column(t, u"STOKNO"))),
                             t.doubleValue(row, column(t, u"MIKTAR")), t.doubleValue(row, column(t, u"BIRIMFIYAT")),
                             t.intValue(row, column(t, u"SEC")) == 1};
                book.basket[l.sirano] = l;
            }
            s.books.push_back(std::move(book));
            s.locks.push_back(std::make_unique<std::mutex>());
        }
    } catch (const datasnap::ServerError &e) {
        m_figures.firstErrors << QStringLiteral("start: %1 %2").arg(e.method(), e.message());
        return false;
    } catch (const Unexpected &u) {
        m_figures.firstErrors << QStringLiteral("start: ") + u.text;
        return false;
    }

    std::vector<std::unique_ptr<Worker>> workers;
    for (int i = 0; i < m_options.threads; ++i)
        workers.push_back(
            std::make_unique<Worker>(m_options, i, s.books, s.locks, s.record, s.teslim, s.kargo, s.firma));
    std::vector<std::thread> threads;
    for (auto &w : workers)
        threads.emplace_back([&s, worker = w.get()] { worker->run(s.stop); });
    if (m_options.steps <= 0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(m_options.seconds));
        s.stop = true;
    }
    for (std::thread &t : threads)
        t.join();
    for (const auto &w : workers) {
        m_figures.requests += w->figures.requests;
        m_figures.errors += w->figures.errors;
        for (const auto &[method, n] : w->figures.perMethod)
            m_figures.perMethod[method] += n;
        for (const QString &e : w->figures.firstErrors)
            if (m_figures.firstErrors.size() < kMaxErrorTexts)
                m_figures.firstErrors << e;
    }
    return true;
}

QStringList verify(const QSqlDatabase &db, const std::vector<AccountBook> &books)
{
    QStringList problems;
    auto query = [&](const QString &sql, const QVariantList &values) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(sql);
        for (const QVariant &v : values)
            q.addBindValue(v);
        if (!q.exec())
            problems << QStringLiteral("query failed: %1").arg(sql);
        return q;
    };

    std::set<QString> expectedNotes;
    for (const AccountBook &book : books) {
        // The basket: exactly the book's lines, each item once.
        QSqlQuery q = query(QStringLiteral("SELECT sirano, stokno, miktar, birimfiyat, sec FROM sepet WHERE carino = ?"),
                            {book.carino});
        std::map<int, BasketLine> found;
        std::map<int, int> perItem;
        while (q.next()) {
            const BasketLine l{q.value(0).toInt(), q.value(1).toInt(), q.value(2).toDouble(), q.value(3).toDouble(),
                               q.value(4).toInt() == 1};
            found[l.sirano] = l;
            if (++perItem[l.stokno] == 2)
                problems << QStringLiteral("account %1: item %2 has two basket lines").arg(book.carino).arg(l.stokno);
        }
        for (const auto &[sirano, l] : book.basket) {
            auto it = found.find(sirano);
            if (it == found.end()) {
                problems << QStringLiteral("account %1: basket line %2 (item %3) lost").arg(book.carino).arg(sirano).arg(l.stokno);
                continue;
            }
            const BasketLine &d = it->second;
            if (d.stokno != l.stokno || d.miktar != l.miktar || !sameAmount(d.fiyat, l.fiyat) || d.sec != l.sec)
                problems << QStringLiteral("account %1: basket line %2 holds item %3 x%4 @%5 sec %6, book says %7 x%8 @%9 sec %10")
                                .arg(book.carino)
                                .arg(sirano)
                                .arg(d.stokno)
                                .arg(d.miktar)
                                .arg(d.fiyat)
                                .arg(d.sec)
                                .arg(l.stokno)
                                .arg(l.miktar)
                                .arg(l.fiyat)
                                .arg(l.sec);
        }
        for (const auto &[sirano, d] : found)
            if (!book.basket.count(sirano))
                problems << QStringLiteral("account %1: basket line %2 (item %3) not in the book").arg(book.carino).arg(sirano).arg(d.stokno);

        // The orders: each once, of this account, with exactly its lines.
        for (const Order &o : book.orders) {
            expectedNotes.insert(o.note);
            QSqlQuery h = query(QStringLiteral("SELECT idno, carino FROM siparis WHERE aciklama = ?"), {o.note});
            std::vector<std::pair<int, int>> heads;
            while (h.next())
                heads.emplace_back(h.value(0).toInt(), h.value(1).toInt());
            if (heads.size() != 1) {
                problems << QStringLiteral("order \"%1\" found %2 times").arg(o.note).arg(heads.size());
                continue;
            }
            if (heads[0].first != o.idno || heads[0].second != book.carino)
                problems << QStringLiteral("order \"%1\" is number %2 of account %3, expected %4 of %5")
                                .arg(o.note)
                                .arg(heads[0].first)
                                .arg(heads[0].second)
                                .arg(o.idno)
                                .arg(book.carino);
            QSqlQuery l = query(QStringLiteral("SELECT sepetsirano, stokno, miktar, birimfiyat, kalan, teslimedilen "
                                               "FROM siparis_satir WHERE idno = ?"),
                                {heads[0].first});
            std::map<int, int> seen;
            while (l.next()) {
                const int sepetsirano = l.value(0).toInt();
                if (++seen[sepetsirano] == 2) {
                    problems << QStringLiteral("order \"%1\": basket line %2 ordered twice").arg(o.note).arg(sepetsirano);
                    continue;
                }
                const OrderLine *expected = nullptr;
                for (const OrderLine &e : o.lines)
                    if (e.sepetsirano == sepetsirano)
                        expected = &e;
                if (!expected) {
                    problems << QStringLiteral("order \"%1\": line of basket line %2 was not ordered").arg(o.note).arg(sepetsirano);
                    continue;
                }
                const double miktar = l.value(2).toDouble(), kalan = l.value(4).toDouble(),
                             teslim = l.value(5).toDouble();
                if (l.value(1).toInt() != expected->stokno || miktar != expected->miktar
                    || !sameAmount(l.value(3).toDouble(), expected->fiyat))
                    problems << QStringLiteral("order \"%1\": basket line %2 holds item %3 x%4, ordered %5 x%6")
                                    .arg(o.note)
                                    .arg(sepetsirano)
                                    .arg(l.value(1).toInt())
                                    .arg(miktar)
                                    .arg(expected->stokno)
                                    .arg(expected->miktar);
                if (kalan != expected->kalan || teslim != 0 || kalan + teslim > miktar)
                    problems << QStringLiteral("order \"%1\": basket line %2 outstanding %3 (delivered %4), book says %5")
                                    .arg(o.note)
                                    .arg(sepetsirano)
                                    .arg(kalan)
                                    .arg(teslim)
                                    .arg(expected->kalan);
            }
            for (const OrderLine &e : o.lines)
                if (!seen.count(e.sepetsirano))
                    problems << QStringLiteral("order \"%1\": basket line %2 (item %3) lost").arg(o.note).arg(e.sepetsirano).arg(e.stokno);
        }
    }
    // No order of the run that the book does not know.
    QSqlQuery all = query(QStringLiteral("SELECT aciklama FROM siparis WHERE aciklama LIKE ?"), {QString(kNotePrefix + u'%')});
    while (all.next())
        if (!expectedNotes.count(all.value(0).toString()))
            problems << QStringLiteral("order \"%1\" was never sent").arg(all.value(0).toString());
    return problems;
}

} // namespace soak
