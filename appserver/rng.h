#pragma once
// A small deterministic random generator (SplitMix64). The demo data must be
// the same on every machine and with every standard library, so neither
// std::mt19937's distributions nor qrand are used.

#include <QString>
#include <QStringList>

#include <cstdint>

class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number in [lo, hi].
    int range(int lo, int hi)
    {
        if (hi <= lo)
            return lo;
        return lo + int(next() % std::uint64_t(hi - lo + 1));
    }
    // A fraction in [0, 1).
    double unit() { return double(next() >> 11) / double(1ull << 53); }
    // True with the given chance in percent.
    bool chance(int percent) { return range(0, 99) < percent; }
    const QString &pick(const QStringList &list) { return list.at(range(0, int(list.size()) - 1)); }
    // A text of upper-case letters and digits following a pattern: 'A' a
    // letter, '9' a digit, anything else as written.
    QString pattern(QStringView shape)
    {
        QString out;
        out.reserve(shape.size());
        for (QChar c : shape) {
            if (c == u'A')
                out += QChar(u'A' + range(0, 25));
            else if (c == u'9')
                out += QChar(u'0' + range(0, 9));
            else
                out += c;
        }
        return out;
    }

private:
    std::uint64_t m_state;
};
