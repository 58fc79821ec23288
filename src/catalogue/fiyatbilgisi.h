#pragma once

#include <QLocale>
#include <QString>

// The text of the "Fiyat Bilgisi" cell of the stock list: list price, the
// campaign price only when there is one (greater than 0), net price and the
// VAT-inclusive price, each "#,###,##0.00" and each line ended by CR LF.
QString FiyatBilgisiYazisi(double listeFiyat, double kampFiyat, double netFiyat, double kdvDahil,
                           const QLocale &locale = QLocale());
