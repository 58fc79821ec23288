#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cstring>

namespace wire::detail {

// Appends JSON tokens to a byte buffer: strings escaped as JSON requires
// (quote, backslash, control characters; everything else stays UTF-8),
// integers and doubles through std::to_chars.
class JsonWriter {
public:
    explicit JsonWriter(qsizetype reserve = 256) { m_out.resize(std::max<qsizetype>(reserve, 16)); }

    void raw(char c)
    {
        if (m_len == m_out.size())
            grow(1);
        m_out.data()[m_len++] = c;
    }
    void raw(QByteArrayView text) { append(text.data(), text.size()); }
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
        raw(':');
    }

    QByteArray take()
    {
        m_out.truncate(m_len);
        m_len = 0;
        return std::move(m_out);
    }

private:
    // The buffer is kept at its full size and written through its pointer;
    // m_len bytes of it are in use. Appending is a bounds check and a copy,
    // without the container's own bookkeeping per token.
    void append(const char *data, qsizetype n)
    {
        if (m_out.size() - m_len < n)
            grow(n);
        if (n > 0)
            std::memcpy(m_out.data() + m_len, data, size_t(n));
        m_len += n;
    }
    void grow(qsizetype atLeast) { m_out.resize(std::max(m_out.size() * 2, m_len + atLeast)); }

    QByteArray m_out;
    qsizetype m_len = 0;
};

} // namespace wire::detail
