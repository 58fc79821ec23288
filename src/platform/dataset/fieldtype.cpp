#include "platform/dataset/fieldtype.h"

#include <cmath>

namespace {

struct TypeName {
    FieldType type;
    QStringView name;
};

constexpr TypeName kTypeNames[] = {
    {FieldType::Integer, u"integer"}, {FieldType::LargeInt, u"largeint"},
    {FieldType::Float, u"float"},     {FieldType::Currency, u"currency"},
    {FieldType::Bcd, u"bcd"},         {FieldType::Boolean, u"boolean"},
    {FieldType::String, u"string"},   {FieldType::Memo, u"memo"},
    {FieldType::Date, u"date"},       {FieldType::DateTime, u"datetime"},
    {FieldType::Blob, u"blob"},
};

// Day 0 of the day numbers.
const QDate kEpoch(1899, 12, 30);
constexpr qint64 kMsPerDay = 24LL * 60 * 60 * 1000;

} // namespace

QString fieldTypeName(FieldType type)
{
    for (const TypeName &t : kTypeNames)
        if (t.type == type)
            return t.name.toString();
    return QString();
}

FieldType fieldTypeFromName(QStringView name, bool *ok)
{
    for (const TypeName &t : kTypeNames) {
        if (name.compare(t.name, Qt::CaseInsensitive) == 0) {
            if (ok)
                *ok = true;
            return t.type;
        }
    }
    if (ok)
        *ok = false;
    return FieldType::String;
}

bool isNumericFieldType(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd:
        return true;
    default:
        return false;
    }
}

double dayNumberFromDate(QDate date)
{
    return date.isValid() ? double(kEpoch.daysTo(date)) : 0.0;
}

double dayNumberFromDateTime(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return 0.0;
    const double days = double(kEpoch.daysTo(dateTime.date()));
    const double fraction = double(dateTime.time().msecsSinceStartOfDay()) / double(kMsPerDay);
    // Before day 0 the whole part counts backwards but the time still runs forward.
    return days < 0 ? days - fraction : days + fraction;
}

namespace {
// Whole days beyond this do not fit the day count QDate adds (a 64-bit
// integer); such a number, as from a damaged request, is no date at all.
constexpr double kMaxWholeDays = 0x1p62;
} // namespace

QDate dateFromDayNumber(double dayNumber)
{
    if (!std::isfinite(dayNumber) || std::fabs(dayNumber) >= kMaxWholeDays)
        return QDate();
    return kEpoch.addDays(qint64(std::trunc(dayNumber)));
}

QDateTime dateTimeFromDayNumber(double dayNumber)
{
    if (!std::isfinite(dayNumber) || std::fabs(dayNumber) >= kMaxWholeDays)
        return QDateTime();
    double whole = std::trunc(dayNumber);
    qint64 ms = std::llround(std::fabs(dayNumber - whole) * double(kMsPerDay));
    if (ms >= kMsPerDay) {  // a fraction that rounds up to the next midnight
        ms -= kMsPerDay;
        whole += 1;  // the calendar day after, on either side of day 0
    }
    return QDateTime(kEpoch.addDays(qint64(whole)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}
