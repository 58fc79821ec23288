// Decoding a catalogue-sized result body and loading it into TableData:
// 10 000 and 100 000 rows of 40 columns (12 integer, 14 float with prices
// and rates, 2 date, 12 string). Beside it the floor (one pass that reads
// every byte of the body once), Qt's own JSON parser building the same
// table, and the encoder that the application server uses.
//
//   bench_wire [--smoke]
//
// Prints one FIGURE line per figure (bench/figure.h): the median of the
// repeated runs in wall-clock milliseconds with their minimum and maximum.

#include "bench/figure.h"

#include "wire/codec.h"

#include "platform/dataset/tabledata.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <cstring>
#include <map>

namespace {

constexpr int kInts = 12, kFloats = 14, kDates = 2, kStrings = 12;

TableData makeTable(int rows)
{
    QList<FieldDef> fields;
    for (int c = 0; c < kInts; ++c)
        fields.append({QStringLiteral("INT%1").arg(c), FieldType::Integer});
    for (int c = 0; c < kFloats; ++c)
        fields.append({QStringLiteral("FLT%1").arg(c), FieldType::Float});
    for (int c = 0; c < kDates; ++c)
        fields.append({QStringLiteral("TARIH%1").arg(c), FieldType::Date});
    for (int c = 0; c < kStrings; ++c)
        fields.append({QStringLiteral("STR%1").arg(c), FieldType::String, 50});
    TableData t(fields);
    t.reserveRows(rows);
    QRandomGenerator rng(20261211);
    const QStringList words = {QStringLiteral("FREN"), QStringLiteral("BALATASI"), QStringLiteral("ÖN"),
                               QStringLiteral("ARKA"), QStringLiteral("AMORTİSÖR"), QStringLiteral("FİLTRE"),
                               QStringLiteral("YAĞ"), QStringLiteral("HAVA"), QStringLiteral("DİSK"),
                               QStringLiteral("TAKIM"), QStringLiteral("SOL"), QStringLiteral("SAĞ")};
    for (int r = 0; r < rows; ++r) {
        t.appendRow();
        int c = 0;
        t.setInt(r, c++, 100000 + r);
        for (; c < kInts; ++c)
            t.setInt(r, c, rng.bounded(c < 4 ? 10 : 5000));
        for (int f = 0; f < kFloats; ++f, ++c) {
            // Prices with two decimals, rates, and a few computed values
            // whose shortest form needs all 17 digits.
            const double v = f < 8 ? double(rng.bounded(1000000)) / 100.0
                           : f < 12 ? double(rng.bounded(50))
                                    : rng.generateDouble() * 1000.0;
            t.setDouble(r, c, v);
        }
        for (int d = 0; d < kDates; ++d, ++c)
            t.setDouble(r, c, 45000 + rng.bounded(1500));
        for (int s = 0; s < kStrings; ++s, ++c) {
            if (s == 0) {
                t.setString(r, c, QStringLiteral("ABC-%1").arg(r));
            } else if (s < 4) {
                t.setString(r, c, QString::number(rng.bounded(1000000000)) + u'-' + QString::number(r % 97));
            } else {
                QString text = words[int(rng.bounded(words.size()))];
                for (int w = int(rng.bounded(3)); w >= 0; --w)
                    text += u' ' + words[int(rng.bounded(words.size()))];
                t.setString(r, c, text);
            }
        }
    }
    return t;
}

// One body per size, in a QByteArray of exactly its size, as a body read
// from the network is.
QByteArray body(int rows)
{
    const QByteArray encoded = wire::encodeResult({wire::Value(makeTable(rows))});
    return QByteArray(encoded.constData(), encoded.size());
}

// Our decoder: the body to a TableData. Returns the row count, -1 on error.
int decodeAndLoad(const QByteArray &json)
{
    auto r = wire::decodeResult(json);
    if (!r) {
        std::fprintf(stderr, "bench_wire: %s\n", qPrintable(r.errorText()));
        return -1;
    }
    const TableData t = std::move(r.value()[0].takeTable().value());
    return t.rowCount();
}

// The floor: reading every byte once (count the commas).
qsizetype readOnce(const QByteArray &json)
{
    qsizetype commas = 0;
    const char *p = json.constData();
    const char *end = p + json.size();
    while ((p = static_cast<const char *>(std::memchr(p, ',', size_t(end - p))))) {
        ++commas;
        ++p;
    }
    return commas;
}

// Qt's parser building the same table (no type checks beyond what the walk needs).
int qtJsonDocument(const QByteArray &json)
{
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    const QJsonObject table = doc.object().value(QLatin1String("result")).toArray().at(0).toObject();
    QList<FieldDef> fields;
    for (const QJsonValue c : table.value(QLatin1String("columns")).toArray()) {
        const QJsonObject o = c.toObject();
        fields.append({o.value(QLatin1String("name")).toString(),
                       fieldTypeFromName(o.value(QLatin1String("type")).toString()),
                       o.value(QLatin1String("size")).toInt()});
    }
    TableData t(fields);
    const QJsonArray rows = table.value(QLatin1String("rows")).toArray();
    t.reserveRows(rows.size());
    for (const QJsonValue rv : rows) {
        const int r = t.appendRow();
        const QJsonArray cells = rv.toArray();
        for (int c = 0; c < int(cells.size()); ++c) {
            const QJsonValue v = cells.at(c);
            if (v.isString())
                t.setString(r, c, v.toString());
            else if (fields[c].type == FieldType::Integer)
                t.setInt(r, c, v.toInteger());
            else
                t.setDouble(r, c, v.toDouble());
        }
    }
    return t.rowCount();
}

} // namespace

int main(int argc, char **argv)
{
    const bool smoke = bench::smokeRun(argc, argv);
    const std::vector<int> sizes = smoke ? std::vector<int>{200} : std::vector<int>{10'000, 100'000};
    bool ok = true;
    for (const int rows : sizes) {
        const int runs = smoke ? 2 : rows >= 100'000 ? 7 : 15;
        const QByteArray json = body(rows);
        char note[64];
        std::snprintf(note, sizeof note, "%.1f MB JSON, %d runs", double(json.size()) / 1e6, runs);
        volatile qsizetype sink = 0;

        const auto floor = bench::timeRuns(runs, [&] { sink = readOnce(json); });
        int ours = 0, qt = 0;
        const auto oursMs = bench::timeRuns(runs, [&] { ours = decodeAndLoad(json); });
        const auto qtMs = bench::timeRuns(runs, [&] { qt = qtJsonDocument(json); });
        const wire::Value table(makeTable(rows));
        const auto encodeMs = bench::timeRuns(runs, [&] { sink = wire::encodeResult({table}).size(); });
        if (ours != rows || qt != rows) {
            std::fprintf(stderr, "bench_wire: %d rows expected, decoded %d / %d\n", rows, ours, qt);
            ok = false;
        }

        const std::string floorName = "read every byte once";
        bench::figure("wire", bench::rowsName("decode+load", rows) + " (our parser)", oursMs, "ms", floorName, floor,
                      "ratio<2", note);
        bench::figure("wire", bench::rowsName("decode+load", rows) + " (QJsonDocument)", qtMs, "ms", floorName, floor,
                      "-", note);
        bench::figure("wire", bench::rowsName("encode", rows), encodeMs, "ms", {}, {}, "-", note);
    }
    return ok ? 0 : 1;
}
