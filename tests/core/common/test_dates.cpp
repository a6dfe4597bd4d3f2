#include "core/common/AppState.h"
#include "core/common/Dates.h"
#include "core/raise/RollOver.h"

#include <QtTest>

namespace {
// The era table as delivered.
void setEras() {
    AppState& s = state();
    s.EraNames = {QString(), QStringLiteral("昭和"), QStringLiteral("平成"),
                  QStringLiteral("令和")};
    s.EraStartYears = {0, 1926, 1989, 2019};
    s.EraStartMonths = {0, 12, 1, 5};
    s.EraStartDays = {0, 25, 8, 1};
}
TYMD parts(const QString& era, const QString& y, const QString& m, const QString& d) {
    TYMD t;
    t.Era = era;
    t.Year = y;
    t.Month = m;
    t.Day = d;
    return t;
}
} // namespace

class TestDates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        resetState();
        setEras();
        state().clock = [] { return QDate(2026, 12, 8); };
    }

    void westernPartsToDate() {
        TYMD t = parts({}, QStringLiteral("05"), QStringLiteral("4"), QStringLiteral("1"));
        QVERIFY(PartsToDate(t, 0));
        QCOMPARE(t.Ymd, QStringLiteral("20050401"));
        QCOMPARE(t.Year, QStringLiteral("2005"));
        t = parts({}, QStringLiteral("99"), QStringLiteral("4"), QStringLiteral("1"));
        QVERIFY(PartsToDate(t, 0));
        QCOMPARE(t.Ymd, QStringLiteral("19990401"));
        t = parts({}, QStringLiteral("30"), QStringLiteral("1"), QStringLiteral("1"));
        QVERIFY(PartsToDate(t, 0));
        QCOMPARE(t.Ymd, QStringLiteral("20300101"));
        t = parts({}, QStringLiteral("31"), QStringLiteral("1"), QStringLiteral("1"));
        QVERIFY(PartsToDate(t, 0));
        QCOMPARE(t.Ymd, QStringLiteral("19310101"));
    }

    void noDateAndInvalidDates() {
        TYMD t = parts({}, QStringLiteral("77"), QStringLiteral("0"), QStringLiteral("0"));
        QVERIFY(PartsToDate(t, 0));
        QCOMPARE(t.Ymd, QStringLiteral("0"));
        t = parts({}, QStringLiteral("77"), QString(), QString());
        QVERIFY(PartsToDate(t, 0));
        QCOMPARE(t.Ymd, QStringLiteral("0"));
        t = parts({}, QStringLiteral("24"), QStringLiteral("2"), QStringLiteral("30"));
        QVERIFY(!PartsToDate(t, 0));
        QCOMPARE(t.Ymd, QStringLiteral("20261208")); // today, never to be stored
        t = parts({}, QStringLiteral("24"), QStringLiteral("0"), QStringLiteral("5"));
        QVERIFY(!PartsToDate(t, 0));
        t = parts({}, QStringLiteral("24"), QStringLiteral("2"), QStringLiteral("29"));
        QVERIFY(PartsToDate(t, 0)); // 2024 is a leap year
    }

    void eraPartsToDate() {
        TYMD t = parts(QStringLiteral("平成"), QStringLiteral("16"), QStringLiteral("4"),
                       QStringLiteral("1"));
        QVERIFY(PartsToDate(t, 1));
        QCOMPARE(t.Ymd, QStringLiteral("20040401"));
        t = parts(QStringLiteral("令和"), QStringLiteral("5"), QStringLiteral("6"),
                  QStringLiteral("30"));
        QVERIFY(PartsToDate(t, 1));
        QCOMPARE(t.Ymd, QStringLiteral("20230630"));
        t = parts(QStringLiteral("大正"), QStringLiteral("5"), QStringLiteral("6"),
                  QStringLiteral("30"));
        QVERIFY(!PartsToDate(t, 1));
        t = parts(QString(), QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("0"));
        QVERIFY(PartsToDate(t, 1)); // no date needs no era
        QCOMPARE(t.Ymd, QStringLiteral("0"));
    }

    void dateToPartsWestern() {
        TYMD t;
        t.Ymd = QStringLiteral("0");
        QVERIFY(DateToParts(t, 0));
        QCOMPARE(t.Era, QString());
        QCOMPARE(t.Year, QStringLiteral("0"));
        QCOMPARE(t.Month, QStringLiteral("0"));
        QCOMPARE(t.Day, QStringLiteral("0"));
        t.Ymd = QStringLiteral("19800415");
        QVERIFY(DateToParts(t, 0));
        QCOMPARE(t.Year, QStringLiteral("80"));
        QCOMPARE(t.Month, QStringLiteral("04"));
        QCOMPARE(t.Day, QStringLiteral("15"));
        QCOMPARE(t.DateValue, QDate(1980, 4, 15));
        t.Ymd = QStringLiteral("20230230");
        QVERIFY(!DateToParts(t, 0));
        QCOMPARE(t.Month, QStringLiteral("02")); // parts kept even when invalid
    }

    void dateToPartsEraBoundaries() {
        TYMD t;
        t.Ymd = QStringLiteral("20190430");
        QVERIFY(DateToParts(t, 1));
        QCOMPARE(t.Era, QStringLiteral("平成"));
        QCOMPARE(t.Year, QStringLiteral("31"));
        t.Ymd = QStringLiteral("20190501");
        QVERIFY(DateToParts(t, 1));
        QCOMPARE(t.Era, QStringLiteral("令和"));
        QCOMPARE(t.Year, QStringLiteral("01"));
        QCOMPARE(t.Month, QStringLiteral("05"));
        t.Ymd = QStringLiteral("19890107");
        QVERIFY(DateToParts(t, 1));
        QCOMPARE(t.Era, QStringLiteral("昭和"));
        QCOMPARE(t.Year, QStringLiteral("64"));
        // Round trip through the era fields gives the date back inside an era.
        t.Ymd = QStringLiteral("20040401");
        QVERIFY(DateToParts(t, 1));
        TYMD back = parts(t.Era, t.Year, t.Month, t.Day);
        QVERIFY(PartsToDate(back, 1));
        QCOMPARE(back.Ymd, QStringLiteral("20040401"));
    }

    void yearsToBase() {
        QCOMPARE(YearsToBase(19800415, {0, 20240414}), 43);
        QCOMPARE(YearsToBase(19800415, {0, 20240415}), 44);
        QCOMPARE(YearsToBase(0, {0, 20240415}), 0);
        const AgeBase today{1, 20240415}; // counted to today, 2026-12-08
        QCOMPARE(YearsToBase(20001208, today), 26);
        QCOMPARE(YearsToBase(20001209, today), 25);
        QCOMPARE(state().TodayYear, 2026);
    }

    void fiscalYearText() {
        QCOMPARE(NendoText(0, 2023), QStringLiteral("2023"));
        QCOMPARE(NendoText(1, 2023), QStringLiteral("令和 05"));
        QCOMPARE(NendoText(1, 2019), QStringLiteral("平成 31")); // 1 January is still Heisei
        QCOMPARE(NendoText(1, 1900), QStringLiteral("1900"));    // before every era
    }

    void datesMoveOneYearOn() {
        QCOMPARE(FiscalYearStart(2023), 20230401);
        QCOMPARE(DateOneYearOn(20230401), 20240401);
        QCOMPARE(DateOneYearOn(20240229), 20250228); // no February 29 in 2025
        QCOMPARE(DateOneYearOn(20230228), 20240228); // not made the 29th in a leap year
        QCOMPARE(DateOneYearOn(20231231), 20241231);
        QCOMPARE(DateOneYearOn(0), 0);
        QCOMPARE(DateOneYearOn(20230400), 20240400); // kept as typed, only its year moves
    }

    // What the roll-over makes of a title: only the year as the program writes it moves.
    void titlesMoveOneYearOn_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("eraMode");
        QTest::addColumn<QString>("next");
        QTest::newRow("western") << "2023年度 職能給表" << 0 << "2024年度 職能給表";
        QTest::newRow("spaced") << "2023 年度賃金表" << 0 << "2024 年度賃金表";
        QTest::newRow("year alone") << "2023年度" << 0 << "2024年度";
        QTest::newRow("era") << "令和 05年度 職能給表" << 1 << "令和 06年度 職能給表";
        QTest::newRow("western in era mode") << "2023年度 表" << 1 << "2024年度 表";
        QTest::newRow("era crossing") << "平成 30 年度" << 1 << "平成 31 年度";
        QTest::newRow("era form, western mode") << "令和 05年度" << 0 << "令和 05年度";
        QTest::newRow("another year") << "2022年度 職能給表" << 0 << "2022年度 職能給表";
        QTest::newRow("year inside") << "職能給表 2023年度" << 0 << "職能給表 2023年度";
        QTest::newRow("no 年度") << "2023年4月改定" << 0 << "2023年4月改定";
        QTest::newRow("empty") << "" << 0 << "";
    }
    void titlesMoveOneYearOn() {
        QFETCH(QString, title);
        QFETCH(int, eraMode);
        QFETCH(QString, next);
        const int year = title.startsWith(QStringLiteral("平成")) ? 2018 : 2023;
        QCOMPARE(TitleOneYearOn(title, year, eraMode), next);
    }
};

QTEST_GUILESS_MAIN(TestDates)
#include "test_dates.moc"
