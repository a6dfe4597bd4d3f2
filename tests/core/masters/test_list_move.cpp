// Where the move buttons of the employee and raise-input screens go.
#include "core/masters/ListMove.h"

#include <QtTest>

namespace {
// A list of employees 10, 20, ... 50 (rows 1 to 5).
int codeAt(int row) {
    return row * 10;
}
ListCursor at(int row, bool noCode = false) {
    ListCursor c;
    c.noCode = noCode;
    c.currentCode = noCode ? 0 : codeAt(row);
    c.firstCode = 10;
    c.lastCode = 50;
    c.currentRow = row;
    c.count = 5;
    return c;
}
QString where(ListMove move, const ListCursor& c) {
    const ListTarget t = ListMoveTarget(move, c, codeAt);
    return QStringLiteral("%1@%2").arg(t.code).arg(t.row);
}
} // namespace

class TestListMove : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void movesAlongTheList() {
        QCOMPARE(where(ListMove::Back, at(3)), QStringLiteral("20@2"));
        QCOMPARE(where(ListMove::Next, at(3)), QStringLiteral("40@4"));
        QCOMPARE(where(ListMove::First, at(3)), QStringLiteral("10@1"));
        QCOMPARE(where(ListMove::Last, at(3)), QStringLiteral("50@5"));
    }

    void theEndsGoNowhereFurther() {
        QCOMPARE(where(ListMove::Back, at(1)), QStringLiteral("0@0"));
        QCOMPARE(where(ListMove::Next, at(5)), QStringLiteral("0@0"));
        // First and last from the end they name still go there (the screen reloads it).
        QCOMPARE(where(ListMove::First, at(1)), QStringLiteral("10@1"));
    }

    // With the code box emptied (a new employee being typed), back and next go to the ends.
    void anEmptyCodeBoxGoesToTheEnds() {
        QCOMPARE(where(ListMove::Back, at(3, true)), QStringLiteral("10@1"));
        QCOMPARE(where(ListMove::Next, at(3, true)), QStringLiteral("50@5"));
    }

    // A row beyond the list (the list shrank under a filter) is held within it.
    void rowsAreHeldWithinTheList() {
        ListCursor c = at(3);
        c.currentRow = 9;
        c.currentCode = 30;
        QCOMPARE(where(ListMove::Next, c), QStringLiteral("50@5"));
        c.currentRow = 0;
        QCOMPARE(where(ListMove::Back, c), QStringLiteral("10@1"));
    }

    void anEmptyListGoesNowhere() {
        ListCursor c;
        QCOMPARE(ListMoveTarget(ListMove::First, c, codeAt).code, 0);
        QCOMPARE(ListMoveTarget(ListMove::Last, c, codeAt).code, 0);
        QCOMPARE(ListMoveQuestionLine(ListMove::Next),
                 QStringLiteral("【いいえ】:次のデータ　へ。"));
    }
};

QTEST_GUILESS_MAIN(TestListMove)
#include "test_list_move.moc"
