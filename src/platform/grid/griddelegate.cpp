#include "platform/grid/griddelegate.h"

#include "platform/grid/gridmodel.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>

GridDelegate::GridDelegate(const GridModel *model, const GridLook *look, QObject *parent)
    : QStyledItemDelegate(parent), m_model(model), m_look(look), m_images(64 * 1024)
{
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return option.rect.size();
}

void GridDelegate::paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto kind = GridModel::RowKind(index.data(GridModel::RowKindRole).toInt());
    if (kind == GridModel::RowKind::GroupHeader) {
        paintGroupHeader(p, option, index);
        return;
    }
    if (kind == GridModel::RowKind::GroupFooter) {
        paintGroupFooter(p, option, index);
        return;
    }

    const GridColumn &col = m_model->column(index.column());
    const int viewRow = index.row();
    const int sourceRow = m_model->sourceRow(viewRow);
    const bool selected = option.state & QStyle::State_Selected;
    const bool odd = viewRow % 2 == 1;
    const QColor bg = m_look->cellBackground(selected, odd);
    const QColor fg = m_look->cellForeground(selected, odd);
    const QRect rect = option.rect;

    p->save();
    p->fillRect(rect, bg);
    p->setFont(m_look->cellFont());

    const Qt::Alignment align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    switch (col.kind) {
    case ColumnKind::Text:
    case ColumnKind::Memo:
        paintText(p, rect, index.data(Qt::DisplayRole).toString(), align,
                  col.wordWrap || col.kind == ColumnKind::Memo, fg);
        break;
    case ColumnKind::Picture: {
        const int i = col.imageIndexFor(index.data(GridModel::RawRole));
        if (i >= 0 && i < col.images.size()) {
            const QPixmap &pm = col.images.at(i);
            QSize size = pm.deviceIndependentSize().toSize();
            if (size.width() > rect.width() - 2 || size.height() > rect.height() - 2)
                size.scale(rect.size() - QSize(2, 2), Qt::KeepAspectRatio);
            const QRect target = QStyle::alignedRect(Qt::LeftToRight, align, size, rect);
            p->setRenderHint(QPainter::SmoothPixmapTransform);
            p->drawPixmap(target, pm);
        }
        break;
    }
    case ColumnKind::CheckBox: {
        const QVariant raw = index.data(GridModel::RawRole);
        QStyleOptionButton box;
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
        const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget);
        box.rect = QStyle::alignedRect(Qt::LeftToRight, align, QSize(w, h), rect);
        box.state = QStyle::State_Enabled | (raw.toInt() == 1 ? QStyle::State_On : QStyle::State_Off);
        box.palette = option.palette;
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, p, widget);
        break;
    }
    case ColumnKind::Image:
        paintImage(p, rect, index, sourceRow);
        break;
    case ColumnKind::OwnerDrawn:
        if (col.painter) {
            GridCellPaint cell{GridCell(m_model, sourceRow, viewRow), rect, selected, odd,
                               bool(option.state & QStyle::State_HasFocus), bg, fg, m_look->cellFont()};
            col.painter(*p, cell);
        } else {
            paintText(p, rect, index.data(Qt::DisplayRole).toString(), align, true, fg);
        }
        break;
    }

    paintGridLines(p, rect);
    if (m_look->focusRect && (option.state & QStyle::State_HasFocus)) {
        QPen pen(fg, 1, Qt::DotLine);
        p->setPen(pen);
        p->setBrush(Qt::NoBrush);
        p->drawRect(rect.adjusted(1, 1, -2, -2));
    }
    p->restore();
}

void GridDelegate::paintText(QPainter *p, const QRect &rect, const QString &text, Qt::Alignment align,
                             bool wrap, const QColor &fg) const
{
    if (text.isEmpty())
        return;
    const int pad = m_look->cellPadding;
    const QRect r = rect.adjusted(pad, 1, -pad, -1);
    p->setPen(fg);
    if (wrap) {
        p->drawText(r, int(align) | Qt::TextWordWrap, text);
        return;
    }
    const QFontMetrics fm = p->fontMetrics();
    QString line = text;
    const qsizetype nl = line.indexOf(u'\n');
    if (nl >= 0)
        line.truncate(nl);
    if (fm.horizontalAdvance(line) > r.width())
        line = fm.elidedText(line, Qt::ElideRight, r.width());
    p->drawText(r, int(align) | Qt::TextSingleLine, line);
}

QImage decodeCellImage(const QVariant &raw)
{
    switch (raw.typeId()) {
    case QMetaType::QImage:
        return raw.value<QImage>();
    case QMetaType::QPixmap:
        return raw.value<QPixmap>().toImage();
    case QMetaType::QByteArray:
        return QImage::fromData(raw.toByteArray());
    case QMetaType::QString: {
        const QByteArray text = raw.toString().toLatin1().trimmed();
        static const QByteArray hexDigits = QByteArrayLiteral("0123456789abcdefABCDEF");
        bool hex = !text.isEmpty() && text.size() % 2 == 0;
        for (qsizetype i = 0; hex && i < text.size(); ++i)
            hex = hexDigits.contains(text.at(i));
        QImage img = QImage::fromData(hex ? QByteArray::fromHex(text) : QByteArray::fromBase64(text));
        if (img.isNull() && hex)
            img = QImage::fromData(QByteArray::fromBase64(text));
        return img;
    }
    default:
        return {};
    }
}

void GridDelegate::paintImage(QPainter *p, const QRect &rect, const QModelIndex &index, int sourceRow) const
{
    // Decoded and scaled pictures are cached per row, column and cell size,
    // so scrolling does not decode again.
    const quint64 key = (quint64(quint32(sourceRow)) << 32) ^ (quint64(index.column()) << 24)
                        ^ (quint64(rect.width() & 0xFFF) << 12) ^ quint64(rect.height() & 0xFFF);
    QPixmap *pm = m_images.object(key);
    if (!pm) {
        const QImage img = decodeCellImage(index.data(GridModel::RawRole));
        if (img.isNull())
            return;
        const QImage scaled = (img.width() > rect.width() - 2 || img.height() > rect.height() - 2)
                                  ? img.scaled(rect.size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                  : img;
        pm = new QPixmap(QPixmap::fromImage(scaled));
        const int cost = std::max(1, pm->width() * pm->height() * 4 / 1024);
        if (!m_images.insert(key, pm, cost))
            return;
    }
    const Qt::Alignment align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    p->drawPixmap(QStyle::alignedRect(Qt::LeftToRight, align, pm->size(), rect), *pm);
}

void GridDelegate::paintGridLines(QPainter *p, const QRect &rect) const
{
    if (!m_look->gridLines)
        return;
    p->setPen(m_look->gridLineColor);
    p->drawLine(rect.topRight(), rect.bottomRight());
    p->drawLine(rect.bottomLeft(), rect.bottomRight());
}

void GridDelegate::paintGroupHeader(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect rect = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    p->save();
    p->fillRect(rect, selected ? m_look->cellBackground(true, false) : QColor(0xDD, 0xE3, 0xEA));
    const int g = m_model->groupOf(index.row());
    const bool expanded = g >= 0 && m_model->isGroupExpanded(g);
    // An expand box with a plus or a minus, then the group's caption and value.
    const int box = 11;
    const QRect boxRect(rect.left() + 6, rect.center().y() - box / 2, box, box);
    p->setPen(QColor(0x55, 0x55, 0x55));
    p->setBrush(Qt::white);
    p->drawRect(boxRect);
    p->drawLine(boxRect.left() + 3, boxRect.center().y(), boxRect.right() - 3, boxRect.center().y());
    if (!expanded)
        p->drawLine(boxRect.center().x(), boxRect.top() + 3, boxRect.center().x(), boxRect.bottom() - 3);
    QFont f = m_look->cellFont();
    f.setBold(true);
    p->setFont(f);
    p->setPen(m_look->cellForeground(selected, false));
    const QString count = g >= 0 ? QStringLiteral("  (%1)").arg(m_model->groupRows(g).size()) : QString();
    p->drawText(rect.adjusted(box + 14, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                index.data(Qt::DisplayRole).toString() + count);
    paintGridLines(p, rect);
    p->restore();
}

void GridDelegate::paintGroupFooter(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect rect = option.rect;
    p->save();
    p->fillRect(rect, QColor(0xF4, 0xF6, 0xF8));
    QFont f = m_look->cellFont();
    f.setBold(true);
    p->setFont(f);
    paintText(p, rect, index.data(Qt::DisplayRole).toString(), Qt::AlignRight | Qt::AlignVCenter, false,
              QPalette().color(QPalette::Text));
    paintGridLines(p, rect);
    p->restore();
}
