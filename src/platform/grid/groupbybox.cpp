#include "platform/grid/groupbybox.h"

#include "platform/grid/datagrid.h"
#include "platform/grid/gridheader.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QToolButton>

QString GroupByBox::hintText()
{
    return QStringLiteral("Gruplamak istediğiniz sütunun başlığını buraya sürükleyin");
}

GroupByBox::GroupByBox(DataGrid *grid)
    : QWidget(grid), m_grid(grid)
{
    setAcceptDrops(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setMinimumHeight(34);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);

    m_hint = new QLabel(hintText(), this);
    m_hint->setStyleSheet(QStringLiteral("color: #6B7380;"));
    layout->addWidget(m_hint);

    m_chip = new QWidget(this);
    m_chip->setObjectName(QStringLiteral("groupChip"));
    m_chip->setStyleSheet(QStringLiteral("#groupChip { background: #FFFFFF; border: 1px solid #9AA3AE; }"));
    auto *chipLayout = new QHBoxLayout(m_chip);
    chipLayout->setContentsMargins(6, 1, 2, 1);
    m_chipText = new QLabel(m_chip);
    auto *remove = new QToolButton(m_chip);
    remove->setText(QStringLiteral("×"));
    remove->setAutoRaise(true);
    remove->setToolTip(QStringLiteral("Gruplamayı Kaldır"));
    chipLayout->addWidget(m_chipText);
    chipLayout->addWidget(remove);
    layout->addWidget(m_chip);

    m_expand = new QToolButton(this);
    m_expand->setText(QStringLiteral("Tümünü Aç"));
    m_collapse = new QToolButton(this);
    m_collapse->setText(QStringLiteral("Tümünü Kapat"));
    layout->addWidget(m_expand);
    layout->addWidget(m_collapse);
    layout->addStretch(1);

    connect(remove, &QToolButton::clicked, grid, &DataGrid::clearGrouping);
    connect(m_expand, &QToolButton::clicked, grid, &DataGrid::expandAll);
    connect(m_collapse, &QToolButton::clicked, grid, &DataGrid::collapseAll);
    refresh();
}

void GroupByBox::refresh()
{
    const QString column = m_grid->groupColumn();
    const bool grouped = !column.isEmpty();
    m_hint->setVisible(!grouped);
    m_chip->setVisible(grouped);
    m_expand->setVisible(grouped);
    m_collapse->setVisible(grouped);
    if (grouped)
        m_chipText->setText(m_grid->column(m_grid->columnIndex(column)).headerText());
}

void GroupByBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(GridHeader::columnMimeType()))
        event->acceptProposedAction();
}

void GroupByBox::dropEvent(QDropEvent *event)
{
    bool ok = false;
    const int column = event->mimeData()->data(GridHeader::columnMimeType()).toInt(&ok);
    if (!ok || column < 0 || column >= m_grid->columnCount())
        return;
    m_grid->groupBy(m_grid->column(column).name);
    event->acceptProposedAction();
}

void GroupByBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF2, 0xF5));
    p.setPen(QColor(0xC8, 0xCD, 0xD3));
    p.drawLine(rect().bottomLeft(), rect().bottomRight());
}
