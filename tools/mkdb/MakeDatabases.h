#pragma once

#include <QString>

// Makes the delivered database files SEIGYO.db and DATA.db in outDir from the SQL files in
// sqlDir and the sample company. Both are written under temporary names and renamed at the
// end. False with a message on any failure; outDir then holds neither file, so a broken
// build never passes off old or half-made files as its result.
bool MakeDeliveredDatabases(const QString& sqlDir, const QString& outDir, QString* error);
