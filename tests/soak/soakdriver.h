#pragma once
// The load of a soak run: client threads that search, fill the baskets of
// several dealer accounts, mark, change and delete lines, send orders and
// shrink outstanding lines through the program's own server-method client,
// keeping their own book of what each basket and each order must hold; and
// the check of a database against that book afterwards.
//
// The changes of one account and their entries in the book are made under
// that account's lock, so the book is exact; searches and reads run without
// it, and the accounts work against the server at the same time.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <atomic>
#include <map>
#include <memory>
#include <vector>

namespace soak {

// A basket line as the book knows it.
struct BasketLine {
    int sirano = 0;
    int stokno = 0;
    double miktar = 0;
    double fiyat = 0;
    bool sec = false;
};

// An order line: what was taken from the basket, and what is outstanding.
struct OrderLine {
    int sepetsirano = 0;
    int stokno = 0;
    double miktar = 0;
    double fiyat = 0;
    double kalan = 0;
    int stokharNo = 0;  // learnt from the outstanding lines; 0 until then
};

struct Order {
    QString note;  // unique per order: how the check finds it
    int idno = 0;  // learnt from the previous orders right after sending
    std::vector<OrderLine> lines;
};

struct AccountBook {
    int carino = 0;
    std::map<int, BasketLine> basket;  // by sirano
    std::vector<Order> orders;
};

struct Options {
    QString host = QStringLiteral("127.0.0.1");
    int port = 0;
    int threads = 16;
    double seconds = 180;
    int steps = 0;  // when > 0: each thread makes this many steps instead of running for `seconds`
    QList<int> accounts;  // dealer accounts to work on; threads share them round robin
    QString machineId = QStringLiteral("DEMO-PC");  // the sign-in whose record the calls carry
    QStringList searchTerms = {QStringLiteral("FREN"), QStringLiteral("FILTRE"), QStringLiteral("AMPUL"),
                               QStringLiteral("BALATA"), QStringLiteral("YAG"), QStringLiteral("DISK"),
                               QStringLiteral("AMORTISOR"), QStringLiteral("RULMAN")};
    quint64 seed = 1;
};

struct Figures {
    qint64 requests = 0;
    qint64 errors = 0;
    std::map<QString, qint64> perMethod;
    QStringList firstErrors;  // the first few error texts
};

class Run {
public:
    explicit Run(Options options);
    ~Run();

    // Signs in, reads the delivery and cargo choices and the starting
    // baskets, then runs the threads for the duration. Returns false (with
    // the reason in figures().firstErrors) when the start failed.
    bool execute();

    const Figures &figures() const { return m_figures; }
    const std::vector<AccountBook> &books() const;

private:
    struct Shared;
    Options m_options;
    Figures m_figures;
    std::unique_ptr<Shared> m_shared;
};

// Every difference between the database and the book: basket lines lost,
// doubled or changed, orders missing or doubled, order lines lost, doubled
// or changed, outstanding quantities that differ. Empty when all adds up.
// Orders of a run are those whose note starts with "soak ".
QStringList verify(const QSqlDatabase &db, const std::vector<AccountBook> &books);

} // namespace soak
