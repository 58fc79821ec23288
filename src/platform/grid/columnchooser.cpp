#include "platform/grid/columnchooser.h"

#include "platform/grid/datagrid.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace {
constexpr int NameRole = Qt::UserRole + 1;
}

ColumnChooser::ColumnChooser(DataGrid *grid)
    : QDialog(grid, Qt::Tool), m_grid(grid)
{
    setWindowTitle(QStringLiteral("Sütun Seçici"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_list = new QListWidget(this);
    layout->addWidget(m_list);
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!m_filling)
            m_grid->setColumnVisible(item->data(NameRole).toString(), item->checkState() == Qt::Checked);
    });
    resize(220, 360);
    refresh();
}

void ColumnChooser::refresh()
{
    m_filling = true;
    m_list->clear();
    const QStringList names = m_grid->chooserColumns();
    for (const QString &name : names) {
        auto *item = new QListWidgetItem(m_grid->column(m_grid->columnIndex(name)).headerText(), m_list);
        item->setData(NameRole, name);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(m_grid->isColumnVisible(name) ? Qt::Checked : Qt::Unchecked);
    }
    m_filling = false;
}
