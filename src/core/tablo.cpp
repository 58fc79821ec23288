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
    // The walk moves the cursor; views hear of it once, at the end.
    table.DisableControls();
    bool found = false;
    const Field sec = table.FieldByName(QStringLiteral("SEC"));
    for (table.First(); !table.Eof(); table.Next()) {
        if (!sec.IsNull() && sec.AsInteger() == 1) {
            found = true;
            break;
        }
    }
    table.EnableControls();
    return found;
}
