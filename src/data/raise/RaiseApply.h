#pragma once

#include "core/common/CompanyYear.h"
#include "core/raise/EvaluationFile.h"

#include <QVector>

// The raises of an evaluation file stored as one decision: the employees, codes and wage table
// are read, the raises planned and written inside one transaction, the employees' rows locked
// as they are read (on the server; the SQLite files hold their write lock throughout), so
// nothing another person saves lands between the reading and the writing, and nothing of
// theirs is written over.
struct RaiseApplyOutcome {
    enum Status {
        Stored,
        Refused, // the file has faults (its lines named): nothing stored
        Failed   // reported by the data module: nothing stored
    };
    Status status = Failed;
    QVector<EvaluationFault> faults; // Refused
    int stored = 0;                  // Stored
    bool nextYearExists = false;     // Stored: year N + 1 was made before these raises
};
RaiseApplyOutcome ApplyEvaluations(const CompanyYear& cy, const EvaluationFile& file);
