#include "platform/grid/gridfooter.h"

#include "platform/grid/gridlook.h"
#include "platform/grid/gridmodel.h"

#include <QHelpEvent>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QToolTip>

GridFooter::GridFooter(QTableView *view, const GridModel *model, const GridLook *look, QWidget *parent)
    : QWidget(parent), m_view(view), m_model(model), m_look(look)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    QHeaderView *header = view->horizontalHeader();
    auto repaint = [this] { update(); };
    connect(header, &QHeaderView::sectionResized, this, repaint);
    connect(header, &QHeaderView::sectionMoved, this, repaint);
    connect(header, &QHeaderView::geometriesChanged, this, repaint);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    auto recompute = [this] { invalidate(); };
    connect(model, &QAbstractItemModel::modelReset, this, recompute);
    connect(model, &QAbstractItemModel::dataChanged, this, recompute);
}

void GridFooter::setSummaries(const QList<GridSummary> &summaries)
{
    m_summaries = summaries;
    invalidate();
}

void GridFooter::invalidate()
{
    m_valid = false;
    m_texts.clear();
    update();
}

void GridFooter::compute() const
{
    if (m_valid)
        return;
    QHash<int, QStringList> parts;
    for (const GridSummary &s : m_summaries) {
        const int column = m_model->columnByName(s.column);
        if (column < 0)
            continue;
        parts[column] << gridlogic::summaryText(s.kind, m_model->summaryValue(s), s.decimals);
    }
    m_texts.clear();
    for (auto it = parts.cbegin(); it != parts.cend(); ++it)
        m_texts.insert(it.key(), it.value().join(QStringLiteral("  ")));
    m_valid = true;
}

QString GridFooter::text(int column) const
{
    compute();
    return m_texts.value(column);
}

QSize GridFooter::sizeHint() const
{
    return QSize(100, QFontMetrics(m_look->cellFont()).height() + 10);
}

QRect GridFooter::cellRect(int column, int x0) const
{
    const QHeaderView *header = m_view->horizontalHeader();
    return QRect(x0 + header->sectionViewportPosition(column), 3, header->sectionSize(column), height() - 6);
}

bool GridFooter::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    compute();
    auto *help = static_cast<QHelpEvent *>(event);
    const int x0 = mapFromGlobal(m_view->viewport()->mapToGlobal(QPoint(0, 0))).x();
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        if (!m_view->horizontalHeader()->isSectionHidden(it.key()) && cellRect(it.key(), x0).contains(help->pos())) {
            QToolTip::showText(help->globalPos(), it.value(), this);
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

void GridFooter::paintEvent(QPaintEvent *)
{
    compute();
    QPainter p(this);
    const QColor bg(0xE4, 0xE7, 0xEB);
    p.fillRect(rect(), bg);
    p.setPen(bg.darker(125));
    p.drawLine(rect().topLeft(), rect().topRight());
    QFont f = m_look->cellFont();
    f.setBold(true);
    p.setFont(f);

    const QHeaderView *header = m_view->horizontalHeader();
    // Cells start where the view's viewport starts: after the frame and the
    // row indicator.
    const int x0 = mapFromGlobal(m_view->viewport()->mapToGlobal(QPoint(0, 0))).x();
    p.setClipRect(QRect(x0, 0, m_view->viewport()->width(), height()));
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        const int column = it.key();
        if (header->isSectionHidden(column))
            continue;
        const QRect cell = cellRect(column, x0);
        if (cell.width() <= 4)
            continue;
        p.setPen(bg.darker(140));
        p.setBrush(Qt::white);
        p.drawRect(cell.adjusted(1, 0, -2, -1));
        p.setPen(m_look->cellForeground(false, false));
        const QRect textRect = cell.adjusted(4, 0, -5, 0);
        p.drawText(textRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                   p.fontMetrics().elidedText(it.value(), Qt::ElideLeft, textRect.width()));
    }
}
