#include "data/db/RecordGuard.h"
#include "gui/company/WS0010_CompanySelection.h"
#include "gui/company/WS0020_CompanyData.h"
#include "support/gui/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString SqlError = QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。");

// The fifteen tables a company's year lives in, and the file each is in.
const QVector<std::pair<TDM::Conn, QString>> CompanyTables = {
    {TDM::ACN2, "MSYAIN1"},  {TDM::ACN2, "MSYAIN2"},  {TDM::ACN1, "MKIGYOU1"},
    {TDM::ACN2, "MKIGYOU2"}, {TDM::ACN2, "MMARK"},    {TDM::ACN2, "MGRAPH"},
    {TDM::ACN2, "MCHART"},   {TDM::ACN2, "DCHINGIN"}, {TDM::ACN2, "DCHINGIN2"},
    {TDM::ACN2, "DKSEN2"},   {TDM::ACN2, "DKSEN3"},   {TDM::ACN2, "DSCALE"},
    {TDM::ACN2, "DSPDRAW"},  {TDM::ACN2, "MCHINGIN"}, {TDM::ACN2, "MHYOUKA"}};

// The selection and the company data screen over fresh delivered databases, today fixed.
struct Screen {
    ScreenEnvironment env;
    TWS0010 selection{nullptr};
    TWS0020* ws;

    Screen() : ws(selection.companyData()) {
        env.setToday(QDate(2024, 6, 15));
        env.openDatabases();
    }

    // Opens the screen as the selection's buttons do: 1 register, 2 change, 3 delete.
    bool open(int mode, int year, int kco = 0) {
        static const ProjectCommand commands[] = {ProjectCommand::Open, ProjectCommand::New,
                                                  ProjectCommand::Change, ProjectCommand::Delete};
        selection.prepare(commands[mode]);
        auto* years = Control<QComboBox>(selection, QStringLiteral("cmbNendo"));
        years->setCurrentIndex(years->findText(QString::number(year)));
        if (mode == 1) {
            selection.btnAddClick();
        } else {
            auto* grid = Control<QTableWidget>(selection, QStringLiteral("StringGrid1"));
            for (int r = 0; r < grid->rowCount(); ++r)
                if (grid->item(r, 1) && grid->item(r, 1)->text() == QString::number(kco))
                    selection.StringGrid1Click(r + 1, 2);
            if (mode == 2)
                selection.btnMntClick();
            else
                selection.btnDltClick();
        }
        ws->activateWindow();
        return ws->isVisible() && QTest::qWaitForWindowActive(ws);
    }
    QString listed(int row, int column) const {
        const QTableWidgetItem* item =
            Control<QTableWidget>(selection, QStringLiteral("StringGrid1"))->item(row, column);
        return item ? item->text() : QString();
    }

    QLineEdit* edit(const char* name) const {
        auto* e = ws->findChild<QLineEdit*>(QString::fromLatin1(name));
        Q_ASSERT(e);
        return e;
    }
    QComboBox* combo(const char* name) const {
        auto* c = ws->findChild<QComboBox*>(QString::fromLatin1(name));
        Q_ASSERT(c);
        return c;
    }
    QPushButton* button(const char* name) const {
        return ws->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    // Types into a field as a user does, replacing what it held.
    static void type(QWidget* field, const QString& text) {
        field->setFocus();
        QLineEdit* e = qobject_cast<QLineEdit*>(field);
        if (!e)
            e = static_cast<QComboBox*>(field)->lineEdit();
        e->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(field, char(c.unicode()));
            else // QTest spells only ASCII keys; the rest arrives as typed text
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
    void type(const char* name, const QString& text) const {
        QWidget* w = ws->findChild<QWidget*>(QString::fromLatin1(name));
        Q_ASSERT(w);
        type(w, text);
    }

    // Number of rows per file and table, to show that nothing changed.
    QStringList counts(const QStringList& tables1, const QStringList& tables2) {
        QStringList out;
        for (const QString& t : tables1)
            out << t + QLatin1Char('=') + env.scalar(TDM::ACN1, "SELECT count(*) FROM " + t);
        for (const QString& t : tables2)
            out << t + QLatin1Char('=') + env.scalar(TDM::ACN2, "SELECT count(*) FROM " + t);
        return out;
    }

    // A row of the company and year in a table, with 1 in every other key column.
    void seedRow(TDM::Conn conn, const QString& table, int kco, int nendo) {
        QStringList names{QStringLiteral("KCO"), QStringLiteral("NENDO")};
        QStringList values{QString::number(kco), QString::number(nendo)};
        const QStringList keys =
            env.rows(conn, QStringLiteral("SELECT name FROM pragma_table_info('%1') "
                                          "WHERE \"notnull\" = 1 OR pk > 0")
                               .arg(table));
        for (const QString& k : keys)
            if (!names.contains(k)) {
                names << k;
                values << QStringLiteral("1");
            }
        env.exec(conn, QStringLiteral("INSERT OR IGNORE INTO %1 (%2) VALUES (%3)")
                           .arg(table, names.join(','), values.join(',')));
    }
};

QString settingsRow(Screen& f, int kco, int year) {
    return f.env
        .rows(TDM::ACN2,
              QStringLiteral("SELECT KNA, CYOUSAHI, BEARITSU, TAIKEI, KKNA1, KKNA2, KKNA3, TNA1, "
                             "TNA2, TNA3, TNA4, TNA5, MCCO, MDCO, TK01, TK02, TK03, TK04, TK05, "
                             "TK06, TK07, TK08, TK09, FRSTKYU, SKCO, SYOUKYUHI, FRSTKYUM, FRENCM "
                             "FROM MKIGYOU2 WHERE KCO = %1 AND NENDO = %2")
                  .arg(kco)
                  .arg(year))
        .join(QLatin1Char('\n'));
}

} // namespace

class TestCompanyData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void registerStoresTheCompanyWithItsDefaultsAndTemplateCopies() {
        Screen f;
        QVERIFY(f.open(1, 2024));
        QCOMPARE(f.edit("txtCorpID")->text(), QStringLiteral("2")); // highest code of any year + 1
        QVERIFY(f.combo("cmbChkNengou")->isHidden());
        f.type("txtCorpName", QStringLiteral("O'Brien商事"));
        f.button("btnAdd")->click();
        VERIFY_MESSAGES(f.env.messages);

        QCOMPARE(f.env.rows(TDM::ACN1, "SELECT KNA, PATH, SDATE, FNK, KDATE, REKI FROM MKIGYOU1 "
                                       "WHERE KCO = 2 AND NENDO = 2024"),
                 QStringList{QStringLiteral("O'Brien商事||20240615|0|20240401|0")});
        QCOMPARE(
            settingsRow(f, 2, 2024),
            QStringLiteral("O'Brien商事|0|0||年齢給|職能給|基本給|家族手当|住宅手当|役職手当|"
                           "調整手当||0|0|第１等級|第２等級|第３等級|第４等級|第５等級|第６等級|"
                           "第７等級|第８等級|第９等級|3|0|0|3|0"));
        QCOMPARE(f.env.rows(TDM::ACN2, "SELECT MKCO, MARK, HANREI, MKCOLOR, MKSIZE, KCOLOR, "
                                       "KSYURUI, KHABA FROM MMARK WHERE KCO = 2 AND NENDO = 2024 "
                                       "ORDER BY MKCO"),
                 f.env.rows(TDM::ACN1, "SELECT MKCO, MARK, HANREI, MKCOLOR, MKSIZE, KCOLOR, "
                                       "KSYURUI, KHABA FROM MMMARK WHERE KCO = 0 AND NENDO = 9999 "
                                       "ORDER BY MKCO"));
        QCOMPARE(f.env.rows(TDM::ACN2, "SELECT GSCO, CCOLOR, CSYURUI, CHABA FROM MGRAPH "
                                       "WHERE KCO = 2 AND NENDO = 2024 ORDER BY GSCO"),
                 f.env.rows(TDM::ACN1, "SELECT GSCO, CCOLOR, CSYURUI, CHABA FROM MMGRAPH "
                                       "WHERE KCO = 0 AND NENDO = 9999 ORDER BY GSCO"));
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT count(*) FROM MMARK WHERE KCO = 2"),
                 QStringLiteral("6"));

        // The screen closed and the selection lists the new company.
        QVERIFY(!f.ws->isVisible());
        QCOMPARE(f.listed(0, 2), QStringLiteral("O'Brien商事"));
        QCOMPARE(f.selection.highestCode(), 2);

        // The quoted name reads back unchanged.
        QVERIFY(f.open(2, 2024, 2));
        QCOMPARE(f.edit("txtCorpName")->text(), QStringLiteral("O'Brien商事"));
    }

    // Salary option of a new company: always 3, also after the screen showed a company with
    // another option, which must not leak into the new one.
    void newCompanySalaryOptionIsThreeWhateverWasShownBefore() {
        Screen f;
        f.env.exec(TDM::ACN2, "UPDATE MKIGYOU2 SET FRSTKYU = 0, FRSTKYUM = 1 WHERE KCO = 1");
        QVERIFY(f.open(2, 2023, 1));
        QCOMPARE(f.ws->salaryOption(), 0);
        QCOMPARE(f.ws->matrixOption(), 1);
        f.ws->close();
        QVERIFY(f.open(1, 2023));
        f.type("txtCorpName", QStringLiteral("新会社"));
        f.button("btnAdd")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT FRSTKYU || ',' || FRSTKYUM FROM MKIGYOU2 "
                                         "WHERE KCO = 2 AND NENDO = 2023"),
                 QStringLiteral("3,3"));
    }

    void registerWritesTypedDatesRatesAndCodes_data() {
        QTest::addColumn<QStringList>("survey"); // year, month, day
        QTest::addColumn<QStringList>("raise");
        QTest::addColumn<QString>("baseUp");
        QTest::addColumn<QString>("stored"); // CYOUSAHI,SYOUKYUHI,BEARITSU
        QTest::newRow("dates, decimal rate")
            << QStringList{"23", "4", "1"} << QStringList{"24", "04", "01"} << "2.5"
            << "20230401,20240401,2.5";
        QTest::newRow("month and day 0 is no date, empty rate 0")
            << QStringList{"23", "0", "0"} << QStringList{"99", "12", "31"} << ""
            << "0,19991231,0";
        QTest::newRow("thousands separator")
            << QStringList{"0", "2", "29"} << QStringList{"30", "1", "1"} << "1,000"
            << "20000229,20300101,1000";
    }
    void registerWritesTypedDatesRatesAndCodes() {
        QFETCH(QStringList, survey);
        QFETCH(QStringList, raise);
        QFETCH(QString, baseUp);
        QFETCH(QString, stored);
        Screen f;
        QVERIFY(f.open(1, 2024));
        f.type("txtCorpName", QStringLiteral("日付商会"));
        f.type("txtChkyy", survey[0]);
        f.type("txtChkmm", survey[1]);
        f.type("txtChkdd", survey[2]);
        f.type("txtUPyy", raise[0]);
        f.type("txtUPmm", raise[1]);
        f.type("txtUPdd", raise[2]);
        f.type("txtBaseUp", baseUp);
        f.type("cmbModelCode", QStringLiteral("2"));
        f.type("cmbLivingCode", QStringLiteral("1"));
        f.button("btnAdd")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT CYOUSAHI || ',' || SYOUKYUHI || ',' || BEARITSU "
                                         "FROM MKIGYOU2 WHERE KCO = 2"),
                 stored);
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT MDCO || MCCO || SKCO FROM MKIGYOU2 WHERE KCO = 2"),
                 QStringLiteral("221"));
    }

    void registerRefusesWithoutChangeOrName() {
        Screen f;
        QVERIFY(f.open(1, 2024));
        // The defaults are filled in, but nothing was changed.
        f.env.messages.expect(QStringLiteral("ﾃﾞｰﾀの変更がありません。"));
        f.button("btnAdd")->click();
        f.type("txtSalaryKbn", QStringLiteral("職務給"));
        f.env.messages.expect(QStringLiteral("企業名称は必ず入力してください。"));
        f.button("btnAdd")->click();
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(f.ws->isVisible());
        QCOMPARE(f.env.scalar(TDM::ACN1, "SELECT count(*) FROM MKIGYOU1 WHERE KCO = 2"),
                 QStringLiteral("0"));
    }

    // A date error must not leave a company master row behind.
    void registerWithABadDateWritesNothing() {
        Screen f;
        QVERIFY(f.open(1, 2024));
        f.type("txtCorpName", QStringLiteral("日付誤り"));
        f.type("txtChkyy", QStringLiteral("24"));
        f.type("txtChkmm", QStringLiteral("2"));
        f.type("txtChkdd", QStringLiteral("30"));
        f.env.messages.expect(QStringLiteral("調査日の入力エラーです。"));
        f.button("btnAdd")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN1, "SELECT count(*) FROM MKIGYOU1 WHERE KCO = 2"),
                 QStringLiteral("0"));

        f.type("txtChkdd", QStringLiteral("29"));
        f.type("txtUPmm", QStringLiteral("4"));
        f.type("txtUPdd", QStringLiteral("31"));
        f.env.messages.expect(QStringLiteral("昇給日の入力エラーです。"));
        f.button("btnAdd")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN1, "SELECT count(*) FROM MKIGYOU1 WHERE KCO = 2"),
                 QStringLiteral("0"));

        // Corrected, the register goes through once, without a key conflict.
        f.type("txtUPdd", QStringLiteral("30"));
        f.button("btnAdd")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT CYOUSAHI || ',' || SYOUKYUHI FROM MKIGYOU2 "
                                         "WHERE KCO = 2"),
                 QStringLiteral("20240229,20000430"));
        QCOMPARE(f.env.scalar(TDM::ACN1, "SELECT count(*) FROM MKIGYOU1 WHERE KCO = 2"),
                 QStringLiteral("1"));
    }

    // A click on a button leaves the focus in a field, so the save itself must refuse what the
    // field's exit would have refused.
    void registerChecksFieldsTheUserNeverLeft() {
        Screen f;
        QVERIFY(f.open(1, 2024));
        f.type("txtCorpName", QStringLiteral("未確認"));
        f.edit("txtChkyy")->setText(QStringLiteral("x"));
        f.env.messages.expect(QStringLiteral("入力範囲外です。"));
        f.button("btnAdd")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(QApplication::focusWidget(), f.edit("txtChkyy"));
        QCOMPARE(f.env.scalar(TDM::ACN1, "SELECT count(*) FROM MKIGYOU1 WHERE KCO = 2"),
                 QStringLiteral("0"));
    }

    void registerIsAllOrNothingAcrossBothFiles() {
        Screen f;
        const QStringList seigyo{QStringLiteral("MKIGYOU1")};
        const QStringList data{QStringLiteral("MKIGYOU2"), QStringLiteral("MMARK"),
                               QStringLiteral("MGRAPH")};
        const QStringList before = f.counts(seigyo, data);
        f.env.exec(TDM::ACN2, "CREATE TRIGGER t BEFORE INSERT ON MGRAPH "
                              "BEGIN SELECT RAISE(ABORT, 'boom'); END");
        QVERIFY(f.open(1, 2024));
        f.type("txtCorpName", QStringLiteral("途中失敗"));
        f.env.messages.expect(SqlError);
        f.button("btnAdd")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.counts(seigyo, data), before);
        QVERIFY(f.ws->isVisible());

        // A missing template stops the register before anything is written.
        f.env.exec(TDM::ACN2, "DROP TRIGGER t");
        f.env.exec(TDM::ACN1, "DELETE FROM MMMARK WHERE MKCO = 6");
        f.env.messages.expect(SqlError);
        f.button("btnAdd")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.counts(seigyo, data), before);
    }

    void fieldExitChecks_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<QString>("shown");   // the field's text afterwards
        const QString range = QStringLiteral("入力範囲外です。");
        const QString nan = QStringLiteral("数値を入力してください。");
        QTest::newRow("year 99") << "txtChkyy"
                                 << "99"
                                 << ""
                                 << "99";
        QTest::newRow("year not a number") << "txtUPyy"
                                           << "a" << range << "a";
        QTest::newRow("year negative") << "txtChkyy"
                                       << "-1" << range << "-1";
        QTest::newRow("year empty") << "txtUPyy"
                                    << "" << range << "";
        QTest::newRow("month 12") << "txtChkmm"
                                  << "12"
                                  << ""
                                  << "12";
        QTest::newRow("month 13") << "txtUPmm"
                                  << "13" << range << "13";
        QTest::newRow("month 0") << "txtUPmm"
                                 << "0"
                                 << ""
                                 << "0";
        QTest::newRow("day 31") << "txtUPdd"
                                << "31"
                                << ""
                                << "31";
        QTest::newRow("day 32") << "txtChkdd"
                                << "32" << range << "32";
        QTest::newRow("day not a number") << "txtChkdd"
                                          << "x" << range << "x";
        QTest::newRow("rate decimal") << "txtBaseUp"
                                      << "2.5"
                                      << ""
                                      << "2.5";
        QTest::newRow("rate negative") << "txtBaseUp"
                                       << "-0.5"
                                       << ""
                                       << "-0.5";
        QTest::newRow("rate empty") << "txtBaseUp"
                                    << ""
                                    << ""
                                    << "";
        QTest::newRow("rate text") << "txtBaseUp"
                                   << "2.5%" << nan << "2.5%";
        QTest::newRow("living code known") << "cmbLivingCode"
                                           << "1"
                                           << ""
                                           << "1 : 人事院 標準生計費(令和4年勧告)";
        QTest::newRow("living code unknown") << "cmbLivingCode"
                                             << "12"
                                             << ""
                                             << "12 : 未登録";
        QTest::newRow("living code text") << "cmbLivingCode"
                                          << "abc" << nan << "abc";
        QTest::newRow("model code known") << "cmbModelCode"
                                          << "2"
                                          << ""
                                          << "2 : 賃金構造基本統計調査(所定内給与)";
        QTest::newRow("model code with a stale name") << "cmbModelCode"
                                                      << "1 : x"
                                                      << ""
                                                      << "1 : 広島のモデル賃金(事務・所定内)";
        QTest::newRow("model code empty") << "cmbModelCode"
                                          << ""
                                          << ""
                                          << "";
    }
    void fieldExitChecks() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        Screen f;
        QVERIFY(f.open(1, 2024));
        QWidget* w = f.ws->findChild<QWidget*>(field);
        f.type(w, typed);
        if (!message.isEmpty())
            f.env.messages.expect(message);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        VERIFY_MESSAGES(f.env.messages);
        auto* box = qobject_cast<QComboBox*>(w);
        QCOMPARE(box ? box->currentText() : static_cast<QLineEdit*>(w)->text(), shown);
        if (message.isEmpty())
            QVERIFY(QApplication::focusWidget() != w);
        else
            QCOMPARE(QApplication::focusWidget(), w);
    }

    // Two refused fields: putting the focus back must not bounce between them.
    void refusedExitReturnsTheFocusOnce() {
        Screen f;
        QVERIFY(f.open(1, 2024));
        f.type("txtChkmm", QStringLiteral("13"));
        f.edit("txtChkdd")->setText(QStringLiteral("99"));
        f.env.messages.expect(QStringLiteral("入力範囲外です。"));
        f.edit("txtChkdd")->setFocus(Qt::MouseFocusReason);
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(QApplication::focusWidget(), f.edit("txtChkmm"));

        f.type("txtChkmm", QStringLiteral("4"));
        QTest::keyClick(f.edit("txtChkmm"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.edit("txtChkdd"));
        f.env.messages.expect(QStringLiteral("入力範囲外です。"));
        QTest::keyClick(f.edit("txtChkdd"), Qt::Key_Tab);
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(QApplication::focusWidget(), f.edit("txtChkdd"));
    }

    void enterMovesToTheNextField() {
        Screen f;
        QVERIFY(f.open(1, 2024));
        QCOMPARE(QApplication::focusWidget(), f.edit("txtCorpName"));
        QTest::keyClick(f.edit("txtCorpName"), Qt::Key_Return); // the era box is hidden
        QCOMPARE(QApplication::focusWidget(), f.edit("txtChkyy"));
        f.edit("txtSalaryKbn")->setFocus();
        QTest::keyClick(f.edit("txtSalaryKbn"), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), f.combo("cmbModelCode"));
        QTest::keyClick(f.combo("cmbModelCode"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.combo("cmbLivingCode"));
        VERIFY_MESSAGES(f.env.messages);
    }

    void changeLoadsAndSavesBothFilesTogether() {
        Screen f;
        QVERIFY(f.open(2, 2023, 1));
        QCOMPARE(f.edit("txtCorpName")->text(), QStringLiteral("サンプル企業"));
        QCOMPARE(f.edit("txtChkyy")->text() + f.edit("txtChkmm")->text() +
                     f.edit("txtChkdd")->text(),
                 QStringLiteral("230630"));
        QCOMPARE(f.combo("cmbModelCode")->currentText(),
                 QStringLiteral("1 : 広島のモデル賃金(事務・所定内)"));
        QCOMPARE(f.combo("cmbLivingCode")->currentText(),
                 QStringLiteral("1 : 人事院 標準生計費(令和4年勧告)"));
        QCOMPARE(f.combo("cmbModelCode2")->currentText(), QStringLiteral("1"));
        QCOMPARE(f.ws->salaryOption(), 2);
        QVERIFY(!f.ws->isWindowModified());

        f.type("txtCorpName", QStringLiteral("O'Brien商事"));
        f.type("txtBaseUp", QStringLiteral("1.25"));
        f.type("txtTokyu9", QStringLiteral("特別'職"));
        f.type("cmbModelCode", QStringLiteral("2"));
        f.button("btnMnt")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN1, "SELECT KNA FROM MKIGYOU1 WHERE KCO = 1 AND NENDO = 2023"),
                 QStringLiteral("O'Brien商事"));
        QCOMPARE(
            settingsRow(f, 1, 2023),
            QStringLiteral("O'Brien商事|20230630|1.25|職能資格制度|年齢給|職能給|基本給|"
                           "家族手当|住宅手当|役職手当|調整手当||2|2|一般職Ⅰ|一般職Ⅱ|主任|係長|"
                           "課長|部長|||特別'職|2|1|20240401|3|0"));
        // The screen stays, reloaded and unchanged.
        QVERIFY(f.ws->isVisible());
        QVERIFY(!f.ws->isWindowModified());
        QCOMPARE(f.combo("cmbModelCode2")->currentText(), QStringLiteral("2"));
        QCOMPARE(f.edit("txtTokyu9")->text(), QStringLiteral("特別'職"));
    }

    // Another person changed the company after the screen loaded it: the change is refused,
    // theirs stays, and the screen shows what is stored now in place of the edits.
    void refusedChangeShowsTheOtherPersonsSave() {
        Screen f;
        QVERIFY(f.open(2, 2023, 1));
        f.env.exec(TDM::ACN2, "UPDATE MKIGYOU2 SET BEARITSU = 3.5 WHERE KCO = 1 AND NENDO = 2023");
        f.type("txtCorpName", QStringLiteral("後から商事"));
        f.env.messages.expect(ChangedByOtherText(QStringLiteral("企業データ 1 後から商事 ")));
        f.button("btnMnt")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN1, "SELECT KNA FROM MKIGYOU1 WHERE KCO = 1 AND NENDO = 2023"),
                 QStringLiteral("サンプル企業"));
        QVERIFY(f.ws->isVisible());
        QCOMPARE(f.edit("txtCorpName")->text(), QStringLiteral("サンプル企業"));
        QCOMPARE(f.edit("txtBaseUp")->text(), QStringLiteral("3.5"));
        QVERIFY(!f.ws->isWindowModified());
        f.type("txtCorpName", QStringLiteral("後から商事"));
        f.button("btnMnt")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT KNA || '/' || BEARITSU FROM MKIGYOU2 WHERE "
                                         "KCO = 1 AND NENDO = 2023"),
                 QStringLiteral("後から商事/3.5"));
    }

    void changeRefusesEmptyCodesAndBadDates() {
        Screen f;
        QVERIFY(f.open(2, 2023, 1));
        const QString before = settingsRow(f, 1, 2023);
        f.combo("cmbModelCode")->setEditText(QStringLiteral("  "));
        f.env.messages.expect(QStringLiteral("モデルコードを入力して下さい。"));
        f.button("btnMnt")->click();
        f.combo("cmbModelCode")->setEditText(QStringLiteral("1"));
        f.combo("cmbLivingCode")->setEditText(QString());
        f.env.messages.expect(QStringLiteral("生計費コードを入力して下さい。"));
        f.button("btnMnt")->click();
        f.combo("cmbLivingCode")->setEditText(QStringLiteral("1"));
        f.edit("txtChkdd")->setText(QStringLiteral("31"));
        f.edit("txtCorpName")->setText(QStringLiteral("変更されない"));
        f.env.messages.expect(QStringLiteral("調査日の入力エラーです。")); // 30 June has no 31st
        f.button("btnMnt")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(settingsRow(f, 1, 2023), before);
        QCOMPARE(f.env.scalar(TDM::ACN1, "SELECT KNA FROM MKIGYOU1 WHERE KCO = 1"),
                 QStringLiteral("サンプル企業"));
    }

    void changeIsAllOrNothingAcrossBothFiles() {
        Screen f;
        f.env.exec(TDM::ACN2, "CREATE TRIGGER t BEFORE UPDATE ON MKIGYOU2 "
                              "BEGIN SELECT RAISE(ABORT, 'boom'); END");
        QVERIFY(f.open(2, 2023, 1));
        f.type("txtCorpName", QStringLiteral("新しい名前"));
        f.env.messages.expect(SqlError);
        f.button("btnMnt")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN1, "SELECT KNA FROM MKIGYOU1 WHERE KCO = 1"),
                 QStringLiteral("サンプル企業"));
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT KNA FROM MKIGYOU2 WHERE KCO = 1"),
                 QStringLiteral("サンプル企業"));
    }

    void eraModeShowsAndTakesEraDates() {
        Screen f;
        f.env.exec(TDM::ACN1, "UPDATE MKIGYOU1 SET REKI = 1 WHERE KCO = 1 AND NENDO = 2023");
        QVERIFY(f.open(2, 2023, 1));
        QComboBox* era = f.combo("cmbUPNengou");
        QVERIFY(!era->isHidden());
        QCOMPARE(era->count(), 4);
        QCOMPARE(era->itemText(3), QString());
        QCOMPARE(f.combo("cmbChkNengou")->currentText() + f.edit("txtChkyy")->text(),
                 QStringLiteral("令和05"));
        QCOMPARE(era->currentText() + f.edit("txtUPyy")->text() + f.edit("txtUPmm")->text() +
                     f.edit("txtUPdd")->text(),
                 QStringLiteral("令和060401"));

        era->setCurrentIndex(era->findText(QStringLiteral("平成")));
        f.type("txtUPyy", QStringLiteral("31"));
        f.type("txtUPmm", QStringLiteral("4"));
        f.type("txtUPdd", QStringLiteral("30"));
        f.button("btnMnt")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT SYOUKYUHI FROM MKIGYOU2 WHERE KCO = 1"),
                 QStringLiteral("20190430"));

        // A date without an era cannot be stored.
        era->setCurrentIndex(3);
        f.env.messages.expect(QStringLiteral("昇給日の入力エラーです。"));
        f.button("btnMnt")->click();
        VERIFY_MESSAGES(f.env.messages);
    }

    void deleteRemovesTheYearFromAllFifteenTables() {
        Screen f;
        // Rows of the same company in another year, and of another company in the same year.
        for (const auto& [conn, table] : CompanyTables) {
            f.seedRow(conn, table, 1, 2023);
            f.seedRow(conn, table, 1, 2024);
            f.seedRow(conn, table, 7, 2023);
        }
        QVERIFY(f.open(3, 2023, 1));
        QCOMPARE(f.edit("txtCorpName")->text(), QStringLiteral("サンプル企業"));

        f.env.messages.expect(QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r"
                                             "【いいえ】:戻ります。"),
                              Msg::Answer::No, QStringLiteral("削除"));
        f.button("btnDlt")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT count(*) FROM MSYAIN1 WHERE KCO = 1 AND "
                                         "NENDO = 2023"),
                 QStringLiteral("60"));

        f.env.messages.expect(QStringLiteral("ﾃﾞｰﾀを削除しますか？"), Msg::Answer::Yes);
        f.env.messages.expect(
            QStringLiteral("企業マスター 【　2023　年度　1　:　サンプル企業　】 を削除しました。"));
        f.button("btnDlt")->click();
        VERIFY_MESSAGES(f.env.messages);
        for (const auto& [conn, table] : CompanyTables) {
            auto count = [&, conn = conn, table = table](int kco, int year) {
                return f.env.scalar(conn, QStringLiteral("SELECT count(*) FROM %1 WHERE KCO = %2 "
                                                         "AND NENDO = %3")
                                              .arg(table)
                                              .arg(kco)
                                              .arg(year));
            };
            QVERIFY2(count(1, 2023) == QStringLiteral("0"), qPrintable(table));
            QVERIFY2(count(1, 2024) != QStringLiteral("0"), qPrintable(table));
            QVERIFY2(count(7, 2023) != QStringLiteral("0"), qPrintable(table));
        }
        QVERIFY(!f.ws->isVisible());
    }

    void deleteIsAllOrNothingAcrossBothFiles() {
        Screen f;
        f.env.exec(TDM::ACN2, "CREATE TRIGGER t BEFORE DELETE ON MHYOUKA "
                              "BEGIN SELECT RAISE(ABORT, 'boom'); END");
        const QStringList seigyo{QStringLiteral("MKIGYOU1")};
        const QStringList data{QStringLiteral("MSYAIN1"), QStringLiteral("MKIGYOU2"),
                               QStringLiteral("MMARK"), QStringLiteral("MHYOUKA")};
        const QStringList before = f.counts(seigyo, data);
        QVERIFY(f.open(3, 2023, 1));
        f.env.messages.expect(QStringLiteral("ﾃﾞｰﾀを削除しますか？"), Msg::Answer::Yes);
        f.env.messages.expect(SqlError);
        f.button("btnDlt")->click();
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.counts(seigyo, data), before);
        QVERIFY(f.ws->isVisible());
    }

    void closeAsksAboutUnsavedChangesAndCancelRestores() {
        Screen f;
        QVERIFY(f.open(2, 2023, 1));
        f.type("txtTeate5", QStringLiteral("通勤手当"));

        // Cancel reloads the stored values.
        f.button("btnCansel")->click();
        QCOMPARE(f.edit("txtTeate5")->text(), QString());
        QCOMPARE(f.edit("txtCorpName")->text(), QStringLiteral("サンプル企業"));
        QVERIFY(!f.ws->isWindowModified());

        f.type("txtTeate5", QStringLiteral("通勤手当"));
        const QString question = QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r"
                                                "【いいえ】:画面を閉じます。");
        f.env.messages.expect(question, Msg::Answer::Yes, QStringLiteral("確認"));
        f.button("btnClose")->click();
        QVERIFY(f.ws->isVisible());
        QCOMPARE(QApplication::focusWidget(), f.edit("txtCorpName"));

        f.env.messages.expect(question, Msg::Answer::No, QStringLiteral("確認"));
        QTest::keyClick(f.ws, Qt::Key_Escape);
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(!f.ws->isVisible());
        QVERIFY(!f.ws->isWindowModified());
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT TNA5 FROM MKIGYOU2 WHERE KCO = 1"), QString());

        // Unchanged, it closes without asking; in register mode Cancel brings the defaults back.
        QVERIFY(f.open(1, 2024));
        f.type("txtKihon1", QStringLiteral("本給"));
        f.button("btnCansel")->click();
        QCOMPARE(f.edit("txtKihon1")->text(), QStringLiteral("年齢給"));
        f.button("btnClose")->click();
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(!f.ws->isVisible());
    }
};

QTEST_MAIN(TestCompanyData)
#include "test_company_data.moc"
