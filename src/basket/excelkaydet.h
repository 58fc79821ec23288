#pragma once

class DataGrid;

// "Excel Kaydet": asks for a file ("Excel|*.xls*") and writes the grid's
// rows into it; a failed export is shown with its reason.
void GridExcelKaydet(const DataGrid& grid);
