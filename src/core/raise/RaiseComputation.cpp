#include "core/raise/RaiseComputation.h"

#include "core/common/Counts.h"
#include "core/common/NumberText.h"
#include "core/masters/EmployeeRecord.h"

std::optional<EvaluationCode> FindEvaluation(const EvaluationCodes& codes, int code) {
    std::optional<EvaluationCode> found;
    for (const EvaluationCode& e : codes)
        if (e.code == code)
            found = e;
    return found;
}

int StepsForEvaluation(const EvaluationCodes& codes, int code) {
    const std::optional<EvaluationCode> e = FindEvaluation(codes, code);
    return e ? e->steps : 0;
}

RaisePay ComputeRaisePay(const RaiseItems& items) {
    RaisePay p;
    for (size_t i = 1; i <= BasePayItemCount; ++i) {
        p.baseAfter[i] = items.baseBefore[i] + items.baseUp[i];
        p.baseSumBefore += items.baseBefore[i];
        p.baseSumAfter += p.baseAfter[i];
    }
    p.baseSumUp = p.baseSumAfter - p.baseSumBefore;
    for (size_t i = 1; i <= AllowanceCount; ++i) {
        p.allowanceUp[i] = items.allowanceAfter[i] - items.allowanceBefore[i];
        p.allowanceSumBefore += items.allowanceBefore[i];
        p.allowanceSumAfter += items.allowanceAfter[i];
    }
    p.allowanceSumUp = p.allowanceSumAfter - p.allowanceSumBefore;
    p.totalBefore = p.baseSumBefore + p.allowanceSumBefore;
    p.totalAfter = p.baseSumAfter + p.allowanceSumAfter;
    p.totalUp = p.totalAfter - p.totalBefore;
    return p;
}

std::optional<Currency> RaiseRate(Currency before, Currency after) {
    if (before.isZero())
        return std::nullopt;
    return ((after - before) * 100) / before;
}

QString RaiseRateText(const std::optional<Currency>& rate) {
    if (!rate)
        return {};
    // Hundredths rounded half away from zero from the exact four decimals.
    const qint64 raw = rate->raw();
    const qint64 hundredths = (raw < 0 ? raw - 50 : raw + 50) / 100;
    return FixedText(Int128(hundredths), 2, false);
}

RaiseEntry MakeRaiseEntry(int sco, const RaiseDecision& decision, const RaiseItems& items,
                          Currency bonus1, Currency bonus2) {
    const RaisePay pay = ComputeRaisePay(items);
    RaiseEntry e;
    e.SCO = sco;
    e.decision = decision;
    e.KKYU = items.baseBefore;
    e.NKKYU = pay.baseAfter;
    e.TEATE = items.allowanceBefore;
    e.NTEATE = items.allowanceAfter;
    e.UPK = pay.baseSumUp;
    e.UPT = pay.allowanceSumUp;
    e.SYOTEI = pay.totalBefore;
    e.NSYOTEI = pay.totalAfter;
    // Annual pay counts as the employee screen counts it, with both bonuses: the roll-over
    // makes it next year's annual pay.
    e.NNENSYU = ComputeEmployeePay(items.baseBefore, pay.baseAfter, items.allowanceBefore,
                                   items.allowanceAfter, bonus1, bonus2)
                    .annualAfter;
    return e;
}

RaiseStart StartOfRaise(const RaiseRecord& r, const EvaluationCodes& codes) {
    RaiseStart s;
    RaiseDecision& d = s.decision;
    d.grade = r.TOUKYU;
    d.step = r.GOUHOU;
    d.evaluation = r.HCO;
    d.newGrade = r.NTOUKYU != 0 ? r.NTOUKYU : r.TOUKYU;
    d.stepsUp = StepsUpShown(r.SGOUHOU, StepsForEvaluation(codes, r.HCO));
    d.newStep = r.NGOUHOU;
    d.promotion = r.FSKCHK == 1;
    s.link = NormalisedLink(r.JISEKI);

    const bool decided = RaiseDecided(r.NSYOTEI);
    std::array<Currency, BasePayItemCount + 1> after{};
    for (size_t i = 1; i <= BasePayItemCount; ++i) {
        Currency before = r.KKYU[i];
        Currency next = r.NKKYU[i];
        if (s.link == int(i)) {
            // A grade and step the table has no amount for keep the stored item, so that
            // saving never wipes pay the table does not know.
            if (r.KIN != 0)
                before = Currency::fromInt(r.KIN);
            if (r.NKIN != 0)
                next = Currency::fromInt(r.NKIN);
        }
        s.items.baseBefore[i] = before;
        after[i] = decided ? next : before;
        s.items.baseUp[i] = after[i] - before;
    }
    for (size_t i = 1; i <= AllowanceCount; ++i) {
        s.items.allowanceBefore[i] = r.TEATE[i];
        s.items.allowanceAfter[i] = decided ? r.NTEATE[i] : r.TEATE[i];
    }
    return s;
}

RaiseEntry RaiseFromEvaluation(const RaiseRecord& r, const EvaluationCodes& codes,
                               const EvaluationEntry& entry, const WageAmountAt& amountAt) {
    RaiseStart s = StartOfRaise(r, codes);
    RaiseDecision& d = s.decision;
    d.evaluation = entry.code;
    d.stepsUp = StepsForEvaluation(codes, entry.code);
    d.promotion = entry.newGrade != 0;
    if (d.promotion) {
        d.newGrade = entry.newGrade;
        d.newStep = entry.newStep;
    } else {
        d.newGrade = d.grade;
        d.newStep = d.step + d.stepsUp;
    }
    if (s.link != 0) {
        const size_t n = size_t(s.link);
        const Currency after = Currency::fromInt(amountAt(d.newGrade, d.newStep));
        s.items.baseUp[n] = after - s.items.baseBefore[n];
    }
    return MakeRaiseEntry(r.SCO, d, s.items, r.SYOUYO, r.SYOUYO2);
}

std::optional<MissingWageAmount> MissingLinkedAmount(int link, int newGrade, int newStep,
                                                     const WageAmountAt& amountAt) {
    if (NormalisedLink(link) == 0 || amountAt(newGrade, newStep) != 0)
        return std::nullopt;
    return MissingWageAmount{newGrade, newStep};
}
