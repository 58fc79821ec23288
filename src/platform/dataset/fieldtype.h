#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringView>

// Column types of an in-memory table, in the order the wire protocol lists them.
enum class FieldType : quint8 {
    Integer,   // 32-bit integer
    LargeInt,  // 64-bit integer
    Float,     // the floating-point type: the only one given "#,###,##0.00" by default
    Currency,  // money kept apart from Float
    Bcd,       // exact decimal, kept as its decimal text
    Boolean,
    String,    // size = declared width
    Memo,      // long text
    Date,      // day number without fraction
    DateTime,  // day number with fraction
    Blob,      // bytes, kept as their text form (base64 on the wire)
};

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;

    friend bool operator==(const FieldDef &, const FieldDef &) = default;
};

// The lower-case protocol name of a type ("integer", "largeint", "float", ...).
QString fieldTypeName(FieldType type);
// The type of a protocol name (case-insensitive); *ok tells whether it was known.
FieldType fieldTypeFromName(QStringView name, bool *ok = nullptr);

// Types whose cells are numbers (right-aligned, numeric sort).
bool isNumericFieldType(FieldType type);

// Day numbers: days since 30 December 1899, the fraction is the time of day.
// For days before that date the whole part counts backwards and the fraction
// still runs forward (-1.25 is 29 December 1899, 06:00).
double dayNumberFromDate(QDate date);
double dayNumberFromDateTime(const QDateTime &dateTime);
QDate dateFromDayNumber(double dayNumber);
QDateTime dateTimeFromDayNumber(double dayNumber);
