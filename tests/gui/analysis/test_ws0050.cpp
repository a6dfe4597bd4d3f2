// The standard living cost master: the company's table shown with its published decimals, new
// tables stored row by row, the refusals before anything is written, a failed save leaving the
// old rows, and the moves with their question.

#include "data/db/RecordGuard.h"
#include "gui/analysis/WS0050_LivingCost.h"
#include "support/gui/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QString Rows = QStringLiteral("SELECT KCO, NENDO, SNIN, SNENREI, SEIKEIHI, YURITSU, KKRITSU, "
                                    "DEDOKORO FROM MSEIKEI WHERE SKCO = %1 ORDER BY SNIN, SNENREI");

struct Fixture {
    ScreenEnvironment env;
    TWS0050 screen{nullptr};
    Fixture() {
        env.openDatabases();
        if (!env.openCompany(1, 2023))
            qFatal("no sample company");
        screen.PrepareScreen();
        screen.show();
        QApplication::setActiveWindow(&screen);
    }
    QLineEdit* box(const QString& name) {
        if (name == QStringLiteral("cmbSeikeiID"))
            return Control<QComboBox>(screen, name)->lineEdit();
        return Control<QLineEdit>(screen, name);
    }
    // Types into a box; leaves it with Tab unless asked not to.
    void type(const QString& name, const QString& text, bool leave = true) {
        QLineEdit* b = box(name);
        b->setFocus();
        b->selectAll();
        if (text.toLatin1() == text.toUtf8()) {
            QTest::keyClicks(b, text);
        } else { // Japanese arrives as the input method commits it
            QInputMethodEvent e;
            e.setCommitString(text);
            QApplication::sendEvent(b, &e);
        }
        if (leave)
            QTest::keyClick(b, Qt::Key_Tab);
    }
    void click(const QString& name) {
        QTest::mouseClick(Control<QPushButton>(screen, name), Qt::LeftButton);
    }
    QStringList rows(int code) { return env.rows(TDM::ACN2, Rows.arg(code)); }
};

} // namespace

class TestWS0050 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsTheCompanyTableWithItsDecimals() {
        Fixture f;
        QCOMPARE(f.box(QStringLiteral("cmbSeikeiID"))->text(),
                 QStringLiteral("1 : 人事院 標準生計費(令和4年勧告)"));
        QCOMPARE(f.box(QStringLiteral("txtSeikeihi1"))->text(), QStringLiteral("114.48"));
        QCOMPARE(f.box(QStringLiteral("txtYuraku1"))->text(), QStringLiteral("1.30"));
        QCOMPARE(f.box(QStringLiteral("txtNenrei5"))->text(), QStringLiteral("45"));
        QCOMPARE(f.box(QStringLiteral("txtSyotaisu6"))->text(), QStringLiteral("6"));
        QCOMPARE(f.box(QStringLiteral("txtCureentNo"))->text(), QStringLiteral("1"));
        const QStringList before = f.rows(1);
        // Passing through a figure keeps it; saving rewrites the same figures.
        f.type(QStringLiteral("txtSeikeihi1"), QStringLiteral("114.48"));
        f.click(QStringLiteral("btnAdd"));
        const QStringList after = f.rows(1);
        QCOMPARE(after.size(), 5);
        for (qsizetype i = 0; i < after.size(); ++i)
            QCOMPARE(after[i].section(QLatin1Char('|'), 2), before[i].section(QLatin1Char('|'), 2));
        QVERIFY(after.first().startsWith(QStringLiteral("1|2023|1|22|114.48|1.3|1|")));
        VERIFY_MESSAGES(f.env.messages);
    }

    void newTableAndItsRefusals() {
        Fixture f;
        f.click(QStringLiteral("btnCansel"));
        f.type(QStringLiteral("cmbSeikeiID"), QStringLiteral("7"));
        QCOMPARE(f.box(QStringLiteral("cmbSeikeiID"))->text(), QStringLiteral("7 : 未登録"));
        f.type(QStringLiteral("txtNenrei1"), QStringLiteral("25"));
        f.type(QStringLiteral("txtSeikeihi1"), QStringLiteral("250"));
        f.type(QStringLiteral("txtYuraku1"), QStringLiteral("1.3"));
        f.type(QStringLiteral("txtSyotaisu2"), QStringLiteral("2"));
        f.type(QStringLiteral("txtNenrei2"), QStringLiteral("25"));
        f.type(QStringLiteral("txtKakeRitsu"), QStringLiteral("1"));
        f.type(QStringLiteral("txtSyussyo"), QStringLiteral("O'Hara 調査"));
        // A cost too long is refused on leaving, the focus stays.
        f.env.messages.expect(QStringLiteral("入力範囲外です。"));
        f.type(QStringLiteral("txtSeikeihi2"), QStringLiteral("1234567"));
        QCOMPARE(QApplication::focusWidget(), f.box(QStringLiteral("txtSeikeihi2")));
        // Typed and saved without leaving the box: the check runs first.
        f.type(QStringLiteral("txtSeikeihi2"), QStringLiteral("1e3"), false);
        // Members 2 twice: with ages 25 and 25 refused, nothing written.
        f.type(QStringLiteral("txtSyotaisu1"), QStringLiteral("2"));
        f.env.messages.expect(QStringLiteral("世帯人員，年齢が重複しています。"));
        f.click(QStringLiteral("btnAdd"));
        QVERIFY(f.rows(7).isEmpty());
        f.type(QStringLiteral("txtNenrei2"), QStringLiteral("35"));
        // A row with a figure but no members.
        f.type(QStringLiteral("txtSyotaisu3"), QStringLiteral("0"));
        f.type(QStringLiteral("txtSeikeihi3"), QStringLiteral("250"));
        f.env.messages.expect(QStringLiteral("世帯人員が入力されていません。"));
        f.click(QStringLiteral("btnAdd"));
        QVERIFY(f.rows(7).isEmpty());
        f.type(QStringLiteral("txtSeikeihi3"), QStringLiteral("0"));
        f.click(QStringLiteral("btnAdd"));
        // Rows 4 to 6 show members but no figures: only two rows.
        QCOMPARE(f.rows(7), QStringList({"1|2023|2|25|250|1.3|1|O'Hara 調査",
                                         "1|2023|2|35|1000|0|1|O'Hara 調査"}));
        QCOMPARE(f.box(QStringLiteral("txtLastNo"))->text(), QStringLiteral("2"));
        VERIFY_MESSAGES(f.env.messages);
    }

    void loadingFillsMembersAndSavingReplacesEveryRow() {
        Fixture f;
        f.env.exec(
            TDM::ACN2,
            QStringLiteral(
                "INSERT INTO MSEIKEI (KCO, NENDO, SKCO, SNIN, SNENREI, SEIKEIHI, KKRITSU, "
                "DEDOKORO) "
                "VALUES (9, 2019, 5, 1, 25, 150, 1, 'old'), (9, 2019, 5, 2, 30, 200, 1, 'old'), "
                "(9, 2019, 5, 4, 40, 260, 1, 'old')"));
        f.type(QStringLiteral("cmbSeikeiID"), QStringLiteral("5"));
        QCOMPARE(f.box(QStringLiteral("txtSyotaisu4"))->text(), QStringLiteral("5"));
        QCOMPARE(f.box(QStringLiteral("txtSyotaisu6"))->text(), QStringLiteral("7"));
        // A failing insert leaves the old rows.
        f.env.exec(TDM::ACN2, QStringLiteral("CREATE TRIGGER t BEFORE INSERT ON MSEIKEI WHEN "
                                             "NEW.SNIN = 4 BEGIN SELECT RAISE(ABORT, 'no'); END"));
        f.type(QStringLiteral("txtSeikeihi1"), QStringLiteral("155"));
        f.env.messages.expect(QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。"));
        f.click(QStringLiteral("btnAdd"));
        QCOMPARE(f.rows(5).size(), 3);
        QVERIFY(f.rows(5).first().startsWith(QStringLiteral("9|2019|1|25|150|")));
        f.env.exec(TDM::ACN2, QStringLiteral("DROP TRIGGER t"));
        f.click(QStringLiteral("btnAdd"));
        QCOMPARE(f.rows(5).size(), 3);
        QVERIFY(f.rows(5).first().startsWith(QStringLiteral("1|2023|1|25|155|")));
        VERIFY_MESSAGES(f.env.messages);
    }

    // Another person saved the code after the screen loaded it: the save is refused, theirs
    // stay, and the form shows them in place of the edits.
    void refusedSaveShowsTheOtherPersonsTable() {
        Fixture f;
        f.type(QStringLiteral("txtSeikeihi2"), QStringLiteral("190"));
        f.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSEIKEI SET SEIKEIHI = 120 WHERE SKCO = 1 AND "
                                             "SNIN = 1"));
        const QStringList theirs = f.rows(1);
        f.type(QStringLiteral("txtSeikeihi2"), QStringLiteral("200"), false);
        f.env.messages.expect(ChangedByOtherText(QStringLiteral("生計費コード 1 ")));
        f.click(QStringLiteral("btnAdd"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.rows(1), theirs);
        QCOMPARE(f.box(QStringLiteral("cmbSeikeiID"))->text(),
                 QStringLiteral("1 : 人事院 標準生計費(令和4年勧告)"));
        QCOMPARE(f.box(QStringLiteral("txtSeikeihi1"))->text(), QStringLiteral("120"));
        QCOMPARE(f.box(QStringLiteral("txtSeikeihi2"))->text(), QStringLiteral("178.93"));
        QVERIFY(!f.screen.isWindowModified());
        f.type(QStringLiteral("txtSeikeihi2"), QStringLiteral("200"));
        f.click(QStringLiteral("btnAdd"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.rows(1)[1].section(QLatin1Char('|'), 4, 4), QStringLiteral("200"));
    }

    void movesAskBeforeDroppingChanges() {
        Fixture f;
        f.env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MSEIKEI (SKCO, SNIN, SNENREI, SEIKEIHI) "
                                             "VALUES (3, 1, 30, 100), (8, 1, 40, 120)"));
        f.screen.PrepareScreen();
        f.click(QStringLiteral("btnNext"));
        QVERIFY(f.box(QStringLiteral("cmbSeikeiID"))->text().startsWith(QStringLiteral("3 : ")));
        f.type(QStringLiteral("txtNenrei1"), QStringLiteral("31"));
        f.env.messages.expect(QStringLiteral("【いいえ】:最初のデータ　へ。"), Msg::Answer::Yes,
                              QStringLiteral("確認"));
        f.click(QStringLiteral("btnNext"));
        QCOMPARE(f.box(QStringLiteral("txtNenrei1"))->text(), QStringLiteral("31"));
        f.env.messages.expect(QStringLiteral("ﾃﾞｰﾀが変更されています。"), Msg::Answer::No);
        f.click(QStringLiteral("btnNext"));
        QVERIFY(f.box(QStringLiteral("cmbSeikeiID"))->text().startsWith(QStringLiteral("8 : ")));
        f.click(QStringLiteral("btnNext")); // the last code: nothing happens
        QVERIFY(f.box(QStringLiteral("cmbSeikeiID"))->text().startsWith(QStringLiteral("8 : ")));
        f.click(QStringLiteral("btnFirst"));
        QVERIFY(f.box(QStringLiteral("cmbSeikeiID"))->text().startsWith(QStringLiteral("1 : ")));
        f.env.messages.expect(QStringLiteral("ﾃﾞｰﾀを削除しますか？"), Msg::Answer::Yes,
                              QStringLiteral("削除"));
        f.click(QStringLiteral("btnDlt"));
        QVERIFY(f.rows(1).isEmpty());
        QCOMPARE(f.box(QStringLiteral("txtLastNo"))->text(), QStringLiteral("2"));
        VERIFY_MESSAGES(f.env.messages);
    }
};

QTEST_MAIN(TestWS0050)
#include "test_ws0050.moc"
