#include "core/utils.h"
#include "platform/dataset/memtable.h"

void OndalikFormatla(MemTable& table)
{
    table.setDisplayFormatForType(FieldType::Float, OndalikGorunum());
}

bool SecimVarmi(MemTable& table)
{
    if (!table.Active() || table.IsEmpty())
        return false;
    // Looked up first: a table without the column throws before the views
    // are switched off, so they are never left disabled.
    const Field sec = table.FieldByName(QStringLiteral("SEC"));
    // The walk moves the cursor; views hear of it once, at the end.
    table.DisableControls();
    bool found = false;
    for (table.First(); !table.Eof(); table.Next()) {
        if (!sec.IsNull() && sec.AsInteger() == 1) {
            found = true;
            break;
        }
    }
    table.EnableControls();
    return found;
}
