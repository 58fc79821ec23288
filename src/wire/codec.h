#pragma once

#include "wire/result.h"
#include "wire/value.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <stdexcept>

// The bodies of a server-method call:
//   request  {"_parameters": [p1, p2, ...]}
//   success  {"result": [out1, ..., returnValue]}
//   failure  {"error": "text"}
// Values as the protocol writes them: integers without fraction, doubles in
// their shortest round-trip form (always with a fraction or an exponent, so
// they read back as doubles), streams as base64 strings, marshalled objects
// as {"type", "id", "fields"}, tables as {"columns", "rows"}.
//
// Decoding is strict and total: every input either decodes or gives an Error
// naming the place (which parameter or result, which row and column) and what
// was expected. Nesting deeper than kMaxDepth is refused; invalid UTF-8,
// trailing bytes, duplicate envelope members and numbers out of range are
// errors. Tables load straight into TableData; a row of the wrong width or a
// cell of the wrong kind rejects the whole table.
namespace wire {

// Deepest nesting of arrays and objects a body may have (the envelope counts).
inline constexpr int kMaxDepth = 64;

// Thrown by the encoders for a value JSON cannot carry: a NaN or infinite
// double, a marshalled object of an unregistered type. A programming fault on
// the calling side, never a consequence of received data.
class EncodeError : public std::runtime_error {
public:
    explicit EncodeError(const QString &message);
    QString message() const;
};

QByteArray encodeRequest(const QList<Value> &parameters);
Result<QList<Value>> decodeRequest(const QByteArray &body);

QByteArray encodeResult(const QList<Value> &results);
Result<QList<Value>> decodeResult(const QByteArray &body);

QByteArray encodeError(const QString &text);
Result<QString> decodeError(const QByteArray &body);

// One value on its own (for tests and diagnostics); the JSON text of it.
QByteArray encodeValue(const Value &value);

} // namespace wire
