#include "app/WS0000_MainWindow.h"
#include "core/common/AppState.h"
#include "core/masters/Cp932.h"
#include "core/masters/EmployeeCsv.h"
#include "gui/masters/EmployeeExportCommand.h"
#include "gui/masters/ImportWorker_EmployeeImport.h"
#include "support/gui/ScriptedDialogs.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

namespace {

const QString AddQuestion =
    QStringLiteral("既存の社員マスタに追加して取込ます。\r実行してもよろしいですか？");
const QString ReplaceQuestion =
    QStringLiteral("すでに登録済みの社員マスタは削除して取込ます。\r実行してもよろしいですか？");

struct Fixture {
    ScreenEnvironment env;
    TfrmImportWorker screen;

    Fixture() {
        env.setToday(QDate(2024, 5, 20));
        env.openDatabases();
        env.openCompany(1, 2023);
    }

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = env.appDir() + QStringLiteral("CSV/") + name;
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        f.write(bytes);
        return path;
    }
    QString writeCp932(const QString& name, const QStringList& lines) {
        QByteArray bytes;
        if (!Cp932::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), bytes))
            qFatal("not CP932");
        return write(name, bytes);
    }
    void check(const QString& path) {
        Control<QLineEdit>(screen, QStringLiteral("EB_FileName"))->setText(path);
        Control<QPushButton>(screen, QStringLiteral("BTN_Check"))->click();
    }
    QString cell(int row, int column) const {
        return Control<QTableView>(screen, QStringLiteral("GRDCowork"))
            ->model()
            ->index(row, column)
            .data()
            .toString();
    }
    int employees() {
        return env.scalar(TDM::ACN2, "SELECT count(*) FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023")
            .toInt();
    }
    QString codesAndNames() {
        return env
            .rows(TDM::ACN2,
                  "SELECT SCO, SNA FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 AND "
                  "SCO > 60 OR (KCO = 1 AND NENDO = 2023 AND SNA LIKE '新%') ORDER BY SCO")
            .join(QLatin1Char(' '));
    }
};

const QStringList GoodFile = {QStringLiteral("社員番号,社員名,性別,生年月日,入社日,賃金等級,備考"),
                              QStringLiteral("N1,新井　一,男性,1999/4/2,2022/4/1,2,メモ"),
                              QStringLiteral("N2,\"新田,二葉\",F,0,,,")};

} // namespace

class TestImportWorker : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusesFilesItCannotUse() {
        Fixture f;
        QCOMPARE(f.screen.windowTitle(), QStringLiteral("社員マスタの取込"));
        f.env.messages.expect(QStringLiteral("ファイル名を入力して下さい。"));
        f.check(QStringLiteral("   "));
        f.env.messages.expect(QStringLiteral("指定されたファイルは存在しません。"));
        f.check(f.env.appDir() + QStringLiteral("CSV/none.csv"));
        const QString empty = f.write(QStringLiteral("empty.csv"), QByteArray());
        f.env.messages.expect(empty + QStringLiteral("　にはデータが有りません。"));
        f.check(empty);
        // A header without rows after a good file: the store buttons go off again.
        f.check(f.writeCp932(QStringLiteral("good.csv"),
                             {QStringLiteral("社員名,社員番号"), QStringLiteral("甲,1")}));
        QVERIFY(Control<QPushButton>(f.screen, QStringLiteral("BTN_Rep"))->isEnabled());
        const QString header = f.writeCp932(QStringLiteral("header.csv"),
                                            {QStringLiteral("社員名,社員番号,賃金等級")});
        f.env.messages.expect(header + QStringLiteral("　にはデータが有りません。"));
        f.check(header);
        QVERIFY(!Control<QPushButton>(f.screen, QStringLiteral("BTN_Rep"))->isEnabled());
        QVERIFY(!Control<QPushButton>(f.screen, QStringLiteral("BTN_Add"))->isEnabled());
        f.env.messages.expect(QStringLiteral("有効な項目名がありません。"));
        f.check(f.writeCp932(QStringLiteral("h.csv"),
                             {QStringLiteral("氏名,番号"), QStringLiteral("a,1")}));
        // UTF-8 without its mark is not taken for CP932 text.
        f.env.messages.expect(
            QStringLiteral("　の 2 行目は Shift-JIS（CP932）の文字として読めません。"));
        QByteArray mixed;
        Cp932::encode(QStringLiteral("社員名\r\n"), mixed);
        f.check(f.write(QStringLiteral("u.csv"), mixed + QStringLiteral("名\r\n").toUtf8()));
        QVERIFY(!Control<QPushButton>(f.screen, QStringLiteral("BTN_Add"))->isEnabled());
        QVERIFY(!Control<QPushButton>(f.screen, QStringLiteral("BTN_Rep"))->isEnabled());
        VERIFY_MESSAGES(f.env.messages);
    }

    void marksFaultyRows() {
        Fixture f;
        f.env.messages.expect(QStringLiteral("エラーが存在するので取込できません。"));
        f.check(f.writeCp932(QStringLiteral("bad.csv"),
                             {QStringLiteral("社員名,社員番号,賃金等級,生年月日"),
                              QStringLiteral("甲,1,3,1980/01/01"), QStringLiteral("乙,2,10,"),
                              QString(), QStringLiteral("丙,3,,1980.1.1")}));
        QCOMPARE(f.cell(0, 0), QString());
        QCOMPARE(f.cell(1, 0), QStringLiteral("ERROR"));
        QCOMPARE(f.cell(2, 0), QStringLiteral("ERROR"));
        QCOMPARE(f.cell(3, 0), QStringLiteral("ERROR"));
        QCOMPARE(f.cell(1, 13), QStringLiteral("10"));
        QVERIFY(Control<QTableView>(f.screen, QStringLiteral("GRDCowork"))
                    ->model()
                    ->index(1, 0)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("賃金等級")));
        QCOMPARE(Control<QTableView>(f.screen, QStringLiteral("GRDCowork"))
                     ->model()
                     ->headerData(13, Qt::Horizontal)
                     .toString(),
                 QStringLiteral("賃金等級"));
        QVERIFY(!Control<QPushButton>(f.screen, QStringLiteral("BTN_Add"))->isEnabled());
        QCOMPARE(f.employees(), 60);
        VERIFY_MESSAGES(f.env.messages);
    }

    void addsAfterTheHighestCode() {
        Fixture f;
        f.env.dialogs.fileAnswers << f.writeCp932(QStringLiteral("good.csv"), GoodFile);
        Control<QPushButton>(f.screen, QStringLiteral("BTN_SelectFile"))->click();
        QVERIFY(Control<QLineEdit>(f.screen, QStringLiteral("EB_FileName"))
                    ->text()
                    .endsWith(QStringLiteral("CSV/good.csv")));
        Control<QPushButton>(f.screen, QStringLiteral("BTN_Check"))->click();
        QVERIFY(Control<QPushButton>(f.screen, QStringLiteral("BTN_Add"))->isEnabled());
        QVERIFY(Control<QPushButton>(f.screen, QStringLiteral("BTN_Rep"))->isEnabled());
        QCOMPARE(f.cell(0, 6), QStringLiteral("男"));
        QCOMPARE(f.cell(1, 6), QStringLiteral("女"));
        QCOMPARE(f.cell(1, 1), QStringLiteral("新田,二葉"));

        f.env.messages.expect(AddQuestion, Msg::Answer::Cancel);
        Control<QPushButton>(f.screen, QStringLiteral("BTN_Add"))->click();
        QCOMPARE(f.employees(), 60);
        f.env.messages.expect(AddQuestion, Msg::Answer::Ok);
        f.env.messages.expect(
            QStringLiteral("社員マスタを 2 名取り込みました。\rうち 2 名はマークが"
                           "ありません。"));
        Control<QPushButton>(f.screen, QStringLiteral("BTN_Add"))->click();
        QCOMPARE(f.employees(), 62);
        QCOMPARE(f.codesAndNames(), QStringLiteral("61|新井　一 62|新田,二葉"));
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT SEIHI || '/' || NYUHI || '/' || TOUKYU || '/' || "
                                         "SEIBETSU FROM VSYAIN WHERE SCO = 62"),
                 QStringLiteral("0/0/0/1"));
        // Storing once disables both until the next check.
        QVERIFY(!Control<QPushButton>(f.screen, QStringLiteral("BTN_Add"))->isEnabled());
        QVERIFY(!Control<QPushButton>(f.screen, QStringLiteral("BTN_Rep"))->isEnabled());
        VERIFY_MESSAGES(f.env.messages);
    }

    void replacesTheYearsEmployees() {
        Fixture f;
        QByteArray utf8 = QStringLiteral("社員番号,社員名\r\nR1,ソ表能\r\nR2,～①\r\n").toUtf8();
        f.check(f.write(QStringLiteral("bom.csv"), utf8.prepend("\xEF\xBB\xBF")));
        f.env.messages.expect(ReplaceQuestion, Msg::Answer::Ok);
        f.env.messages.expect(QStringLiteral("社員マスタを 2 名取り込みました。"));
        Control<QPushButton>(f.screen, QStringLiteral("BTN_Rep"))->click();
        QCOMPARE(f.employees(), 2);
        QCOMPARE(f.env.rows(TDM::ACN2, "SELECT SCO, SNA FROM VSYAIN ORDER BY SCO").join(' '),
                 QStringLiteral("1|ソ表能 2|～①"));
        VERIFY_MESSAGES(f.env.messages);
    }

    void failedReplaceKeepsTheOldEmployees() {
        Fixture f;
        f.check(f.writeCp932(QStringLiteral("good.csv"), GoodFile));
        f.env.exec(TDM::ACN2, "CREATE TRIGGER broken BEFORE INSERT ON MSYAIN2 BEGIN "
                              "SELECT RAISE(ABORT, 'disk full'); END");
        f.env.messages.expect(ReplaceQuestion, Msg::Answer::Ok);
        f.env.messages.expect(QStringLiteral("ＳＱＬ処理で不明なエラーが発生しました。"));
        f.env.messages.expect(QStringLiteral("データベースにエラーがありました。"));
        Control<QPushButton>(f.screen, QStringLiteral("BTN_Rep"))->click();
        QCOMPARE(f.employees(), 60);
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT SNA FROM VSYAIN WHERE SCO = 1"),
                 QStringLiteral("中村　誠"));
        VERIFY_MESSAGES(f.env.messages);
    }

    void exportsAndTheExportImportsAgain() {
        Fixture f;
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN1 SET SEIHI = 0 WHERE SCO = 4");
        const QString question = QStringLiteral("社員マスタを") + f.env.appDir() +
                                 QStringLiteral("CSVへ出力します。\rよろしいですか？");
        const QString path = f.env.appDir() + QStringLiteral("CSV/社員マスタ出力.CSV");
        f.env.messages.expect(question, Msg::Answer::No, QStringLiteral("Tesvane賃金"));
        RunEmployeeExport();
        QVERIFY(!QFile::exists(path));
        f.env.messages.expect(question, Msg::Answer::Yes);
        f.env.messages.expect(QStringLiteral("CSVデレクトリに社員マスタが出力されました。"));
        RunEmployeeExport();
        QVERIFY(QFile::exists(path));

        // With the box ticked the mark goes out as a twelfth column and comes back.
        const QString marks = f.env.rows(TDM::ACN2, "SELECT SCOT, MCO FROM VSYAIN ORDER BY SCOT")
                                  .join(QLatin1Char(' '));
        const QString withMark = f.env.appDir() + QStringLiteral("CSV/with-mark.csv");
        f.env.messages.expect(question, Msg::Answer::Yes);
        f.env.messages.ticking(true);
        f.env.messages.expect(QStringLiteral("CSVデレクトリに社員マスタが出力されました。"));
        RunEmployeeExport();
        QVERIFY(QFile::copy(path, withMark));
        f.check(withMark);
        QCOMPARE(f.cell(0, ImpMark), QStringLiteral("1"));
        f.env.messages.expect(ReplaceQuestion, Msg::Answer::Ok);
        f.env.messages.expect(QStringLiteral("社員マスタを 60 名取り込みました。"));
        Control<QPushButton>(f.screen, QStringLiteral("BTN_Rep"))->click();
        QVERIFY(!f.env.messages.seen().last().text.contains(QStringLiteral("マークがありません")));
        QCOMPARE(f.env.rows(TDM::ACN2, "SELECT SCOT, MCO FROM VSYAIN ORDER BY SCOT")
                     .join(QLatin1Char(' ')),
                 marks);
        VERIFY_MESSAGES(f.env.messages);

        // The first file (unticked): an exported "0" date imports as no date; the marks are not
        // carried, and the import says so.
        QFile::remove(path);
        f.env.messages.expect(question, Msg::Answer::Yes);
        f.env.messages.expect(QStringLiteral("CSVデレクトリに社員マスタが出力されました。"));
        RunEmployeeExport();
        f.check(path);
        QVERIFY(Control<QPushButton>(f.screen, QStringLiteral("BTN_Rep"))->isEnabled());
        f.env.messages.expect(ReplaceQuestion, Msg::Answer::Ok);
        f.env.messages.expect(QStringLiteral("社員マスタを 60 名取り込みました。\rうち 60 名は"));
        Control<QPushButton>(f.screen, QStringLiteral("BTN_Rep"))->click();
        QCOMPARE(f.employees(), 60);
        QCOMPARE(f.env.scalar(TDM::ACN2, "SELECT SEIHI FROM VSYAIN WHERE SCOT = 'A0004'"),
                 QStringLiteral("0"));
        VERIFY_MESSAGES(f.env.messages);
    }

    // A date after the age base is stored, but the row is marked WARN and the check says so.
    void warnsOfLateDates() {
        Fixture f;
        const QString late = f.writeCp932(QStringLiteral("late.csv"),
                                          {QStringLiteral("社員番号,社員名,生年月日,入社日,マーク"),
                                           QStringLiteral("L1,遅野,1999/4/2,2023/4/2,女子事務"),
                                           QStringLiteral("L2,早野,1999/4/2,2023/4/1,4")});
        f.env.messages.expect(QStringLiteral("WARN の行が 1 行あります。"));
        f.check(late);
        QCOMPARE(f.cell(0, ImpStatus), QStringLiteral("WARN"));
        QCOMPARE(f.cell(1, ImpStatus), QString());
        QVERIFY(Control<QTableView>(f.screen, QStringLiteral("GRDCowork"))
                    ->model()
                    ->index(0, ImpStatus)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("勤続 -1")));
        f.env.messages.expect(ReplaceQuestion, Msg::Answer::Ok);
        f.env.messages.expect(QStringLiteral("社員マスタを 2 名取り込みました。"));
        Control<QPushButton>(f.screen, QStringLiteral("BTN_Rep"))->click();
        QCOMPARE(f.env.rows(TDM::ACN2, "SELECT SNA, NENREI, KINZOKU, MCO FROM VSYAIN ORDER BY SCO")
                     .join(QLatin1Char(' ')),
                 QStringLiteral("遅野|23|-1|4 早野|23|0|4"));
        VERIFY_MESSAGES(f.env.messages);
    }

    void exportReportsWhatItCannotWrite() {
        Fixture f;
        f.env.exec(TDM::ACN2, "UPDATE MSYAIN2 SET GAKU = '𠮷野大学' WHERE SCO = 9");
        f.env.messages.expect(QStringLiteral("社員マスタを"), Msg::Answer::Yes);
        f.env.messages.expect(QStringLiteral("社員コード 9"));
        RunEmployeeExport();
        QCOMPARE(f.env.messages.seen().last().kind, Msg::Kind::Warning);
        QVERIFY(f.env.messages.seen().last().text.contains(QStringLiteral("「学歴」")));
        QVERIFY(!QFile::exists(f.env.appDir() + QStringLiteral("CSV/社員マスタ出力.CSV")));

        f.env.exec(TDM::ACN2, "DELETE FROM MSYAIN1");
        f.env.messages.expect(QStringLiteral("社員マスタを"), Msg::Answer::Yes);
        f.env.messages.expect(QStringLiteral("社員マスタは有りません。"));
        RunEmployeeExport();
        VERIFY_MESSAGES(f.env.messages);
    }

    void exportSaysWhatHappenedToTheFile() {
        Fixture f;
        const QString path = f.env.appDir() + QStringLiteral("CSV/社員マスタ出力.CSV");
        // The export's file leads to a device that takes no byte, as a full disk does.
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), path));
        f.env.messages.expect(QStringLiteral("社員マスタを"), Msg::Answer::Yes);
        f.env.messages.expect(QStringLiteral("CSVファイルを書き込めません。\r") + path +
                              QStringLiteral("\rディスクの空きが足りません。"));
        RunEmployeeExport();
        QCOMPARE(f.env.messages.seen().last().kind, Msg::Kind::Error);
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(QFileInfo(path).isSymLink());
        QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile()); // written into, not replaced

        // The CSV folder is a file: nothing can be made in it.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(f.env.appDir()).rmdir(QStringLiteral("CSV")));
        QFile plain(f.env.appDir() + QStringLiteral("CSV"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        f.env.messages.expect(QStringLiteral("社員マスタを"), Msg::Answer::Yes);
        f.env.messages.expect(
            QStringLiteral("CSVファイルを作成できません。\r") + path +
            QStringLiteral("\r保存先の途中にフォルダーでないファイルがあります。"));
        RunEmployeeExport();
        VERIFY_MESSAGES(f.env.messages);
    }

    void mainWindowCommands() {
        ScreenEnvironment env;
        TWS0000 mw(env.appDir());
        const QString refusal =
            QStringLiteral("企業の選択がされていません。企業を選択してください。");
        for (const char* name : {"mnImport", "mnExport"}) {
            QVERIFY(mw.action(QString::fromLatin1(name))->isEnabled());
            env.messages.expect(refusal);
            mw.action(QString::fromLatin1(name))->trigger();
        }
        VERIFY_MESSAGES(env.messages);

        env.openCompany(1, 2023);
        QTimer::singleShot(0, [] {
            QWidget* w = QApplication::activeModalWidget();
            QVERIFY(w);
            QCOMPARE(w->windowTitle(), QStringLiteral("社員マスタの取込"));
            w->findChild<QPushButton*>(QStringLiteral("BTN_Close"))->click();
        });
        mw.action(QStringLiteral("mnImport"))->trigger();
        // The import screen is made for each use and gone afterwards.
        QVERIFY(!mw.findChild<TfrmImportWorker*>());
        env.messages.expect(QStringLiteral("社員マスタを"), Msg::Answer::Yes);
        env.messages.expect(QStringLiteral("CSVデレクトリに社員マスタが出力されました。"));
        mw.action(QStringLiteral("mnExport"))->trigger();
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestImportWorker)
#include "test_import_worker.moc"
