#include "platform/dataset/displayformat.h"

#include <QList>
#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// One section of a pattern, reduced to what shapes the number.
struct Section {
    QString prefix;        // literal text before the first digit placeholder
    QString suffix;        // literal text after it
    int minIntDigits = 0;  // '0's before the point
    int minDecimals = 0;   // '0's after the point
    int maxDecimals = 0;   // '0's and '#'s after the point
    bool grouped = false;  // a ',' before the point
    bool hasDigits = false;
    bool empty = true;     // the section's text is empty
};

QList<QStringView> splitSections(QStringView pattern)
{
    QList<QStringView> out;
    QChar quote;
    qsizetype start = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar ch = pattern[i];
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
        } else if (ch == u'"' || ch == u'\'') {
            quote = ch;
        } else if (ch == u';') {
            out.append(pattern.mid(start, i - start));
            start = i + 1;
        }
    }
    out.append(pattern.mid(start));
    return out;
}

Section parseSection(QStringView text)
{
    Section s;
    s.empty = text.isEmpty();
    bool afterPoint = false;
    QChar quote;
    for (const QChar ch : text) {
        QString &literal = s.hasDigits ? s.suffix : s.prefix;
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
            else
                literal.append(ch);
            continue;
        }
        if (ch == u'"' || ch == u'\'') {
            quote = ch;
        } else if (ch == u'0' || ch == u'#') {
            s.hasDigits = true;
            if (afterPoint) {
                ++s.maxDecimals;
                if (ch == u'0')
                    s.minDecimals = s.maxDecimals;
            } else if (ch == u'0') {
                ++s.minIntDigits;
            }
        } else if (ch == u'.' && !afterPoint) {
            afterPoint = true;
            s.hasDigits = true;
        } else if (ch == u',' && !afterPoint) {
            s.grouped = true;
        } else {
            literal.append(ch);
        }
    }
    return s;
}

using Digits = QVarLengthArray<char, 64>;

// The decimal digits of |value| rounded to `decimals` places, halves away
// from zero, after taking the value to 15 significant digits. Gives the
// integer digits (possibly "0" or empty) and exactly `decimals` fraction digits.
void roundedDigits(double value, int decimals, Digits *ints, Digits *frac)
{
    char buf[32];  // d.dddddddddddddde+XXX
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const char *e = std::find(buf, res.ptr, 'e');
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+'), res.ptr, exponent);
    char digits[15];
    digits[0] = buf[0];
    std::copy(static_cast<const char *>(buf + 2), e, digits + 1);
    const int intLen = exponent + 1;  // digits before the point

    // All digits with the point after position intLen, padded with zeros.
    Digits all;
    int point = intLen;
    if (intLen <= 0) {
        all.append('0');  // one integer digit, so a carry has room
        for (int i = 0; i < -intLen; ++i)
            all.append('0');
        point = 1;
    }
    for (int i = 0; i < 15; ++i)
        all.append(digits[i]);
    while (all.size() < point)
        all.append('0');

    const qsizetype keep = point + decimals;
    if (keep < all.size()) {
        const bool up = all[keep] >= '5';
        all.resize(keep);
        if (up) {
            qsizetype i = all.size() - 1;
            while (i >= 0 && all[i] == '9')
                all[i--] = '0';
            if (i >= 0) {
                ++all[i];
            } else {
                all.prepend('1');
                ++point;
            }
        }
    }
    while (all.size() < keep)
        all.append('0');
    ints->clear();
    ints->append(all.constData(), point);
    frac->clear();
    frac->append(all.constData() + point, all.size() - point);
}

bool allZero(const Digits &a, const Digits &b)
{
    return std::all_of(a.begin(), a.end(), [](char c) { return c == '0'; })
           && std::all_of(b.begin(), b.end(), [](char c) { return c == '0'; });
}

QString render(const Section &s, const Digits &intDigits, const Digits &fracDigits, const QLocale &locale)
{
    qsizetype lead = 0;
    while (lead < intDigits.size() && intDigits[lead] == '0')
        ++lead;
    const qsizetype significant = intDigits.size() - lead;
    const qsizetype pad = qMax<qsizetype>(0, s.minIntDigits - significant);
    const qsizetype intCount = significant + pad;

    qsizetype fracCount = fracDigits.size();
    while (fracCount > s.minDecimals && fracDigits[fracCount - 1] == '0')
        --fracCount;

    const QString group = s.grouped ? locale.groupSeparator() : QString();
    QString out;
    out.reserve(s.prefix.size() + intCount * 2 + fracCount + 2 + s.suffix.size());
    out += s.prefix;
    for (qsizetype i = 0; i < intCount; ++i) {
        if (i > 0 && (intCount - i) % 3 == 0)
            out += group;
        out += QLatin1Char(i < pad ? '0' : intDigits[lead + i - pad]);
    }
    if (fracCount > 0) {
        out += locale.decimalPoint();
        for (qsizetype i = 0; i < fracCount; ++i)
            out += QLatin1Char(fracDigits[i]);
    }
    out += s.suffix;
    return out;
}

// Parsed patterns of the last call on this thread: a table formats column
// after column with the same pattern.
const QList<Section> &sectionsOf(QStringView pattern)
{
    thread_local QString cachedPattern;
    thread_local QList<Section> cached;
    if (cached.isEmpty() || pattern != cachedPattern) {
        cached.clear();
        for (QStringView text : splitSections(pattern))
            cached.append(parseSection(text));
        cachedPattern = pattern.toString();
    }
    return cached;
}

} // namespace

QString formatNumber(double value, QStringView pattern, const QLocale &locale)
{
    if (!std::isfinite(value))
        return locale.toString(value);

    const QList<Section> sections = sectionsOf(pattern);  // a copy: cheap, shared
    const Section &positive = sections[0];
    if (!positive.hasDigits)
        return positive.prefix + positive.suffix;

    const bool negative = value < 0;
    const bool ownNegative = negative && sections.size() > 1 && !sections[1].empty;
    const Section &s = ownNegative && sections[1].hasDigits ? sections[1] : positive;

    Digits ints;
    Digits frac;
    roundedDigits(value, s.maxDecimals, &ints, &frac);

    if (allZero(ints, frac)) {
        // Zero after rounding: the zero section when there is one, never a minus sign.
        if (sections.size() > 2 && !sections[2].empty) {
            const Section &zero = sections[2];
            if (!zero.hasDigits)
                return zero.prefix + zero.suffix;
            roundedDigits(0.0, zero.maxDecimals, &ints, &frac);
            return render(zero, ints, frac, locale);
        }
        if (&s != &positive)
            roundedDigits(0.0, positive.maxDecimals, &ints, &frac);
        return render(positive, ints, frac, locale);
    }

    const QString text = render(s, ints, frac, locale);
    return negative && !ownNegative ? locale.negativeSign() + text : text;
}
