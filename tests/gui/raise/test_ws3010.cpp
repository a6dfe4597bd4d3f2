// The raise input on the sample company: typing and leaving fields as a user does, the linked
// wage-table amounts, promotion, the save, the list and the questions before dropping input.
#include "app/WS0000_MainWindow.h"
#include "data/db/RecordGuard.h"
#include "gui/raise/RaiseListGrid.h"
#include "gui/raise/WS3010_RaiseInput.h"
#include "support/gui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

namespace {

const QString Changed = QStringLiteral("ﾃﾞｰﾀが変更されています。");

struct Screen {
    ScreenEnvironment env;
    TWS3010 ws;

    Screen() {
        env.setToday(QDate(2024, 2, 1));
        env.openDatabases();
        env.openCompany(1, 2023);
    }
    void open() {
        ws.prepare();
        ws.show();
        ws.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&ws));
    }
    QString text(const QString& name) const {
        if (auto* e = ws.findChild<QLineEdit*>(name); e && !qobject_cast<QComboBox*>(e->parent()))
            return e->text();
        return Control<QComboBox>(ws, name)->currentText();
    }
    QTabWidget* pages() const { return Control<QTabWidget>(ws, QStringLiteral("PageControl1")); }
    void showPageOf(QWidget* w) const {
        for (int p = 0; p < pages()->count(); ++p)
            if (pages()->widget(p)->isAncestorOf(w))
                pages()->setCurrentIndex(p);
    }
    // Types into a field as a user does, replacing its text, without leaving it.
    QLineEdit* enter(const QString& name, const QString& value) const {
        QWidget* w = Control<QWidget>(ws, name);
        showPageOf(w);
        w->setFocus();
        QLineEdit* e = qobject_cast<QLineEdit*>(w);
        if (!e)
            e = static_cast<QComboBox*>(w)->lineEdit();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        bool ascii = true;
        for (QChar c : value)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            QTest::keyClicks(e, value);
            return e;
        }
        // Japanese text arrives from the input method as committed text.
        QInputMethodEvent commit;
        commit.setCommitString(value);
        QApplication::sendEvent(e, &commit);
        return e;
    }
    // The same, leaving the field with Tab.
    void type(const QString& name, const QString& value) const {
        QTest::keyClick(enter(name, value), Qt::Key_Tab);
    }
    void click(const QString& name) const {
        auto* b = Control<QAbstractButton>(ws, name);
        // A check box takes clicks on its box and caption only.
        const QPoint at =
            qobject_cast<QCheckBox*>(b) ? QPoint(6, b->height() / 2) : b->rect().center();
        QTest::mouseClick(b, Qt::LeftButton, {}, at);
    }
    QString stored(const QString& columns, int sco) {
        return env
            .rows(TDM::ACN2, QStringLiteral("SELECT %1 FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 "
                                            "AND SCO = %2")
                                 .arg(columns)
                                 .arg(sco))
            .join(QLatin1Char('\n'));
    }
    QString table(int grade, int step) {
        return QLocale(QLocale::English)
            .toString(env.scalar(TDM::ACN2,
                                 QStringLiteral("SELECT KIN%1 FROM DCHINGIN2 WHERE KCO = 1 AND "
                                                "NENDO = 2023 AND GOUHOU = %2")
                                     .arg(grade)
                                     .arg(step))
                          .toLongLong());
    }
    const RaiseListModel& list() const { return *ws.listModel(); }
    QTableView* grid() const { return Control<QTableView>(ws, QStringLiteral("StringGrid1")); }
    // Clicks a row (from 1) of the list on the given column, as a user does.
    void clickRow(int row, int column = RaiseListModel::Name) const {
        const QModelIndex cell = grid()->model()->index(row - 1, column);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(cell).center());
    }
};

} // namespace

class TestWS3010 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensOnTheFirstEmployee() {
        Screen s;
        s.open();
        QCOMPARE(s.list().employeeCount(), 60);
        QCOMPARE(s.list().cellText(1, RaiseListModel::NewStep), QStringLiteral("44"));
        QCOMPARE(s.list().cellText(4, RaiseListModel::NewGrade), QStringLiteral("0"));
        QCOMPARE(s.text("cmbWorkerCode"), QStringLiteral("1"));
        QCOMPARE(s.text("txtWorkerCode"), QStringLiteral("A0001"));
        QCOMPARE(s.text("txtWorkerName"), QStringLiteral("中村　誠"));
        // Employee 1: grade 5 step 41, evaluated C (3 steps), raised to step 44.
        QCOMPARE(s.text("cmbSikaku"), QStringLiteral("5 : 課長"));
        QCOMPARE(s.text("cmbNewToukyu"), QStringLiteral("5 : 課長"));
        QCOMPARE(s.text("cmbHyouka"), QStringLiteral("4 : C"));
        QCOMPARE(s.text("txtUPGousu") + "/" + s.text("txtCalcGousu") + "/" + s.text("txtNewGouhou"),
                 QStringLiteral("3/44/44"));
        QCOMPARE(s.text("txtHyouka1") + s.text("txtHyouka2") + s.text("txtHyouka3"),
                 QStringLiteral("CBB"));
        // Base pay 2 follows the wage table: locked, the table's amounts before and after.
        QVERIFY(Control<QLineEdit>(s.ws, "txtBKihon2")->isReadOnly());
        QVERIFY(!Control<QLineEdit>(s.ws, "txtBKihon1")->isReadOnly());
        QCOMPARE(s.text("txtBKihon2"), s.table(5, 41));
        QCOMPARE(s.text("txtAKihon2"), s.table(5, 44));
        QCOMPARE(s.text("txtATotal"), QStringLiteral("459,500"));
        QCOMPARE(s.text("txtANensyu"), QStringLiteral("6,987,000"));
        QVERIFY(!Control<QComboBox>(s.ws, "cmbNewToukyu")->isEnabled());
        // The grade lists end at the table's six grades.
        auto* grades = Control<QComboBox>(s.ws, "cmbSikaku");
        QCOMPARE(grades->count(), 6);
        QVERIFY(!s.ws.isWindowModified());
        VERIFY_MESSAGES(s.env.messages);
    }

    void evaluationAndLinkedAmounts() {
        Screen s;
        s.open();
        s.ws.StringGrid1Click(7); // grade 3, step 44, evaluated B, raise saved
        s.type("txtGouhou", "10");
        QCOMPARE(s.text("txtBKihon2"), s.table(3, 10));
        s.type("cmbHyouka", "3");
        QCOMPARE(s.text("cmbHyouka"), QStringLiteral("3 : B"));
        QCOMPARE(s.text("txtUPGousu") + "/" + s.text("txtCalcGousu") + "/" + s.text("txtNewGouhou"),
                 QStringLiteral("4/14/48"));
        // Promotion to grade 4, step 1.
        s.click("chkUP");
        QVERIFY(Control<QComboBox>(s.ws, "cmbNewToukyu")->isEnabled());
        QVERIFY(!Control<QLineEdit>(s.ws, "txtCalcGousu")->isEnabled());
        s.type("cmbNewToukyu", "4");
        s.type("txtNewGouhou", "1");
        QCOMPARE(s.text("txtAKihon2"), s.table(4, 1));
        const qint64 up =
            s.table(4, 1).remove(',').toLongLong() - s.table(3, 10).remove(',').toLongLong();
        QCOMPARE(s.text("txtUKihon2"), QLocale(QLocale::English).toString(up));
        s.click("btnAdd");
        QCOMPARE(s.stored("TOUKYU || '|' || GOUHOU || '|' || HCO || '|' || NTOUKYU || '|' || "
                          "NGOUHOU || '|' || SGOUHOU || '|' || FSKCHK",
                          7),
                 QStringLiteral("3|10|3|4|1|4|1"));
        QCOMPARE(s.stored("(KKYU2 = KIN) AND (NKKYU2 = NKIN) AND NSYOTEI = NKKYU1 + NKKYU2 + "
                          "NKKYU3 + NTEATE1 + NTEATE2 + NTEATE3 + NTEATE4 + NTEATE5 AND NNENSYU = "
                          "NSYOTEI * 12 + SYOUYO + SYOUYO2 AND UPK = NKKYU1 + NKKYU2 + NKKYU3 - "
                          "KKYU1 - KKYU2 - KKYU3",
                          7),
                 QStringLiteral("1"));
        QCOMPARE(s.list().cellText(7, RaiseListModel::NewGrade), QStringLiteral("4"));
        QVERIFY(!s.ws.isWindowModified());
        // Clearing the promotion goes back to the current grade, and its amount.
        s.click("chkUP");
        QCOMPARE(s.text("cmbNewToukyu"), s.text("cmbSikaku"));
        QCOMPARE(s.text("txtAKihon2"), s.table(3, 1));
        QVERIFY(s.ws.isWindowModified());
        VERIFY_MESSAGES(s.env.messages);
    }

    // Another person changed the employee after the screen loaded it: the raise is refused
    // (it would write back the old pay), theirs stays, and the screen shows it.
    void refusedSaveShowsTheOtherPersonsChange() {
        Screen s;
        s.open();
        s.ws.StringGrid1Click(7);
        s.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET KKYU1 = 111111 WHERE KCO = 1 AND "
                                             "NENDO = 2023 AND SCO = 7"));
        const QString before = s.stored("HCO || '|' || NGOUHOU || '|' || KKYU1", 7);
        s.enter("cmbHyouka", "1");
        s.env.messages.expect(
            ChangedByOtherText(QStringLiteral("社員 7 %1 ").arg(s.text("txtWorkerName"))));
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.stored("HCO || '|' || NGOUHOU || '|' || KKYU1", 7), before);
        QCOMPARE(s.text("cmbWorkerCode"), QStringLiteral("7"));
        QCOMPARE(s.text("txtBKihon1"), QStringLiteral("111,111"));
        QCOMPARE(s.list().employeeCount(), 60);
        QVERIFY(!s.ws.isWindowModified());
        s.type("cmbHyouka", "1");
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.stored("HCO || '|' || KKYU1", 7), QStringLiteral("1|111111"));
    }

    // A raise stored after the next year was rolled over is stored, and the screen says that
    // the next year, made before it, does not have it.
    void raiseAfterTheRollOverWarns() {
        Screen s;
        s.open();
        s.env.exec(TDM::ACN1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (1, "
                                             "2024, 'サンプル企業')"));
        s.ws.StringGrid1Click(7);
        s.type("cmbHyouka", "1");
        s.env.messages.expect(QStringLiteral("2024年度は、この昇給の登録より前に年次更新で作られ"
                                             "ています。"));
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.stored("HCO", 7), QStringLiteral("1"));
        QCOMPARE(int(s.env.messages.seen().last().kind), int(Msg::Kind::Warning));
    }

    void amountsAsAHurriedUserTypesThem() {
        Screen s;
        s.open();
        s.ws.StringGrid1Click(4); // grade 5, step 39, no raise decided yet
        // Undecided: the pay after starts as the pay now.
        QCOMPARE(s.text("txtATotal"), s.text("txtBTotal"));
        QCOMPARE(s.text("txtUTotal"), QStringLiteral("0"));
        s.type("txtUKihon1", "2000");
        QCOMPARE(s.text("txtAKihon1"), QStringLiteral("123,000"));
        s.type("txtATeate1", "1e3");
        QCOMPARE(s.text("txtATeate1"), QStringLiteral("1,000"));
        QCOMPARE(s.text("txtUTeate1"), QStringLiteral("-9,000"));
        s.type("txtATeate2", "2,1,0,0,0");
        QCOMPARE(s.text("txtATeate2"), QStringLiteral("21,000"));
        s.env.messages.expect(QStringLiteral("入力範囲外です。"));
        s.type("txtUKihon3", "123456789");
        QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(s.ws, "txtUKihon3"));
        s.enter("txtUKihon3", "0");
        QVERIFY(s.ws.isWindowModified());
        // A raise typed and not saved is not dropped by a move without asking.
        s.env.messages.expect(
            Changed + QStringLiteral("\r【はい】:戻ります。\r【いいえ】:次のデータ　へ。"),
            Msg::Answer::Yes, QStringLiteral("確認"));
        s.click("btnNext");
        QCOMPARE(s.text("cmbWorkerCode"), QStringLiteral("4"));
        QCOMPARE(s.pages()->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(s.ws, "txtGouhou"));
        // New step typed and saved at once, without leaving the box.
        s.enter("txtNewGouhou", "43");
        s.click("btnAdd");
        QCOMPARE(s.stored("NGOUHOU || '|' || NTOUKYU || '|' || NKKYU1 || '|' || NTEATE1 || '|' "
                          "|| NTEATE2 || '|' || (NKKYU2 = NKIN)",
                          4),
                 QStringLiteral("43|5|123000|1000|21000|1"));
        // An evaluation typed, then the other page's tab clicked: a tab takes no focus, yet
        // the evaluation's steps count before the focus moves to the page.
        s.enter("cmbHyouka", "1");
        QTabBar* tabs = s.pages()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(s.pages()->currentIndex(), 1);
        QCOMPARE(s.text("cmbHyouka"), QStringLiteral("1 : S"));
        QCOMPARE(s.text("txtUPGousu"), QStringLiteral("6"));
        VERIFY_MESSAGES(s.env.messages);
    }

    // A new step past the end of its grade in the wage table, or a grade the table lacks,
    // would store 0 for a linked base pay: refused on leaving either box and at 登録, as the
    // raise import refuses it.
    void refusesAStepOrGradeTheWageTableLacks() {
        Screen s;
        s.open();
        s.ws.StringGrid1Click(10); // A0010: grade 6 (table steps 1 to 40), step 12 raised to 18
        const QString kept = QStringLiteral("18|279600|8088200");
        const QString columns = QStringLiteral("NGOUHOU || '|' || NKKYU2 || '|' || NNENSYU");
        QCOMPARE(s.stored(columns, 10), kept);
        const QString after = s.text("txtAKihon2");
        const QString noStep55 = QStringLiteral("賃金表に 6等級 55号俸 の金額がありません。");
        s.env.messages.expect(noStep55);
        s.type("txtNewGouhou", "55");
        QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(s.ws, "txtNewGouhou"));
        QCOMPARE(s.text("txtAKihon2"), after);
        // Typed and saved at once: refused the same way, nothing stored.
        s.env.messages.expect(noStep55);
        s.click("btnAdd");
        QCOMPARE(s.stored(columns, 10), kept);
        // Promotion to grade 9 of a six-grade table.
        s.enter("txtNewGouhou", "18");
        s.click("chkUP");
        s.env.messages.expect(QStringLiteral("賃金表に 9等級 18号俸 の金額がありません。"));
        s.type("cmbNewToukyu", "9");
        QCOMPARE(QApplication::focusWidget(), Control<QComboBox>(s.ws, "cmbNewToukyu"));
        QCOMPARE(s.text("txtAKihon2"), after);
        s.enter("cmbNewToukyu", "4");
        s.type("txtNewGouhou", "1");
        QCOMPARE(s.text("txtAKihon2"), s.table(4, 1));
        s.click("btnAdd");
        QCOMPARE(s.stored("NTOUKYU || '|' || NGOUHOU || '|' || (NKKYU2 = NKIN)", 10),
                 QStringLiteral("4|1|1"));

        // A raise stored past the table before (as the screen once let through) is refused
        // at 登録, the focus on the box at fault.
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET NTOUKYU = 6, NGOUHOU = 55, FSKCHK = 0 "
                              "WHERE KCO = 1 AND NENDO = 2023 AND SCO = 10");
        s.ws.StringGrid1Click(9);
        s.ws.StringGrid1Click(10);
        s.env.messages.expect(noStep55);
        s.click("btnAdd");
        QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(s.ws, "txtNewGouhou"));
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET NTOUKYU = 9, NGOUHOU = 18, FSKCHK = 1 "
                              "WHERE KCO = 1 AND NENDO = 2023 AND SCO = 10");
        s.ws.StringGrid1Click(9);
        s.ws.StringGrid1Click(10);
        s.env.messages.expect(QStringLiteral("賃金表に 9等級 18号俸 の金額がありません。"));
        s.click("btnAdd");
        QCOMPARE(QApplication::focusWidget(), Control<QComboBox>(s.ws, "cmbNewToukyu"));
        QCOMPARE(s.stored("NTOUKYU || '|' || NGOUHOU", 10), QStringLiteral("9|18"));

        // Base pay typed by hand (no link) is the user's: any step is taken.
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET JISEKI = 0 WHERE KCO = 1 AND NENDO = 2023 "
                              "AND SCO = 10");
        s.ws.StringGrid1Click(9);
        s.ws.StringGrid1Click(10);
        s.enter("cmbNewToukyu", "6");
        s.type("txtNewGouhou", "55");
        s.click("btnAdd");
        QCOMPARE(s.stored("NTOUKYU || '|' || NGOUHOU || '|' || (NKKYU2 > 0)", 10),
                 QStringLiteral("6|55|1"));
        VERIFY_MESSAGES(s.env.messages);
    }

    // A click in the list asks as the move buttons do; kept, it stays on the edited employee.
    void listAsksBeforeDroppingInput() {
        Screen s;
        s.open();
        const QString stored = s.stored("NKKYU1 || '|' || UPK", 1);
        s.type("txtUKihon1", "3000");
        QVERIFY(s.ws.isWindowModified());
        const QString question =
            Changed + QStringLiteral("\r【はい】:戻ります。\r【いいえ】:選択したデータ　へ。");
        s.env.messages.expect(question, Msg::Answer::Yes, QStringLiteral("確認"));
        s.clickRow(4);
        QCOMPARE(s.text("cmbWorkerCode"), QStringLiteral("1"));
        QCOMPARE(s.text("txtUKihon1"), QStringLiteral("3,000"));
        QCOMPARE(s.list().highlightedRow(), 1);
        QCOMPARE(s.grid()->currentIndex().row(), 0);
        QCOMPARE(s.pages()->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(s.ws, "txtGouhou"));
        // The running number is no choice: nothing asked, nothing loaded.
        s.clickRow(4, RaiseListModel::No);
        QCOMPARE(s.text("cmbWorkerCode"), QStringLiteral("1"));
        s.env.messages.expect(question, Msg::Answer::No, QStringLiteral("確認"));
        s.clickRow(4);
        QCOMPARE(s.text("cmbWorkerCode"), QStringLiteral("4"));
        QCOMPARE(s.list().highlightedRow(), 4);
        QVERIFY(!s.ws.isWindowModified());
        QCOMPARE(s.stored("NKKYU1 || '|' || UPK", 1), stored);
        VERIFY_MESSAGES(s.env.messages);
    }

    void refusals() {
        Screen s;
        s.open();
        s.env.messages.expect(QStringLiteral("入力範囲外です。"));
        s.type("txtGouhou", "81");
        s.env.messages.expect(QStringLiteral("数値を入力してください。"));
        s.type("txtGouhou", "1e3");
        s.enter("txtGouhou", "41");
        s.env.messages.expect(QStringLiteral("マスターにデータが存在しません。"));
        s.type("cmbHyouka", "9");
        s.enter("cmbHyouka", "4");
        s.env.messages.expect(QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。"));
        s.type("cmbSikaku", "10");
        s.enter("cmbSikaku", "5");
        s.click("chkUP");
        s.env.messages.expect(QStringLiteral("入力範囲外です。1  ～ 9 の値を入力して下さい。"));
        s.type("cmbNewToukyu", "0");
        s.enter("cmbNewToukyu", "");
        s.env.messages.expect(QStringLiteral("New等級が、入力されていません。"));
        s.click("btnAdd");
        // Grade 6 ends at step 40: the step kept from grade 5 is put right next.
        s.env.messages.expect(QStringLiteral("賃金表に 6等級 44号俸 の金額がありません。"));
        s.type("cmbNewToukyu", "6");
        QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(s.ws, "txtNewGouhou"));
        s.env.messages.expect(QStringLiteral("New号俸　が、入力されていません。"));
        s.enter("txtNewGouhou", "0");
        s.click("btnAdd");
        s.env.messages.expect(QStringLiteral("社員マスターにデータが存在しません。"));
        s.type("cmbWorkerCode", "999");
        s.env.messages.expect(QStringLiteral("０　は、入力できません。"));
        s.type("cmbWorkerCode", "0");
        // Nothing of it was stored.
        QCOMPARE(s.stored("NTOUKYU || '|' || NGOUHOU || '|' || FSKCHK", 1),
                 QStringLiteral("5|44|0"));
        s.click("btnCancel");
        QCOMPARE(s.text("cmbWorkerCode"), QString());
        s.env.messages.expect(QStringLiteral("社員コードが入力されていません。"));
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
    }

    void gradeFilterAndTypedCodes() {
        Screen s;
        s.open();
        s.click("optGrade3");
        QVERIFY(s.list().employeeCount() > 0);
        for (int r = 1; r <= s.list().employeeCount(); ++r)
            QCOMPARE(s.list().cellText(r, RaiseListModel::Grade), QStringLiteral("3"));
        QCOMPARE(s.text("txtCureentNo"), QStringLiteral("1"));
        // A stored employee outside the filter is shown all the same, and saved as shown.
        s.type("cmbWorkerCode", "1 : 中村　誠");
        QCOMPARE(s.text("cmbWorkerCode"), QStringLiteral("1"));
        QCOMPARE(s.text("txtWorkerName"), QStringLiteral("中村　誠"));
        QCOMPARE(s.list().highlightedRow(), 0);
        s.type("txtNewGouhou", "45");
        s.click("btnAdd");
        QCOMPARE(s.stored("NGOUHOU", 1), QStringLiteral("45"));
        // Changing the filter with typed input asks first; Yes keeps it.
        s.type("txtATeate1", "1");
        s.env.messages.expect(
            Changed + QStringLiteral("\r【はい】:戻ります。\r【いいえ】:元のデータ　へ。"),
            Msg::Answer::Yes, QStringLiteral("確認"));
        s.click("optGrade0");
        QCOMPARE(s.ws.gradeFilter(), 3);
        QVERIFY(Control<QRadioButton>(s.ws, "optGrade3")->isChecked());
        s.env.messages.expect(Changed, Msg::Answer::No);
        s.click("optGrade0");
        QCOMPARE(s.list().employeeCount(), 60);
        QVERIFY(!s.ws.isWindowModified());
        VERIFY_MESSAGES(s.env.messages);
    }

    void evaluationCodesChangedThroughHyogo() {
        Screen s;
        s.open();
        QTimer::singleShot(0, [] {
            QWidget* w = QApplication::activeModalWidget();
            QVERIFY(w && w->objectName() == QStringLiteral("WS3020"));
            auto* grid = w->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
            grid->item(3, 3)->setText(QStringLiteral("9")); // C earns 9 steps now
            w->findChild<QPushButton*>(QStringLiteral("btnAdd"))->click();
            w->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
        });
        s.click("btnHyogo");
        s.ws.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.ws));
        s.type("cmbHyouka", "4");
        QCOMPARE(s.text("txtUPGousu"), QStringLiteral("9"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void mainWindowAsksWithoutAWageTable() {
        ScreenEnvironment env;
        env.openDatabases();
        env.exec(TDM::ACN2, "DELETE FROM DCHINGIN2");
        TWS0000 mw(env.appDir());
        QVERIFY(env.openCompany(1, 2023));
        env.project.status().chosen = true;
        for (const char* name : {"mnSalaryInput", "mnEvaConv", "mnNendoUpdate"})
            QVERIFY(mw.action(QString::fromLatin1(name))->isEnabled());
        env.messages.expect(QStringLiteral("賃金表　が作成されていません、続けますか。\r【はい】:"
                                           "続けます。\r【いいえ】:画面を終了します。"),
                            Msg::Answer::No, QStringLiteral("確認"));
        mw.action(QStringLiteral("mnSalaryInput"))->trigger();
        QVERIFY(!mw.findChild<TWS3010*>());
        // Yes opens the screen; without a table the linked amounts keep the stored pay.
        QString shown;
        QTimer::singleShot(0, [&shown] {
            auto* w = qobject_cast<TWS3010*>(QApplication::activeModalWidget());
            QVERIFY(w);
            shown = w->findChild<QLineEdit*>(QStringLiteral("txtBKihon2"))->text();
            w->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
        });
        env.messages.expect(QStringLiteral("賃金表　が作成されていません"), Msg::Answer::Yes);
        mw.action(QStringLiteral("mnSalaryInput"))->trigger();
        QCOMPARE(shown, QStringLiteral("264,700"));
        QVERIFY(!mw.findChild<TWS3010*>());
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestWS3010)
#include "test_ws3010.moc"
