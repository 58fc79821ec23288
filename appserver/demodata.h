#pragma once
// The deterministic demo set: the parts catalogue, pictures, baskets,
// orders in every status with outstanding lines, invoices, collections with
// card receipts, statements that add up, adverts and banners. The same seed,
// size and day give the same data on every machine.

#include "appserver/database.h"

void generateDemoData(const QSqlDatabase &db, const SeedOptions &options, bool postgres);
