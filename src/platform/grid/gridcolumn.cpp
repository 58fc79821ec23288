#include "platform/grid/gridcolumn.h"

#include "platform/grid/gridmodel.h"

GridColumn GridColumn::textColumn(const QString &field, const QString &caption)
{
    GridColumn c;
    c.name = field;
    c.field = field;
    c.caption = caption;
    return c;
}

GridColumn GridColumn::memoColumn(const QString &field, const QString &caption)
{
    GridColumn c = GridColumn::textColumn(field, caption);
    c.kind = ColumnKind::Memo;
    c.wordWrap = true;
    return c;
}

GridColumn GridColumn::pictureColumn(const QString &field, const QString &caption,
                               const QList<PictureItem> &items, const QList<QPixmap> &images)
{
    GridColumn c = GridColumn::textColumn(field, caption);
    c.kind = ColumnKind::Picture;
    c.pictures = items;
    c.images = images;
    c.alignment = Qt::AlignCenter;
    return c;
}

GridColumn GridColumn::checkBoxColumn(const QString &field, const QString &caption)
{
    GridColumn c = GridColumn::textColumn(field, caption);
    c.kind = ColumnKind::CheckBox;
    c.alignment = Qt::AlignCenter;
    return c;
}

GridColumn GridColumn::imageColumn(const QString &field, const QString &caption)
{
    GridColumn c = GridColumn::textColumn(field, caption);
    c.kind = ColumnKind::Image;
    c.alignment = Qt::AlignCenter;
    c.filterable = false;
    c.sortable = false;
    return c;
}

GridColumn GridColumn::ownerDrawnColumn(const QString &name, const QString &caption, CellPainter painter,
                                  CellText text)
{
    GridColumn c;
    c.name = name;
    c.caption = caption;
    c.kind = ColumnKind::OwnerDrawn;
    c.painter = std::move(painter);
    c.text = std::move(text);
    c.filterable = false;
    c.sortable = false;
    return c;
}

QString GridColumn::headerText() const
{
    if (!caption.isEmpty())
        return caption;
    return field.isEmpty() ? name : field;
}

namespace {

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    bool okA = false, okB = false;
    const double x = a.toDouble(&okA), y = b.toDouble(&okB);
    if (okA && okB)
        return x == y;
    return a.toString() == b.toString();
}

} // namespace

const PictureItem *GridColumn::pictureFor(const QVariant &raw) const
{
    for (const PictureItem &item : pictures)
        if (sameValue(item.value, raw))
            return &item;
    return nullptr;
}

int GridColumn::imageIndexFor(const QVariant &raw) const
{
    if (const PictureItem *item = pictureFor(raw))
        return item->imageIndex;
    return otherImageIndex;
}

QVariant GridCell::value(const QString &field) const
{
    return m_model->sourceRaw(m_sourceRow, m_model->fieldIndex(field));
}

QString GridCell::text(const QString &field) const
{
    return m_model->sourceText(m_sourceRow, m_model->fieldIndex(field));
}

bool GridCell::isNull(const QString &field) const
{
    const QVariant v = value(field);
    return v.isNull() || !v.isValid();
}
