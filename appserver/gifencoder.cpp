#include "appserver/gifencoder.h"

#include <unordered_map>
#include <vector>

namespace gif {

namespace {

// A fixed palette: the 6x6x6 colour cube and 40 greys.
QList<QRgb> palette()
{
    QList<QRgb> colours;
    colours.reserve(256);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colours.append(qRgb(r * 51, g * 51, b * 51));
    for (int i = 0; i < 40; ++i) {
        const int v = 3 + i * 252 / 39;
        colours.append(qRgb(v, v, v));
    }
    return colours;
}

class BitWriter {
public:
    explicit BitWriter(QByteArray &out) : m_out(out) {}
    void write(unsigned code, int width)
    {
        m_acc |= std::uint32_t(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            push(char(m_acc & 0xFF));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }
    void finish()
    {
        if (m_bits > 0)
            push(char(m_acc & 0xFF));
        m_acc = 0;
        m_bits = 0;
        flushBlock();
        m_out += char(0);  // block terminator
    }

private:
    void push(char byte)
    {
        m_block += byte;
        if (m_block.size() == 255)
            flushBlock();
    }
    void flushBlock()
    {
        if (m_block.isEmpty())
            return;
        m_out += char(m_block.size());
        m_out += m_block;
        m_block.clear();
    }
    QByteArray &m_out;
    QByteArray m_block;
    std::uint32_t m_acc = 0;
    int m_bits = 0;
};

// LZW with 8-bit minimum code size, table reset when it is full.
void compress(const uchar *pixels, qsizetype count, QByteArray &out)
{
    constexpr int minCodeSize = 8;
    constexpr unsigned clearCode = 1u << minCodeSize;
    out += char(minCodeSize);
    BitWriter bits(out);
    std::unordered_map<std::uint32_t, unsigned> table;
    table.reserve(8192);
    int codeSize = minCodeSize + 1;
    unsigned maxCode = clearCode + 1;
    bits.write(clearCode, codeSize);
    if (count == 0) {
        bits.write(clearCode + 1, codeSize);
        bits.finish();
        return;
    }
    unsigned current = pixels[0];
    for (qsizetype i = 1; i < count; ++i) {
        const unsigned next = pixels[i];
        const std::uint32_t key = (current << 8) | next;
        const auto it = table.find(key);
        if (it != table.end()) {
            current = it->second;
            continue;
        }
        bits.write(current, codeSize);
        table.emplace(key, ++maxCode);
        if (maxCode >= (1u << codeSize))
            ++codeSize;
        if (maxCode == 4095) {
            bits.write(clearCode, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            maxCode = clearCode + 1;
        }
        current = next;
    }
    bits.write(current, codeSize);
    bits.write(clearCode + 1, codeSize);
    bits.finish();
}

void putWord(QByteArray &out, int value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

} // namespace

QByteArray encodeAnimation(const QList<Frame> &frames)
{
    if (frames.isEmpty())
        return {};
    const QSize size = frames.first().image.size();
    if (size.isEmpty())
        return {};
    for (const Frame &f : frames)
        if (f.image.size() != size)
            return {};

    const QList<QRgb> colours = palette();
    QByteArray out = "GIF89a";
    putWord(out, size.width());
    putWord(out, size.height());
    out += char(0xF7);  // global colour table of 256 entries, 8 bits per primary
    out += char(0);     // background colour index
    out += char(0);     // square pixels
    for (QRgb c : colours) {
        out += char(qRed(c));
        out += char(qGreen(c));
        out += char(qBlue(c));
    }
    for (int i = int(colours.size()); i < 256; ++i)
        out += QByteArray(3, char(0));
    // Loop for ever.
    out += QByteArray("\x21\xFF\x0B" "NETSCAPE2.0\x03\x01\x00\x00\x00", 19);

    for (const Frame &f : frames) {
        const QImage indexed = f.image.convertToFormat(QImage::Format_RGB32)
                                   .convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither);
        out += QByteArray("\x21\xF9\x04", 3);
        out += char(0x04);  // disposal: leave in place
        putWord(out, f.delayCs);
        out += char(0);     // no transparent colour
        out += char(0);
        out += char(0x2C);
        putWord(out, 0);
        putWord(out, 0);
        putWord(out, size.width());
        putWord(out, size.height());
        out += char(0);     // no local colour table, not interlaced
        std::vector<uchar> pixels;
        pixels.reserve(size_t(size.width()) * size_t(size.height()));
        for (int y = 0; y < size.height(); ++y) {
            const uchar *line = indexed.constScanLine(y);
            pixels.insert(pixels.end(), line, line + size.width());
        }
        compress(pixels.data(), qsizetype(pixels.size()), out);
    }
    out += char(0x3B);
    return out;
}

} // namespace gif
