// The raise of an employee, the roll-over into the next year, the summary of the raises and
// the evaluation codes as the grid edits them and a file delivers them.
#include "core/masters/Cp932.h"
#include "core/raise/EvaluationFile.h"
#include "core/raise/EvaluationGrid.h"
#include "core/raise/RaiseComputation.h"
#include "core/raise/RaiseSummary.h"
#include "core/raise/RollOver.h"

#include <QtTest>

namespace {

Currency yen(qint64 v) {
    return Currency::fromInt(v);
}

// S 6, A 5, B 4, C 3, D 2 as the sample company has them.
EvaluationCodes sampleCodes() {
    return {{1, QStringLiteral("S"), 6},
            {2, QStringLiteral("A"), 5},
            {3, QStringLiteral("B"), 4},
            {4, QStringLiteral("C"), 3},
            {5, QStringLiteral("D"), 2}};
}

// An employee in grade 3, step 10, evaluated B, base pay 2 following the wage table, with a
// raise saved to grade 3, step 14.
RaiseRecord decidedEmployee() {
    RaiseRecord r;
    r.SCO = 7;
    r.SCOT = QStringLiteral("A0007");
    r.TOUKYU = 3;
    r.GOUHOU = 10;
    r.HCO = 3;
    r.JISEKI = 2;
    r.KKYU = {yen(0), yen(120000), yen(190000), yen(0)};
    r.NKKYU = {yen(0), yen(121000), yen(195000), yen(0)};
    r.TEATE = {yen(0), yen(10000), yen(20000), yen(0), yen(7000), yen(0)};
    r.NTEATE = {yen(0), yen(12000), yen(20000), yen(0), yen(7000), yen(0)};
    r.SYOUYO = yen(600000);
    r.SYOUYO2 = yen(700000);
    r.NTOUKYU = 3;
    r.NGOUHOU = 14;
    r.SYOTEI = yen(347000);
    r.NSYOTEI = yen(355000);
    r.KIN = 192600;
    r.NKIN = 196200;
    return r;
}

// The wage table of the tests: grade g at step s pays 100,000 × g + 1,000 × s up to step 60.
qint64 tableAt(int grade, int step) {
    return step >= 1 && step <= 60 ? 100000 * grade + 1000 * step : 0;
}

QByteArray cp932(const QString& text) {
    QByteArray bytes;
    Cp932::encode(text, bytes);
    return bytes;
}

} // namespace

class TestRaiseRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stepsComeFromTheEvaluation() {
        EvaluationCodes codes = sampleCodes();
        QCOMPARE(StepsForEvaluation(codes, 3), 4);
        QCOMPARE(StepsForEvaluation(codes, 0), 0);
        QCOMPARE(StepsForEvaluation(codes, 9), 0);
        codes << EvaluationCode{3, QStringLiteral("B+"), 7};
        QCOMPARE(StepsForEvaluation(codes, 3), 7); // the last entry counts
    }

    void payBeforeUpAndAfter() {
        RaiseItems it;
        it.baseBefore[1] = yen(200000);
        it.baseUp[1] = yen(5000);
        it.baseBefore[2] = yen(150000);
        it.allowanceBefore[1] = yen(10000);
        it.allowanceAfter[1] = yen(12000);
        it.allowanceBefore[3] = yen(5000); // an allowance dropped after the raise
        const RaisePay p = ComputeRaisePay(it);
        QCOMPARE(p.baseAfter[1], yen(205000));
        QCOMPARE(p.baseAfter[2], yen(150000));
        QCOMPARE(p.allowanceUp[1], yen(2000));
        QCOMPARE(p.allowanceUp[3], yen(-5000));
        QCOMPARE(p.baseSumUp, yen(5000));
        QCOMPARE(p.allowanceSumUp, yen(-3000));
        QCOMPARE(p.totalBefore, yen(365000));
        QCOMPARE(p.totalAfter, yen(367000));
        QCOMPARE(p.totalUp, yen(2000));
        QCOMPARE(RaiseRateText(RaiseRate(p.totalBefore, p.totalAfter)), QStringLiteral("0.55"));
        QCOMPARE(RaiseRateText(RaiseRate(yen(300000), yen(299000))), QStringLiteral("-0.33"));
        QVERIFY(!RaiseRate(Currency(), yen(1000)));
        QCOMPARE(RaiseRateText(std::nullopt), QString());

        // What a save stores: both bonuses in the annual pay after the raise.
        const RaiseEntry e = MakeRaiseEntry(7, RaiseDecision(), it, yen(600000), yen(700000));
        QCOMPARE(e.NNENSYU, yen(367000 * 12 + 1300000));
        QCOMPARE(e.UPK, yen(5000));
        QCOMPARE(e.UPT, yen(-3000));
        QCOMPARE(e.NKKYU[1], yen(205000));
        QCOMPARE(e.NSYOTEI, yen(367000));
    }

    void startOfASavedRaise() {
        RaiseRecord r = decidedEmployee();
        r.SGOUHOU = 2; // saved steps count, whatever the evaluation earns
        RaiseStart s = StartOfRaise(r, sampleCodes());
        QCOMPARE(s.decision.stepsUp, 2);
        QCOMPARE(s.decision.newGrade, 3);
        QCOMPARE(s.decision.newStep, 14);
        QCOMPARE(s.link, 2);
        // The linked item shows the table's amounts, the others the stored ones.
        QCOMPARE(s.items.baseBefore[2], yen(192600));
        QCOMPARE(s.items.baseUp[2], yen(196200 - 192600));
        QCOMPARE(s.items.baseBefore[1], yen(120000));
        QCOMPARE(s.items.baseUp[1], yen(1000));
        QCOMPARE(s.items.allowanceAfter[1], yen(12000));

        r.SGOUHOU = 0; // falls back to the evaluation's steps
        r.NTOUKYU = 0; // no new grade: the current one shows
        r.FSKCHK = 1;
        s = StartOfRaise(r, sampleCodes());
        QCOMPARE(s.decision.stepsUp, 4);
        QCOMPARE(s.decision.newGrade, 3);
        QVERIFY(s.decision.promotion);

        // A grade and step the table has no amount for keep the stored item.
        r.KIN = 0;
        r.NKIN = 0;
        s = StartOfRaise(r, sampleCodes());
        QCOMPARE(s.items.baseBefore[2], yen(190000));
        QCOMPARE(s.items.baseUp[2], yen(5000));
    }

    void undecidedRaiseStartsFromCurrentPay() {
        RaiseRecord r = decidedEmployee();
        r.NTOUKYU = 0;
        r.NGOUHOU = 0;
        r.NKKYU = {};
        r.NTEATE = {};
        r.NSYOTEI = Currency();
        r.NKIN = 0;
        const RaiseStart s = StartOfRaise(r, sampleCodes());
        const RaisePay p = ComputeRaisePay(s.items);
        QCOMPARE(p.totalAfter, p.totalBefore);
        QCOMPARE(p.baseAfter[2], yen(192600));
        QCOMPARE(s.items.allowanceAfter[4], yen(7000));
    }

    void raiseFromAnEvaluation() {
        RaiseRecord r = decidedEmployee();
        // B earns 4 steps: grade 3, step 10 -> 14; the linked item follows the table.
        RaiseEntry e = RaiseFromEvaluation(r, sampleCodes(), {3, 0, 0}, tableAt);
        QCOMPARE(e.decision.evaluation, 3);
        QCOMPARE(e.decision.stepsUp, 4);
        QCOMPARE(e.decision.newGrade, 3);
        QCOMPARE(e.decision.newStep, 14);
        QVERIFY(!e.decision.promotion);
        QCOMPARE(e.NKKYU[2], yen(314000));
        QCOMPARE(e.KKYU[2], yen(192600));
        QCOMPARE(e.NKKYU[1], yen(121000)); // other items as stored
        QCOMPARE(e.NTEATE[1], yen(12000));
        QCOMPARE(e.NSYOTEI, yen(121000 + 314000 + 12000 + 20000 + 7000));
        QCOMPARE(e.NNENSYU, e.NSYOTEI * 12 + yen(1300000));

        // Promotion to grade 4, step 1.
        e = RaiseFromEvaluation(r, sampleCodes(), {1, 4, 1}, tableAt);
        QVERIFY(e.decision.promotion);
        QCOMPARE(e.decision.newGrade, 4);
        QCOMPARE(e.decision.newStep, 1);
        QCOMPARE(e.decision.stepsUp, 6);
        QCOMPARE(e.NKKYU[2], yen(401000));
        QCOMPARE(e.UPK, e.NKKYU[1] + e.NKKYU[2] - e.KKYU[1] - e.KKYU[2]);
    }

    void rollOverPromotesDecidedEmployees() {
        EmployeeYear n;
        n.TOUKYU = 2;
        n.GOUHOU = 8;
        n.HCO = 2;
        n.HCO1 = 3;
        n.HNA1 = QStringLiteral("B");
        n.HCO2 = 1;
        n.HNA2 = QStringLiteral("S");
        n.HCO3 = 5;
        n.HNA3 = QStringLiteral("D");
        n.KKYU[1] = yen(200000);
        n.NKKYU[1] = yen(215000);
        n.TEATE[1] = yen(10000);
        n.NTEATE[1] = yen(11000);
        n.NTOUKYU = 3;
        n.NGOUHOU = 12;
        n.SGOUHOU = 4;
        n.FSKCHK = 1;
        n.UPK = yen(15000);
        n.UPT = yen(1000);
        n.NSRITSU = yen(3);
        n.SYOTEI = yen(210000);
        n.NSYOTEI = yen(226000);
        n.NNENSYU = yen(3000000);
        n.NENSYU = yen(2800000);
        const EmployeeYear y = RollOverEmployee(n, QStringLiteral("A"));
        QCOMPARE(y.TOUKYU, 3);
        QCOMPARE(y.GOUHOU, 12);
        QCOMPARE(y.KKYU[1], yen(215000));
        QCOMPARE(y.NKKYU[1], yen(215000));
        QCOMPARE(y.TEATE[1], yen(11000));
        QCOMPARE(y.NTEATE[1], yen(11000));
        QCOMPARE(y.NTOUKYU, 3);
        QCOMPARE(y.NGOUHOU, 12);
        QCOMPARE(y.SYOTEI, yen(226000));
        QCOMPARE(y.NENSYU, yen(3000000));
        for (const Currency& cleared : {y.UPK, y.UPT, y.NSRITSU, y.NNENSYU, y.NSYOTEI})
            QVERIFY(cleared.isZero());
        QCOMPARE(y.SGOUHOU, 0);
        QCOMPARE(y.FSKCHK, 0);
        QCOMPARE(y.HCO, 2); // this year's evaluation stays until the next raise input
        // The history moves down one place; the oldest drops out.
        QCOMPARE(QStringList({QString::number(y.HCO1), y.HNA1, QString::number(y.HCO2), y.HNA2,
                              QString::number(y.HCO3), y.HNA3}),
                 QStringList({"2", "A", "3", "B", "1", "S"}));
    }

    void rollOverCarriesUndecidedEmployees() {
        EmployeeYear n;
        n.TOUKYU = 4;
        n.GOUHOU = 30;
        n.KKYU[2] = yen(250000);
        n.TEATE[1] = yen(20000);
        n.SYOTEI = yen(270000);
        n.NENSYU = yen(4500000);
        const EmployeeYear y = RollOverEmployee(n, QString());
        QCOMPARE(y.TOUKYU, 4);
        QCOMPARE(y.GOUHOU, 30);
        QCOMPARE(y.KKYU[2], yen(250000));
        QCOMPARE(y.TEATE[1], yen(20000));
        QCOMPARE(y.SYOTEI, yen(270000));
        QCOMPARE(y.NENSYU, yen(4500000));
        // The next-year columns start equal to the carried current ones.
        QCOMPARE(y.NTOUKYU, 4);
        QCOMPARE(y.NGOUHOU, 30);
        QCOMPARE(y.NKKYU[2], yen(250000));
        QCOMPARE(y.NTEATE[1], yen(20000));
        QCOMPARE(y.HNA1, QString());

        // A new grade saved without a pay after the raise: promoted, pay carried.
        n.NTOUKYU = 5;
        n.NGOUHOU = 1;
        const EmployeeYear z = RollOverEmployee(n, QString());
        QCOMPARE(z.TOUKYU, 5);
        QCOMPARE(z.GOUHOU, 1);
        QCOMPARE(z.KKYU[2], yen(250000));
        QCOMPARE(z.NTOUKYU, 5);
    }

    void summaryCountsUndecidedRaisesAsNone() {
        const QVector<RaiseSummaryInput> staff = {
            {1, 2, yen(200000), yen(206000)},
            {1, 1, yen(210000), Currency()}, // undecided: raise 0, not minus the pay
            {3, 1, yen(300000), yen(309000)},
            {2, 2, Currency(), Currency()},
        };
        const RaiseSummary byGrade = SummariseRaises(staff, RaiseGrouping::Grade);
        QCOMPARE(byGrade.groups.size(), 3);
        const RaiseGroupSummary& one = byGrade.groups[0];
        QCOMPARE(one.group, 1);
        QCOMPARE(one.heads, 2);
        QCOMPARE(one.undecided, 1);
        QCOMPARE(one.current, yen(410000));
        QCOMPARE(one.next, yen(416000));
        QCOMPARE(one.raise, yen(6000));
        QCOMPARE(one.annualCost, yen(72000));
        QCOMPARE(RaiseRateText(one.rate), QStringLiteral("1.46"));
        QCOMPARE(byGrade.groups[1].group, 2);
        QVERIFY(!byGrade.groups[1].rate); // no current pay, no rate
        QCOMPARE(byGrade.total.heads, 4);
        QCOMPARE(byGrade.total.undecided, 2);
        QCOMPARE(byGrade.total.raise, yen(15000));
        QCOMPARE(byGrade.total.annualCost, yen(180000));

        const RaiseSummary byMark = SummariseRaises(staff, RaiseGrouping::Mark);
        QCOMPARE(byMark.groups.size(), 2);
        QCOMPARE(byMark.groups[0].group, 1);
        QCOMPARE(byMark.groups[0].raise, yen(9000));
    }

    void evaluationGridChecks() {
        using Rows = QVector<EvaluationGridRow>;
        QCOMPARE(EvaluationGridRows({}).size(), 1);
        QCOMPARE(EvaluationGridRows({}).first().code, QStringLiteral("1"));
        QCOMPARE(EvaluationGridRows({}).first().steps, QStringLiteral("0"));

        const EvaluationGridRow next = NextEvaluationRow({QStringLiteral("5"), "D", "2"});
        QCOMPARE(next.code, QStringLiteral("6"));
        QCOMPARE(next.steps, QStringLiteral("1"));

        auto refusal = [](const Rows& rows) {
            const auto p = CheckEvaluationGrid(rows);
            return p ? QStringLiteral("%1:%2:%3").arg(p->row).arg(p->column).arg(p->message)
                     : QString();
        };
        QCOMPARE(refusal({{"1", "S", "6"}, {"", "", ""}, {"2", "A", "x"}}), QString());
        QCOMPARE(refusal({{"1", "A", "6"}, {"2", "A", "5"}}),
                 QStringLiteral("0:2:評価記号が重複しています。"));
        QCOMPARE(refusal({{"1", "S", "6"}, {"2", " ", "5"}}),
                 QStringLiteral("1:2:評価記号を入力して下さい。"));
        // Codes are numbers: "01" is code 1 again, and "x" can not be stored at all.
        QCOMPARE(refusal({{"1", "S", "6"}, {"01", "A", "5"}}),
                 QStringLiteral("0:1:評価コードが重複しています。"));
        QCOMPARE(refusal({{"x", "S", "6"}}), QStringLiteral("0:1:数値を入力してください。"));

        const EvaluationCodes codes =
            EvaluationCodesOfGrid({{"1", "S", "abc"}, {"", "A", "5"}, {" 3", "B", "1e1"}});
        QCOMPARE(codes.size(), 2);
        QCOMPARE(codes[0].steps, 0);
        QCOMPARE(codes[1].code, 3);
        QCOMPARE(codes[1].steps, 10);
    }

    void evaluationFileLines() {
        const EvaluationFile f =
            ReadEvaluationFile(cp932(QStringLiteral("社員番号,評価,新等級,新号俸\r\n"
                                                    "A0001,3\r\n"
                                                    "A0002,1,4,2\r\n"
                                                    "A0003,2,,\r\n"
                                                    "\r\n"
                                                    "A0004,2,5\r\n"
                                                    "A0005,x\r\n"
                                                    "A0006,2,4,0\r\n"
                                                    "A0007,2,10,1\r\n"
                                                    ",2\r\n")));
        QCOMPARE(f.lines.size(), 3);
        QCOMPARE(f.lines[1].line, 3);
        QCOMPARE(f.lines[1].entry.newGrade, 4);
        QCOMPARE(f.lines[1].entry.newStep, 2);
        QCOMPARE(f.lines[2].entry.newGrade, 0);
        QStringList faults;
        for (const EvaluationFault& x : f.faults)
            faults << QString::number(x.line);
        QCOMPARE(faults, QStringList({"6", "7", "8", "9", "10"}));

        QByteArray bom("\xEF\xBB\xBF");
        const EvaluationFile utf8 =
            ReadEvaluationFile(bom + QStringLiteral("番号,評価\nＺ１,5\n").toUtf8());
        QCOMPARE(utf8.lines.size(), 1);
        QCOMPARE(utf8.lines[0].scot, QStringLiteral("Ｚ１"));

        const EvaluationFile headerOnly = ReadEvaluationFile("SCOT,HCO\r\n");
        QCOMPARE(headerOnly.faults.size(), 1);
        QVERIFY(headerOnly.lines.isEmpty());
    }

    // A NUL would cut the number where it is read, a quote left open swallows the line: both
    // are refused with their line and field.
    void evaluationFileRefusesControlCharactersAndOpenQuotes() {
        QByteArray bytes("SCOT,HCO,G,S\r\nA0035,1,2,2");
        bytes.append('\0');
        bytes.append("6\r\nA0036,2\tx\r\n\"A0037,3\r\nA0038,3\r\n");
        const EvaluationFile f = ReadEvaluationFile(bytes);
        QCOMPARE(f.lines.size(), 1);
        QCOMPARE(f.lines[0].scot, QStringLiteral("A0038"));
        QCOMPARE(f.faults.size(), 3);
        QCOMPARE(f.faults[0].line, 2);
        QCOMPARE(f.faults[0].reason,
                 QStringLiteral("field 4 (new step) holds a control character (NUL)"));
        QCOMPARE(f.faults[1].reason,
                 QStringLiteral("field 2 (evaluation code) holds a control character (TAB)"));
        QCOMPARE(f.faults[2].reason, QStringLiteral("a quote (\") is never closed"));
    }

    void planRefusesWhatIsNotOneKnownEmployee() {
        RaiseRecord a = decidedEmployee();
        RaiseRecord b = decidedEmployee();
        b.SCO = 8;
        b.SCOT = QStringLiteral("A0008");
        b.JISEKI = 0;
        RaiseRecord twin = b;
        twin.SCO = 9; // two employees with the number A0008
        RaiseRecord c = b;
        c.SCO = 10;
        c.SCOT = QStringLiteral("A0010");
        const QVector<RaiseRecord> staff = {a, b, twin, c};
        const EvaluationFile f = ReadEvaluationFile(QByteArray("SCOT,HCO,G,S\n"
                                                               "A0007,3\n"
                                                               "A0008,3\n"
                                                               "A0099,3\n"
                                                               "A0007,2\n"
                                                               "A0010,9\n"));
        const EvaluationPlan plan = PlanRaises(f, staff, sampleCodes(), tableAt);
        QCOMPARE(plan.entries.size(), 1);
        QCOMPARE(plan.entries[0].SCO, 7);
        QStringList lines;
        for (const EvaluationFault& x : plan.faults)
            lines << QString::number(x.line);
        QCOMPARE(lines, QStringList({"3", "4", "5", "6"}));

        // A linked item the table has no amount for is refused, not stored as 0.
        const EvaluationPlan beyond = PlanRaises(ReadEvaluationFile("SCOT,HCO,G,S\nA0007,3,4,70\n"),
                                                 {a}, sampleCodes(), tableAt);
        QVERIFY(beyond.entries.isEmpty());
        QCOMPARE(beyond.faults.size(), 1);
        QVERIFY(beyond.faults[0].reason.contains(QStringLiteral("step 70")));
    }
};

QTEST_GUILESS_MAIN(TestRaiseRules)
#include "test_raise_rules.moc"
