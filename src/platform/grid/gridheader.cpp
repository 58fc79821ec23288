#include "platform/grid/gridheader.h"

#include "platform/grid/gridlook.h"
#include "platform/grid/gridmodel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

QString GridHeader::columnMimeType()
{
    return QStringLiteral("application/x-datagrid-column");
}

GridHeader::GridHeader(const GridModel *model, const GridLook *look, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent), m_model(model), m_look(look)
{
    setSectionsClickable(true);
    setSectionsMovable(false);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMinimumSectionSize(8);
}

void GridHeader::setFilterButtonsVisible(bool on)
{
    m_filterButtons = on;
    viewport()->update();
}

void GridHeader::setHeight(int height)
{
    m_height = height;
    setFixedHeight(height);
    updateGeometry();
}

QSize GridHeader::sizeHint() const
{
    QSize s = QHeaderView::sizeHint();
    s.setHeight(m_height);
    return s;
}

bool GridHeader::hasFilterButton(int logicalIndex) const
{
    return m_filterButtons && logicalIndex >= 0 && logicalIndex < m_model->columnCount()
           && m_model->column(logicalIndex).filterable && m_model->sourceColumn(logicalIndex) >= 0;
}

QRect GridHeader::filterButtonRect(int logicalIndex) const
{
    if (!hasFilterButton(logicalIndex) || isSectionHidden(logicalIndex))
        return {};
    const int x = sectionViewportPosition(logicalIndex);
    const int w = sectionSize(logicalIndex);
    if (w < FilterButtonWidth + 4)
        return {};
    return QRect(x + w - FilterButtonWidth - 2, (height() - FilterButtonWidth) / 2, FilterButtonWidth,
                 FilterButtonWidth);
}

void GridHeader::paintSection(QPainter *p, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    p->save();
    const QColor bg = m_look->headerBackground();
    const QColor fg = m_look->headerForeground();
    p->fillRect(rect, bg);
    p->setPen(bg.lightness() < 128 ? bg.lighter(160) : bg.darker(130));
    p->drawLine(rect.topRight(), rect.bottomRight());
    p->drawLine(rect.bottomLeft(), rect.bottomRight());

    QRect textRect = rect.adjusted(4, 0, -4, 0);
    const bool filterButton = hasFilterButton(logicalIndex);
    if (filterButton)
        textRect.setRight(textRect.right() - FilterButtonWidth - 2);

    // Sort mark: a small triangle left of the filter button.
    if (m_model->sortedColumn() == logicalIndex) {
        const int s = 4;
        const QPoint c(textRect.right() - s, rect.center().y());
        QPainterPath tri;
        if (m_model->sortOrder() == Qt::AscendingOrder) {
            tri.moveTo(c.x() - s, c.y() + s / 2);
            tri.lineTo(c.x() + s, c.y() + s / 2);
            tri.lineTo(c.x(), c.y() - s / 2 - 1);
        } else {
            tri.moveTo(c.x() - s, c.y() - s / 2);
            tri.lineTo(c.x() + s, c.y() - s / 2);
            tri.lineTo(c.x(), c.y() + s / 2 + 1);
        }
        tri.closeSubpath();
        p->setRenderHint(QPainter::Antialiasing);
        p->fillPath(tri, fg);
        p->setRenderHint(QPainter::Antialiasing, false);
        textRect.setRight(textRect.right() - 2 * s - 4);
    }

    p->setFont(m_look->headerFont());
    p->setPen(fg);
    const QString text = m_model->headerData(logicalIndex, Qt::Horizontal).toString();
    const QString shown = p->fontMetrics().elidedText(text, Qt::ElideRight, textRect.width());
    p->drawText(textRect, int(m_look->headerAlignment) | Qt::TextSingleLine, shown);

    if (filterButton && rect.width() >= FilterButtonWidth + 4) {
        const QRect b(rect.right() - FilterButtonWidth - 1, rect.center().y() - FilterButtonWidth / 2,
                      FilterButtonWidth, FilterButtonWidth);
        const bool active = m_model->hasFilter(logicalIndex);
        p->setPen(active ? QColor(0xFF, 0xB3, 0x00) : fg);
        p->setBrush(active ? QColor(0xFF, 0xB3, 0x00) : Qt::transparent);
        QPainterPath funnel;
        const QRectF f = QRectF(b).adjusted(3, 4, -3, -3);
        funnel.moveTo(f.left(), f.top());
        funnel.lineTo(f.right(), f.top());
        funnel.lineTo(f.center().x() + 1.5, f.center().y());
        funnel.lineTo(f.center().x() + 1.5, f.bottom());
        funnel.lineTo(f.center().x() - 1.5, f.bottom() - 1.5);
        funnel.lineTo(f.center().x() - 1.5, f.center().y());
        funnel.closeSubpath();
        p->setRenderHint(QPainter::Antialiasing);
        p->drawPath(funnel);
    }
    p->restore();
}

void GridHeader::mousePressEvent(QMouseEvent *event)
{
    const int logical = logicalIndexAt(event->position().toPoint());
    const QRect button = filterButtonRect(logical);
    if (event->button() == Qt::LeftButton && button.contains(event->position().toPoint())) {
        emit filterButtonClicked(logical, QRect(mapToGlobal(button.topLeft()), button.size()));
        event->accept();
        return;
    }
    m_pressedSection = event->button() == Qt::LeftButton ? logical : -1;
    m_pressPos = event->position().toPoint();
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseMoveEvent(QMouseEvent *event)
{
    // A section pulled down out of the header starts a drag to the group-by box.
    if (m_groupDrag && m_pressedSection >= 0 && (event->buttons() & Qt::LeftButton)
        && cursor().shape() != Qt::SplitHCursor
        && (event->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()
        && !rect().contains(event->position().toPoint())) {
        const int section = m_pressedSection;
        m_pressedSection = -1;
        auto *mime = new QMimeData;
        mime->setData(columnMimeType(), QByteArray::number(section));
        auto *drag = new QDrag(this);
        drag->setMimeData(mime);
        drag->exec(Qt::MoveAction);
        return;
    }
    QHeaderView::mouseMoveEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressedSection = -1;
    QHeaderView::mouseReleaseEvent(event);
}

RowIndicator::RowIndicator(const GridLook *look, QWidget *parent)
    : QHeaderView(Qt::Vertical, parent), m_look(look)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
    setFixedWidth(m_width);
}

void RowIndicator::setIndicatorWidth(int width)
{
    m_width = std::max(0, width);
    setFixedWidth(m_width);
    setVisible(m_width > 0);
    updateGeometry();
}

QSize RowIndicator::sizeHint() const
{
    return QSize(m_width, 0);
}

void RowIndicator::paintSection(QPainter *p, const QRect &rect, int logicalIndex) const
{
    const QColor bg = m_look->styles.indicator && m_look->styles.indicator->background.isValid()
                          ? m_look->styles.indicator->background
                          : QPalette().color(QPalette::Button);
    p->fillRect(rect, bg);
    const auto *view = qobject_cast<const QAbstractItemView *>(parentWidget());
    if (view && view->currentIndex().row() == logicalIndex && rect.width() >= 7) {
        // The focused row's mark: a small triangle pointing at the row.
        const QColor fg = m_look->styles.indicator && m_look->styles.indicator->text.isValid()
                              ? m_look->styles.indicator->text
                              : (bg.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black));
        const int h = std::min(8, rect.width() - 2);
        QPainterPath tri;
        const QPoint c = rect.center();
        tri.moveTo(c.x() - h / 2, c.y() - h / 2);
        tri.lineTo(c.x() + h / 2, c.y());
        tri.lineTo(c.x() - h / 2, c.y() + h / 2);
        tri.closeSubpath();
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->fillPath(tri, fg);
        p->restore();
    } else if (view && view->currentIndex().row() == logicalIndex) {
        p->fillRect(rect, bg.lightness() < 128 ? bg.lighter(200) : bg.darker(150));
    }
}
