#include "platform/grid/gridlogic.h"

#include <QCollator>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QLocale>

#include "platform/dataset/displayformat.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace gridlogic {

namespace {

enum Rank { NullRank = 0, NumberRank = 1, TimeRank = 2, TextRank = 3 };

bool isNullish(const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return true;
    return v.typeId() == QMetaType::QString && v.toString().isEmpty();
}

bool isNumber(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool isTime(int typeId)
{
    return typeId == QMetaType::QDate || typeId == QMetaType::QDateTime || typeId == QMetaType::QTime;
}

double timeValue(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QDate:
        return double(v.toDate().toJulianDay()) * 86400000.0;
    case QMetaType::QTime:
        return double(v.toTime().msecsSinceStartOfDay());
    default:
        return double(v.toDateTime().toMSecsSinceEpoch()) + 2440588.0 * 86400000.0;
    }
}

Rank rankOf(const QVariant &v)
{
    if (isNullish(v))
        return NullRank;
    if (isNumber(v.typeId()))
        return NumberRank;
    if (isTime(v.typeId()))
        return TimeRank;
    return TextRank;
}

const QCollator &collator()
{
    static const QCollator c = [] {
        QCollator col;
        col.setCaseSensitivity(Qt::CaseInsensitive);
        col.setNumericMode(false);
        return col;
    }();
    return c;
}

} // namespace

QString nullKey()
{
    return QStringLiteral("\x01");
}

QString valueKey(const QVariant &raw)
{
    if (isNullish(raw))
        return nullKey();
    const int t = raw.typeId();
    if (t == QMetaType::Double || t == QMetaType::Float) {
        const double d = raw.toDouble();
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.0e15)
            return u'n' + QString::number(qint64(d));
        return u'n' + QString::number(d, 'g', 17);
    }
    if (t == QMetaType::Bool)
        return u'n' + QString::number(raw.toBool() ? 1 : 0);
    if (isNumber(t))
        return u'n' + QString::number(raw.toLongLong());
    if (t == QMetaType::QDate)
        return u'd' + raw.toDate().toString(Qt::ISODate);
    if (t == QMetaType::QDateTime)
        return u't' + raw.toDateTime().toString(Qt::ISODateWithMs);
    return u's' + raw.toString();
}

QList<int> filterRows(const QList<int> &rows, const QList<ColumnFilter> &filters, const RawAt &raw)
{
    QList<ColumnFilter> active;
    for (const ColumnFilter &f : filters)
        if (f.sourceColumn >= 0)
            active.append(f);
    if (active.isEmpty())
        return rows;
    QList<int> out;
    out.reserve(rows.size());
    for (int row : rows) {
        bool pass = true;
        for (const ColumnFilter &f : active) {
            if (!f.keys.contains(valueKey(raw(row, f.sourceColumn)))) {
                pass = false;
                break;
            }
        }
        if (pass)
            out.append(row);
    }
    return out;
}

int compareRaw(const QVariant &a, const QVariant &b)
{
    const Rank ra = rankOf(a), rb = rankOf(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    switch (ra) {
    case NullRank:
        return 0;
    case NumberRank: {
        if (a.typeId() != QMetaType::Double && a.typeId() != QMetaType::Float
            && b.typeId() != QMetaType::Double && b.typeId() != QMetaType::Float) {
            const qint64 x = a.toLongLong(), y = b.toLongLong();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case TimeRank: {
        const double x = timeValue(a), y = timeValue(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case TextRank:
        break;
    }
    const int c = collator().compare(a.toString(), b.toString());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void sortRows(QList<int> &rows, int sourceColumn, Qt::SortOrder order, const RawAt &raw)
{
    if (sourceColumn < 0 || rows.size() < 2)
        return;
    // One key per row, computed once: a rank, a number and, for texts, a
    // collation key, so the comparisons of the sort stay cheap.
    struct Entry {
        int row;
        Rank rank;
        double number;
        std::optional<QCollatorSortKey> text;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(rows.size()));
    for (int row : rows) {
        const QVariant v = raw(row, sourceColumn);
        Entry e{row, rankOf(v), 0.0, std::nullopt};
        if (e.rank == NumberRank)
            e.number = v.toDouble();
        else if (e.rank == TimeRank)
            e.number = timeValue(v);
        else if (e.rank == TextRank)
            e.text = collator().sortKey(v.toString());
        entries.push_back(std::move(e));
    }
    auto less = [](const Entry &a, const Entry &b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.rank == TextRank)
            return a.text->compare(*b.text) < 0;
        return a.number < b.number;
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(entries.begin(), entries.end(), less);
    else
        std::stable_sort(entries.begin(), entries.end(),
                         [&less](const Entry &a, const Entry &b) { return less(b, a); });
    for (qsizetype i = 0; i < rows.size(); ++i)
        rows[i] = entries[size_t(i)].row;
}

int findIncremental(const QString &typed, int count, int start, const TextAt &textAt)
{
    if (typed.isEmpty() || count <= 0)
        return -1;
    start = std::clamp(start, 0, count - 1);
    for (int n = 0; n < count; ++n) {
        const int i = (start + n) % count;
        if (textAt(i).startsWith(typed, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QList<DistinctValue> distinctValues(const QList<int> &rows, int sourceColumn, const RawAt &raw,
                                    const std::function<QString(int row)> &textOf)
{
    QList<DistinctValue> out;
    if (sourceColumn < 0)
        return out;
    QHash<QString, qsizetype> seen;
    for (int row : rows) {
        const QVariant v = raw(row, sourceColumn);
        const QString key = valueKey(v);
        if (seen.contains(key))
            continue;
        seen.insert(key, out.size());
        out.append({key, v, isNullish(v) ? QString() : textOf(row)});
    }
    std::stable_sort(out.begin(), out.end(), [](const DistinctValue &a, const DistinctValue &b) {
        return compareRaw(a.raw, b.raw) < 0;
    });
    return out;
}

double summarize(SummaryKind kind, const QList<int> &rows, int sourceColumn, const RawAt &raw)
{
    if (kind == SummaryKind::Count)
        return double(rows.size());
    if (sourceColumn < 0)
        return 0.0;
    double sum = 0.0;
    qsizetype values = 0;
    for (int row : rows) {
        const QVariant v = raw(row, sourceColumn);
        if (isNullish(v))
            continue;
        sum += v.toDouble();
        ++values;
    }
    if (kind == SummaryKind::Sum)
        return sum;
    return values ? sum / double(values) : 0.0;
}

QString summaryText(SummaryKind kind, double value, int decimals)
{
    // The same pattern and rounding as the grid's number cells.
    QString pattern = QStringLiteral("#,###,##0");
    if (kind != SummaryKind::Count && decimals > 0)
        pattern += u'.' + QString(decimals, u'0');
    return formatNumber(value, pattern);
}

} // namespace gridlogic
