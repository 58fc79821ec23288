// libFuzzer target for the decoder: any bytes either decode or give an
// error message; what decodes encodes and decodes again to the same values.
#include "wire/codec.h"
#include "wire/value.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    for (auto decode : {&wire::decodeResult, &wire::decodeRequest}) {
        auto r = decode(body);
        if (!r) {
            if (r.errorText().isEmpty())
                std::abort();
            continue;
        }
        auto again = wire::decodeResult(wire::encodeResult(r.value()));
        if (!again || !(again.value() == r.value()))
            std::abort();
        for (wire::Value &v : r.value())
            if (v.kind() == wire::Value::Kind::String)
                (void)v.toBytes();
    }
    auto e = wire::decodeError(body);
    if (!e && e.errorText().isEmpty())
        std::abort();
    return 0;
}
