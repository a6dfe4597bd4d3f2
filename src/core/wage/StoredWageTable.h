#pragma once

#include "core/wage/WageTableTexts.h"

#include <QVector>
#include <optional>

// Everything stored of one company year's wage table: the head, its salary scale, the curve
// set of its method and the generated table.
struct StoredWageTable {
    std::optional<StoredHead> head;
    QVector<StoredScaleRow> scale;
    QVector<StoredCurveRow> curves;
    QVector<WageTableRow> rows;

    bool thirdOrder() const { return head && head->method == 1; }
};
