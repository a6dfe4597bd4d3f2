// The model data and model wage masters: the company's series shown, codes typed, inserted and
// changed (never twice), remarks kept as lines, deleting a description keeping its wages, the
// field refusals, and figures with decimals surviving a save.

#include "gui/analysis/WS0060_ModelWage.h"
#include "gui/analysis/WS0080_ModelData.h"
#include "support/gui/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

template <class Screen> struct Fixture {
    ScreenEnvironment env;
    Screen screen{nullptr};
    Fixture() {
        env.openDatabases();
        if (!env.openCompany(1, 2023))
            qFatal("no sample company");
        screen.PrepareScreen();
        screen.show();
        QApplication::setActiveWindow(&screen);
    }
    QLineEdit* box(const QString& name) {
        if (name.startsWith(QStringLiteral("cmb")))
            return Control<QComboBox>(screen, name)->lineEdit();
        return Control<QLineEdit>(screen, name);
    }
    void type(const QString& name, const QString& text, bool leave = true) {
        QLineEdit* b = box(name);
        b->setFocus();
        b->selectAll();
        if (text.toLatin1() == text.toUtf8()) {
            QTest::keyClicks(b, text);
        } else {
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
    QStringList rows(const QString& sql) { return env.rows(TDM::ACN1, sql); }
};

} // namespace

class TestModelMasters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modelDataCodesAndRemarks() {
        Fixture<TWS0080> f;
        QCOMPARE(f.box(QStringLiteral("cmbModelID"))->text(), QStringLiteral("1"));
        QCOMPARE(f.box(QStringLiteral("txtSyussyo"))->text(),
                 QStringLiteral("広島県商工会議所連合会"));
        QVERIFY(Control<QPlainTextEdit>(f.screen, QStringLiteral("txtBikou"))
                    ->toPlainText()
                    .contains(QStringLiteral("\n点線:高校卒")));
        // A new code keeps what the form shows; cancelled first, the form starts empty.
        f.click(QStringLiteral("btnCancel"));
        f.type(QStringLiteral("cmbModelID"), QStringLiteral("5"));
        QCOMPARE(f.box(QStringLiteral("cmbModelID"))->text(), QStringLiteral("5 : 未登録"));
        f.type(QStringLiteral("txtSalaryName"), QStringLiteral("O'Neil 試算"));
        f.type(QStringLiteral("txtJigyosyosuu"), QStringLiteral("1,2,3"));
        auto* remarks = Control<QPlainTextEdit>(f.screen, QStringLiteral("txtBikou"));
        remarks->setFocus();
        QTest::keyClicks(remarks, QStringLiteral("line1"));
        QTest::keyClick(remarks, Qt::Key_Return);
        QTest::keyClicks(remarks, QStringLiteral("line2"));
        f.click(QStringLiteral("btnAdd"));
        QCOMPARE(f.rows(QStringLiteral("SELECT MDNA, JSU, BIKOU FROM MDEL WHERE MDCO = 5")),
                 QStringList({"O'Neil 試算|123|line1\r\nline2"}));
        QCOMPARE(f.box(QStringLiteral("txtLastNo"))->text(), QStringLiteral("3"));
        // Saving the same code again changes its row.
        f.type(QStringLiteral("cmbModelID"), QStringLiteral("5"));
        QCOMPARE(remarks->toPlainText(), QStringLiteral("line1\nline2"));
        f.type(QStringLiteral("txtKibo"), QStringLiteral("100"));
        f.click(QStringLiteral("btnAdd"));
        QCOMPARE(f.rows(QStringLiteral("SELECT KIBO FROM MDEL WHERE MDCO = 5")),
                 QStringList({"100"}));
        f.env.messages.expect(QStringLiteral("ﾃﾞｰﾀの変更がありません。"));
        f.type(QStringLiteral("cmbModelID"), QStringLiteral("5"));
        f.click(QStringLiteral("btnAdd"));
        // Next after the second code shows the third.
        f.type(QStringLiteral("cmbModelID"), QStringLiteral("2"));
        f.click(QStringLiteral("btnNext"));
        QCOMPARE(f.box(QStringLiteral("txtSalaryName"))->text(), QStringLiteral("O'Neil 試算"));
        // Deleting a description keeps the series' wages.
        f.click(QStringLiteral("btnFirst"));
        f.env.messages.expect(QStringLiteral("ﾃﾞｰﾀを削除しますか？"), Msg::Answer::Yes,
                              QStringLiteral("削除"));
        f.click(QStringLiteral("btnDlt"));
        QVERIFY(f.rows(QStringLiteral("SELECT * FROM MDEL WHERE MDCO = 1")).isEmpty());
        QCOMPARE(f.rows(QStringLiteral("SELECT COUNT(*) FROM MDCHINGIN WHERE MDCO = 1")),
                 QStringList({"15"}));
        f.env.messages.expect(QStringLiteral("０　は、入力できません。"));
        f.type(QStringLiteral("cmbModelID"), QStringLiteral("0"));
        VERIFY_MESSAGES(f.env.messages);
    }

    void modelWagesInsertedOnceAndChecked() {
        Fixture<TWS0060> f;
        auto* grid = Control<QTableWidget>(f.screen, QStringLiteral("StringGrid1"));
        QCOMPARE(grid->rowCount(), 15);
        QCOMPARE(f.box(QStringLiteral("txtLastNo"))->text(), QStringLiteral("15"));
        f.type(QStringLiteral("cmbSalaryID"), QStringLiteral("20"));
        f.type(QStringLiteral("txtNenrei"), QStringLiteral("45"));
        f.env.messages.expect(QStringLiteral("入力範囲外です。"));
        f.type(QStringLiteral("txtKinzoku"), QStringLiteral("1000"));
        f.type(QStringLiteral("txtKinzoku"), QStringLiteral("23"));
        f.env.messages.expect(QStringLiteral("入力範囲外です。"));
        f.type(QStringLiteral("cmbSensyu"), QStringLiteral("4"));
        f.type(QStringLiteral("cmbSensyu"), QStringLiteral("0"));
        QCOMPARE(f.box(QStringLiteral("cmbSensyu"))->text(), QStringLiteral("0 : なし"));
        f.type(QStringLiteral("txtSyotei"), QStringLiteral("380.5"), false);
        f.click(QStringLiteral("btnAdd"));
        const QString wage20 =
            QStringLiteral("SELECT NENREI, KNENSU, SKIN, SENSYU FROM MDCHINGIN WHERE MDCO = 1 AND "
                           "MCCO = 20");
        QCOMPARE(f.rows(wage20), QStringList({"45|23|380.5|0"}));
        QCOMPARE(grid->rowCount(), 16);
        // The last row reached by moving is changed, not written twice.
        f.click(QStringLiteral("btnLast"));
        QCOMPARE(f.box(QStringLiteral("txtSyotei"))->text(), QStringLiteral("380.5"));
        f.type(QStringLiteral("txtNenrei"), QStringLiteral("46"));
        f.click(QStringLiteral("btnAdd"));
        QCOMPARE(f.rows(wage20), QStringList({"46|23|380.5|0"}));
        QCOMPARE(f.rows(QStringLiteral("SELECT COUNT(*) FROM MDCHINGIN WHERE MDCO = 1")),
                 QStringList({"16"}));
        // A change without a code is refused rather than stored under the last code.
        f.type(QStringLiteral("txtNenrei"), QStringLiteral("50"));
        f.env.messages.expect(QStringLiteral("モデル賃金コードが入力されていません。"));
        f.click(QStringLiteral("btnAdd"));
        // Moving with a change asks first.
        f.type(QStringLiteral("cmbSalaryID"), QStringLiteral("3"));
        f.type(QStringLiteral("txtNenrei"), QStringLiteral("31"));
        f.env.messages.expect(QStringLiteral("【いいえ】:次のデータ　へ。"), Msg::Answer::No,
                              QStringLiteral("確認"));
        f.click(QStringLiteral("btnNext"));
        QCOMPARE(f.box(QStringLiteral("txtNenrei"))->text(), QStringLiteral("35"));
        QCOMPARE(f.box(QStringLiteral("txtCureentNo"))->text(), QStringLiteral("4"));
        VERIFY_MESSAGES(f.env.messages);
    }
};

QTEST_MAIN(TestModelMasters)
#include "test_model_masters.moc"
