#pragma once

// Excel export of a grid: every row that passes the filters (groups
// expanded, with their header and footer rows), the visible columns with
// their captions; numbers as numbers (floating-point ones with two
// decimals), dates as dates.

#include "platform/grid/gridcolumn.h"

#include <QList>
#include <QString>

class GridModel;

struct ExcelExportResult {
    bool ok = false;
    QString path;  // the file written (with its extension)
    QString error; // why it failed
};

// The name the workbook is written under: ".xlsx" appended when the name
// has no extension or one that is not ".xlsx"; an ".xls" extension becomes
// ".xlsx" because the content is an Office Open XML workbook.
QString withExcelExtension(const QString &path);

struct ExcelExportColumn {
    int column = -1;   // model column
    int widthPixels = 100;
};

ExcelExportResult exportGridToExcel(const GridModel &model, const QList<ExcelExportColumn> &columns,
                                    const QList<GridSummary> &footer, const QString &path);
