#pragma once

#include "core/raise/RollOver.h"

#include <QString>
#include <QStringList>
#include <functional>

// The annual update: one company rolled over from fiscal year N into N + 1. Every per-year
// table of the company is copied into the new year, the employees are promoted to the grade,
// step and pay their raise gave (RollOverEmployee), and the wage table of N + 1 is generated
// from the copied definition by the wage-table save. All of it lands in one transaction over
// both files, or nothing does.

enum class AnnualUpdateStatus {
    Done,
    TargetExists, // the company already has year N + 1: nothing written
    NoSource,     // the company has no year N: nothing written
    Refused,      // the copied wage-table definition cannot be saved: nothing written
    Failed,       // a statement failed (reported by the data module): nothing written
    Locked        // another person is updating or deleting the company: nothing written
};

struct AnnualUpdateResult {
    AnnualUpdateStatus status = AnnualUpdateStatus::Failed;
    int employees = 0;        // employees carried into N + 1
    int undecided = 0;        // of them, without a decided raise
    QString problem;          // Refused: the field of the definition and why; Locked: who holds it
    QVector<MovedDate> moved; // Done: the age base, survey and raise dates, N -> N + 1
};

// The steps of an update in their order: the tables copied, then the generated wage table.
const QStringList& AnnualUpdateSteps();
// Called before each step with its index into AnnualUpdateSteps() and its table.
using AnnualUpdateProgress = std::function<void(int step, const QString& table)>;

// True when the company master (MKIGYOU1) has the company year; failed is set when the
// question could not be asked.
bool CompanyYearExists(int kco, int year, bool* failed = nullptr);
// Employees of the company year without a decided raise (no scheduled pay after the raise);
// -1 when the read failed.
int CountUndecidedRaises(int kco, int year);

// Rolls company kco over from `year` into year + 1; `today` (yyyymmdd) becomes the new year's
// SDATE. The dates of the year (age base, survey and raise dates) move one year on, the ages
// and service of N + 1 are counted to the new age base, and titles that begin with the year
// name the new one.
AnnualUpdateResult RunAnnualUpdate(int kco, int year, int today,
                                   const AnnualUpdateProgress& progress = {});
