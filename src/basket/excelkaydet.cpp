#include "basket/excelkaydet.h"

#include "core/utils.h"
#include "platform/grid/datagrid.h"

using namespace Qt::StringLiterals;

void GridExcelKaydet(const DataGrid& grid)
{
    FileDialogRequest istek;
    istek.filter = u"Excel|*.xls*"_s;
    istek.defaultSuffix = u"xls"_s;
    const QString dosya = askSaveFileName(istek);
    if (dosya.isEmpty())
        return;
    const ExcelExportResult r = grid.exportToExcel(dosya);
    if (!r.ok)
        MesajGoster(r.error, mtError, {mbOK}, 0, mbOK);
}
