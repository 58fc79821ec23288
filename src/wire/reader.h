#pragma once

#include "wire/marshal.h"
#include "wire/result.h"
#include "wire/value.h"

#include <QList>
#include <QString>

#include <optional>

class TableData;

namespace wire {

// Reads a list of positional values (a request's parameters on the server, a
// result array on the client) in order, each as the kind the method
// declares. The first mismatch is kept as the error, naming its position and
// name ("parameter 3 (miktar): expected a number, got a string"); later reads
// return defaults, so a method reads everything and checks once:
//
//   wire::Reader in(params, u"parameter"_s);
//   const qint32 carino = in.int32(u"carino");
//   const QString kod = in.string(u"kod");
//   if (!in.finish()) return badRequest(in.error().message);
class Reader {
public:
    // `what` names one item in messages: "parameter" or "result".
    explicit Reader(QList<Value> values, QString what = QStringLiteral("value"));

    qint32 int32(QStringView name);
    qint64 int64(QStringView name);
    double number(QStringView name);  // Double and TDate day numbers
    bool boolean(QStringView name);
    QString string(QStringView name);
    QByteArray bytes(QStringView name);  // a stream; a null QByteArray for null
    TableData table(QStringView name);
    // A marshalled object of T's registered type; std::nullopt for null.
    template <typename T>
    std::optional<T> object(QStringView name)
    {
        const Value *v = next(name);
        if (!v || v->isNull())
            return std::nullopt;
        Result<T> r = unmarshal<T>(*v);
        if (!r) {
            fail(name, r.error());
            return std::nullopt;
        }
        return std::move(r).value();
    }
    // The next value as it came.
    Value value(QStringView name);

    // True when every read succeeded and every value was read (no more, no
    // fewer than the method declares).
    bool finish();
    bool ok() const { return !m_error.has_value(); }
    const Error &error() const { return *m_error; }

private:
    const Value *next(QStringView name);
    void fail(QStringView name, const Error &error);

    QList<Value> m_values;
    QString m_what;
    qsizetype m_pos = 0;
    std::optional<Error> m_error;
};

} // namespace wire
