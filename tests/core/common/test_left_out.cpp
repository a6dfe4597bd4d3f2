// Who no choice of marks and grades can include, and how the screens and commands say it.

#include "core/common/LeftOutEmployees.h"

#include <QtTest>

class TestLeftOut : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countsByReason() {
        LeftOutEmployees left;
        left.add(0, 3);     // imported without a mark
        left.add(7, 3);     // a mark no screen offers
        left.add(0, 0, 5);  // no mark counts once, whatever the grade
        left.add(2, 0);     // a mark without a grade
        left.add(2, 10, 2); // a grade beyond 9
        left.add(1, 1, 40); // marks 1..6 with grades 1..9 are all choosable
        left.add(6, 9);
        QCOMPARE(left.noMark, 7);
        QCOMPARE(left.gradeOutside, 3);
        QCOMPARE(left.total(), 10);
        QCOMPARE(
            LeftOutMessage(left),
            QStringLiteral("対象外の社員が 10名あります（マークなし 7名、等級が範囲外 3名）。"));
        // Nothing to say when everyone can be chosen.
        LeftOutEmployees none;
        none.add(3, 5, 60);
        QVERIFY(LeftOutMessage(none).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLeftOut)
#include "test_left_out.moc"
