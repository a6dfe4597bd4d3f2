#pragma once

#include "core/plot/LeastSquares.h"

#include <QString>
#include <QVector>

// The points of a fit given as text: one "x,y" a line (x a whole number, y in 万円 to six
// decimals), blank lines skipped.
struct FitPointsRead {
    QVector<FitPoint> points;
    int badLine = 0; // the first line that is not a point (from 1); 0 when all are
    QString badText; // that line as it was read, control characters shown as "?"
};
// y is kept in millionths of 万円.
constexpr qint64 FitPointsYScale = 1000000;
FitPointsRead ReadFitPoints(const QString& text);
