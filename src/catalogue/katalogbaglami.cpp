#include "catalogue/katalogbaglami.h"

#include <QDialog>

int TKatalogBaglami::Goster(QDialog &pencere) const
{
    return PencereGoster ? PencereGoster(pencere) : pencere.exec();
}
