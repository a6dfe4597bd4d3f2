// The evaluation conversion grid: loading, Enter, the checks of a save and what it stores.
#include "data/db/RecordGuard.h"
#include "gui/raise/WS3020_EvaluationConversion.h"
#include "support/gui/ScriptedDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

struct Screen {
    ScreenEnvironment env;
    TWS3020 ws;
    QTableWidget* grid;

    Screen() {
        env.openDatabases();
        env.openCompany(1, 2023);
        grid = Control<QTableWidget>(ws, QStringLiteral("StringGrid1"));
    }
    void open() {
        ws.load();
        ws.show();
        ws.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&ws));
    }
    // Types into a cell as a user does: the key opens the editor, Enter ends it.
    void typeInCell(int row, int column, const QString& text, bool pressEnter = true) {
        grid->setCurrentCell(row, column);
        grid->setFocus();
        QTest::keyClicks(grid, text.left(1));
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor && editor != grid);
        auto* e = qobject_cast<QLineEdit*>(editor);
        e->selectAll();
        QTest::keyClicks(e, text);
        if (pressEnter)
            QTest::keyClick(e, Qt::Key_Return);
    }
    QString cell(int row, int column) const {
        return grid->item(row, column) ? grid->item(row, column)->text() : QString();
    }
    QStringList stored() {
        return env.rows(TDM::ACN2, "SELECT HCO, HKIGOU, SGOUSU FROM MHYOUKA WHERE KCO = 1 AND "
                                   "NENDO = 2023 ORDER BY HCO");
    }
    void click(const char* name) {
        QTest::mouseClick(Control<QPushButton>(ws, QString::fromLatin1(name)), Qt::LeftButton);
    }
};

} // namespace

class TestWS3020 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entersAndStoresCodes() {
        Screen s;
        s.open();
        QCOMPARE(s.grid->rowCount(), 5);
        QCOMPARE(s.cell(4, 0) + s.cell(4, 1) + s.cell(4, 2) + s.cell(4, 3), QStringLiteral("55D2"));
        // Enter in the steps of the last row adds the next code with one step.
        s.grid->setCurrentCell(4, 3);
        s.grid->setFocus();
        QTest::keyClick(s.grid, Qt::Key_Return);
        QCOMPARE(s.grid->rowCount(), 6);
        QCOMPARE(s.cell(5, 0) + "|" + s.cell(5, 1) + "|" + s.cell(5, 3), QStringLiteral("6|6|1"));
        QCOMPARE(s.grid->currentColumn(), 2);
        QWidget* editor = QApplication::focusWidget();
        QTest::keyClicks(editor, "E");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(s.grid->currentColumn(), 3);
        // Steps typed and saved at once, without leaving the cell; "x" counts 0.
        s.typeInCell(0, 3, "x", false);
        s.click("btnAdd");
        QCOMPARE(s.stored(), QStringList({"1|S|0", "2|A|5", "3|B|4", "4|C|3", "5|D|2", "6|E|1"}));
        // A row whose code is cleared is dropped by the save.
        s.typeInCell(1, 1, " ");
        s.grid->item(1, 1)->setText(QString());
        s.click("btnAdd");
        QCOMPARE(s.stored().size(), 5);
        QCOMPARE(s.grid->rowCount(), 5);
        VERIFY_MESSAGES(s.env.messages);
    }

    // Another person saved the codes after the screen loaded them: the save is refused, theirs
    // stay, and the grid shows them in place of the edits.
    void refusedSaveShowsTheOtherPersonsCodes() {
        Screen s;
        s.open();
        s.env.exec(TDM::ACN2, "UPDATE MHYOUKA SET SGOUSU = 8 WHERE KCO = 1 AND NENDO = 2023 AND "
                              "HCO = 1");
        const QStringList theirs = s.stored();
        s.typeInCell(1, 3, "7", false);
        s.env.messages.expect(ChangedByOtherText(QStringLiteral("評価の変換")));
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.stored(), theirs);
        QCOMPARE(s.cell(0, 3), QStringLiteral("8"));
        QCOMPARE(s.cell(1, 3), theirs[1].section(QLatin1Char('|'), 2));
        s.typeInCell(1, 3, "7");
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.stored()[1], QStringLiteral("2|A|7"));
    }

    void refusesWhatCannotBeStored() {
        Screen s;
        s.open();
        const QStringList before = s.stored();
        s.grid->item(1, 2)->setText(QStringLiteral("S"));
        s.env.messages.expect(QStringLiteral("評価記号が重複しています。"));
        s.click("btnAdd");
        QCOMPARE(s.grid->currentRow(), 0);
        QCOMPARE(s.grid->currentColumn(), 2);
        s.grid->item(1, 2)->setText(QStringLiteral("A"));
        s.grid->item(2, 1)->setText(QStringLiteral("02"));
        s.env.messages.expect(QStringLiteral("評価コードが重複しています。"));
        s.click("btnAdd");
        // A code that is no number would have been lost with the old rows.
        s.grid->item(2, 1)->setText(QStringLiteral("三"));
        s.env.messages.expect(QStringLiteral("数値を入力してください。"));
        s.click("btnAdd");
        QCOMPARE(s.grid->currentRow(), 2);
        QCOMPARE(s.stored(), before);
        VERIFY_MESSAGES(s.env.messages);
    }

    void yearWithoutCodes() {
        Screen s;
        s.env.exec(TDM::ACN2, "DELETE FROM MHYOUKA");
        s.open();
        QCOMPARE(s.grid->rowCount(), 1);
        QCOMPARE(s.cell(0, 1) + "|" + s.cell(0, 2) + "|" + s.cell(0, 3), QStringLiteral("1||0"));
        s.env.messages.expect(QStringLiteral("評価記号を入力して下さい。"));
        s.click("btnAdd");
        QCOMPARE(s.grid->currentColumn(), 2);
        QVERIFY(s.stored().isEmpty());
        VERIFY_MESSAGES(s.env.messages);
    }
};

QTEST_MAIN(TestWS3020)
#include "test_ws3020.moc"
