#include "platform/dataset/displayformat.h"

#include <QList>

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

// The decimal digits of |value| rounded to `decimals` places, halves away
// from zero, after taking the value to 15 significant digits.
void roundedDigits(double value, int decimals, QString *intPart, QString *fracPart)
{
    const QString e = QString::number(std::fabs(value), 'e', 14);  // d.dddddddddddddde±XX
    const qsizetype ePos = e.indexOf(u'e');
    QString digits = e.left(1) + e.mid(2, ePos - 2);
    const int intLen = e.mid(ePos + 1).toInt() + 1;

    QString ints;
    QString frac;
    if (intLen <= 0) {
        frac = QString(-intLen, u'0') + digits;
    } else if (intLen >= digits.size()) {
        ints = digits + QString(intLen - digits.size(), u'0');
    } else {
        ints = digits.left(intLen);
        frac = digits.mid(intLen);
    }

    QString all = ints + frac;
    const qsizetype keep = ints.size() + decimals;
    if (keep < all.size()) {
        const bool up = all[keep] >= u'5';
        all.truncate(keep);
        if (up) {
            qsizetype i = all.size() - 1;
            while (i >= 0 && all[i] == u'9') {
                all[i] = u'0';
                --i;
            }
            if (i >= 0) {
                all[i] = QChar(all[i].unicode() + 1);
            } else {
                all.prepend(u'1');
                ints.append(u'0');  // the carry made the integer part one digit longer
            }
        }
    }
    *intPart = all.left(ints.size());
    *fracPart = all.mid(ints.size());
    while (fracPart->size() < decimals)
        fracPart->append(u'0');
}

bool allZero(const QString &a, const QString &b)
{
    for (const QChar ch : a)
        if (ch != u'0')
            return false;
    for (const QChar ch : b)
        if (ch != u'0')
            return false;
    return true;
}

QString render(const Section &s, const QString &intDigits, const QString &fracDigits, const QLocale &locale)
{
    QString ints = intDigits;
    qsizetype lead = 0;
    while (lead < ints.size() && ints[lead] == u'0')
        ++lead;
    ints.remove(0, lead);
    if (ints.size() < s.minIntDigits)
        ints.prepend(QString(s.minIntDigits - ints.size(), u'0'));

    if (s.grouped && ints.size() > 3) {
        const QString sep = locale.groupSeparator();
        QString grouped;
        const qsizetype first = ints.size() % 3 == 0 ? 3 : ints.size() % 3;
        grouped.append(QStringView(ints).left(first));
        for (qsizetype i = first; i < ints.size(); i += 3)
            grouped.append(sep).append(QStringView(ints).mid(i, 3));
        ints = grouped;
    }

    QString frac = fracDigits;
    while (frac.size() > s.minDecimals && frac.endsWith(u'0'))
        frac.chop(1);

    QString out = s.prefix + ints;
    if (!frac.isEmpty())
        out += locale.decimalPoint() + frac;
    return out + s.suffix;
}

} // namespace

QString formatNumber(double value, QStringView pattern, const QLocale &locale)
{
    if (!std::isfinite(value))
        return locale.toString(value);

    const QList<QStringView> sections = splitSections(pattern);
    const Section positive = parseSection(sections.value(0));
    if (!positive.hasDigits)
        return positive.prefix + positive.suffix;

    const bool negative = value < 0;
    const bool ownNegative = negative && sections.size() > 1 && !sections[1].isEmpty();
    Section s = ownNegative ? parseSection(sections[1]) : positive;
    if (!s.hasDigits)
        s = positive;

    QString ints;
    QString frac;
    roundedDigits(value, s.maxDecimals, &ints, &frac);

    if (allZero(ints, frac)) {
        // Zero after rounding: the zero section when there is one, never a minus sign.
        if (sections.size() > 2 && !sections[2].isEmpty()) {
            const Section zero = parseSection(sections[2]);
            if (!zero.hasDigits)
                return zero.prefix + zero.suffix;
            roundedDigits(0.0, zero.maxDecimals, &ints, &frac);
            return render(zero, ints, frac, locale);
        }
        return render(positive, ints, frac, locale);
    }

    const QString text = render(s, ints, frac, locale);
    return negative && !ownNegative ? locale.negativeSign() + text : text;
}
