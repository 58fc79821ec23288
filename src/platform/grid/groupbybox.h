#pragma once

// The group-by box above a grid: shows the column the rows are grouped by
// (with a button that removes the grouping) or a hint; a column header
// dragged onto it groups by that column.

#include <QWidget>

class DataGrid;
class QLabel;
class QToolButton;

class GroupByBox : public QWidget
{
    Q_OBJECT

public:
    explicit GroupByBox(DataGrid *grid);

    // Shows the current grouping.
    void refresh();

    static QString hintText();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    DataGrid *m_grid;
    QLabel *m_hint;
    QWidget *m_chip;
    QLabel *m_chipText;
    QToolButton *m_expand;
    QToolButton *m_collapse;
};
