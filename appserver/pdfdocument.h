#pragma once
// A small PDF 1.4 writer for the server's receipts and reports: lines of
// text in four styles, flowed over A4 pages, built-in fonts (no embedding),
// a correct cross-reference table. Turkish letters outside the Windows code
// page are mapped to the fonts' own glyphs through an encoding difference
// list, so "ğ", "ş" and "ı" print and extract as themselves.

#include <QByteArray>
#include <QList>
#include <QString>

class PdfDocument {
public:
    enum class Style { Title, Heading, Text, Table };

    void setTitle(const QString &title) { m_title = title; }
    void addLine(const QString &text, Style style = Style::Text);
    void addBlank() { addLine(QString()); }

    // The whole file, starting with "%PDF-1.4".
    QByteArray render() const;

private:
    struct Line {
        QString text;
        Style style;
    };
    QString m_title;
    QList<Line> m_lines;
};
