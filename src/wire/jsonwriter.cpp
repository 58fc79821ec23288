#include "wire/jsonwriter.h"

#include "wire/codec.h"

#include <cmath>

namespace wire::detail {

void JsonWriter::integer(qint64 value)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    append(buf, r.ptr - buf);
}

void JsonWriter::number(double value)
{
    if (!std::isfinite(value))
        throw EncodeError(QStringLiteral("a double that is not finite (%1) cannot travel as JSON").arg(value));
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf - 2, value);
    char *end = r.ptr;
    bool looksIntegral = true;
    for (const char *p = buf; p != end; ++p)
        if (*p == '.' || *p == 'e')
            looksIntegral = false;
    if (looksIntegral) {
        *end++ = '.';
        *end++ = '0';
    }
    append(buf, end - buf);
}

void JsonWriter::string(QByteArrayView utf8)
{
    static constexpr char kHex[] = "0123456789abcdef";
    raw('"');
    const char *p = utf8.data();
    const char *const end = p + utf8.size();
    const char *run = p;
    for (; p != end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        append(run, p - run);
        run = p + 1;
        switch (c) {
        case '"': append("\\\"", 2); break;
        case '\\': append("\\\\", 2); break;
        case '\n': append("\\n", 2); break;
        case '\r': append("\\r", 2); break;
        case '\t': append("\\t", 2); break;
        case '\b': append("\\b", 2); break;
        case '\f': append("\\f", 2); break;
        default: {
            const char esc[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xf]};
            append(esc, 6);
        }
        }
    }
    append(run, end - run);
    raw('"');
}

} // namespace wire::detail
