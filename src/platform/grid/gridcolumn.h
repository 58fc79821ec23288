#pragma once

// Column definitions of a DataGrid: what a window declares for each column
// (field, caption, weight, width, look, kind) before binding a table.

#include <QColor>
#include <QFont>
#include <QList>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QVariant>

#include <functional>

class GridModel;
class QPainter;

// How a column shows its value.
enum class ColumnKind {
    Text,       // the field's display text
    Memo,       // text on several lines (word-wrapped, line breaks kept)
    Picture,    // value -> picture of an image list, with descriptions
    CheckBox,   // 1 checked, 0 (or null) unchecked
    Image,      // the cell holds a picture (QImage, QPixmap or encoded bytes)
    OwnerDrawn, // no field; the window paints the cell
};

// Visible: shown. Hidden: not shown, offered in the column chooser.
// Internal: not shown and never offered.
enum class ColumnState { Visible, Hidden, Internal };

// One entry of a picture column: the value, the picture's index in the
// column's image list (-1: no picture) and the value's description.
struct PictureItem {
    QVariant value;
    int imageIndex = -1;
    QString description;
};

// A data row seen from a cell callback: reads the row's fields by name.
class GridCell
{
public:
    GridCell(const GridModel *model, int sourceRow, int viewRow)
        : m_model(model), m_sourceRow(sourceRow), m_viewRow(viewRow) {}

    int sourceRow() const { return m_sourceRow; }
    int viewRow() const { return m_viewRow; }
    // Raw value of a field of this row (null when the table lacks the field).
    QVariant value(const QString &field) const;
    // Display text of a field of this row, as the table formats it.
    QString text(const QString &field) const;
    bool isNull(const QString &field) const;

private:
    const GridModel *m_model;
    int m_sourceRow;
    int m_viewRow;
};

// What an owner-drawn cell gets besides its row: where and in which state.
struct GridCellPaint {
    GridCell cell;
    QRect rect;
    bool selected = false;
    bool odd = false;    // the row's index in the view is odd
    bool focused = false;
    QColor background;   // the colour the grid would fill this cell with
    QColor foreground;
    QFont font;
};

using CellPainter = std::function<void(QPainter &, const GridCellPaint &)>;
using CellText = std::function<QString(const GridCell &)>;

struct GridColumn {
    QString name;        // identifier; the field name unless set
    QString field;       // empty for an owner-drawn column
    QString caption;     // empty: the header shows the field name
    ColumnKind kind = ColumnKind::Text;
    ColumnState state = ColumnState::Visible;
    bool offered = true; // a visible or hidden column may be kept out of the chooser
    int width = 100;
    int weight = 1;      // layout weight of the weighted width rule
    Qt::Alignment alignment; // empty: left, vertically centred
    bool wordWrap = false;
    bool focusable = true;
    bool filterable = true;
    bool sortable = true;

    // Picture columns.
    QList<PictureItem> pictures;
    int otherImageIndex = -1; // picture for values not listed (-1: none)
    QList<QPixmap> images;

    // Owner-drawn columns: the painter, and the text used for export,
    // best fit and incremental search (also painted when no painter is set).
    CellPainter painter;
    CellText text;

    // Factories for the usual kinds.
    static GridColumn textColumn(const QString &field, const QString &caption = {});
    static GridColumn memoColumn(const QString &field, const QString &caption = {});
    static GridColumn pictureColumn(const QString &field, const QString &caption,
                                    const QList<PictureItem> &items, const QList<QPixmap> &images);
    static GridColumn checkBoxColumn(const QString &field, const QString &caption = {});
    static GridColumn imageColumn(const QString &field, const QString &caption = {});
    static GridColumn ownerDrawnColumn(const QString &name, const QString &caption,
                                       CellPainter painter, CellText text = {});

    // Chainable setters: GridColumn::textColumn("ADI", u"Açıklama"_s).setWeight(3).setWidth(291)
    GridColumn &setName(const QString &n) { name = n; return *this; }
    GridColumn &setWeight(int w) { weight = w; return *this; }
    GridColumn &setWidth(int w) { width = w; return *this; }
    GridColumn &setAlignment(Qt::Alignment a) { alignment = a; return *this; }
    GridColumn &setWordWrap(bool on = true) { wordWrap = on; return *this; }
    GridColumn &setState(ColumnState s) { state = s; return *this; }
    GridColumn &setHidden() { state = ColumnState::Hidden; return *this; }
    GridColumn &setInternal() { state = ColumnState::Internal; return *this; }
    GridColumn &setOffered(bool on) { offered = on; return *this; }
    GridColumn &setFocusable(bool on) { focusable = on; return *this; }
    GridColumn &setFilterable(bool on) { filterable = on; return *this; }
    GridColumn &setSortable(bool on) { sortable = on; return *this; }
    GridColumn &setOtherImageIndex(int i) { otherImageIndex = i; return *this; }

    // The header text: the caption, else the field (or name) itself.
    QString headerText() const;
    // The picture item for a raw value, or nullptr.
    const PictureItem *pictureFor(const QVariant &raw) const;
    // The picture index for a raw value (-1: nothing to draw).
    int imageIndexFor(const QVariant &raw) const;
};

// Summaries shown in the footer and in group footers.
enum class SummaryKind { Count, Sum, Average };

struct GridSummary {
    QString column; // column name
    SummaryKind kind = SummaryKind::Count;
    int decimals = 2; // for sums and averages
};
