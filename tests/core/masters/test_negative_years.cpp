// Which of age and service a birth and a joining date make negative, counted to the company's
// base date or to today.
#include "core/common/AppState.h"
#include "core/masters/NegativeYears.h"

#include <QtTest>

class TestNegativeYears : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countedToTheBaseDate_data() {
        QTest::addColumn<qint64>("birth");
        QTest::addColumn<qint64>("joining");
        QTest::addColumn<bool>("age");
        QTest::addColumn<bool>("service");
        // The base date is 2023-04-01.
        QTest::newRow("both before") << qint64(19800415) << qint64(20050401) << false << false;
        QTest::newRow("joining on the base date")
            << qint64(20000101) << qint64(20230401) << false << false;
        QTest::newRow("joining the day after")
            << qint64(20000101) << qint64(20230402) << false << true;
        QTest::newRow("joining next year") << qint64(20000101) << qint64(20240401) << false << true;
        QTest::newRow("born after, no joining date")
            << qint64(20230501) << qint64(0) << true << false;
        QTest::newRow("both after") << qint64(20231231) << qint64(20240101) << true << true;
        QTest::newRow("no dates") << qint64(0) << qint64(0) << false << false;
    }
    void countedToTheBaseDate() {
        QFETCH(qint64, birth);
        QFETCH(qint64, joining);
        QFETCH(bool, age);
        QFETCH(bool, service);
        const AgeBase base{0, 20230401};
        const YearsBelowZero n = NegativeYears(birth, joining, base);
        QCOMPARE(n.age, age);
        QCOMPARE(n.service, service);
        QCOMPARE(n.any(), age || service);
        QCOMPARE(AgeBaseYmd(base), qint64(20230401));
    }

    void countedToToday() {
        resetState().clock = [] { return QDate(2024, 6, 15); };
        const AgeBase today{1, 20230401}; // the stored date does not count
        QCOMPARE(AgeBaseYmd(today), qint64(20240615));
        QVERIFY(!NegativeYears(20000101, 20240401, today).any());
        QVERIFY(NegativeYears(20000101, 20240616, today).service);
        QVERIFY(!NegativeYears(20000101, 20240615, today).service);
    }
};

QTEST_GUILESS_MAIN(TestNegativeYears)
#include "test_negative_years.moc"
