// Loading a catalogue-sized result into the in-memory table: 100 000 rows of
// 40 columns (12 integer, 14 float, 14 string). Reports the load time, the
// bytes the table holds against the size of the same data as protocol JSON
// text, a cursor walk and number formatting.
//
//   bench_dataset [--smoke]
//
// Prints FIGURE lines (bench/figure.h).
#include "bench/figure.h"

#include "platform/dataset/displayformat.h"
#include "platform/dataset/memtable.h"
#include "platform/dataset/tabledata.h"

#include <QLocale>
#include <QRandomGenerator>

#include <chrono>
#include <vector>

namespace {

int kRows = 100'000; // fewer in a smoke run
constexpr int kInts = 12;
constexpr int kFloats = 14;
constexpr int kStrings = 14;
constexpr int kCols = kInts + kFloats + kStrings;

// The source cells, generated once and outside the timed part.
struct Source {
    QList<FieldDef> fields;
    std::vector<qint64> ints;      // kRows * kInts
    std::vector<double> floats;    // kRows * kFloats
    std::vector<QString> strings;  // kRows * kStrings
    std::vector<QByteArray> utf8;  // the same strings as UTF-8
    // ... and once more in one buffer, as a decoder finds them in a response
    QByteArray utf8Buffer;
    std::vector<qsizetype> utf8Offsets;  // kRows * kStrings + 1
    qsizetype jsonBytes = 0;
};

const Source &source()
{
    static const Source s = [] {
        Source s;
        for (int c = 0; c < kInts; ++c)
            s.fields.append({QStringLiteral("INT%1").arg(c), FieldType::Integer});
        for (int c = 0; c < kFloats; ++c)
            s.fields.append({QStringLiteral("FLT%1").arg(c), FieldType::Float});
        for (int c = 0; c < kStrings; ++c)
            s.fields.append({QStringLiteral("STR%1").arg(c), FieldType::String, 50});

        QRandomGenerator rng(20261211);
        const QStringList brands = {QStringLiteral("BOSCHA"), QStringLiteral("VALEOX"),
                                    QStringLiteral("MAHLEN"), QStringLiteral("SACHSO"),
                                    QStringLiteral("FEBİ"), QStringLiteral("LEMFÖR")};
        const QStringList words = {QStringLiteral("FREN"), QStringLiteral("BALATASI"), QStringLiteral("ÖN"),
                                   QStringLiteral("ARKA"), QStringLiteral("AMORTİSÖR"), QStringLiteral("FİLTRE"),
                                   QStringLiteral("YAĞ"), QStringLiteral("HAVA"), QStringLiteral("DİSK"),
                                   QStringLiteral("TAKIM"), QStringLiteral("SOL"), QStringLiteral("SAĞ")};
        s.ints.reserve(size_t(kRows) * kInts);
        s.floats.reserve(size_t(kRows) * kFloats);
        s.strings.reserve(size_t(kRows) * kStrings);
        for (int r = 0; r < kRows; ++r) {
            s.ints.push_back(100000 + r);  // stock number
            for (int c = 1; c < kInts; ++c)
                s.ints.push_back(rng.bounded(c < 4 ? 10 : 5000));  // states, quantities
            for (int c = 0; c < kFloats; ++c)  // prices and rates, two decimals
                s.floats.push_back(double(rng.bounded(c < 4 ? 5000 : 2'000'000)) / 100.0);
            for (int c = 0; c < kStrings; ++c) {
                QString v;
                switch (c % 4) {
                case 0: v = QStringLiteral("%1-%2").arg(QChar(u'A' + rng.bounded(26))).arg(rng.bounded(1'000'000)); break;
                case 1: v = brands[rng.bounded(int(brands.size()))]; break;
                case 2:
                    for (int w = 0; w < 4; ++w)
                        v += (w ? QStringLiteral(" ") : QString()) + words[rng.bounded(int(words.size()))];
                    break;
                default: v = QStringLiteral("%1").arg(rng.bounded(100'000'000), 13, 10, QChar(u'0')); break;  // barcode
                }
                s.strings.push_back(v);
            }
        }
        s.utf8.reserve(s.strings.size());
        for (const QString &v : s.strings) {
            s.utf8.push_back(v.toUtf8());
            s.utf8Offsets.push_back(s.utf8Buffer.size());
            s.utf8Buffer += s.utf8.back();
        }
        s.utf8Offsets.push_back(s.utf8Buffer.size());

        // The same data in the protocol's table form.
        const QLocale c = QLocale::c();
        QByteArray json = "{\"columns\":[";
        for (int i = 0; i < s.fields.size(); ++i) {
            const FieldDef &f = s.fields[i];
            json += (i ? "," : "") + QByteArray("{\"name\":\"") + f.name.toUtf8() + "\",\"type\":\""
                    + fieldTypeName(f.type).toUtf8() + "\""
                    + (f.size ? ",\"size\":" + QByteArray::number(f.size) : QByteArray()) + "}";
        }
        json += "],\"rows\":[";
        for (int r = 0; r < kRows; ++r) {
            json += r ? ",[" : "[";
            for (int k = 0; k < kInts; ++k)
                json += (k ? "," : "") + QByteArray::number(s.ints[size_t(r) * kInts + k]);
            for (int k = 0; k < kFloats; ++k)
                json += "," + c.toString(s.floats[size_t(r) * kFloats + k], 'g', QLocale::FloatingPointShortest).toUtf8();
            for (int k = 0; k < kStrings; ++k)
                json += ",\"" + s.utf8[size_t(r) * kStrings + k] + "\"";
            json += "]";
        }
        json += "]}";
        s.jsonBytes = json.size();
        return s;
    }();
    return s;
}

template <bool kUtf8>
TableData load(const Source &s)
{
    TableData t(s.fields);
    t.reserveRows(kRows);
    const qint64 *ints = s.ints.data();
    const double *floats = s.floats.data();
    for (int r = 0; r < kRows; ++r) {
        const int row = t.appendRow();
        int col = 0;
        for (int k = 0; k < kInts; ++k)
            t.setInt(row, col++, *ints++);
        for (int k = 0; k < kFloats; ++k)
            t.setDouble(row, col++, *floats++);
        const size_t base = size_t(r) * kStrings;
        for (int k = 0; k < kStrings; ++k) {
            if constexpr (kUtf8) {
                const qsizetype from = s.utf8Offsets[base + k];
                t.setStringUtf8(row, col++, QByteArrayView(s.utf8Buffer.constData() + from,
                                                           s.utf8Offsets[base + k + 1] - from));
            } else
                t.setString(row, col++, s.strings[base + k]);
        }
    }
    t.squeeze();
    return t;
}

volatile double g_sink = 0;

} // namespace

int main(int argc, char **argv)
{
    const bool smoke = bench::smokeRun(argc, argv);
    if (smoke)
        kRows = 200;
    const int runs = smoke ? 1 : 7;
    const Source &s = source();
    const std::string note = std::to_string(runs) + " runs";
    const std::string rows = std::to_string(kRows) + " rows x 40";

    qsizetype bytes = 0;
    bench::figure("dataset", "load " + rows + " (QString cells)",
                  bench::timeRuns(runs, [&] { bytes = load<false>(s).byteSize(); }), "ms", {}, {}, "-", note);
    bench::figure("dataset", "load " + rows + " (UTF-8 cells)",
                  bench::timeRuns(runs, [&] { bytes = load<true>(s).byteSize(); }), "ms", {}, {}, "-", note);
    bench::figure("dataset", "table memory, " + rows, {double(bytes) / (1024.0 * 1024.0)}, "MiB",
                  "JSON size of the same data", {double(s.jsonBytes) / (1024.0 * 1024.0)}, "-", "one table");

    // Hand-over to the table behind a grid: a move, independent of the size.
    const TableData loaded = load<true>(s);
    std::vector<double> assignMs;
    for (int run = 0; run < runs; ++run) {
        MemTable table;
        TableData copy = loaded;
        const auto t0 = std::chrono::steady_clock::now();
        table.assign(std::move(copy));
        assignMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    bench::figure("dataset", "hand-over of a loaded table to a MemTable", assignMs, "ms", {}, {}, "-", note);

    // A cursor walk reading two amounts per row, as totals and running balances do.
    MemTable table;
    table.assign(TableData(loaded));
    bench::figure("dataset", "cursor walk over " + std::to_string(kRows) + " rows, two amounts",
                  bench::timeRuns(runs, [&] {
                      double sum = 0;
                      const Field a = table.FieldByName(QStringLiteral("FLT0"));
                      const Field b = table.FieldByName(QStringLiteral("FLT1"));
                      for (table.First(); !table.Eof(); table.Next())
                          sum += a.AsFloat() - b.AsFloat();
                      g_sink = sum;
                  }),
                  "ms", {}, {}, "-", note);

    // 10 000 cells' display texts with "#,###,##0.00" in the Turkish locale.
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    bench::figure("dataset", "10000 numbers formatted #,###,##0.00",
                  bench::timeRuns(runs, [&] {
                      double v = 1234567.891;
                      qsizetype n = 0;
                      for (int i = 0; i < 10000; ++i, v += 0.01)
                          n += formatNumber(v, kFloatDisplayFormat, tr).size();
                      g_sink = double(n);
                  }),
                  "ms", {}, {}, "-", note);
    return 0;
}
