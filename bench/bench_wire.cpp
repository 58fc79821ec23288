// Decoding a catalogue-sized result body and loading it into TableData:
// 10 000 and 100 000 rows of 40 columns (12 integer, 14 float with prices
// and rates, 2 date, 12 string). Beside it the floor (one pass that reads
// every byte of the body once) and Qt's own JSON parser building the same
// table, and the encoder that the application server uses.
//
// Figures: time per iteration and bytes_per_second of the JSON body (from
// CPU time, so other load on the machine does not count); the medians of
// five repetitions are what the performance notes quote.

#include "wire/codec.h"

#include "platform/dataset/tabledata.h"

#include <benchmark/benchmark.h>

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

// One body per size, built once outside the timed part. Copied into a
// QByteArray of exactly its size, as a body read from the network is, so the
// decoder pays for its padded copy.
const QByteArray &body(int rows)
{
    static std::map<int, QByteArray> bodies;
    auto it = bodies.find(rows);
    if (it == bodies.end()) {
        const QByteArray encoded = wire::encodeResult({wire::Value(makeTable(rows))});
        it = bodies.emplace(rows, QByteArray(encoded.constData(), encoded.size())).first;
    }
    return it->second;
}

void decodeAndLoad(benchmark::State &state)
{
    const QByteArray &json = body(int(state.range(0)));
    for (auto _ : state) {
        auto r = wire::decodeResult(json);
        if (!r) {
            state.SkipWithError(qPrintable(r.errorText()));
            break;
        }
        TableData t = std::move(r.value()[0].takeTable().value());
        benchmark::DoNotOptimize(t.rowCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * json.size());
    state.counters["body_MB"] = double(json.size()) / 1e6;
}

// The same with a body received into a buffer with spare capacity
// (wire::paddedBody), which the decoder reads in place.
void decodeAndLoadInPlace(benchmark::State &state)
{
    const QByteArray &plain = body(int(state.range(0)));
    const QByteArray json = wire::paddedBody(plain.constData(), plain.size());
    for (auto _ : state) {
        auto r = wire::decodeResult(json);
        if (!r) {
            state.SkipWithError(qPrintable(r.errorText()));
            break;
        }
        TableData t = std::move(r.value()[0].takeTable().value());
        benchmark::DoNotOptimize(t.rowCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * json.size());
}

// The floor: reading every byte once (count the commas).
void floorReadOnce(benchmark::State &state)
{
    const QByteArray &json = body(int(state.range(0)));
    for (auto _ : state) {
        qsizetype commas = 0;
        const char *p = json.constData();
        const char *end = p + json.size();
        while ((p = static_cast<const char *>(std::memchr(p, ',', size_t(end - p))))) {
            ++commas;
            ++p;
        }
        benchmark::DoNotOptimize(commas);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * json.size());
}

// Qt's parser building the same table (no type checks beyond what the walk needs).
void qtJsonDocument(benchmark::State &state)
{
    const QByteArray &json = body(int(state.range(0)));
    for (auto _ : state) {
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
        benchmark::DoNotOptimize(t.rowCount());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * json.size());
}

void encodeTable(benchmark::State &state)
{
    const wire::Value table(makeTable(int(state.range(0))));
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray json = wire::encodeResult({table});
        bytes = json.size();
        benchmark::DoNotOptimize(json.constData());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

} // namespace

BENCHMARK(decodeAndLoad)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(decodeAndLoadInPlace)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(floorReadOnce)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(qtJsonDocument)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(encodeTable)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
