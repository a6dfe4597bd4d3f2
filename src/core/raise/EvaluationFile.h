#pragma once

#include "core/raise/RaiseComputation.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Evaluations delivered by another system as a CSV file (CP932, or UTF-8 with a byte-order
// mark): a header line, then one line per employee "SCOT,evaluation code[,new grade,new step]".
// Lines are numbered from 1, the header being line 1.

struct EvaluationLine {
    int line = 0;
    QString scot;
    EvaluationEntry entry;
};

struct EvaluationFault {
    int line = 0; // 0 when the fault is the file's as a whole
    QString reason;
};

struct EvaluationFile {
    QVector<EvaluationLine> lines;
    QVector<EvaluationFault> faults;
};

// Reads the lines; every line that is not one of the forms above is a fault. Blank lines are
// skipped.
EvaluationFile ReadEvaluationFile(const QByteArray& bytes);

struct EvaluationPlan {
    QVector<RaiseEntry> entries; // in file order
    QVector<EvaluationFault> faults;
};

// The raises the lines stand for, against the employees and evaluation codes of the company
// year. Faults: an employee number no employee or more than one employee has, a number given
// twice, an unknown code, and a linked base pay the wage table has no amount for at the new
// grade and step.
EvaluationPlan PlanRaises(const EvaluationFile& file, const QVector<RaiseRecord>& employees,
                          const EvaluationCodes& codes, const WageAmountAt& amountAt);
