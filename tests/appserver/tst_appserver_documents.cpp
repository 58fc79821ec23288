// The server's own file writers: PDF documents and animated GIF banners
// must be files other programs read.
#include "appserver/gifencoder.h"
#include "appserver/pdfdocument.h"

#include <QBuffer>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class tst_AppServerDocuments : public QObject {
    Q_OBJECT

private slots:
    void pdfCrossReferencePointsAtObjects_data();
    void pdfCrossReferencePointsAtObjects();
    void pdfTextExtractsAsWritten();
    void gifRoundTripsPixelForPixel_data();
    void gifRoundTripsPixelForPixel();
    void gifRefusesMismatchedFrames();
};

namespace {

PdfDocument documentWith(int lines)
{
    PdfDocument pdf;
    pdf.setTitle(QStringLiteral("Deneme (1)"));
    pdf.addLine(QStringLiteral("Başlık"), PdfDocument::Style::Title);
    for (int i = 0; i < lines; ++i)
        pdf.addLine(QStringLiteral("Satır %1 (parantez) \\ ters bölü").arg(i), i % 2 ? PdfDocument::Style::Table
                                                                                     : PdfDocument::Style::Text);
    return pdf;
}

} // namespace

void tst_AppServerDocuments::pdfCrossReferencePointsAtObjects_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::newRow("empty") << 0 << 1;
    QTest::newRow("one page") << 20 << 1;
    QTest::newRow("several pages") << 150 << 3;
}

void tst_AppServerDocuments::pdfCrossReferencePointsAtObjects()
{
    QFETCH(int, lines);
    QFETCH(int, pages);
    const QByteArray pdf = documentWith(lines).render();
    QVERIFY(pdf.startsWith("%PDF-1.4\n"));
    QVERIFY(pdf.endsWith("%%EOF\n"));
    const qsizetype sx = pdf.lastIndexOf("startxref\n");
    QVERIFY(sx > 0);
    const qsizetype xref = pdf.mid(sx + 10).split('\n').first().toLongLong();
    QCOMPARE(pdf.mid(xref, 5), QByteArray("xref\n"));
    const QList<QByteArray> table = pdf.mid(xref).split('\n');
    const int count = table.at(1).split(' ').at(1).toInt();
    QCOMPARE(table.at(2), QByteArray("0000000000 65535 f "));
    for (int i = 1; i < count; ++i) {
        const QByteArray entry = table.at(2 + i);
        QCOMPARE(entry.size(), 19);  // 20 bytes with the line end
        const qsizetype offset = entry.left(10).toLongLong();
        QVERIFY2(pdf.mid(offset).startsWith(QByteArray(QByteArray::number(i) + " 0 obj")), entry.constData());
    }
    QVERIFY(pdf.contains(QByteArray("/Count " + QByteArray::number(pages) + " >>")));
    // Every content stream's declared length is its real length.
    static const QRegularExpression stream(QStringLiteral("/Length (\\d+) >>\nstream\n"));
    const QString text = QString::fromLatin1(pdf);
    for (auto it = stream.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype start = m.capturedEnd();
        QCOMPARE(text.mid(start + m.captured(1).toLongLong(), 9), QStringLiteral("endstream"));
    }
}

void tst_AppServerDocuments::pdfTextExtractsAsWritten()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.pdf"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    PdfDocument pdf;
    pdf.addLine(QStringLiteral("Şişli Güneş Çağrı İğdır ığdır öğüş"), PdfDocument::Style::Heading);
    pdf.addLine(QStringLiteral("(parantez) ve \\ ters bölü"));
    for (int i = 0; i < 80; ++i)
        pdf.addLine(QStringLiteral("satır %1").arg(i), PdfDocument::Style::Table);
    f.write(pdf.render());
    f.close();
    QProcess p;
    p.start(tool, {path, QStringLiteral("-")});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(p.readAllStandardError().isEmpty(), "pdftotext complained");
    QVERIFY2(out.contains(QStringLiteral("Şişli Güneş Çağrı İğdır ığdır öğüş")), qPrintable(out.left(200)));
    QVERIFY(out.contains(QStringLiteral("(parantez) ve \\ ters bölü")));
    QVERIFY(out.contains(QStringLiteral("satır 79")));
}

void tst_AppServerDocuments::gifRoundTripsPixelForPixel_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("noise");
    QTest::newRow("one pixel") << 1 << 1 << 1 << false;
    QTest::newRow("flat frames") << 40 << 10 << 3 << false;
    // Noise fills the code table several times over: resets and code-size
    // changes must stay in step with the decoder.
    QTest::newRow("noise") << 300 << 200 << 2 << true;
}

void tst_AppServerDocuments::gifRoundTripsPixelForPixel()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, frames);
    QFETCH(bool, noise);
    QList<gif::Frame> list;
    quint32 state = 12345;
    for (int f = 0; f < frames; ++f) {
        QImage img(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                state = state * 1103515245u + 12345u;
                // Colours of the encoder's colour cube, so no dithering changes them.
                const int r = noise ? int(state >> 16) % 6 : (f + x / 10) % 6;
                const int g = noise ? int(state >> 20) % 6 : y % 6;
                const int b = noise ? int(state >> 24) % 6 : f % 6;
                img.setPixel(x, y, qRgb(r * 51, g * 51, b * 51));
            }
        list.append({img, 7 + f});
    }
    QByteArray bytes = gif::encodeAnimation(list);
    QVERIFY(bytes.startsWith("GIF89a"));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    QCOMPARE(reader.imageCount(), frames);
    for (int f = 0; f < frames; ++f) {
        QImage back;
        QVERIFY2(reader.read(&back), qPrintable(reader.errorString()));
        QCOMPARE(back.size(), QSize(width, height));
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), list.at(f).image);
    }
}

void tst_AppServerDocuments::gifRefusesMismatchedFrames()
{
    QImage a(10, 10, QImage::Format_RGB32), b(11, 10, QImage::Format_RGB32);
    a.fill(Qt::red);
    b.fill(Qt::blue);
    QVERIFY(gif::encodeAnimation({{a, 5}, {b, 5}}).isEmpty());
    QVERIFY(gif::encodeAnimation({}).isEmpty());
}

QTEST_MAIN(tst_AppServerDocuments)
#include "tst_appserver_documents.moc"
