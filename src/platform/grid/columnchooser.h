#pragma once

// The column chooser: a small tool window listing the columns a grid offers,
// checked when shown; checking or unchecking shows or hides the column.

#include <QDialog>

class DataGrid;
class QListWidget;

class ColumnChooser : public QDialog
{
    Q_OBJECT

public:
    explicit ColumnChooser(DataGrid *grid);

    // Rebuilds the list from the grid's columns.
    void refresh();

private:
    DataGrid *m_grid;
    QListWidget *m_list;
    bool m_filling = false;
};
