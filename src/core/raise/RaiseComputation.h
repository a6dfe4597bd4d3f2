#pragma once

#include "core/common/Counts.h"
#include "core/common/Currency.h"

#include <QString>
#include <QVector>
#include <array>
#include <functional>
#include <optional>

// The raise of one employee for the coming year: the steps an evaluation earns, the pay before
// and after with its sums, the raise in money and percent, and what a raise save stores. The
// raise input screen and the command-line companion both compute through here. Arrays named
// after 1-based items keep index 0 unused.

// One evaluation code of a company year (MHYOUKA).
struct EvaluationCode {
    int code = 0;   // HCO
    QString symbol; // HKIGOU, the mark users see
    int steps = 0;  // SGOUSU, pay steps the evaluation earns
};
using EvaluationCodes = QVector<EvaluationCode>;

// The steps an evaluation earns: the last entry with the code counts; no entry gives 0.
int StepsForEvaluation(const EvaluationCodes& codes, int code);
// The entry of a code (the last one), or none.
std::optional<EvaluationCode> FindEvaluation(const EvaluationCodes& codes, int code);
// 昇号数 as the raise input shows it: the steps saved with the raise, or while none are saved
// (0, also when the new step came from the evaluation) the steps the evaluation earns.
inline int StepsUpShown(int savedSteps, int evaluationSteps) {
    return savedSteps != 0 ? savedSteps : evaluationSteps;
}
// A raise promotes when it sets a new grade other than the grade.
inline bool IsPromotion(int grade, int newGrade) {
    return newGrade != 0 && newGrade != grade;
}

// An employee as the raise input reads it (the view VSYAIN).
struct RaiseRecord {
    int SCO = 0;
    QString SCOT;
    QString SNA;
    qint64 THI = 0; // date of appointment
    int MCO = 0;
    int TOUKYU = 0;
    int GOUHOU = 0;
    int HCO = 0;
    QString HNA1, HNA2, HNA3;
    int JISEKI = 0; // which base pay follows the wage table, 0 none
    std::array<Currency, BasePayItemCount + 1> KKYU{}, NKKYU{};
    std::array<Currency, AllowanceCount + 1> TEATE{}, NTEATE{};
    Currency SYOUYO, SYOUYO2;
    int NTOUKYU = 0;
    int SGOUHOU = 0;
    int NGOUHOU = 0;
    int FSKCHK = 0;
    Currency SYOTEI, NSYOTEI;
    qint64 KIN = 0;  // wage-table amount at the current grade and step, 0 none
    qint64 NKIN = 0; // at the new grade and step
};

// A raise counts as decided once a scheduled pay after it is stored.
inline bool RaiseDecided(Currency scheduledAfter) {
    return !scheduledAfter.isZero();
}

// The items of a raise as entered: base pay raised by its Up amount, allowances by their new
// amount.
struct RaiseItems {
    std::array<Currency, BasePayItemCount + 1> baseBefore{};
    std::array<Currency, BasePayItemCount + 1> baseUp{};
    std::array<Currency, AllowanceCount + 1> allowanceBefore{};
    std::array<Currency, AllowanceCount + 1> allowanceAfter{};
};

struct RaisePay {
    std::array<Currency, BasePayItemCount + 1> baseAfter{};
    std::array<Currency, AllowanceCount + 1> allowanceUp{};
    Currency baseSumBefore, baseSumUp, baseSumAfter;
    Currency allowanceSumBefore, allowanceSumUp, allowanceSumAfter;
    Currency totalBefore, totalUp, totalAfter; // scheduled pay
};
RaisePay ComputeRaisePay(const RaiseItems& items);

// The raise in percent of the scheduled pay before, to four decimals; none when that is 0.
std::optional<Currency> RaiseRate(Currency before, Currency after);
// "#0.00" of a rate; empty for none.
QString RaiseRateText(const std::optional<Currency>& rate);

// Grade, step and evaluation of a raise as entered.
struct RaiseDecision {
    int grade = 0;      // 資格等級 (TOUKYU)
    int step = 0;       // 号俸 (GOUHOU)
    int evaluation = 0; // 人事評価 (HCO)
    int newGrade = 0;   // Ｎｅｗ等級 (NTOUKYU)
    int stepsUp = 0;    // 昇号数 (SGOUHOU)
    int newStep = 0;    // New号俸 (NGOUHOU)
    bool promotion = false;
};

// What a raise save writes into the employee's MSYAIN2 row.
struct RaiseEntry {
    int SCO = 0;
    RaiseDecision decision;
    std::array<Currency, BasePayItemCount + 1> KKYU{}, NKKYU{};
    std::array<Currency, AllowanceCount + 1> TEATE{}, NTEATE{};
    Currency UPK, UPT;
    Currency SYOTEI, NSYOTEI;
    Currency NNENSYU; // annual pay after the raise, bonuses included
};
RaiseEntry MakeRaiseEntry(int sco, const RaiseDecision& decision, const RaiseItems& items,
                          Currency bonus1, Currency bonus2);

// Where the raise input starts for a stored employee: the decision as saved (a new grade of 0
// shows the current grade, saved steps of 0 the evaluation's steps) and the items. The linked
// base pay shows the wage table's amounts where the table has one, the stored item otherwise.
// An employee without a decided raise starts from the current pay: every item after the raise
// equals the item before it.
struct RaiseStart {
    RaiseDecision decision;
    RaiseItems items;
    int link = 0;
};
RaiseStart StartOfRaise(const RaiseRecord& r, const EvaluationCodes& codes);

// The wage-table amount at a grade and step; 0 when the table has none.
using WageAmountAt = std::function<qint64(int grade, int step)>;

// A grade and step the wage table has no amount for, where the linked base pay needs one.
struct MissingWageAmount {
    int grade = 0;
    int step = 0;
};
// For an employee whose base pay follows the wage table (link 1 to 3): none when the table has
// an amount at the new grade and step. Without a link nothing is missing. The raise input and
// the raise import both refuse such a raise: saved, the linked pay after it would be 0.
std::optional<MissingWageAmount> MissingLinkedAmount(int link, int newGrade, int newStep,
                                                     const WageAmountAt& amountAt);

// A raise entered from an evaluation, as a user of the raise input would enter it: the code's
// steps; without a new grade the new step is the step plus those steps and the grade stays;
// with one, promotion to the new grade and step. The linked base pay after the raise is the
// wage table's amount at the new grade and step.
struct EvaluationEntry {
    int code = 0;
    int newGrade = 0; // 0: no promotion
    int newStep = 0;  // with a new grade only
};
RaiseEntry RaiseFromEvaluation(const RaiseRecord& r, const EvaluationCodes& codes,
                               const EvaluationEntry& entry, const WageAmountAt& amountAt);
