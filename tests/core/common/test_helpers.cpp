#include "core/common/AppState.h"
#include "core/common/DisplayTexts.h"
#include "core/common/Helpers.h"
#include "core/common/SqlText.h"

#include <QtTest>

class TestHelpers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { resetState(); }

    void textToNumbers() {
        QCOMPARE(CommaTextToInt(QStringLiteral("1,234,567")), 1234567);
        QCOMPARE(CommaTextToInt(QStringLiteral("-1,000")), -1000);
        QCOMPARE(CommaTextToInt(QStringLiteral("12.5")), 0);
        QCOMPARE(CommaTextToInt(QStringLiteral("abc")), 0);
        QCOMPARE(CommaTextToInt(QString()), 0);
        QCOMPARE(FieldValueText(QVariant()), QStringLiteral("0"));
        QCOMPARE(FieldValueText(QVariant(QString())), QStringLiteral("0"));
        QCOMPARE(FieldValueText(QVariant(12.0)), QStringLiteral("12"));
        QCOMPARE(FieldValueText(QVariant(QStringLiteral("東京"))), QStringLiteral("東京"));
    }

    void fields() {
        QCOMPARE(TextBeforeBlank(QStringLiteral("5 : 東京")), QStringLiteral("5"));
        QCOMPARE(TextBeforeBlank(QStringLiteral("12")), QStringLiteral("12"));
        QCOMPARE(NthField(QStringLiteral("5 : 東京"), QLatin1Char(' '), 3), QStringLiteral("東京"));
        QCOMPARE(NthField(QStringLiteral("5"), QLatin1Char(' '), 3), QString());
        QCOMPARE(NthField(QStringLiteral("a,,c"), QLatin1Char(','), 2), QString());
        QCOMPARE(NthField(QStringLiteral("a,,c"), QLatin1Char(','), 3), QStringLiteral("c"));
        QCOMPARE(NthField(QStringLiteral("a,b"), QLatin1Char(','), 0), QString());
        QCOMPARE(NthField(QString(), QLatin1Char(','), 1), QString());
    }

    void checkNumberText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("message");
        const QString range = QStringLiteral("入力範囲外です。");
        const QString nan = QStringLiteral("数値を入力してください。");
        QTest::newRow("commas accepted") << "1,234" << 4 << QString();
        QTest::newRow("too long") << "12345" << 4 << range;
        QTest::newRow("not a number") << "abc" << 4 << nan;
        QTest::newRow("empty") << "" << 4 << nan;
        QTest::newRow("decimals count") << "12.5" << 3 << range;
        QTest::newRow("minus not counted") << "-123" << 3 << QString();
        QTest::newRow("minus too long") << "-1234" << 3 << range;
        QTest::newRow("trailing zeros dropped") << "1.50" << 3 << QString();
        QTest::newRow("leading zeros dropped") << "0012" << 2 << QString();
    }
    void checkNumberText() {
        QFETCH(QString, text);
        QFETCH(int, digits);
        QFETCH(QString, message);
        QCOMPARE(CheckNumberText(text, digits), message);
    }

    void rounding() {
        QCOMPARE(RoundAt(1, 2.5), 3.0);
        QCOMPARE(RoundAt(1, -2.5), -3.0);
        QCOMPARE(RoundAt(0, 15), 20.0);
        QCOMPARE(RoundAt(0, 14.99), 10.0);
        QCOMPARE(RoundAt(2, 2.45), 2.5);
        QCOMPARE(RoundAt(3, 2.675), 2.68); // taken as the decimal it was written as
        QCOMPARE(RoundAt(1, 0), 0.0);
        QCOMPARE(RoundAt(-1, 205450), 205500.0);
        QCOMPARE(RoundAt(-1, 205449.99), 205400.0);
        QCOMPARE(RoundAt(1, 0.4), 0.0);
        QCOMPARE(RoundAt(1, 0.5), 1.0);
        QCOMPARE(RoundAt(-2, 499), 0.0);
        QCOMPARE(RoundAt(-2, 500), 1000.0);
    }

    void wageUnit() {
        QCOMPARE(RoundWageUnit(12345, 1), qint64(12300));
        QCOMPARE(RoundWageUnit(12350, 1), qint64(12400));
        QCOMPARE(RoundWageUnit(12345, 0), qint64(12350));
        QCOMPARE(RoundWageUnit(12499, 2), qint64(12000));
        QCOMPARE(RoundWageUnit(12500, 7), qint64(13000)); // any other setting: thousands
        QCOMPARE(RoundWageUnit(-12350, 1), qint64(-12400));
        QCOMPARE(RoundWageUnit(205450, 1), qint64(205500));
    }

    void sqlValues() {
        QCOMPARE(SqlQuote(QStringLiteral("O'Brien商事")), QStringLiteral("'O''Brien商事'"));
        QCOMPARE(SqlQuote(QString()), QStringLiteral("''"));
        QCOMPARE(SqlNum(12.0), QStringLiteral("12"));
        QCOMPARE(SqlNum(0.1), QStringLiteral("0.1"));
        QCOMPARE(SqlNum(-2.5), QStringLiteral("-2.5"));
        QCOMPARE(SqlNum(1e15), QStringLiteral("1000000000000000"));
    }

    void codeTexts() {
        TMKIGYOU2 settings;
        std::array<TMMARK, 7> marks;
        QCOMPARE(EmployeeKindText(2), QStringLiteral("2 : 正社員"));
        QCOMPARE(EmployeeKindText(5), QString());
        QCOMPARE(EmployeeKindCode(QStringLiteral("パート")), QStringLiteral("3"));
        QCOMPARE(EmployeeKindCode(QStringLiteral("嘱託")), QStringLiteral("0"));
        settings.TK[3] = QStringLiteral("主任");
        QCOMPARE(GradeText(3, settings), QStringLiteral("3 : 主任"));
        QCOMPARE(GradeText(0, settings), QString());
        QCOMPARE(GradeText(10, settings), QString());
        marks[1].MARK = QStringLiteral("■");
        marks[1].HANREI = QStringLiteral("男子営業");
        QCOMPARE(MarkText(1, marks), QStringLiteral("1 : ■"));
        QCOMPARE(MarkLegendText(1, marks), QStringLiteral("1 : ■  男子営業"));
        QCOMPARE(MarkText(7, marks), QString());
        const CodeList evaluations = {{QStringLiteral("1"), QStringLiteral("S")},
                                      {QStringLiteral("1"), QStringLiteral("second")}};
        QCOMPARE(EvalCodeText(QStringLiteral("1"), evaluations), QStringLiteral("1 : S"));
        QCOMPARE(EvalCodeText(QStringLiteral("2"), evaluations), QString());
        const CodeList living = {{QStringLiteral("1"), QStringLiteral("人事院")}};
        QCOMPARE(LivingCodeText(QStringLiteral("1"), living), QStringLiteral("1 : 人事院"));
        QCOMPARE(LivingCodeText(QStringLiteral("7"), living), QStringLiteral("7 : 未登録"));
        QCOMPARE(ModelDataCodeText(QStringLiteral("3"), {}), QStringLiteral("3 : 未登録"));
        QCOMPARE(LineStyleText(3), QStringLiteral("3 : 一点鎖線"));
        QCOMPARE(LineStyleText(4), QString());
    }

    void amounts() {
        QCOMPARE(FormatAmount(1234567), QStringLiteral("1,234,567"));
        QCOMPARE(FormatAmount(-1000), QStringLiteral("-1,000"));
        QCOMPARE(FormatAmount(0), QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "test_helpers.moc"
