#pragma once

#include "core/raise/RaiseComputation.h"

#include <QString>
#include <QVector>
#include <optional>

// The evaluation codes as the evaluation conversion screen edits them: one row of texts per
// code. A row without a code is not a code: it is neither checked nor stored.
struct EvaluationGridRow {
    QString code;
    QString symbol;
    QString steps;
};

enum EvaluationGridColumn { GridNumber = 0, GridCode = 1, GridSymbol = 2, GridSteps = 3 };

struct EvaluationGridProblem {
    int row = 0; // index into the rows
    int column = GridCode;
    QString message;
};

// The rows of stored codes; with none, one row with code 1 and steps 0.
QVector<EvaluationGridRow> EvaluationGridRows(const EvaluationCodes& codes);
// The row Enter adds after the last: the next code and one step.
EvaluationGridRow NextEvaluationRow(const EvaluationGridRow& last);
// The first refusal, row by row: a code that is no whole number, a missing symbol, a code or a
// symbol another row has too. Codes are compared as the numbers they are stored as.
std::optional<EvaluationGridProblem> CheckEvaluationGrid(const QVector<EvaluationGridRow>& rows);
// The codes of the rows that have one; steps that are no number count 0.
EvaluationCodes EvaluationCodesOfGrid(const QVector<EvaluationGridRow>& rows);
