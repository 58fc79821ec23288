// libFuzzer target for the hexadecimal picture text: any text decodes to
// half its length (rounded up) without a crash, a text of whole digit pairs
// decodes as Qt's own hexadecimal reader does, and the bytes go through the
// picture loaders the announcement and advert windows use.
#include "core/onaltilik.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstdlib>

namespace {

bool allHexDigits(const QByteArray &text)
{
    for (char c : text) {
        const bool digit = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!digit)
            return false;
    }
    return true;
}

QByteArray check(const QString &text)
{
    const QByteArray bytes = OnaltilikCoz(text);
    if (bytes.size() != (text.size() + 1) / 2)
        std::abort();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A picture decoder must not take the whole memory of the run for a
    // forged size.
    QImageReader::setAllocationLimit(64);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    check(QString::fromUtf8(raw));
    // The picture loaders take the bytes (the slow part of a run: once).
    const QImage picture = QImage::fromData(check(QString::fromLatin1(raw)));
    if (!picture.isNull() && (picture.width() <= 0 || picture.height() <= 0))
        std::abort();
    if (raw.size() % 2 == 0 && allHexDigits(raw) && OnaltilikCoz(QString::fromLatin1(raw)) != QByteArray::fromHex(raw))
        std::abort();
    return 0;
}
