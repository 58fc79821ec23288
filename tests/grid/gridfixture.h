#pragma once

// A deterministic stock-like table for the grid's tests, demo and benchmark.

#include "platform/dataset/displayformat.h"
#include "platform/dataset/memtable.h"
#include "platform/grid/gridcolumn.h"

#include <QDate>
#include <QPainter>
#include <QPixmap>
#include <QStringList>

namespace gridfixture {

inline QList<FieldDef> stockFields()
{
    return {
        {QStringLiteral("STOK_STOKNO"), FieldType::Integer, 0},
        {QStringLiteral("BARKOD"), FieldType::String, 30},
        {QStringLiteral("ADI"), FieldType::String, 100},
        {QStringLiteral("OEM1"), FieldType::String, 30},
        {QStringLiteral("MARKA"), FieldType::String, 30},
        {QStringLiteral("MODEL"), FieldType::String, 30},
        {QStringLiteral("DURUM"), FieldType::Integer, 0},
        {QStringLiteral("RESIM"), FieldType::Integer, 0},
        {QStringLiteral("K"), FieldType::Integer, 0},
        {QStringLiteral("SEC"), FieldType::Integer, 0},
        {QStringLiteral("MIKTAR"), FieldType::Float, 0},
        {QStringLiteral("LISTEFIYAT1"), FieldType::Float, 0},
        {QStringLiteral("KAMPFIYAT"), FieldType::Float, 0},
        {QStringLiteral("NETFIYAT"), FieldType::Float, 0},
        {QStringLiteral("KDVDAHIL"), FieldType::Float, 0},
        {QStringLiteral("TARIH"), FieldType::Date, 0},
        {QStringLiteral("ACIKLAMA"), FieldType::Memo, 0},
    };
}

inline const QStringList &brands()
{
    static const QStringList b = {QStringLiteral("BOSCAR"), QStringLiteral("FERMA"), QStringLiteral("KAYA"),
                                  QStringLiteral("MARTAŞ"), QStringLiteral("ÖZEN"), QStringLiteral("ŞAHİN")};
    return b;
}

// Row i: STOK_STOKNO = 1000 + i, BARKOD "B<i padded to 6>", MARKA cycles
// through brands(), DURUM cycles 0..5, SEC = i % 2, MIKTAR = i % 10 + 1,
// LISTEFIYAT1 = 10 + i * 0.25, KAMPFIYAT 0 on even rows, 8.5 on odd rows.
inline TableData stockData(int rows, int extraColumns = 0)
{
    QList<FieldDef> fields = stockFields();
    for (int e = 0; e < extraColumns; ++e)
        fields.append({QStringLiteral("EK%1").arg(e + 1), e % 2 ? FieldType::Float : FieldType::String, 20});
    TableData data(fields);
    data.reserveRows(rows);
    static const char *const models[] = {"Sedan 1.6", "Hatch 1.4", "Van 2.0 Dizel", "Kamyonet", "SUV 1.5 Turbo"};
    static const char *const words[] = {"Fren balatası", "Yağ filtresi", "Amortisör ön sağ", "Debriyaj seti",
                                        "Radyatör", "Triger kayışı", "Buji takımı", "Far ampulü"};
    for (int i = 0; i < rows; ++i) {
        const int r = data.appendRow();
        data.setInt(r, 0, 1000 + i);
        data.setString(r, 1, QStringLiteral("B%1").arg(i, 6, 10, QLatin1Char('0')));
        data.setString(r, 2, QString::fromUtf8(words[i % 8]) + QStringLiteral(" ") + QString::number(i % 97));
        if (i % 7 != 3)
            data.setString(r, 3, QStringLiteral("OE-%1").arg((i * 37) % 100000));
        data.setString(r, 4, brands().at(i % brands().size()));
        data.setString(r, 5, QString::fromLatin1(models[i % 5]));
        data.setInt(r, 6, i % 6);
        data.setInt(r, 7, i % 3 == 0 ? 1 : 0);
        data.setInt(r, 8, i % 4 == 0 ? 1 : 0);
        data.setInt(r, 9, i % 2);
        data.setDouble(r, 10, double(i % 10 + 1));
        data.setDouble(r, 11, 10.0 + i * 0.25);
        data.setDouble(r, 12, i % 2 ? 8.5 : 0.0);
        data.setDouble(r, 13, 9.0 + i * 0.2);
        data.setDouble(r, 14, (9.0 + i * 0.2) * 1.2);
        data.setDate(r, 15, QDate(2026, 1, 1).addDays(i % 365));
        data.setString(r, 16, QString::fromUtf8(words[(i + 3) % 8])
                                  + QStringLiteral(" için açıklama satırı, uzun bir metin ki birkaç satıra kaydırılsın ")
                                  + QString::number(i));
        for (int e = 0; e < extraColumns; ++e) {
            const int c = int(stockFields().size()) + e;
            if (e % 2)
                data.setDouble(r, c, i * 0.5 + e);
            else
                data.setString(r, c, QStringLiteral("Değer %1-%2").arg(i).arg(e));
        }
    }
    return data;
}

// Small coloured discs with a number, standing in for state pictures.
inline QList<QPixmap> statePictures(int size = 20)
{
    static const QColor colours[] = {Qt::darkGreen, Qt::blue, QColor(0xE0, 0x90, 0x00), Qt::gray, Qt::red,
                                     Qt::darkCyan, Qt::magenta, Qt::darkYellow, QColor(0x80, 0x40, 0x00),
                                     Qt::black};
    QList<QPixmap> out;
    for (int i = 0; i < 10; ++i) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(colours[i]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(1, 1, size - 2, size - 2);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::number(i));
        out << pm;
    }
    return out;
}

// The four-line price text of a stock row, as the price column shows it.
inline QString priceText(const GridCell &cell)
{
    auto money = [&cell](const char *field) {
        return formatNumber(cell.value(QString::fromLatin1(field)).toDouble(), kFloatDisplayFormat);
    };
    QString text = QStringLiteral("Liste Fiyatı: ") + money("LISTEFIYAT1") + QStringLiteral("\r\n");
    if (cell.value(QStringLiteral("KAMPFIYAT")).toDouble() > 0)
        text += QStringLiteral("Kampanyalı Fiyat: ") + money("KAMPFIYAT") + QStringLiteral("\r\n");
    text += QStringLiteral("NetFiyat: ") + money("NETFIYAT") + QStringLiteral("\r\n");
    text += QStringLiteral("KDV li Fiyat: ") + money("KDVDAHIL") + QStringLiteral("\r\n");
    return text;
}

// Paints the price text right-aligned and vertically centred inside the cell
// narrowed by 10 pixels on each side, on the fill the grid gives the cell.
inline void paintPrice(QPainter &p, const GridCellPaint &c)
{
    p.fillRect(c.rect, c.background);
    p.setPen(c.foreground);
    QString text = priceText(c.cell);
    text.remove(u'\r');
    p.drawText(c.rect.adjusted(10, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter, text.trimmed());
}

// The stock grid's columns, every kind included.
inline QList<GridColumn> stockColumns(const QList<QPixmap> &pictures)
{
    const QList<PictureItem> states = {{1, 0, QStringLiteral("Var")},           {4, 1, QStringLiteral("Özel Sipariş")},
                                       {3, 2, QStringLiteral("Yolda")},         {0, 4, QStringLiteral("Yok")},
                                       {5, 5, QStringLiteral("Tedarik Sürecinde")}, {2, 8, QStringLiteral("Telefon Açınız")}};
    return {
        GridColumn::checkBoxColumn(QStringLiteral("SEC"), QStringLiteral("Seç")).setWidth(50).setOffered(false),
        GridColumn::pictureColumn(QStringLiteral("DURUM"), QStringLiteral("Durum"), states, pictures).setWidth(60),
        GridColumn::textColumn(QStringLiteral("OEM1"), QStringLiteral("Oem1")).setWeight(2).setWidth(110).setWordWrap(),
        GridColumn::textColumn(QStringLiteral("BARKOD"), QStringLiteral("Barkod")).setWeight(2).setWidth(110),
        GridColumn::textColumn(QStringLiteral("ADI"), QStringLiteral("Açıklama")).setWeight(3).setWidth(180).setWordWrap(),
        GridColumn::textColumn(QStringLiteral("STOK_STOKNO")).setInternal().setFocusable(false).setFilterable(false),
        GridColumn::pictureColumn(QStringLiteral("RESIM"), QStringLiteral("Resim"),
                                  {{1, 0, QStringLiteral("Var")}, {0, -1, QStringLiteral("Yok")}}, pictures)
            .setWidth(60),
        GridColumn::textColumn(QStringLiteral("MARKA"), QStringLiteral("Marka")).setWeight(2).setWidth(100),
        GridColumn::textColumn(QStringLiteral("MODEL"), QStringLiteral("Model")).setWeight(2).setWidth(110).setHidden(),
        GridColumn::textColumn(QStringLiteral("MIKTAR"), QStringLiteral("Miktar")).setWidth(80),
        GridColumn::textColumn(QStringLiteral("LISTEFIYAT1"), QStringLiteral("Liste Fiyatı")).setWeight(2).setWidth(100),
        GridColumn::textColumn(QStringLiteral("KAMPFIYAT"), QStringLiteral("Kampanyalı Fiyat")).setWeight(2).setHidden(),
        GridColumn::pictureColumn(QStringLiteral("K"), QStringLiteral("Kampanyalı"),
                                  {{0, 0, QString()}, {1, 1, QStringLiteral("Evet")}}, pictures)
            .setWidth(80),
        GridColumn::textColumn(QStringLiteral("TARIH"), QStringLiteral("Tarih")).setWidth(90),
        GridColumn::memoColumn(QStringLiteral("ACIKLAMA"), QStringLiteral("Not")).setWeight(3).setWidth(220),
        GridColumn::ownerDrawnColumn(QStringLiteral("FiyatBilgisi"), QStringLiteral("Fiyat Bilgisi"), paintPrice, priceText)
            .setWeight(2)
            .setWidth(190),
    };
}

} // namespace gridfixture
