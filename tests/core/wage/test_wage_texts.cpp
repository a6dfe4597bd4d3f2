// The wage-table fields as texts: their checks, how stored values are shown, and how the texts
// of a save become the definition.

#include "core/wage/WageTableTexts.h"

#include <QtTest>

namespace {
const QString NotNumber = QStringLiteral("数値を入力してください。");
const QString OutOfRange = QStringLiteral("入力範囲外です。");
} // namespace

class TestWageTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fieldChecks_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        const QString grades = QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。");
        const QString zero = QStringLiteral("０　は、入力できません。");
        QTest::newRow("grades 9") << 0 << "9"
                                  << ""
                                  << "9";
        QTest::newRow("grades 0") << 0 << "0" << grades << "";
        QTest::newRow("grades 10") << 0 << "10" << grades << "";
        QTest::newRow("grades 1.5") << 0 << "1.5" << NotNumber << "";
        QTest::newRow("code") << 1 << "3"
                              << ""
                              << "3";
        QTest::newRow("code with name") << 1 << QStringLiteral("3 : 旧表") << ""
                                        << "3";
        QTest::newRow("code 0") << 1 << "0" << zero << "";
        QTest::newRow("code shown as none") << 1 << QStringLiteral("0 : なし") << zero << "";
        QTest::newRow("code text") << 1 << "abc" << NotNumber << "";
        QTest::newRow("code empty") << 1 << ""
                                    << ""
                                    << "";
        QTest::newRow("step -10") << 2 << "-10"
                                  << ""
                                  << "-10";
        QTest::newRow("step 80") << 2 << "80"
                                 << ""
                                 << "80";
        QTest::newRow("step -11") << 2 << "-11" << OutOfRange << "";
        QTest::newRow("step 81") << 2 << "81" << OutOfRange << "";
        QTest::newRow("step 1.5") << 2 << "1.5" << NotNumber << "";
        QTest::newRow("amount") << 3 << "1234567"
                                << ""
                                << "1,234,567";
        QTest::newRow("amount half") << 3 << "1234.5"
                                     << ""
                                     << "1,235";
        QTest::newRow("amount negative half") << 3 << "-0.5"
                                              << ""
                                              << "-1";
        QTest::newRow("amount 8 digits") << 3 << "99,999,999"
                                         << ""
                                         << "99,999,999";
        QTest::newRow("amount 9 digits") << 3 << "100000000" << OutOfRange << "";
        QTest::newRow("amount text") << 3 << "x" << NotNumber << "";
        QTest::newRow("percent") << 4 << "-20"
                                 << ""
                                 << "-20";
        QTest::newRow("percent long") << 4 << "-12.345" << OutOfRange << "";
        QTest::newRow("rate 2") << 5 << "1.01"
                                << ""
                                << "1.010";
        QTest::newRow("rate 2 half") << 5 << "1.0005"
                                     << ""
                                     << "1.001";
        QTest::newRow("rate 2 long") << 5 << "1.00049999999999"
                                     << ""
                                     << "1.000";
        QTest::newRow("rate 2 commas") << 5 << "1,000"
                                       << ""
                                       << "1,000.000";
        QTest::newRow("rate 2 text") << 5 << "1.0.1" << NotNumber << "";
        QTest::newRow("rate 2 huge") << 5 << "10000" << OutOfRange << "";
        QTest::newRow("rate 2 shown as 10,000") << 5 << "9999.9999" << OutOfRange << "";
        QTest::newRow("rate 3") << 6 << "0.98"
                                << ""
                                << "0.980";
        QTest::newRow("rate 3 long") << 6 << "1.000000001" << OutOfRange << "";
    }
    void fieldChecks() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        FieldCheck (*const checks[])(const QString&) = {
            &CheckGradeCountText, &CheckCodeText,       &CheckStepText,     &CheckAmountText,
            &CheckPercentText,    &CheckSecondRateText, &CheckThirdRateText};
        const FieldCheck c = checks[kind](text);
        QCOMPARE(c.message, message);
        if (c.ok())
            QCOMPARE(c.shown, shown);
    }

    void storedValuesAsShown() {
        const QVector<StoredScaleRow> scale = {
            {4, Currency::fromInt(-20), Currency::fromString(QStringLiteral("200000.5")),
             Currency::fromString(QStringLiteral("12.5")),
             Currency::fromString(QStringLiteral("1.625")), Currency::fromInt(100000)}};
        GradeNames names;
        names[1] = QStringLiteral("一般職");
        const auto page = ScalePageTexts(scale, names);
        QCOMPARE(page[1].grade, QStringLiteral("4")); // rows fill in order, numbered as stored
        QCOMPARE(page[1].name, QStringLiteral("一般職"));
        QCOMPARE(page[1].lower, QStringLiteral("-20"));
        QCOMPARE(page[1].base, QStringLiteral("200,001"));
        QCOMPARE(page[1].upper, QStringLiteral("12.5"));
        QCOMPARE(page[1].spread, QStringLiteral("1.63"));
        QCOMPARE(page[1].range, QStringLiteral("100,000"));
        QCOMPARE(page[2].grade, QStringLiteral("2"));
        QCOMPARE(page[2].base, QStringLiteral("0"));

        const CurvePageTexts empty = CurvePageTextsOf({});
        QCOMPARE(empty.rate, QStringLiteral("1.000"));
        QCOMPARE(empty.rows[9].amount[3], QStringLiteral("0"));
        StoredCurveRow r;
        r.grade = 1;
        r.steps = {-3, 5, 12, 20};
        r.amounts = {Currency::fromInt(180000), Currency::fromInt(200000),
                     Currency::fromInt(215000), Currency::fromInt(1230000)};
        r.rate = Currency::fromString(QStringLiteral("1.0125"));
        const CurvePageTexts curve = CurvePageTextsOf({r});
        QCOMPARE(curve.rate, QStringLiteral("1.013"));
        QCOMPARE(curve.rows[1].step[0], QStringLiteral("-3"));
        QCOMPARE(curve.rows[1].amount[3], QStringLiteral("1,230,000"));
    }

    void savedFields() {
        WageTableTexts t;
        t.gradeCount = QStringLiteral("2");
        t.head.method = CurveMethod::ThirdOrder;
        t.scale[1].lower = QStringLiteral("-20");
        t.scale[1].base = QStringLiteral("200,000");
        t.scale[1].spread = QStringLiteral("1.63");
        t.scale[1].range = QStringLiteral("100,000");
        t.third.rate = QStringLiteral("1,001.500");
        t.third.rows[2].step = {QStringLiteral("-3"), QStringLiteral("4"), QStringLiteral("9"),
                                QStringLiteral("30")};
        t.third.rows[2].amount[3] = QStringLiteral("1,230,000");
        // Fields beyond the grade count and on the page of the other method are not saved.
        t.scale[3].base = QStringLiteral("abc");
        t.second.rows[1].step[0] = QStringLiteral("99");
        QVERIFY(!CheckSavedFields(t));

        const WageTableDefinition d = DefinitionOfTexts(t);
        QCOMPARE(d.head.gradeCount, 2);
        QCOMPARE(d.scale[1].base.toString(), QStringLiteral("200000"));
        QCOMPARE(d.scale[1].spread.toString(), QStringLiteral("1.63"));
        QCOMPARE(d.scale[1].range.toString(), QStringLiteral("100000"));
        QCOMPARE(d.third.rate.toString(), QStringLiteral("1001.5"));
        QCOMPARE(d.third.grades[2].points[0].step, -3);
        QCOMPARE(d.third.grades[2].points[3].amount, 1230000);
        QCOMPARE(d.steps().lowest, -3);
        QCOMPARE(d.steps().highest, 30);

        // The first refusal in the screen's order names its control.
        t.third.rows[2].step[2] = QStringLiteral("81");
        t.third.rows[1].amount[1] = QStringLiteral("x");
        std::optional<FieldProblem> p = CheckSavedFields(t);
        QVERIFY(p);
        QCOMPARE(p->ref.controlName(), QStringLiteral("txtC1Salary1"));
        QCOMPARE(p->message, NotNumber);
        t.third.rows[1].amount[1] = QStringLiteral("0");
        p = CheckSavedFields(t);
        QCOMPARE(p->ref.controlName(), QStringLiteral("txtC2Gosu2"));
        QCOMPARE(p->message, OutOfRange);
        t.scale[2].upper = QStringLiteral("123456");
        QCOMPARE(CheckSavedFields(t)->ref.controlName(), QStringLiteral("txtJyogen2"));
        t.gradeCount = QStringLiteral("");
        QCOMPARE(CheckSavedFields(t)->ref.controlName(), QStringLiteral("txtTokyusu"));
    }

    void storedHead() {
        WageTableTexts t;
        t.head.rounding = 2;
        StoredHead h;
        h.gradeCount = 6;
        h.title = QStringLiteral("職能給表");
        h.method = 1;
        h.overwrite = 1;
        h.rounding = 7; // not a rounding: the option stays as it was
        h.scaleCode = 3;
        ApplyStoredHead(t, h);
        QCOMPARE(t.gradeCount, QStringLiteral("6"));
        QCOMPARE(t.head.method, CurveMethod::ThirdOrder);
        QVERIFY(t.head.manualAmounts);
        QCOMPARE(t.head.rounding, 2);
        QCOMPARE(t.head.scaleCode, 3);
        ApplyStoredHead(t, std::nullopt);
        QCOMPARE(t.head.method, CurveMethod::SecondOrder);
        QVERIFY(!t.head.manualAmounts);
        QCOMPARE(t.head.rounding, 0);
        QCOMPARE(t.head.scaleCode, 0);
    }
};

QTEST_APPLESS_MAIN(TestWageTexts)
#include "test_wage_texts.moc"
