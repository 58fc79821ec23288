#include "appserver/pdfdocument.h"

#include <QByteArrayList>

namespace {

constexpr int kPageWidth = 595;   // A4 in points
constexpr int kPageHeight = 842;
constexpr int kMargin = 50;

struct StyleInfo {
    const char *font;  // resource name
    int size;
    int leading;
};

StyleInfo styleInfo(PdfDocument::Style style)
{
    switch (style) {
    case PdfDocument::Style::Title: return {"F2", 16, 24};
    case PdfDocument::Style::Heading: return {"F2", 11, 17};
    case PdfDocument::Style::Text: return {"F1", 10, 14};
    case PdfDocument::Style::Table: return {"F3", 8, 11};
    }
    return {"F1", 10, 14};
}

// One byte per character in the fonts' encoding; characters the encoding
// lacks become '?'.
QByteArray encodeText(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        char b;
        switch (u) {
        case u'Ğ': b = char(0x80); break;
        case u'ğ': b = char(0x81); break;
        case u'İ': b = char(0x82); break;
        case u'ı': b = char(0x83); break;
        case u'Ş': b = char(0x84); break;
        case u'ş': b = char(0x85); break;
        default:
            if (u >= 0x20 && u < 0x7F)
                b = char(u);
            else if (u >= 0xA0 && u <= 0xFF)
                b = char(u);  // Latin-1 part of the Windows code page: Ç ç Ö ö Ü ü ...
            else
                b = '?';
        }
        if (b == '(' || b == ')' || b == '\\')
            out += '\\';
        out += b;
    }
    return out;
}

} // namespace

void PdfDocument::addLine(const QString &text, Style style)
{
    m_lines.append({text, style});
}

QByteArray PdfDocument::render() const
{
    // Lay the lines out over pages first.
    QList<QByteArray> pageStreams;
    QByteArray stream;
    int y = kPageHeight - kMargin;
    auto flush = [&] {
        pageStreams.append(stream);
        stream.clear();
        y = kPageHeight - kMargin;
    };
    for (const Line &line : m_lines) {
        const StyleInfo info = styleInfo(line.style);
        if (y - info.leading < kMargin && !stream.isEmpty())
            flush();
        y -= info.leading;
        if (line.text.isEmpty())
            continue;
        stream += "BT /" + QByteArray(info.font) + ' ' + QByteArray::number(info.size) + " Tf "
            + QByteArray::number(kMargin) + ' ' + QByteArray::number(y) + " Td ("
            + encodeText(line.text) + ") Tj ET\n";
    }
    if (!stream.isEmpty() || pageStreams.isEmpty())
        flush();

    // Objects: 1 catalog, 2 page tree, 3-5 fonts, 6 info, then a page and its
    // content stream per page.
    QByteArrayList objects;
    const int firstPage = 7;
    QByteArray kids;
    for (int i = 0; i < pageStreams.size(); ++i)
        kids += QByteArray::number(firstPage + 2 * i) + " 0 R ";
    objects << "<< /Type /Catalog /Pages 2 0 R >>";
    objects << "<< /Type /Pages /Kids [" + kids.trimmed() + "] /Count "
            + QByteArray::number(pageStreams.size()) + " >>";
    const QByteArray encoding =
        "<< /Type /Encoding /BaseEncoding /WinAnsiEncoding /Differences "
        "[128 /Gbreve /gbreve /Idotaccent /dotlessi /Scedilla /scedilla] >>";
    objects << "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding " + encoding + " >>";
    objects << "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding " + encoding + " >>";
    objects << "<< /Type /Font /Subtype /Type1 /BaseFont /Courier /Encoding " + encoding + " >>";
    objects << "<< /Title (" + encodeText(m_title) + ") /Producer (Zelvori) >>";
    for (const QByteArray &content : pageStreams) {
        const int contentObj = int(objects.size()) + 2;  // the page is the next object, its content the one after
        objects << "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + QByteArray::number(kPageWidth) + ' '
                + QByteArray::number(kPageHeight)
                + "] /Resources << /Font << /F1 3 0 R /F2 4 0 R /F3 5 0 R >> >> /Contents "
                + QByteArray::number(contentObj) + " 0 R >>";
        objects << "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content
                + "endstream";
    }

    QByteArray out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    QList<qsizetype> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets.append(out.size());
        out += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype off : offsets)
        out += QByteArray::number(off).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1)
        + " /Root 1 0 R /Info 6 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}
