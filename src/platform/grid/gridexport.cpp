#include "platform/grid/gridexport.h"

#include "platform/grid/gridmodel.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>

QString withExcelExtension(const QString &path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    if (suffix == u"xlsx")
        return path;
    if (suffix == u"xls")
        return path + u'x';
    return path + QStringLiteral(".xlsx");
}

namespace {

// Excel cells hold at most this many characters.
constexpr qsizetype MaxCellText = 32767;

enum class CellWrite { Text, Number2, Integer, Date, DateTime, Boolean, Skip };

CellWrite writeKindOf(ColumnKind kind, FieldType type)
{
    switch (kind) {
    case ColumnKind::Image:
        return CellWrite::Skip;
    case ColumnKind::Picture:
    case ColumnKind::OwnerDrawn:
    case ColumnKind::Memo:
        return CellWrite::Text;
    case ColumnKind::CheckBox:
        return CellWrite::Integer;
    case ColumnKind::Text:
        break;
    }
    switch (type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
        return CellWrite::Integer;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd:
        return CellWrite::Number2;
    case FieldType::Boolean:
        return CellWrite::Boolean;
    case FieldType::Date:
        return CellWrite::Date;
    case FieldType::DateTime:
        return CellWrite::DateTime;
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob:
        return CellWrite::Text;
    }
    return CellWrite::Text;
}

// A source that does not tell its field types still gives typed raw values.
CellWrite writeKindOfValue(const QVariant &raw)
{
    switch (raw.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return CellWrite::Number2;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return CellWrite::Integer;
    case QMetaType::Bool:
        return CellWrite::Boolean;
    case QMetaType::QDate:
        return CellWrite::Date;
    case QMetaType::QDateTime:
        return CellWrite::DateTime;
    default:
        return CellWrite::Text;
    }
}

lxw_datetime toLxw(const QDateTime &dt)
{
    const QDate d = dt.date();
    const QTime t = dt.time();
    return lxw_datetime{d.year(), d.month(), d.day(), t.hour(), t.minute(),
                        double(t.second()) + double(t.msec()) / 1000.0};
}

class Writer
{
public:
    Writer(lxw_workbook *wb, lxw_worksheet *ws) : m_ws(ws)
    {
        m_bold = workbook_add_format(wb);
        format_set_bold(m_bold);
        m_number2 = workbook_add_format(wb);
        format_set_num_format(m_number2, "#,##0.00");
        m_number2Bold = workbook_add_format(wb);
        format_set_num_format(m_number2Bold, "#,##0.00");
        format_set_bold(m_number2Bold);
        m_integer = workbook_add_format(wb);
        format_set_num_format(m_integer, "0");
        m_integerBold = workbook_add_format(wb);
        format_set_num_format(m_integerBold, "0");
        format_set_bold(m_integerBold);
        m_date = workbook_add_format(wb);
        format_set_num_format(m_date, "dd.mm.yyyy");
        m_dateTime = workbook_add_format(wb);
        format_set_num_format(m_dateTime, "dd.mm.yyyy hh:mm:ss");
        m_wrap = workbook_add_format(wb);
        format_set_text_wrap(m_wrap);
    }

    lxw_error text(lxw_row_t r, lxw_col_t c, const QString &s, lxw_format *f = nullptr)
    {
        if (s.isEmpty())
            return LXW_NO_ERROR;
        const QByteArray utf8 = (s.size() > MaxCellText ? s.left(MaxCellText) : s).toUtf8();
        if (!f && s.contains(u'\n'))
            f = m_wrap;
        return worksheet_write_string(m_ws, r, c, utf8.constData(), f);
    }

    lxw_error cell(lxw_row_t r, lxw_col_t c, CellWrite kind, const QVariant &raw, const QString &shown)
    {
        if (raw.isNull() || !raw.isValid()) {
            if (kind == CellWrite::Text && !shown.isEmpty())
                return text(r, c, shown);
            return LXW_NO_ERROR;
        }
        switch (kind) {
        case CellWrite::Skip:
            return LXW_NO_ERROR;
        case CellWrite::Text:
            return text(r, c, shown);
        case CellWrite::Number2: {
            bool ok = false;
            const double v = raw.toDouble(&ok);
            return ok ? worksheet_write_number(m_ws, r, c, v, m_number2) : text(r, c, shown);
        }
        case CellWrite::Integer: {
            bool ok = false;
            const double v = raw.toDouble(&ok);
            return ok ? worksheet_write_number(m_ws, r, c, v, m_integer) : text(r, c, shown);
        }
        case CellWrite::Boolean:
            return worksheet_write_boolean(m_ws, r, c, raw.toBool() ? 1 : 0, nullptr);
        case CellWrite::Date: {
            lxw_datetime dt = toLxw(QDateTime(raw.toDate(), QTime(0, 0)));
            return worksheet_write_datetime(m_ws, r, c, &dt, m_date);
        }
        case CellWrite::DateTime: {
            lxw_datetime dt = toLxw(raw.toDateTime());
            return worksheet_write_datetime(m_ws, r, c, &dt, m_dateTime);
        }
        }
        return LXW_NO_ERROR;
    }

    lxw_error summary(lxw_row_t r, lxw_col_t c, SummaryKind kind, double value)
    {
        return worksheet_write_number(m_ws, r, c, value, kind == SummaryKind::Count ? m_integerBold : m_number2Bold);
    }

    lxw_format *bold() const { return m_bold; }

private:
    lxw_worksheet *m_ws;
    lxw_format *m_bold;
    lxw_format *m_number2;
    lxw_format *m_number2Bold;
    lxw_format *m_integer;
    lxw_format *m_integerBold;
    lxw_format *m_date;
    lxw_format *m_dateTime;
    lxw_format *m_wrap;
};

QString failure(lxw_error err)
{
    return QStringLiteral("Excel dosyası yazılamadı: ") + QString::fromUtf8(lxw_strerror(err));
}

} // namespace

ExcelExportResult exportGridToExcel(const GridModel &model, const QList<ExcelExportColumn> &columns,
                                    const QList<GridSummary> &footer, const QString &path)
{
    ExcelExportResult result;
    result.path = withExcelExtension(path);
    const QByteArray file = QFile::encodeName(result.path);
    QByteArray tmpdir = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows go straight to disk: big grids stay small in memory
    options.tmpdir = tmpdir.data();
    lxw_workbook *wb = workbook_new_opt(file.constData(), &options);
    if (!wb) {
        result.error = QStringLiteral("Excel dosyası oluşturulamadı: ") + result.path;
        return result;
    }
    lxw_worksheet *ws = workbook_add_worksheet(wb, "Sayfa1");
    Writer out(wb, ws);
    lxw_error err = LXW_NO_ERROR;
    auto keep = [&err](lxw_error e) {
        if (err == LXW_NO_ERROR && e != LXW_NO_ERROR && e != LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED)
            err = e;
    };

    QList<CellWrite> kinds;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const int c = columns.at(i).column;
        const GridColumn &col = model.column(c);
        CellWrite kind = writeKindOf(col.kind, model.fieldType(c));
        // Sources without field types: decide by the first non-null value.
        if (kind == CellWrite::Text && col.kind == ColumnKind::Text && model.fieldType(c) == FieldType::String) {
            for (int row : model.dataRows()) {
                const QVariant v = model.sourceRaw(row, model.sourceColumn(c));
                if (v.isValid() && !v.isNull()) {
                    kind = writeKindOfValue(v);
                    break;
                }
            }
        }
        kinds.append(kind);
        keep(worksheet_set_column(ws, lxw_col_t(i), lxw_col_t(i), std::max(4.0, columns.at(i).widthPixels / 7.0),
                                  nullptr));
    }

    lxw_row_t r = 0;
    for (qsizetype i = 0; i < columns.size(); ++i)
        keep(out.text(r, lxw_col_t(i), model.column(columns.at(i).column).headerText(), out.bold()));
    ++r;

    auto writeRow = [&](int sourceRow) {
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const int c = columns.at(i).column;
            const CellWrite kind = kinds.at(i);
            if (kind == CellWrite::Skip)
                continue;
            const QVariant raw = model.column(c).kind == ColumnKind::OwnerDrawn
                                     ? QVariant(model.cellText(sourceRow, c))
                                     : model.sourceRaw(sourceRow, model.sourceColumn(c));
            const QString shown = kind == CellWrite::Text ? model.cellText(sourceRow, c) : QString();
            keep(out.cell(r, lxw_col_t(i), kind, raw, shown));
        }
        ++r;
    };
    auto writeSummaries = [&](const QList<GridSummary> &summaries, int group) {
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const int c = columns.at(i).column;
            for (const GridSummary &s : summaries) {
                if (model.columnByName(s.column) != c)
                    continue;
                const double v = group >= 0 ? model.groupSummaryValue(group, s) : model.summaryValue(s);
                keep(out.summary(r, lxw_col_t(i), s.kind, v));
                break; // one number per cell
            }
        }
        ++r;
    };

    if (model.groupColumn() >= 0 && model.groupCount() > 0) {
        for (int g = 0; g < model.groupCount(); ++g) {
            keep(out.text(r, 0, model.groupText(g), out.bold()));
            ++r;
            for (int row : model.groupRows(g))
                writeRow(row);
            if (!model.groupSummaries().isEmpty())
                writeSummaries(model.groupSummaries(), g);
        }
    } else {
        for (int row : model.dataRows())
            writeRow(row);
    }
    if (!footer.isEmpty())
        writeSummaries(footer, -1);

    const lxw_error closed = workbook_close(wb);
    if (err == LXW_NO_ERROR)
        err = closed;
    if (err != LXW_NO_ERROR) {
        result.error = failure(err);
        QFile::remove(result.path);
        return result;
    }
    result.ok = true;
    return result;
}
