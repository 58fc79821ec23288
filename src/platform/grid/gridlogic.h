#pragma once

// The grid's row logic as plain functions, testable without a view:
// header filters, sorting, incremental search and summaries over raw values.

#include "platform/grid/gridcolumn.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QVariant>

#include <functional>

namespace gridlogic {

// Raw value of (source row, source column).
using RawAt = std::function<QVariant(int row, int column)>;
// Text of a row (view order) in the searched column.
using TextAt = std::function<QString(int index)>;

// A key naming a raw value in a filter pick list. Every null value shares the
// key nullKey(); numbers compare by value (1 and 1.0 are the same key).
QString valueKey(const QVariant &raw);
QString nullKey();

// A header filter: the rows whose value in the column has one of the keys.
struct ColumnFilter {
    int sourceColumn = -1;
    QSet<QString> keys;
};

// The rows (in their order) that pass every filter.
QList<int> filterRows(const QList<int> &rows, const QList<ColumnFilter> &filters, const RawAt &raw);

// Orders two raw values: nulls first, then numbers (by value), dates and
// times, booleans, and texts in the user's collation.
int compareRaw(const QVariant &a, const QVariant &b);

// Stable sort of rows by the raw values of one column.
void sortRows(QList<int> &rows, int sourceColumn, Qt::SortOrder order, const RawAt &raw);

// Incremental search: the first index from start on (wrapping round to the
// top) whose text begins with the typed text, ignoring case; -1 when none.
int findIncremental(const QString &typed, int count, int start, const TextAt &textAt);

// The distinct values of a column over the rows, ordered by compareRaw,
// each with its key and the text the pick list shows.
struct DistinctValue {
    QString key;
    QVariant raw;
    QString text;
};
QList<DistinctValue> distinctValues(const QList<int> &rows, int sourceColumn, const RawAt &raw,
                                    const std::function<QString(int row)> &textOf);

// A summary over rows: Count counts rows; Sum adds the numeric values (null
// counts as 0); Average divides the sum by the number of non-null values
// (0 when there is none). A missing column (-1) gives 0 for sums and averages.
double summarize(SummaryKind kind, const QList<int> &rows, int sourceColumn, const RawAt &raw);

// A summary's footer text: counts as whole numbers, sums and averages grouped
// with the given decimals ("#,###,##0.00"), in the user's locale.
QString summaryText(SummaryKind kind, double value, int decimals);

} // namespace gridlogic
