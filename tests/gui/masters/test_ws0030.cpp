#include "app/WS0000_MainWindow.h"
#include "core/common/AppState.h"
#include "core/common/Helpers.h"
#include "data/db/RecordGuard.h"
#include "data/project/Project.h"
#include "gui/masters/EmployeeListGrid.h"
#include "gui/masters/WS0030_Employee.h"
#include "render/masters/JpegDecoder.h"
#include "support/core/XlsxReader.h"
#include "support/gui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QImageWriter>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest>

namespace {

const QString Changed = QStringLiteral("ﾃﾞｰﾀが変更されています。");
const QColor AfterRaise(166, 202, 240);

// The employee screen over fresh delivered databases with the sample company open.
struct Screen {
    ScreenEnvironment env;
    TWS0030 ws;

    Screen() {
        env.setToday(QDate(2024, 6, 15));
        env.openDatabases();
        env.openCompany(1, 2023);
    }

    void open() {
        ws.prepare();
        ws.show();
        ws.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&ws));
    }

    QLineEdit* edit(const char* name) const {
        auto* e = ws.findChild<QLineEdit*>(QString::fromLatin1(name));
        Q_ASSERT(e);
        return e;
    }
    QComboBox* combo(const char* name) const {
        auto* c = ws.findChild<QComboBox*>(QString::fromLatin1(name));
        Q_ASSERT(c);
        return c;
    }
    QString text(const char* name) const {
        if (auto* e = ws.findChild<QLineEdit*>(QString::fromLatin1(name)))
            return e->text();
        return combo(name)->currentText();
    }
    // Shows the page that holds the control, as a user clicks its tab first.
    void showPageOf(QWidget* w) const {
        for (int page = 0; page < Control<QTabWidget>(ws, QStringLiteral("PageControl1"))->count();
             ++page)
            if (Control<QTabWidget>(ws, QStringLiteral("PageControl1"))
                    ->widget(page)
                    ->isAncestorOf(w))
                Control<QTabWidget>(ws, QStringLiteral("PageControl1"))->setCurrentIndex(page);
    }
    void click(const char* name) const {
        auto* b = ws.findChild<QAbstractButton*>(QString::fromLatin1(name));
        Q_ASSERT(b);
        showPageOf(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }

    // Types into a field as a user does, replacing what it held, and leaves it with Tab.
    void type(const char* name, const QString& value) const {
        QWidget* w = ws.findChild<QWidget*>(QString::fromLatin1(name));
        Q_ASSERT(w);
        showPageOf(w);
        enter(w, value);
        QTest::keyClick(w, Qt::Key_Tab);
    }
    // The same without leaving the field.
    static void enter(QWidget* w, const QString& value) {
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
            return;
        }
        // Japanese text arrives from the input method as committed text.
        QInputMethodEvent commit;
        commit.setCommitString(value);
        QApplication::sendEvent(e, &commit);
    }

    QString stored(const QString& columns, int sco, int year = 2023) {
        return env
            .rows(TDM::ACN2, QStringLiteral("SELECT %1 FROM VSYAIN WHERE KCO = 1 AND NENDO = %2 "
                                            "AND SCO = %3")
                                 .arg(columns)
                                 .arg(year)
                                 .arg(sco))
            .join(QLatin1Char('\n'));
    }
    int count(const QString& where = QString()) {
        return env
            .scalar(TDM::ACN2,
                    QStringLiteral("SELECT count(*) FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023") +
                        where)
            .toInt();
    }
    QColor base(const char* name) const { return edit(name)->palette().color(QPalette::Base); }
    const EmployeeListModel& list() const { return *ws.listModel(); }
    QTableView* grid() const { return Control<QTableView>(ws, QStringLiteral("StringGrid1")); }
    // Clicks a row (from 1) of the list on the name, as a user does.
    void clickRow(int row) const {
        const QModelIndex cell = grid()->model()->index(row - 1, EmployeeListModel::Name);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(cell).center());
    }
};

void writeJpeg(const QString& path, const QImage& image, bool progressive = false) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter w(path, "jpeg");
    w.setQuality(95);
    w.setProgressiveScanWrite(progressive);
    QVERIFY2(w.write(image), qPrintable(w.errorString()));
}

QImage filled(int w, int h, QColor c) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

} // namespace

class TestWS0030 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensOnTheFirstEmployee() {
        Screen s;
        s.open();
        QCOMPARE(ShownTitle(s.ws), QStringLiteral("社員データ"));
        QCOMPARE(s.list().employeeCount(), 60);
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("1"));
        QCOMPARE(s.text("txtWorker"), QStringLiteral("中村　誠"));
        QCOMPARE(s.text("txtWorkName"), QStringLiteral("中村　誠"));
        QCOMPARE(s.text("txtCureentNo"), QStringLiteral("1"));
        QCOMPARE(s.text("txtLastNo"), QStringLiteral("60"));
        QCOMPARE(s.list().highlightedRow(), 1);
        QVERIFY(!Control<QPushButton>(s.ws, QStringLiteral("btnAdd"))->isEnabled());
        QVERIFY(Control<QPushButton>(s.ws, QStringLiteral("btnMnt"))->isEnabled());
        QCOMPARE(Control<QLabel>(s.ws, QStringLiteral("lblKihon2"))->text(),
                 QStringLiteral("職能給"));
        QCOMPARE(Control<QLabel>(s.ws, QStringLiteral("lblTeate1"))->text(),
                 QStringLiteral("家族手当"));
        QCOMPARE(s.combo("cmbSikaku")->itemText(0), QStringLiteral("1 : 一般職Ⅰ"));
        QCOMPARE(s.combo("cmbSikaku")->itemText(9), QStringLiteral("0 : なし"));
        QCOMPARE(s.combo("cmbMibun")->itemText(0), QStringLiteral("1 : 役員"));
        QCOMPARE(s.combo("cmbHyouka1")->itemText(0), QStringLiteral("1 : S"));
        QVERIFY(s.combo("cmbMark")->itemText(0).startsWith(QStringLiteral("1 : ■  ")));
        // Western dates: the era boxes are hidden and the year has two digits.
        QVERIFY(s.combo("cmbSeiNengou")->isHidden());
        QCOMPARE(s.text("txtSeiyy") + s.text("txtSeimm") + s.text("txtSeidd"),
                 QStringLiteral("640828"));
        QVERIFY(!s.ws.isWindowModified());
        QCOMPARE(s.list().cellText(0, 1), QString());
        QCOMPARE(Control<QTableView>(s.ws, QStringLiteral("StringGrid1"))
                     ->model()
                     ->headerData(3, Qt::Horizontal)
                     .toString(),
                 QStringLiteral("氏　　名"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void datesGoThroughTheEraTable() {
        Screen s;
        s.env.exec(TDM::ACN1, "UPDATE MKIGYOU1 SET REKI = 1 WHERE KCO = 1 AND NENDO = 2023");
        QVERIFY(s.env.openCompany(1, 2023));
        s.open();
        QComboBox* era = s.combo("cmbSeiNengou");
        QVERIFY(!era->isHidden());
        QStringList items;
        for (int i = 0; i < era->count(); ++i)
            items << era->itemText(i);
        QCOMPARE(items, (QStringList{"昭和", "平成", "令和", ""}));
        QCOMPARE(era->currentText() + s.text("txtSeiyy") + s.text("txtSeimm") + s.text("txtSeidd"),
                 QStringLiteral("昭和390828"));
        era->setCurrentIndex(1);
        s.type("txtSeiyy", QStringLiteral("5"));
        s.type("txtSeimm", QStringLiteral("4"));
        s.type("txtSeidd", QStringLiteral("1"));
        // Enter moves on to the next field.
        s.edit("txtWorkerNo")->setFocus();
        QTest::keyClick(s.edit("txtWorkerNo"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), s.edit("txtWorkName"));
        s.click("btnMnt");
        QCOMPARE(s.stored("SEIHI, NENREI", 1), QStringLiteral("19930401|30"));
        // A date whose era is left blank does not convert.
        s.combo("cmbNyuNengou")->setCurrentIndex(3);
        s.env.messages.expect(QStringLiteral("入社日の入力エラーです。"));
        s.click("btnMnt");
        QCOMPARE(s.stored("NYUHI", 1), QStringLiteral("19830401"));
        // Month and day 0 mean no date, whatever the era and year say.
        s.type("txtNyumm", QStringLiteral("0"));
        s.type("txtNyudd", QStringLiteral("0"));
        s.click("btnMnt");
        QCOMPARE(s.stored("NYUHI, KINZOKU", 1), QStringLiteral("0|0"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void listCountsAgeAndServiceToTheBaseDate() {
        Screen s;
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET SCOT = '' WHERE SCO = 2");
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET NYUHI = 0, SEIHI = 19800402 WHERE SCO = 3");
        s.open();
        // The sample company counts to 2023-04-01.
        QCOMPARE(s.list().cellText(1, EmployeeListModel::Age), QStringLiteral("58"));
        QCOMPARE(s.list().cellText(2, EmployeeListModel::Age), QStringLiteral("0"));
        QCOMPARE(s.list().cellText(2, EmployeeListModel::Service), QStringLiteral("0"));
        QCOMPARE(s.list().cellText(3, EmployeeListModel::Age), QStringLiteral("42"));
        QCOMPARE(s.list().cellText(3, EmployeeListModel::Service), QStringLiteral("0"));
        QCOMPARE(s.list().cellText(1, EmployeeListModel::Kind), QStringLiteral("正社員"));
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET SM1 = 9 WHERE SCO = 1");
        s.ws.prepare();
        QCOMPARE(s.list().cellText(1, EmployeeListModel::Kind), QString());
    }

    void emptyListShowsOneEmptyRow() {
        Screen s;
        s.env.exec(TDM::ACN2, "DELETE FROM MSYAIN1");
        s.env.exec(TDM::ACN2, "DELETE FROM MSYAIN2");
        s.open();
        QCOMPARE(s.list().rowCount(), 1);
        QVERIFY(s.list().isBlank(1));
        QCOMPARE(s.text("txtCureentNo"), QString());
        QCOMPARE(s.text("txtLastNo"), QString());
        QCOMPARE(s.text("cmbWorker"), QString());
        s.ws.StringGrid1Click(1);
        s.click("btnNext");
        s.click("btnLast");
        QCOMPARE(s.text("cmbWorker"), QString());
        VERIFY_MESSAGES(s.env.messages);
    }

    void movesThroughTheList() {
        Screen s;
        s.open();
        s.click("btnNext");
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("2"));
        QCOMPARE(s.text("txtCureentNo"), QStringLiteral("2"));
        QCOMPARE(s.text("txtWorker"), QStringLiteral("青木　真由美"));
        QCOMPARE(s.list().highlightedRow(), 2);
        s.click("btnBack");
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("1"));
        // Back on the first employee and Next on the last do nothing.
        s.click("btnBack");
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("1"));
        QCOMPARE(s.text("txtCureentNo"), QStringLiteral("1"));
        s.click("btnLast");
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("60"));
        QCOMPARE(s.text("txtCureentNo"), QStringLiteral("60"));
        s.click("btnNext");
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("60"));
        s.click("btnFirst");
        QCOMPARE(s.text("txtCureentNo"), QStringLiteral("1"));
        // With an empty code box Next goes to the last employee and Back to the first.
        s.click("btnCansel");
        QCOMPARE(s.list().highlightedRow(), 0);
        s.click("btnNext");
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("60"));
        s.click("btnCansel");
        s.click("btnBack");
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("1"));
        QVERIFY(!Control<QPushButton>(s.ws, QStringLiteral("btnAdd"))->isEnabled());
        VERIFY_MESSAGES(s.env.messages);
    }

    void choosesRowsAndCodes() {
        Screen s;
        s.open();
        s.ws.StringGrid1Click(5);
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("5"));
        QCOMPARE(s.text("txtCureentNo"), QStringLiteral("5"));
        QCOMPARE(s.ws.currentRow(), 5);
        s.type("cmbWorker", QStringLiteral("7 : 山本　真由美"));
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("7"));
        QCOMPARE(s.text("txtWorker"), QStringLiteral("山本　真由美"));
        QCOMPARE(s.text("txtWorkName"), QStringLiteral("山本　真由美"));
        QCOMPARE(s.ws.currentRow(), 7);
        // A code without an employee keeps the form: that is how a new code is entered.
        s.type("cmbWorker", QStringLiteral("900"));
        QCOMPARE(s.text("txtWorkName"), QStringLiteral("山本　真由美"));
        QCOMPARE(s.ws.currentCode(), 900);
        QCOMPARE(s.list().highlightedRow(), 0);
        s.env.messages.expect(QStringLiteral("０　は、入力できません。"));
        s.type("cmbWorker", QStringLiteral("0"));
        s.env.messages.expect(QStringLiteral("数値を入力してください。"));
        s.type("cmbWorker", QStringLiteral("abc"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void asksBeforeDroppingChanges() {
        Screen s;
        s.open();
        s.type("txtYakusyoku", QStringLiteral("部長"));
        QVERIFY(s.ws.isWindowModified());
        s.env.messages.expect(
            Changed + QStringLiteral("\r【はい】:戻ります。\r【いいえ】:次のデータ　へ。"),
            Msg::Answer::Yes, QStringLiteral("確認"));
        s.click("btnNext");
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("1"));
        QCOMPARE(Control<QTabWidget>(s.ws, QStringLiteral("PageControl1"))->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), s.edit("txtWorkerNo"));
        for (int i = 0; i < 3; ++i)
            s.env.messages.expect(Changed, Msg::Answer::Yes);
        s.click("btnFirst");
        s.click("btnBack");
        s.click("btnLast");
        s.env.messages.expect(QStringLiteral("【いいえ】:最後のデータ　へ。"), Msg::Answer::No);
        s.click("btnLast");
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("60"));
        QVERIFY(!s.ws.isWindowModified());
        // Nothing was stored.
        QCOMPARE(s.stored("YAKU", 1), QStringLiteral("課長"));
        VERIFY_MESSAGES(s.env.messages);
    }

    // The list asks as the move buttons do; kept, it stays on the edited employee.
    void listAsksBeforeDroppingChanges() {
        Screen s;
        s.open();
        s.type("txtYakusyoku", QStringLiteral("部長"));
        const QString question =
            Changed + QStringLiteral("\r【はい】:戻ります。\r【いいえ】:選択したデータ　へ。");
        s.env.messages.expect(question, Msg::Answer::Yes, QStringLiteral("確認"));
        s.clickRow(3);
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("1"));
        QCOMPARE(s.text("txtYakusyoku"), QStringLiteral("部長"));
        QVERIFY(s.ws.isWindowModified());
        QCOMPARE(s.list().highlightedRow(), 1);
        QCOMPARE(s.grid()->currentIndex().row(), 0);
        QCOMPARE(QApplication::focusWidget(), s.edit("txtWorkerNo"));
        // The arrow keys choose a row as well, and ask the same.
        s.env.messages.expect(question, Msg::Answer::Yes, QStringLiteral("確認"));
        s.grid()->setFocus();
        QTest::keyClick(s.grid(), Qt::Key_Down);
        QCOMPARE(s.grid()->currentIndex().row(), 0);
        QCOMPARE(s.list().highlightedRow(), 1);
        QCOMPARE(s.text("txtYakusyoku"), QStringLiteral("部長"));
        // No drops the input and shows the row clicked, asking once.
        s.env.messages.expect(question, Msg::Answer::No, QStringLiteral("確認"));
        s.clickRow(3);
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("3"));
        QCOMPARE(s.list().highlightedRow(), 3);
        QVERIFY(!s.ws.isWindowModified());
        QCOMPARE(s.stored("YAKU", 1), QStringLiteral("課長"));
        // Nothing typed: no question; the edited row itself asks nothing either.
        s.clickRow(5);
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("5"));
        s.type("txtYakusyoku", QStringLiteral("係長"));
        s.clickRow(5);
        QCOMPARE(s.text("txtYakusyoku"), QStringLiteral("係長"));
        VERIFY_MESSAGES(s.env.messages);
    }

    // A birth or joining date after the base date ages are counted to is asked about before
    // it is stored; No goes back to that date.
    void asksBeforeStoringNegativeYears() {
        Screen s;
        s.open(); // employee 1; the sample company counts to 2023-04-01
        const QString before = s.stored("NYUHI || '|' || KINZOKU", 1);
        s.type("txtNyuyy", QStringLiteral("23"));
        s.type("txtNyumm", QStringLiteral("5"));
        s.type("txtNyudd", QStringLiteral("1"));
        const QString negative = QStringLiteral(
            "がマイナスになります（基準年月日 %1より後の日付です）。\r登録しますか？");
        const QString service =
            QStringLiteral("勤続年数") + negative.arg(QStringLiteral("2023.04.01"));
        s.env.messages.expect(service, Msg::Answer::No, QStringLiteral("確認"));
        s.click("btnMnt");
        QCOMPARE(s.stored("NYUHI || '|' || KINZOKU", 1), before);
        QCOMPARE(QApplication::focusWidget(), s.edit("txtNyuyy"));
        QVERIFY(s.ws.isWindowModified());
        s.env.messages.expect(service, Msg::Answer::Yes, QStringLiteral("確認"));
        s.click("btnMnt");
        QCOMPARE(s.stored("NYUHI || '|' || KINZOKU", 1), QStringLiteral("20230501|-1"));

        // A new employee born and joined after it: both are named.
        s.click("btnCansel");
        s.type("cmbWorker", QStringLiteral("701"));
        s.type("txtWorkName", QStringLiteral("新人"));
        s.type("txtSeiyy", QStringLiteral("23"));
        s.type("txtSeimm", QStringLiteral("6"));
        s.type("txtSeidd", QStringLiteral("1"));
        s.type("txtNyuyy", QStringLiteral("24"));
        s.type("txtNyumm", QStringLiteral("4"));
        s.type("txtNyudd", QStringLiteral("1"));
        const QString both =
            QStringLiteral("年齢と勤続年数") + negative.arg(QStringLiteral("2023.04.01"));
        s.env.messages.expect(both, Msg::Answer::No, QStringLiteral("確認"));
        s.click("btnAdd");
        QCOMPARE(s.count(QStringLiteral(" AND SCO = 701")), 0);
        QCOMPARE(QApplication::focusWidget(), s.edit("txtSeiyy"));
        s.env.messages.expect(both, Msg::Answer::Yes, QStringLiteral("確認"));
        s.click("btnAdd");
        QCOMPARE(s.stored("NENREI || '|' || KINZOKU", 701), QStringLiteral("-1|-1"));

        // Counting to today (2024-06-15), the question names today.
        s.env.exec(TDM::ACN1, "UPDATE MKIGYOU1 SET FNK = 1 WHERE KCO = 1 AND NENDO = 2023");
        QVERIFY(s.env.openCompany(1, 2023));
        s.open();
        s.click("btnMnt"); // joined 2023-05-01: no longer after the base
        s.type("txtSeiyy", QStringLiteral("24"));
        s.type("txtSeimm", QStringLiteral("7"));
        s.type("txtSeidd", QStringLiteral("1"));
        s.env.messages.expect(QStringLiteral("年齢") + negative.arg(QStringLiteral("2024.06.15")),
                              Msg::Answer::Yes, QStringLiteral("確認"));
        s.click("btnMnt");
        QCOMPARE(s.stored("SEIHI || '|' || NENREI", 1), QStringLiteral("20240701|-1"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void filtersByGrade() {
        Screen s;
        s.open();
        const int threes = s.count(" AND TOUKYU = 3");
        QVERIFY(threes > 0);
        s.click("optGrade3");
        QCOMPARE(s.ws.gradeFilter(), 3);
        QCOMPARE(s.list().employeeCount(), threes);
        for (int r = 1; r <= threes; ++r)
            QCOMPARE(s.list().cellText(r, EmployeeListModel::Grade), QStringLiteral("3"));
        QCOMPARE(s.text("txtLastNo"), QString::number(threes));
        // The first listed employee is chosen.
        QCOMPARE(s.text("cmbWorker"), s.list().cellText(1, EmployeeListModel::Code));
        QCOMPARE(s.combo("cmbWorker")->count(), threes);
        s.click("btnLast");
        QCOMPARE(s.ws.currentCode(), s.ws.lastCode());
        s.click("optGrade0");
        QCOMPARE(s.list().employeeCount(), 60);

        s.type("txtZone", QStringLiteral("7"));
        s.env.messages.expect(QStringLiteral(
            "ﾃﾞｰﾀが変更されています。変更する場合は、登録・修正 ボタン　を、変更しない場合は、"
            "キャンセル ボタン　を押して下さい。"));
        s.click("optGrade5");
        QCOMPARE(s.ws.gradeFilter(), 0);
        QVERIFY(Control<QRadioButton>(s.ws, QStringLiteral("optGrade0"))->isChecked());
        QCOMPARE(s.list().employeeCount(), 60);
        VERIFY_MESSAGES(s.env.messages);
    }

    void refusesFieldsOnLeaving() {
        Screen s;
        s.open();
        struct Case {
            const char* field;
            const char* typed;
            const char* message;
        };
        const Case cases[] = {
            {"cmbSikaku", "0 : なし", "入力範囲外です。1 ～ 9 の値を入力して下さい。"},
            {"cmbSikaku", "x", "数値を入力してください。"},
            {"cmbMibun", "5", "入力範囲外です。0 ～ 4の値を入力して下さい。"},
            {"txtSeimm", "13", "入力範囲外です。"},
            {"txtSeidd", "a", "数値を入力してください。"},
            {"txtGouhou", "81", "入力範囲外です。"},
            {"txtZone", "1.5", "数値を入力してください。"},
            {"txtTasseiRitsu", "x", "数値を入力してください。"},
            {"txtTeate1", "123456789", "入力範囲外です。"},
            {"txtBonus2", "1,2a", "数値を入力してください。"},
        };
        for (const Case& c : cases) {
            s.env.messages.expect(QString::fromUtf8(c.message));
            s.type(c.field, QString::fromUtf8(c.typed));
            VERIFY_MESSAGES(s.env.messages);
            QCOMPARE(QApplication::focusWidget()->objectName().isEmpty()
                         ? QApplication::focusWidget()->parentWidget()->objectName()
                         : QApplication::focusWidget()->objectName(),
                     QString::fromLatin1(c.field));
            s.env.messages.reset();
            s.click("btnCansel");
        }
        // Codes are shown again as their list texts.
        s.type("cmbSikaku", QStringLiteral("3"));
        QCOMPARE(s.text("cmbSikaku"), QStringLiteral("3 : 主任"));
        s.type("cmbMibun", QStringLiteral("0"));
        QCOMPARE(s.text("cmbMibun"), QStringLiteral("0 : なし"));
        s.type("cmbHyouka1", QStringLiteral("2"));
        QCOMPARE(s.text("cmbHyouka1"), QStringLiteral("2 : A"));
        // No mark 0 and no evaluation 9: the box is emptied with the master message.
        s.env.messages.expect(QStringLiteral("マスターにデータが存在しません。"));
        s.type("cmbMark", QStringLiteral("0 : なし"));
        QCOMPARE(s.text("cmbMark"), QString());
        s.env.messages.expect(QStringLiteral("マスターにデータが存在しません。"));
        s.type("cmbHyouka1", QStringLiteral("9"));
        QCOMPARE(s.text("cmbHyouka1"), QString());
        s.type("txtTeate1", QStringLiteral("1234567"));
        QCOMPARE(s.text("txtTeate1"), QStringLiteral("1,234,567"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void sumsAndAnnualPayFollowTheBoxes() {
        Screen s;
        s.open();
        Control<QTabWidget>(s.ws, QStringLiteral("PageControl1"))->setCurrentIndex(1);
        s.type("txtTeate1", QStringLiteral("0"));
        s.type("txtTeate2", QStringLiteral("0"));
        s.type("txtTeate3", QStringLiteral("0"));
        s.type("txtTeate4", QStringLiteral("0"));
        s.type("txtTeate5", QStringLiteral("0"));
        s.type("txtKihon1", QStringLiteral("200,000"));
        s.type("txtBonus1", QStringLiteral("100000"));
        s.type("txtBonus2", QStringLiteral("50000"));
        s.type("txtTeate4", QStringLiteral("12,345"));
        QCOMPARE(s.text("txtTeateSum"), QStringLiteral("12,345"));
        const qint64 base = CommaTextToInt(s.text("txtKihonSum"));
        QCOMPARE(base, 200000 + CommaTextToInt(s.text("txtKihon2")) +
                           CommaTextToInt(s.text("txtKihon3")));
        QCOMPARE(CommaTextToInt(s.text("txtSyotei")), base + 12345);
        QCOMPARE(CommaTextToInt(s.text("txtNensyu")), 100000 + (base + 12345) * 12 + 50000);
        const qint64 after = CommaTextToInt(s.text("txtAFSyotei"));
        QCOMPARE(CommaTextToInt(s.text("txtAFNensyu")), 100000 + after * 12 + 50000);
        QCOMPARE(CommaTextToInt(s.text("txtTeateUP")),
                 CommaTextToInt(s.text("txtAFTeateSum")) - 12345);
        QCOMPARE(CommaTextToInt(s.text("txtUpKihon")),
                 CommaTextToInt(s.text("txtAFKihonSum")) - base);

        s.click("btnMnt");
        QCOMPARE(s.stored("TEATE4, SYOUYO, SYOUYO2, SYOTEI, NENSYU", 1),
                 QStringLiteral("12345|100000|50000|%1|%2")
                     .arg(base + 12345)
                     .arg(100000 + (base + 12345) * 12 + 50000));
        VERIFY_MESSAGES(s.env.messages);
    }

    void linksABasePayToTheWageTable() {
        Screen s;
        // A wage table of one step, whatever the delivered sample holds.
        s.env.exec(TDM::ACN2, "DELETE FROM DCHINGIN2 WHERE KCO = 1 AND NENDO = 2023");
        s.env.exec(TDM::ACN2, "INSERT INTO DCHINGIN2 (KCO, NENDO, GOUHOU, KIN3, KIN5) VALUES "
                              "(1, 2023, 12, 251300, 300000)");
        const int settingsLink = Project::current()->settings().FRSTKYU;
        s.open();
        s.click("btnCansel");
        Control<QTabWidget>(s.ws, QStringLiteral("PageControl1"))->setCurrentIndex(1);
        s.click("optKihon2");
        QCOMPARE(s.ws.wageTableLink(), 2);
        // Grade "0 : なし" and step 0 have no row: 0.
        QCOMPARE(s.text("txtKihon2"), QStringLiteral("0"));
        QVERIFY(s.edit("txtKihon2")->isReadOnly());
        QVERIFY(s.edit("txtAFKihon2")->isReadOnly());
        QCOMPARE(s.base("txtKihon2"), QColor(Qt::yellow));
        QCOMPARE(s.base("txtAFKihon2"), QColor(Qt::yellow));
        QCOMPARE(s.base("txtAFKihon1"), AfterRaise);
        QCOMPARE(s.base("txtKihon1"), QColor(Qt::white));
        Control<QTabWidget>(s.ws, QStringLiteral("PageControl1"))->setCurrentIndex(0);
        s.type("cmbSikaku", QStringLiteral("3"));
        s.type("txtGouhou", QStringLiteral("12"));
        QCOMPARE(s.text("txtKihon2"), QStringLiteral("251,300"));
        QCOMPARE(s.text("txtKihonSum"), QStringLiteral("251,300"));
        s.type("txtGouhou", QStringLiteral("13"));
        QCOMPARE(s.text("txtKihon2"), QStringLiteral("0"));
        s.type("txtGouhou", QStringLiteral("12"));
        // The after-raise box of the link is never filled here.
        QCOMPARE(s.text("txtAFKihon2"), QStringLiteral("0"));
        s.click("optKihon1");
        QVERIFY(!s.edit("txtKihon2")->isReadOnly());
        QCOMPARE(s.base("txtAFKihon2"), AfterRaise);
        QCOMPARE(s.text("txtKihon1"), QStringLiteral("251,300"));
        s.click("cdRestLink");
        QCOMPARE(s.ws.wageTableLink(), 0);
        QVERIFY(!Control<QRadioButton>(s.ws, QStringLiteral("optKihon1"))->isChecked());
        QVERIFY(!s.edit("txtKihon1")->isReadOnly());

        // Saved with the employee; loading shows the view's amount for the linked component.
        s.click("optKihon2");
        s.type("cmbWorker", QStringLiteral("800"));
        s.type("txtWorkName", QStringLiteral("新井"));
        s.click("btnAdd");
        QCOMPARE(s.stored("JISEKI, KKYU2, TOUKYU, GOUHOU", 800), QStringLiteral("2|251300|3|12"));
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET TOUKYU = 5, KKYU2 = 1 WHERE SCO = 800");
        s.type("cmbWorker", QStringLiteral("800"));
        QCOMPARE(s.text("txtKihon2"), QStringLiteral("300,000"));
        QCOMPARE(s.ws.wageTableLink(), 2);
        // Moving to an employee without a link clears it; the company setting stays.
        s.click("btnFirst");
        QCOMPARE(s.ws.wageTableLink(), s.stored("JISEKI", 1).toInt());
        QCOMPARE(Project::current()->settings().FRSTKYU, settingsLink);
        VERIFY_MESSAGES(s.env.messages);
    }

    void insertsANewEmployee() {
        Screen s;
        s.open();
        s.click("btnCansel");
        QVERIFY(Control<QPushButton>(s.ws, QStringLiteral("btnAdd"))->isEnabled());
        s.env.messages.expect(QStringLiteral("社員コードが入力されていません。"));
        s.click("btnAdd");
        s.type("cmbWorker", QStringLiteral("700"));
        s.env.messages.expect(QStringLiteral("ﾃﾞｰﾀの変更がありません。"));
        s.click("btnAdd");
        QCOMPARE(QApplication::focusWidget(), s.edit("txtWorkerNo"));
        s.type("txtWorkerNo", QStringLiteral("B700"));
        s.env.messages.expect(QStringLiteral("氏名は必ず入力してください。"));
        s.click("btnAdd");
        s.type("txtWorkName", QStringLiteral("O'Neil 太郎"));
        s.type("txtSeiyy", QStringLiteral("95"));
        s.type("txtSeimm", QStringLiteral("2"));
        s.type("txtSeidd", QStringLiteral("30"));
        s.env.messages.expect(QStringLiteral("生年月日の入力エラーです。"));
        s.click("btnAdd");
        s.type("txtSeidd", QStringLiteral("3"));
        s.type("txtNyuyy", QStringLiteral("20"));
        s.type("txtNyumm", QStringLiteral("4"));
        s.type("txtNyudd", QStringLiteral("1"));
        s.type("txtTaisyokuKin", QStringLiteral("1.5"));
        QCOMPARE(s.text("txtTaisyokuKin"), QStringLiteral("1.500"));
        Control<QRadioButton>(s.ws, QStringLiteral("OptSex2"))->click();
        s.click("btnAdd");
        QCOMPARE(s.stored("SCOT, SNA, SEIBETSU, SEIHI, NYUHI, THI, NENREI, KINZOKU, SRITSU, "
                          "SYOUYO, TCO, MCO, HCO",
                          700),
                 QStringLiteral("B700|O'Neil 太郎|1|19950203|20200401|0|28|3|1.5|0|0|0|0"));
        // The form is new again, the list holds the employee.
        QCOMPARE(s.text("cmbWorker"), QString());
        QCOMPARE(s.text("txtWorkName"), QString());
        QCOMPARE(s.list().employeeCount(), 61);
        QCOMPARE(s.text("txtCureentNo"), QString());
        QVERIFY(!s.ws.isWindowModified());

        // The same code again is refused (typed, the box not yet left).
        s.click("btnCansel");
        s.type("txtWorkName", QStringLiteral("別人"));
        Screen::enter(s.combo("cmbWorker"), QStringLiteral("700"));
        s.env.messages.expect(QStringLiteral(
            "データは既に存在します。更新する場合は、修正ボタン　を押下して下さい。"));
        s.click("btnAdd");
        QCOMPARE(s.count(), 61);
        VERIFY_MESSAGES(s.env.messages);
    }

    void sameCodeInAnotherYearIsAccepted() {
        Screen s;
        s.env.exec(TDM::ACN2,
                   "INSERT INTO MSYAIN1 (KCO, NENDO, SCO, SNA) VALUES (1, 2022, 701, 'x')");
        s.env.exec(TDM::ACN2,
                   "INSERT INTO MSYAIN1 (KCO, NENDO, SCO, SNA) VALUES (2, 2023, 701, 'y')");
        s.open();
        s.click("btnCansel");
        s.type("cmbWorker", QStringLiteral("701"));
        s.type("txtWorkName", QStringLiteral("新"));
        s.click("btnAdd");
        QCOMPARE(s.stored("SNA, SEIHI, NYUHI, NENREI, KINZOKU", 701), QStringLiteral("新|0|0|0|0"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void emptiedGradeAndMarkStoreZero() {
        Screen s;
        s.open();
        s.type("cmbSikaku", QString());
        s.env.messages.expect(QStringLiteral("マスターにデータが存在しません。"));
        s.type("cmbMark", QStringLiteral("0"));
        s.type("cmbMark", QString());
        s.click("btnMnt");
        QCOMPARE(s.stored("TCO, TOUKYU, MCO", 1), QStringLiteral("0|0|0"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void updateKeepsTheCursorAndReportsAMissingEmployee() {
        Screen s;
        s.open();
        s.ws.StringGrid1Click(4);
        s.type("txtKeikenNen", QStringLiteral("12"));
        s.click("btnMnt");
        QCOMPARE(s.stored("NENSU", 4), QStringLiteral("12"));
        QCOMPARE(Control<QTableView>(s.ws, QStringLiteral("StringGrid1"))->currentIndex().row(), 3);
        QVERIFY(!s.ws.isWindowModified());
        s.click("btnNext");
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("5"));

        // A code without a stored employee is reported instead of updating nothing silently.
        Screen::enter(s.combo("cmbWorker"), QStringLiteral("950"));
        s.env.messages.expect(QStringLiteral("社員マスターにデータが存在しません。"));
        s.click("btnMnt");
        QCOMPARE(s.count(" AND SCO = 950"), 0);
        VERIFY_MESSAGES(s.env.messages);
    }

    // A name stored longer than its box (imported before the limits) is shown and saved whole;
    // typing never makes a text longer than its box, nor puts a control character into it.
    void textBoxesNeitherCutNorTakeControlCharacters() {
        Screen s;
        const QString longName(25, QChar(0x540D)); // 名 × 25, the box takes 20
        s.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET SNA = '%1' WHERE KCO = 1 AND "
                                             "NENDO = 2023 AND SCO = 4")
                                  .arg(longName));
        s.open();
        s.ws.StringGrid1Click(4);
        QLineEdit* name = s.edit("txtWorkName");
        QCOMPARE(name->text(), longName);
        name->setFocus();
        name->end(false);
        QTest::keyClicks(name, QStringLiteral("x"));
        QCOMPARE(name->text(), longName);
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(name->text().size(), 24);
        QApplication::clipboard()->setText(QStringLiteral("山田\t太郎"));
        name->paste();
        QApplication::clipboard()->setText(QString(QStringLiteral("A")) + QChar(0) +
                                           QStringLiteral("B"));
        name->paste();
        QCOMPARE(name->text().size(), 24);
        s.click("btnMnt");
        QCOMPARE(s.stored("SNA", 4), QString(24, QChar(0x540D)));

        // An ordinary box stops at its length (社員番号, 10).
        QLineEdit* number = s.edit("txtWorkerNo");
        number->setFocus();
        number->selectAll();
        QTest::keyClicks(number, QStringLiteral("ABCDEFGHIJKLMN"));
        QCOMPARE(number->text(), QStringLiteral("ABCDEFGHIJ"));
        VERIFY_MESSAGES(s.env.messages);
    }

    // Another person saved this employee after the screen loaded it: the update is refused,
    // theirs stays, and the screen shows what is stored now in place of the edits.
    void refusedUpdateShowsTheOtherPersonsSave() {
        Screen s;
        s.open();
        s.ws.StringGrid1Click(4);
        const QString name = s.text("txtWorkName");
        s.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET NENSU = 30 WHERE KCO = 1 AND "
                                             "NENDO = 2023 AND SCO = 4"));
        Screen::enter(s.edit("txtKeikenNen"), QStringLiteral("12"));
        s.env.messages.expect(ChangedByOtherText(QStringLiteral("社員 4 %1 ").arg(name)));
        s.click("btnMnt");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.stored("NENSU", 4), QStringLiteral("30"));
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("4"));
        QCOMPARE(s.text("txtKeikenNen"), QStringLiteral("30"));
        QVERIFY(!s.ws.isWindowModified());
        // Now loaded, the user's next update goes through.
        s.type("txtKeikenNen", QStringLiteral("12"));
        s.click("btnMnt");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.stored("NENSU", 4), QStringLiteral("12"));
    }

    // A code typed without leaving the box is taken before a command: the command acts on
    // the employee whose data the form then shows, never on another one's data.
    void commandsActOnTheEmployeeShown() {
        Screen s;
        s.open();
        QCOMPARE(s.ws.currentCode(), 1);
        const QString two = s.stored("SNA, SCOT, SEIHI, NYUHI, KKYU1, KKYU2, SYOUYO", 2);
        s.type("txtKeikenNen", QStringLiteral("33"));
        Screen::enter(s.combo("cmbWorker"), QStringLiteral("2"));
        s.click("btnMnt");
        QCOMPARE(s.stored("SNA, SCOT, SEIHI, NYUHI, KKYU1, KKYU2, SYOUYO", 2), two);
        QCOMPARE(s.ws.currentCode(), 2);
        QCOMPARE(s.text("txtWorkName"), s.stored("SNA", 2));
        QVERIFY(s.stored("NENSU", 1) != QStringLiteral("33"));

        // Delete: the question comes with employee 3 on the form, and 3 goes, not 2.
        const QString question =
            QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。");
        Screen::enter(s.combo("cmbWorker"), QStringLiteral("3"));
        QString nameAsked;
        s.env.messages.expect(question, Msg::Answer::Yes, QStringLiteral("削除確認"));
        s.env.messages.whenShown([&] { nameAsked = s.text("txtWorkName"); });
        const QString three = s.stored("SNA", 3);
        s.click("btnDlt");
        QCOMPARE(nameAsked, three);
        QCOMPARE(s.count(" AND SCO = 3"), 0);
        QCOMPARE(s.count(" AND SCO = 2"), 1);
        QCOMPARE(s.count(), 59);

        // A code with no employee: neither command runs; nothing is asked. "3" is taken as
        // typed, not completed to "30 : ..." from the list.
        s.click("btnFirst");
        Screen::enter(s.combo("cmbWorker"), QStringLiteral("3"));
        QCOMPARE(s.text("cmbWorker"), QStringLiteral("3"));
        s.env.messages.expect(QStringLiteral("社員マスターにデータが存在しません。"));
        s.click("btnDlt");
        QCOMPARE(s.count(), 59);
        VERIFY_MESSAGES(s.env.messages);
    }

    void typedCodeOutsideTheGradeFilterIsLoaded() {
        Screen s;
        s.open();
        const int other = s.env
                              .scalar(TDM::ACN2, "SELECT min(SCO) FROM VSYAIN WHERE KCO = 1 AND "
                                                 "NENDO = 2023 AND TOUKYU <> 3")
                              .toInt();
        const QString before = s.stored("SNA, SCOT, TOUKYU, KKYU1, KKYU2", other);
        s.click("optGrade3");
        QVERIFY(s.list().gridRowOf(other) == 0);
        Screen::enter(s.combo("cmbWorker"), QString::number(other));
        s.click("btnMnt");
        QCOMPARE(s.stored("SNA, SCOT, TOUKYU, KKYU1, KKYU2", other), before);
        QCOMPARE(s.text("txtWorkName"), s.stored("SNA", other));
        VERIFY_MESSAGES(s.env.messages);
    }

    // Whatever a money box accepts is the number it then shows, and that number is saved.
    void moneyBoxesSaveWhatTheyShow() {
        Screen s;
        s.open();
        struct Case {
            const char* typed;
            const char* shown;
            const char* stored;
        };
        const Case cases[] = {{"1e3", "1,000", "1000"},
                              {"1234.5", "1,235", "1235"},
                              {"-0", "0", "0"},
                              {"1,2,3", "123", "123"},
                              {" 2.5E4 ", "25,000", "25000"},
                              {"-1234.5", "-1,235", "-1235"}};
        for (const Case& c : cases) {
            s.type("txtBonus1", QString::fromLatin1(c.typed));
            QCOMPARE(s.text("txtBonus1"), QString::fromLatin1(c.shown));
            s.click("btnMnt");
            QCOMPARE(s.stored("SYOUYO", 1), QString::fromLatin1(c.stored));
        }
        // Typed and saved without leaving the box.
        Screen::enter(s.edit("txtBonus2"), QStringLiteral("4e2"));
        s.click("btnMnt");
        QCOMPARE(s.stored("SYOUYO2", 1), QStringLiteral("400"));
        QCOMPARE(s.text("txtBonus2"), QStringLiteral("400"));
        // Rate boxes keep their decimals.
        s.type("txtTasseiRitsu", QStringLiteral("1e1"));
        QCOMPARE(s.text("txtTasseiRitsu"), QStringLiteral("10"));
        s.type("txtTaisyokuKin", QStringLiteral("2.5e-1"));
        QCOMPARE(s.text("txtTaisyokuKin"), QStringLiteral("0.250"));
        s.click("btnMnt");
        QCOMPARE(s.stored("TRITSU, SRITSU", 1), QStringLiteral("10|0.25"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void deletesAfterAsking() {
        Screen s;
        s.open();
        s.ws.StringGrid1Click(3);
        const QString question =
            QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。");
        s.env.messages.expect(question, Msg::Answer::No, QStringLiteral("削除確認"));
        s.click("btnDlt");
        QCOMPARE(s.count(), 60);
        QCOMPARE(QApplication::focusWidget(), s.edit("txtWorkerNo"));
        s.env.messages.expect(question, Msg::Answer::Yes, QStringLiteral("削除確認"));
        s.click("btnDlt");
        QCOMPARE(s.count(), 59);
        QCOMPARE(s.env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN2 WHERE SCO = 3"),
                 QStringLiteral("0"));
        QCOMPARE(s.list().employeeCount(), 59);
        QCOMPARE(s.text("cmbWorker"), QString());
        s.click("btnCansel");
        s.env.messages.expect(QStringLiteral("社員コードが入力されていません。"));
        s.click("btnDlt");
        VERIFY_MESSAGES(s.env.messages);
    }

    void showsAndPicksPhotos() {
        Screen s;
        const QString pictures = s.env.appDir() + QStringLiteral("Picture/");
        writeJpeg(pictures + QStringLiteral("staff/face.jpg"), filled(300, 400, Qt::red));
        QImage bmp = filled(40, 50, Qt::blue);
        QVERIFY(bmp.save(pictures + QStringLiteral("b.bmp"), "BMP"));
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET SPATH = 'staff\\face.jpg' WHERE SCO = 1");
        s.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET SPATH = 'missing.jpg' WHERE SCO = 2");
        s.open();
        QVERIFY(!Control<QLabel>(s.ws, QStringLiteral("Image1"))->pixmap().isNull());
        // Larger photos are scaled into the box, keeping their shape.
        QVERIFY(Control<QLabel>(s.ws, QStringLiteral("Image1"))->pixmap().height() <= 161);
        QCOMPARE(s.ws.photoName(), QStringLiteral("staff\\face.jpg"));
        // A photo that cannot be found keeps its name, saved again, and the box says so.
        s.click("btnNext");
        QVERIFY(Control<QLabel>(s.ws, QStringLiteral("Image1"))->pixmap().isNull());
        QCOMPARE(Control<QLabel>(s.ws, QStringLiteral("Image1"))->text(),
                 QStringLiteral("写真ファイルが見つかりません: missing.jpg"));
        QCOMPARE(s.ws.photoName(), QStringLiteral("missing.jpg"));
        s.type("txtYakusyoku", QStringLiteral("係長"));
        s.click("btnMnt");
        QCOMPARE(s.stored("SPATH || '|' || YAKU", 2), QStringLiteral("missing.jpg|係長"));
        QFile broken(pictures + QStringLiteral("missing.jpg"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        s.click("btnBack");
        s.click("btnNext");
        QCOMPARE(Control<QLabel>(s.ws, QStringLiteral("Image1"))->text(),
                 QStringLiteral("写真ファイルを読み込めません: missing.jpg"));
        QCOMPARE(s.ws.photoName(), QStringLiteral("missing.jpg"));

        // A photo from a subfolder is stored with a backslash before the file name.
        s.env.dialogs.fileAnswers << pictures + QStringLiteral("staff/face.jpg");
        s.click("btnPicter");
        QCOMPARE(s.ws.photoName(), QStringLiteral("staff\\face.jpg"));
        QVERIFY(s.ws.isWindowModified());
        s.click("btnMnt");
        QCOMPARE(s.stored("SPATH", 2), QStringLiteral("staff\\face.jpg"));

        s.env.dialogs.fileAnswers << pictures + QStringLiteral("b.bmp");
        s.click("btnPicter");
        QCOMPARE(s.ws.photoName(), QStringLiteral("b.bmp"));
        QCOMPARE(Control<QLabel>(s.ws, QStringLiteral("Image1"))->pixmap().size(), QSize(40, 50));
        QCOMPARE(
            Control<QLabel>(s.ws, QStringLiteral("Image1"))->pixmap().toImage().pixelColor(5, 5),
            QColor(Qt::blue));

        // Outside the photo folder: refused, the photo shown stays.
        s.env.messages.expect(
            QStringLiteral("フォルダが変更されました。表示されたフォルダ内で選択して下さい。"));
        s.env.dialogs.fileAnswers << s.env.appDir() + QStringLiteral("CSV/x.jpg");
        s.click("btnPicter");
        QCOMPARE(s.ws.photoName(), QStringLiteral("b.bmp"));
        QVERIFY(!Control<QLabel>(s.ws, QStringLiteral("Image1"))->pixmap().isNull());
        // A cancelled dialog removes the photo.
        s.env.dialogs.fileAnswers << pictures + QStringLiteral("b.bmp");
        s.click("btnPicter");
        s.click("btnPicter");
        QVERIFY(Control<QLabel>(s.ws, QStringLiteral("Image1"))->pixmap().isNull());
        QCOMPARE(s.ws.photoName(), QString());
        s.click("btnMnt");
        QCOMPARE(s.stored("SPATH", 2), QString());
        VERIFY_MESSAGES(s.env.messages);
    }

    void decodesJpegWithLibjpeg() {
        QTemporaryDir dir;
        const QString colour = dir.filePath(QStringLiteral("c.jpg"));
        QImage source = filled(33, 17, QColor(200, 40, 60));
        writeJpeg(colour, source);
        QFile f(colour);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QImage image = DecodeJpeg(f.readAll());
        QCOMPARE(image.format(), QImage::Format_RGB888);
        QCOMPARE(image.size(), QSize(33, 17));
        const QColor c = image.pixelColor(16, 8);
        QVERIFY2(qAbs(c.red() - 200) < 8 && qAbs(c.green() - 40) < 8 && qAbs(c.blue() - 60) < 8,
                 qPrintable(c.name()));

        // Greyscale and progressive files come out as 24-bit colour too.
        const QString grey = dir.filePath(QStringLiteral("g.jpg"));
        QImage g(20, 20, QImage::Format_Grayscale8);
        g.fill(128);
        writeJpeg(grey, g, true);
        QFile gf(grey);
        QVERIFY(gf.open(QIODevice::ReadOnly));
        const QImage gi = DecodeJpeg(gf.readAll());
        QCOMPARE(gi.format(), QImage::Format_RGB888);
        QVERIFY(qAbs(gi.pixelColor(10, 10).green() - 128) < 4);

        QVERIFY(DecodeJpeg(QByteArray("\xFF\xD8\xFF\xE0 not a jpeg at all")).isNull());
        QVERIFY(DecodeJpeg(QByteArray()).isNull());
        QFile cut(colour);
        QVERIFY(cut.open(QIODevice::ReadOnly));
        QVERIFY(DecodeJpeg(cut.read(40)).isNull());
    }

    void closesAfterAsking() {
        Screen s;
        s.open();
        s.type("txtHyouka2", QStringLiteral("S"));
        s.env.messages.expect(
            Changed + QStringLiteral("\r【はい】:戻ります。\r【いいえ】:画面を閉じます。"),
            Msg::Answer::Yes, QStringLiteral("確認"));
        s.click("btnClose");
        QVERIFY(s.ws.isVisible());
        s.env.messages.expect(QStringLiteral("【いいえ】:画面を閉じます。"), Msg::Answer::No);
        QTest::keyClick(&s.ws, Qt::Key_Escape);
        QVERIFY(!s.ws.isVisible());
        QVERIFY(!s.ws.isWindowModified());
        VERIFY_MESSAGES(s.env.messages);
    }

    // "Excel保存" writes the stored employees (an edit in progress stays out), adds the suffix,
    // does nothing when cancelled and reports a folder that is not there.
    void excelSavesTheStoredEmployees() {
        Screen s;
        s.open();
        s.edit("txtWorkName")->setFocus();
        s.edit("txtWorkName")->setText(QStringLiteral("未登録の名前"));
        const QString path = s.env.appDir() + QStringLiteral("社員一覧");
        s.env.dialogs.saveAnswers << path;
        s.click("btnExcel");
        QCOMPARE(s.env.dialogs.saveCalls, 1);
        XlsxReader r;
        QVERIFY2(r.open(path + QStringLiteral(".xlsx")), qPrintable(r.error()));
        const XlsxSheet* sheet = r.sheet(QStringLiteral("社員一覧"));
        QVERIFY(sheet);
        QCOMPARE(sheet->text(QStringLiteral("B4")), QStringLiteral("中村　誠"));
        QCOMPARE(sheet->text(QStringLiteral("A64")), QStringLiteral("合計"));

        s.click("btnExcel"); // the save dialog cancelled
        QCOMPARE(s.env.dialogs.saveCalls, 2);
        const QString missing = s.env.appDir() + QStringLiteral("nofolder/x.xlsx");
        s.env.dialogs.saveAnswers << missing;
        s.env.messages.expect(QStringLiteral("Excelファイルを作成できません。\r") + missing);
        s.click("btnExcel");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.edit("txtWorkName")->text(), QStringLiteral("未登録の名前"));

        s.env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MSYAIN2 WHERE KCO = 1 AND NENDO = 2023"));
        s.env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MSYAIN1 WHERE KCO = 1 AND NENDO = 2023"));
        s.env.messages.expect(QStringLiteral("社員マスタは有りません。"));
        s.click("btnExcel");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.env.dialogs.saveCalls, 3); // no dialog without employees
    }

    void mainWindowOpensTheScreenAndShowsThePanels() {
        ScreenEnvironment env;
        env.setToday(QDate(2024, 6, 15));
        TWS0000 mw(env.appDir());
        QAction* worker = mw.action(QStringLiteral("mnWorker"));
        QVERIFY(worker->isEnabled());
        env.messages.expect(QStringLiteral("企業の選択がされていません。企業を選択してください。"));
        worker->trigger();
        VERIFY_MESSAGES(env.messages);

        env.openCompany(1, 2023);
        QVERIFY(mw.findChild<QFrame*>(QStringLiteral("Panel_Plot"))->isHidden());
        QTimer::singleShot(0, [&] {
            QWidget* w = QApplication::activeModalWidget();
            QVERIFY(w);
            QCOMPARE(w->objectName(), QStringLiteral("WS0030"));
            QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("txtLastNo"))->text(),
                     QStringLiteral("60"));
            w->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
        });
        worker->trigger();
        for (const char* p : {"Panel_Plot", "Panel_WTable", "Panel_Report"})
            QVERIFY(!mw.findChild<QFrame*>(QString::fromLatin1(p))->isHidden());
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestWS0030)
#include "test_ws0030.moc"
