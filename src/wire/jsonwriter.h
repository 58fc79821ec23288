#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <charconv>

namespace wire::detail {

// Appends JSON tokens to a byte buffer: strings escaped as JSON requires
// (quote, backslash, control characters; everything else stays UTF-8),
// integers and doubles through std::to_chars.
class JsonWriter {
public:
    explicit JsonWriter(qsizetype reserve = 256) { m_out.reserve(reserve); }

    void raw(char c) { m_out.append(c); }
    void raw(QByteArrayView text) { m_out.append(text); }
    void integer(qint64 value);
    // Shortest text that reads back as the same double, with ".0" added when
    // it would otherwise look like an integer. Throws EncodeError for NaN and
    // infinities, which JSON cannot carry.
    void number(double value);
    void string(QByteArrayView utf8);
    void string(const QString &text) { string(QByteArrayView(text.toUtf8())); }
    // A member name followed by the colon: "name":
    void key(QByteArrayView utf8)
    {
        string(utf8);
        m_out.append(':');
    }

    QByteArray take() { return std::move(m_out); }

private:
    QByteArray m_out;
};

} // namespace wire::detail
