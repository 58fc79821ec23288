#pragma once
// The server methods of TServerMethods1: each reads its positional
// parameters with wire::Reader, works on the calling thread's database
// connection and returns its out-parameters followed by its return value.

#include "appserver/database.h"
#include "core/baglantiu.h"
#include "wire/reader.h"
#include "platform/dataset/tabledata.h"
#include "wire/value.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <stdexcept>

namespace appserver {

// Wrong number or kind of parameters: answered with 400.
class BadRequest : public std::runtime_error {
public:
    explicit BadRequest(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// The method refused or failed: answered with 500 and this text.
class MethodFailure : public std::runtime_error {
public:
    explicit MethodFailure(const QString &message) : std::runtime_error(message.toStdString()) {}
};

struct Context {
    QSqlDatabase db;
    double now = 0;  // the current moment as a day number
    int searchLimit = 10000;  // most rows a stock search answers with
};

using Method = std::function<QList<wire::Value>(Context &, wire::Reader &)>;
using MethodTable = QHash<QString, Method>;

// Every server method by name.
const MethodTable &methodTable();

// Ends the parameter reading: throws BadRequest when a parameter was
// missing, extra or of the wrong kind.
void endParameters(wire::Reader &in);
// The sign-in record parameter; a null object reads as a new record.
TSonucBilgisi signInRecord(wire::Reader &in, QStringView name);

// Registration of the method groups.
void addCatalogueMethods(MethodTable &table);
void addBasketMethods(MethodTable &table);
void addOrderMethods(MethodTable &table);
void addAccountMethods(MethodTable &table);
void addCustomerMethods(MethodTable &table);
void addPromotionMethods(MethodTable &table);

// Shared pieces.
// Whole stock items with prices for a dealer account, in the stock list's
// column set; `where` follows "FROM stok s" (it may be empty).
struct StockQuery {
    QString where;         // e.g. "WHERE s.yeni = 1"
    QVariantList values;
    QString orderLimit = QStringLiteral("ORDER BY s.stokno");
    bool campaignColumns = false;  // adds ESKIFIYAT; FIYAT is then the campaign price
};
TableData stockTable(Context &ctx, int carino, const StockQuery &query);
// Reads the catalogue into memory ahead of the first search.
void warmCatalogue(const QSqlDatabase &db);
// The discount rate of a dealer account (0 when unknown).
double dealerDiscount(Context &ctx, int carino);
// The time of day of a day number as "HH:mm".
QString timeText(double dayNumber);

} // namespace appserver
