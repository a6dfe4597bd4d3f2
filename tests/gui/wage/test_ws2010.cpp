// The wage-table screen as a user works it: opening, field checks, code boxes, page changes,
// saving, cancelling and closing, the base-amount window, and the main window's command.

#include "app/WS0000_MainWindow.h"
#include "core/common/AppState.h"
#include "data/db/RecordGuard.h"
#include "gui/masters/EmployeeListGrid.h"
#include "gui/masters/WS0030_Employee.h"
#include "gui/wage/WS2010_WageTable.h"
#include "gui/wage/WS2011_BaseAmounts.h"
#include "support/core/XlsxReader.h"
#include "support/gui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

const QString Where = QStringLiteral(" WHERE KCO = 1 AND NENDO = 2023");
const QString NotNumber = QStringLiteral("数値を入力してください。");
const QString OutOfRange = QStringLiteral("入力範囲外です。");
const QString Unsaved =
    QStringLiteral("ﾃﾞｰﾀが変更されています。登録ボタンを押し、データを更新して下さい。");
const QString Confirm = QStringLiteral("確認");

QLineEdit* editOf(QWidget* w) {
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->lineEdit();
    return qobject_cast<QLineEdit*>(w);
}

struct Screen {
    ScreenEnvironment env;
    std::unique_ptr<TWS2010> dlg;
    TWS2011* ws2011 = nullptr;

    explicit Screen(int kco = 1) {
        env.openDatabases();
        if (kco != 1) {
            // A company of 2023 without any wage table.
            env.exec(TDM::ACN1, QStringLiteral("INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES "
                                               "(%1, 2023, '新会社')")
                                    .arg(kco));
            env.exec(TDM::ACN2, QStringLiteral("INSERT INTO MKIGYOU2 (KCO, NENDO, KNA, TK01, "
                                               "TK02) VALUES (%1, 2023, '新会社', '一般', '主任')")
                                    .arg(kco));
        }
        if (!env.openCompany(kco, 2023))
            qFatal("company missing");
        dlg = std::make_unique<TWS2010>();
        ws2011 = dlg->baseAmounts();
        dlg->prepare();
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        if (!QTest::qWaitForWindowActive(dlg.get()))
            qFatal("the screen did not become active");
    }
    template <class W = QWidget> W* get(const QString& name) const {
        W* w = dlg->findChild<W*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QString text(const QString& name) const { return editOf(get(name))->text(); }
    void click(const QString& name) { QTest::mouseClick(get(name), Qt::LeftButton); }
    int page() const { return get<QTabWidget>(QStringLiteral("PageControl1"))->currentIndex(); }
    void clickTab(int index) {
        QTabBar* bar = get<QTabWidget>(QStringLiteral("PageControl1"))->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        QCoreApplication::processEvents();
    }
    // Types as a user does, replacing the old text, then leaves the field with Tab.
    void type(const QString& name, const QString& text) {
        QWidget* field = get(name);
        field->setFocus();
        editOf(field)->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        else
            QTest::keyClicks(field, text);
    }
    void enter(const QString& name, const QString& text) {
        type(name, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    QString focused() const {
        QWidget* w = QApplication::focusWidget();
        while (w && w->objectName().isEmpty())
            w = w->parentWidget();
        return w ? w->objectName() : QString();
    }
    QStringList stored(const QString& sql) { return env.rows(TDM::ACN2, sql); }
    QStringList table() {
        return stored(QStringLiteral("SELECT * FROM DCHINGIN2") + Where +
                      QStringLiteral(" ORDER BY GOUHOU"));
    }
    QStringList definition() {
        QStringList all;
        for (const char* t : {"MCHINGIN", "DSCALE", "DKSEN2", "DKSEN3", "DCHINGIN2"})
            all += stored(QStringLiteral("SELECT * FROM %1").arg(QLatin1String(t)) + Where +
                          QStringLiteral(" ORDER BY 3, 4"));
        return all;
    }
};

} // namespace

class TestWS2010 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithoutTable() {
        Screen s(5);
        QCOMPARE(ShownTitle(*s.dlg), QStringLiteral("賃金表　作成"));
        QCOMPARE(s.text(QStringLiteral("txtTokyusu")), QStringLiteral("9"));
        QCOMPARE(s.text(QStringLiteral("txtTitle")), QString());
        QVERIFY(s.get<QRadioButton>(QStringLiteral("opt2Jikyokusen"))->isChecked());
        QVERIFY(s.get<QRadioButton>(QStringLiteral("optAuto"))->isChecked());
        QVERIFY(s.get<QRadioButton>(QStringLiteral("optUnit10"))->isChecked());
        for (const char* box : {"cmbScaleCode", "cmb2JiCode", "cmb3JiCode"})
            QCOMPARE(s.text(QString::fromLatin1(box)), QStringLiteral("0 : なし"));
        QVERIFY(s.get(QStringLiteral("cmb2JiCode"))->isEnabled());
        QVERIFY(!s.get(QStringLiteral("cmb3JiCode"))->isEnabled());
        QCOMPARE(s.text(QStringLiteral("txt2Kakeritsu")), QStringLiteral("1.000"));
        QCOMPARE(s.text(QStringLiteral("txt3Kakeritsu")), QStringLiteral("1.000"));
        for (const char* f : {"txtKiso9", "txtSplet1", "txt2EndSalary5", "txtC2Gosu3"})
            QCOMPARE(s.text(QString::fromLatin1(f)), QStringLiteral("0"));
        QCOMPARE(s.text(QStringLiteral("txt1TKName2")), QStringLiteral("主任"));
        QVERIFY(!s.dlg->isWindowModified());
        // Without a stored table there is nothing to print.
        s.env.messages.expect(QStringLiteral("印刷対象データはありません。"));
        s.click(QStringLiteral("btnSalaryList"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void opensSample() {
        Screen s;
        QCOMPARE(s.text(QStringLiteral("txtTokyusu")), QStringLiteral("6"));
        QCOMPARE(s.text(QStringLiteral("txtTitle")), QStringLiteral("2023年度 職能給表"));
        QVERIFY(s.get<QRadioButton>(QStringLiteral("optUnit100"))->isChecked());
        QCOMPARE(s.text(QStringLiteral("cmbScaleCode")), QStringLiteral("1"));
        QCOMPARE(s.text(QStringLiteral("cmb2ScaleCode")), QStringLiteral("1"));
        QCOMPARE(s.text(QStringLiteral("cmb3JiCode")), QStringLiteral("0 : なし"));
        QCOMPARE(s.text(QStringLiteral("cmb3Ji")), QString());
        QCOMPARE(s.get<QComboBox>(QStringLiteral("cmb2Ji"))->count(), 1);
        QCOMPARE(s.text(QStringLiteral("txtKiso2")), QStringLiteral("135,000"));
        QCOMPARE(s.text(QStringLiteral("txt2CSalary2")), QStringLiteral("135,000"));
        QCOMPARE(s.text(QStringLiteral("txt2EndGosu4")), QStringLiteral("60"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void fieldChecks() {
        Screen s(5);
        const QString grades = QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。");
        // A refused field keeps the focus; the messages of every check are in test_wage_texts.
        s.env.messages.expect(grades);
        s.enter(QStringLiteral("txtTokyusu"), QStringLiteral("10"));
        QCOMPARE(s.focused(), QStringLiteral("txtTokyusu"));
        s.enter(QStringLiteral("txtTokyusu"), QStringLiteral("4"));
        QCOMPARE(s.dlg->gradeCount(), 4);

        s.env.messages.expect(QStringLiteral("０　は、入力できません。"));
        s.enter(QStringLiteral("cmbScaleCode"), QStringLiteral("0"));
        QCOMPARE(s.focused(), QStringLiteral("cmbScaleCode"));
        // Leaving an empty box changes nothing.
        s.enter(QStringLiteral("cmbScaleCode"), QString());
        QCOMPARE(s.dlg->scaleCode(), 0);
        VERIFY_MESSAGES(s.env.messages);

        // Saved so that the pages may be shown; the scale figures follow each row's fields.
        s.click(QStringLiteral("btnAdd"));
        s.clickTab(TWS2010::ScalePage);
        s.enter(QStringLiteral("txtKagen1"), QStringLiteral("-20"));
        s.enter(QStringLiteral("txtKiso1"), QStringLiteral("200000"));
        s.enter(QStringLiteral("txtJyogen1"), QStringLiteral("30"));
        QCOMPARE(s.text(QStringLiteral("txtKiso1")), QStringLiteral("200,000"));
        QCOMPARE(s.text(QStringLiteral("txtSplet1")), QStringLiteral("1.63"));
        QCOMPARE(s.text(QStringLiteral("txtLenji1")), QStringLiteral("100,000"));
        s.env.messages.expect(OutOfRange);
        s.enter(QStringLiteral("txtKagen2"), QStringLiteral("-12.345"));
        QCOMPARE(s.focused(), QStringLiteral("txtKagen2"));
        s.enter(QStringLiteral("txtKagen2"), QStringLiteral("-10"));
        s.enter(QStringLiteral("txtKiso1"), QStringLiteral("0"));
        QCOMPARE(s.text(QStringLiteral("txtSplet1")), QStringLiteral("0"));
        QCOMPARE(s.text(QStringLiteral("txtLenji1")), QStringLiteral("0"));
        // Rows beyond the grade count are disabled.
        QVERIFY(s.get(QStringLiteral("txtKiso4"))->isEnabled());
        QVERIFY(!s.get(QStringLiteral("txtKiso5"))->isEnabled());

        s.click(QStringLiteral("btnAdd"));
        s.clickTab(TWS2010::SecondPage);
        s.enter(QStringLiteral("txt2Stgosu1"), QStringLiteral("-10"));
        s.enter(QStringLiteral("txt2EndGosu1"), QStringLiteral("80"));
        s.env.messages.expect(OutOfRange);
        s.enter(QStringLiteral("txt2Cgosu1"), QStringLiteral("81"));
        QCOMPARE(s.focused(), QStringLiteral("txt2Cgosu1"));
        s.enter(QStringLiteral("txt2Cgosu1"), QStringLiteral("3"));
        s.enter(QStringLiteral("txt2Kakeritsu"), QStringLiteral("1.01"));
        QCOMPARE(s.text(QStringLiteral("txt2Kakeritsu")), QStringLiteral("1.010"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void codeBoxes() {
        Screen s;
        // A code followed by a blank and more text selects that code; both boxes show it.
        s.enter(QStringLiteral("cmb2JiCode"), QStringLiteral("5 new"));
        QCOMPARE(s.text(QStringLiteral("cmb2JiCode")), QStringLiteral("5"));
        QCOMPARE(s.text(QStringLiteral("cmb2Ji")), QStringLiteral("5"));
        QCOMPARE(s.dlg->secondCode(), 5);
        // A code without a stored set loads an empty one.
        QCOMPARE(s.text(QStringLiteral("txt2CSalary2")), QStringLiteral("0"));
        QCOMPARE(s.text(QStringLiteral("txt2Kakeritsu")), QStringLiteral("1.000"));
        QVERIFY(!s.dlg->isWindowModified());
        // Enter moves on like Tab, and the code is taken.
        s.type(QStringLiteral("cmb2JiCode"), QStringLiteral("1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(s.focused() != QStringLiteral("cmb2JiCode"));
        QCOMPARE(s.text(QStringLiteral("txt2CSalary2")), QStringLiteral("135,000"));

        // Chosen on the scale page, a scale code keeps the unsaved-change flag as it was.
        s.clickTab(TWS2010::ScalePage);
        s.type(QStringLiteral("txtKiso1"), QStringLiteral("111000"));
        s.enter(QStringLiteral("cmb2ScaleCode"), QStringLiteral("3"));
        QCOMPARE(s.text(QStringLiteral("cmbScaleCode")), QStringLiteral("3"));
        QCOMPARE(s.text(QStringLiteral("txtKiso1")), QStringLiteral("0"));
        QVERIFY(s.dlg->isWindowModified());
        VERIFY_MESSAGES(s.env.messages);
    }

    void pageChanges() {
        Screen s;
        // Unsaved changes: every tab click goes back with the message; the flag stays.
        s.type(QStringLiteral("txtTitle"), QStringLiteral("draft"));
        for (int tab : {TWS2010::ScalePage, TWS2010::SecondPage}) {
            s.env.messages.expect(Unsaved);
            s.clickTab(tab);
            QCOMPARE(s.page(), int(TWS2010::BasicPage));
            QVERIFY(s.dlg->isWindowModified());
        }
        s.click(QStringLiteral("btnCancel"));
        QCOMPARE(s.text(QStringLiteral("txtTitle")), QStringLiteral("2023年度 職能給表"));
        QVERIFY(!s.dlg->isWindowModified());

        // The page of the other method is refused.
        s.env.messages.expect(QStringLiteral("曲線の選択　は、２次曲線　が選択されています。"));
        s.clickTab(TWS2010::ThirdPage);
        QCOMPARE(s.page(), int(TWS2010::BasicPage));

        // Automatic amounts come from the saved scale when a curve page is shown.
        s.clickTab(TWS2010::ScalePage);
        s.enter(QStringLiteral("txtKiso2"), QStringLiteral("140000"));
        s.click(QStringLiteral("btnAdd"));
        QCOMPARE(s.text(QStringLiteral("txt2CSalary2")), QStringLiteral("135,000"));
        s.clickTab(TWS2010::SecondPage);
        QCOMPARE(s.page(), int(TWS2010::SecondPage));
        QCOMPARE(s.text(QStringLiteral("txt2Salary2")), QStringLiteral("126,000"));
        QCOMPARE(s.text(QStringLiteral("txt2CSalary2")), QStringLiteral("140,000"));
        QCOMPARE(s.text(QStringLiteral("txt2EndSalary2")), QStringLiteral("168,000"));
        QCOMPARE(s.text(QStringLiteral("txt2TKSuu")), QStringLiteral("6"));
        QVERIFY(s.get<QLineEdit>(QStringLiteral("txt2Salary2"))->isReadOnly());
        QVERIFY(!s.get<QLineEdit>(QStringLiteral("txt2Stgosu2"))->isReadOnly());
        QVERIFY(!s.get(QStringLiteral("txt2Stgosu7"))->isEnabled());
        QVERIFY(!s.dlg->isWindowModified());

        // In manual mode the amounts stay as typed.
        s.clickTab(TWS2010::BasicPage);
        s.click(QStringLiteral("optManual"));
        s.click(QStringLiteral("btnAdd"));
        s.clickTab(TWS2010::ScalePage);
        s.enter(QStringLiteral("txtKiso2"), QStringLiteral("150000"));
        s.click(QStringLiteral("btnAdd"));
        s.clickTab(TWS2010::SecondPage);
        QCOMPARE(s.text(QStringLiteral("txt2CSalary2")), QStringLiteral("140,000"));
        QVERIFY(!s.get<QLineEdit>(QStringLiteral("txt2Salary2"))->isReadOnly());
        VERIFY_MESSAGES(s.env.messages);
    }

    // The way a user makes a second table: a new 3rd-order set beside the 2nd-order one.
    void thirdOrderSetUnderNewCode() {
        Screen s;
        const QStringList secondOrder = s.stored(QStringLiteral("SELECT * FROM DKSEN2") + Where);
        const QStringList sampleTable = s.table();
        s.click(QStringLiteral("opt3JiKyokusen"));
        QVERIFY(s.get(QStringLiteral("cmb3JiCode"))->isEnabled());
        QVERIFY(!s.get(QStringLiteral("cmb2JiCode"))->isEnabled());
        s.enter(QStringLiteral("cmb3JiCode"), QStringLiteral("2"));
        QCOMPARE(s.text(QStringLiteral("cmb3Ji")), QStringLiteral("2"));
        s.clickTab(TWS2010::ThirdPage);
        QCOMPARE(s.page(), int(TWS2010::ThirdPage));
        QCOMPARE(s.text(QStringLiteral("txtStSalary1")), QStringLiteral("99,000"));
        QCOMPARE(s.text(QStringLiteral("txtEndSalary6")), QStringLiteral("310,500"));
        QVERIFY(!s.get<QLineEdit>(QStringLiteral("txtC2Salary1"))->isReadOnly());
        for (int g = 1; g <= 6; ++g) {
            const QString n = QString::number(g);
            s.enter(QStringLiteral("txtStGosu") + n, QStringLiteral("1"));
            s.enter(QStringLiteral("txtC1Gosu") + n, QStringLiteral("10"));
            s.enter(QStringLiteral("txtC2Gosu") + n, QStringLiteral("20"));
            s.enter(QStringLiteral("txtC2Salary") + n, QString::number(110000 + 25000 * g));
            s.enter(QStringLiteral("txtEndGosu") + n, QStringLiteral("30"));
        }
        s.enter(QStringLiteral("txt3Kakeritsu"), QStringLiteral("1.01"));
        s.click(QStringLiteral("btnAdd"));
        VERIFY_MESSAGES(s.env.messages);

        QCOMPARE(s.stored(QStringLiteral("SELECT KSENTAKUF, K2CO, K3CO, GOUHOU1, GOUHOU2 FROM "
                                         "MCHINGIN") +
                          Where),
                 QStringList{QStringLiteral("1|1|2|1|30")});
        QCOMPARE(s.stored(QStringLiteral("SELECT COUNT(*), MIN(KRITSU) FROM DKSEN3") + Where +
                          QStringLiteral(" AND K3CO = 2")),
                 QStringList{QStringLiteral("6|1.01")});
        QCOMPARE(s.stored(QStringLiteral("SELECT * FROM DKSEN2") + Where), secondOrder);
        // Grade 1: 99,000, 110,000, 135,000 and 132,000 times 1.01 at steps 1, 10, 20, 30,
        // climbing by 11,110 / 9 → 1,200 from step 1.
        const QStringList grade1 = s.stored(QStringLiteral("SELECT KIN1 FROM DCHINGIN2") + Where +
                                            QStringLiteral(" AND GOUHOU IN (1, 2, 10, 20, 30) "
                                                           "ORDER BY GOUHOU"));
        QCOMPARE(grade1, (QStringList{QStringLiteral("100000"), QStringLiteral("101200"),
                                      QStringLiteral("111100"), QStringLiteral("136400"),
                                      QStringLiteral("133300")}));
        QCOMPARE(s.dlg->thirdCode(), 2);
        QCOMPARE(s.page(), int(TWS2010::ThirdPage));

        // Back to the 2nd order: its set was left alone, so the table is the sample's again.
        s.clickTab(TWS2010::BasicPage);
        s.click(QStringLiteral("opt2Jikyokusen"));
        s.click(QStringLiteral("btnAdd"));
        QCOMPARE(s.table(), sampleTable);
        QCOMPARE(s.stored(QStringLiteral("SELECT COUNT(*) FROM DKSEN3") + Where),
                 QStringList{QStringLiteral("6")});
        VERIFY_MESSAGES(s.env.messages);
    }

    // Every field is checked before anything is written.
    void saveChecksFirst() {
        Screen s;
        const QStringList before = s.definition();
        s.get<QLineEdit>(QStringLiteral("txtKiso3"))->setText(QStringLiteral("12a"));
        s.env.messages.expect(NotNumber);
        s.click(QStringLiteral("btnAdd"));
        QCOMPARE(s.page(), int(TWS2010::ScalePage));
        QCOMPARE(s.focused(), QStringLiteral("txtKiso3"));
        QCOMPARE(s.definition(), before);

        // A failing statement: nothing lands, the message comes once, the edits stay.
        s.get<QLineEdit>(QStringLiteral("txtKiso3"))->setText(QStringLiteral("170,000"));
        s.env.exec(TDM::ACN2, QStringLiteral("CREATE TRIGGER Fail BEFORE INSERT ON DCHINGIN2 "
                                             "WHEN NEW.GOUHOU = 40 BEGIN SELECT RAISE(ABORT, "
                                             "'full'); END"));
        s.env.messages.expect(QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。"));
        s.click(QStringLiteral("btnAdd"));
        QCOMPARE(s.definition(), before);
        QCOMPARE(s.text(QStringLiteral("txtKiso3")), QStringLiteral("170,000"));
        s.env.exec(TDM::ACN2, QStringLiteral("DROP TRIGGER Fail"));
        s.click(QStringLiteral("btnAdd"));
        QCOMPARE(s.stored(QStringLiteral("SELECT KKIN FROM DSCALE") + Where +
                          QStringLiteral(" AND TKNO = 3")),
                 QStringList{QStringLiteral("170000")});
        VERIFY_MESSAGES(s.env.messages);
    }

    // Another person saved the definition after the screen loaded it: the save is refused,
    // theirs stays, and the screen shows what is stored now in place of the edits.
    void refusedSaveShowsTheOtherPersonsDefinition() {
        Screen s;
        const QString scale3 =
            QStringLiteral("SELECT KKIN FROM DSCALE") + Where + QStringLiteral(" AND TKNO = 3");
        s.env.exec(TDM::ACN2, QStringLiteral("UPDATE DSCALE SET KKIN = 181000") + Where +
                                  QStringLiteral(" AND TKNO = 3"));
        s.enter(QStringLiteral("txtKiso3"), QStringLiteral("170000"));
        QVERIFY(s.dlg->isWindowModified());
        s.env.messages.expect(ChangedByOtherText(QStringLiteral("2023年度の賃金表の定義")));
        s.click(QStringLiteral("btnAdd"));
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.stored(scale3), QStringList{QStringLiteral("181000")});
        QCOMPARE(s.text(QStringLiteral("txtKiso3")), QStringLiteral("181,000"));
        QVERIFY(!s.dlg->isWindowModified());
        s.enter(QStringLiteral("txtKiso3"), QStringLiteral("170000"));
        s.click(QStringLiteral("btnAdd"));
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.stored(scale3), QStringList{QStringLiteral("170000")});
    }

    void closingAndPrinting() {
        Screen s;
        const QString question = QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r");
        s.type(QStringLiteral("txtTitle"), QStringLiteral("x"));
        s.env.messages.expect(question + QStringLiteral("【いいえ】:続行します。"),
                              Msg::Answer::Yes, Confirm);
        QVERIFY(!s.dlg->confirmBeforePrint());
        s.env.messages.expect(question + QStringLiteral("【いいえ】:続行します。"), Msg::Answer::No,
                              Confirm);
        QVERIFY(s.dlg->confirmBeforePrint());

        s.click(QStringLiteral("btnKijungaku"));
        QVERIFY(s.ws2011->isVisible());
        s.env.messages.expect(question + QStringLiteral("【いいえ】:画面を閉じます。"),
                              Msg::Answer::Yes, Confirm);
        s.click(QStringLiteral("btnClose"));
        QVERIFY(s.dlg->isVisible());
        s.env.messages.expect(question + QStringLiteral("【いいえ】:画面を閉じます。"),
                              Msg::Answer::No, Confirm);
        s.click(QStringLiteral("btnClose"));
        QVERIFY(!s.dlg->isVisible());
        QVERIFY(!s.ws2011->isVisible());
        QVERIFY(!s.dlg->isWindowModified());
        VERIFY_MESSAGES(s.env.messages);
    }

    // "Excel保存" saves the stored table with the title on the screen; with edits not yet
    // registered it asks first, as the print does, and "はい" goes back to them.
    void excelSavesTheStoredTable() {
        Screen s;
        const QString question = QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r"
                                                "【いいえ】:続行します。");
        s.type(QStringLiteral("txtKiso1"), QStringLiteral("999999")); // not left, not saved
        s.env.messages.expect(question, Msg::Answer::Yes, Confirm);
        s.click(QStringLiteral("btnExcel"));
        QCOMPARE(s.env.dialogs.saveCalls, 0);
        const QString path = s.env.appDir() + QStringLiteral("table.xlsx");
        s.env.dialogs.saveAnswers << path;
        s.env.messages.expect(question, Msg::Answer::No, Confirm);
        s.click(QStringLiteral("btnExcel"));
        VERIFY_MESSAGES(s.env.messages);
        XlsxReader r;
        QVERIFY2(r.open(path), qPrintable(r.error()));
        QCOMPARE(r.sheetNames(), QStringList({QStringLiteral("賃金表"), QStringLiteral("定義")}));
        QCOMPARE(r.sheet(0)->text(QStringLiteral("A1")), QStringLiteral("2023年度 職能給表"));
        QCOMPARE(r.sheet(0)->number(QStringLiteral("B5")), 99000.0);
        const XlsxSheet* d = r.sheet(1);
        int head = 1;
        while (head < 60 && d->text(QStringLiteral("A%1").arg(head)) != QStringLiteral("等級番号"))
            ++head;
        // The stored base of grade 1, not the 999,999 typed.
        QCOMPARE(d->number(QStringLiteral("D%1").arg(head + 1)), 110000.0);

        Screen none(5);
        none.env.messages.expect(QStringLiteral("印刷対象データはありません。"));
        none.click(QStringLiteral("btnExcel"));
        VERIFY_MESSAGES(none.env.messages);
        QCOMPARE(none.env.dialogs.saveCalls, 0);
    }

    void baseAmountWindow() {
        Screen s;
        s.clickTab(TWS2010::ScalePage);
        s.click(QStringLiteral("btnKijungaku"));
        QVERIFY(s.ws2011->isVisible());
        QCOMPARE(s.ws2011->windowTitle(), QStringLiteral("基準額"));
        QVERIFY(s.ws2011->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(s.ws2011->findChild<QLabel*>(QStringLiteral("Label003"))->text(),
                 QStringLiteral("主任"));
        // The sample links 職能給 to the table: each grade's average table amount.
        const QString grade2 =
            s.env.scalar(TDM::ACN2, QStringLiteral("SELECT ROUND(AVG(KIN)) FROM VSYAIN") + Where +
                                        QStringLiteral(" AND TOUKYU = 2"));
        QCOMPARE(s.ws2011->findChild<QLabel*>(QStringLiteral("Label012"))->text(),
                 QLocale(QLocale::English).toString(qint64(grade2.toDouble())));
        QCOMPARE(s.ws2011->findChild<QLabel*>(QStringLiteral("Label017"))->text(), QString());
        QTest::mouseClick(s.ws2011->findChild<QLabel*>(QStringLiteral("Label015")), Qt::LeftButton);
        QVERIFY(!s.ws2011->isVisible());
        VERIFY_MESSAGES(s.env.messages);
    }

    // The base-amount window stays open beside other screens; what they change reaches it
    // through the project, without the user asking again.
    void baseAmountWindowFollowsChangesElsewhere() {
        Screen s;
        s.click(QStringLiteral("btnKijungaku"));
        QVERIFY(s.ws2011->isVisible());
        auto* grade6 = s.ws2011->findChild<QLabel*>(QStringLiteral("Label016"));
        const QString before = grade6->text();
        const QString averageOfGrade6 = QStringLiteral("SELECT ROUND(AVG(KIN)) FROM VSYAIN") +
                                        Where + QStringLiteral(" AND TOUKYU = 6");
        const int sco = s.env
                            .scalar(TDM::ACN2, QStringLiteral("SELECT min(SCO) FROM VSYAIN") +
                                                   Where + QStringLiteral(" AND TOUKYU = 1"))
                            .toInt();

        // The employee screen moves an employee of grade 1 to grade 6 and saves.
        TWS0030 employees;
        employees.prepare();
        employees.StringGrid1Click(employees.listModel()->gridRowOf(sco));
        auto* grade = Control<QComboBox>(employees, QStringLiteral("cmbSikaku"));
        grade->setEditText(QStringLiteral("6"));
        QVERIFY(employees.cmbSikakuExit());
        employees.btnMntClick();
        QCOMPARE(s.env.scalar(TDM::ACN2, QStringLiteral("SELECT TOUKYU FROM VSYAIN") + Where +
                                             QStringLiteral(" AND SCO = %1").arg(sco)),
                 QStringLiteral("6"));
        const QString after =
            QLocale(QLocale::English)
                .toString(qint64(s.env.scalar(TDM::ACN2, averageOfGrade6).toDouble()));
        QVERIFY(after != before);
        QCOMPARE(grade6->text(), after);
        VERIFY_MESSAGES(s.env.messages);
    }

    void mainWindowCommand() {
        ScreenEnvironment env;
        TWS0000 mw(env.appDir());
        QVERIFY(mw.action(QStringLiteral("mnSalaryList"))->isEnabled());
        env.messages.expect(QStringLiteral("企業の選択がされていません。企業を選択してください。"));
        mw.action(QStringLiteral("mnSalaryList"))->trigger();
        VERIFY_MESSAGES(env.messages);

        env.openCompany(1, 2023);
        QString shown;
        QTimer::singleShot(0, [&shown] {
            auto* w = qobject_cast<TWS2010*>(QApplication::activeModalWidget());
            QVERIFY(w);
            shown = w->findChild<QLineEdit*>(QStringLiteral("txtTokyusu"))->text();
            Control<QPushButton>(*w, QStringLiteral("btnClose"))->click();
        });
        mw.action(QStringLiteral("mnSalaryList"))->trigger();
        QCOMPARE(shown, QStringLiteral("6"));
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestWS2010)
#include "test_ws2010.moc"
