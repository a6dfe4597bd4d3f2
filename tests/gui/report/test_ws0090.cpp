// The group report screen as a user works it: the range boxes and their messages, printing
// both reports into the preview, nothing to print, a broken layout, and the main window's
// commands.

#include "app/WS0000_MainWindow.h"
#include "core/common/AppState.h"
#include "core/report/ReportDocument.h"
#include "gui/report/PrintPreview_ReportPreview.h"
#include "gui/report/ReportView.h"
#include "gui/report/WS0090_GroupReport.h"
#include "support/core/XlsxReader.h"
#include "support/gui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

const QString OutOfRange = QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。");
const QString NotANumber = QStringLiteral("数値を入力してください。");
const QString NoMaster = QStringLiteral("マスターにデータが存在しません。");

void placeLayouts(const TestEnvironment& env) {
    const QString from =
        QFINDTESTDATA(QStringLiteral("../../../resources/report/PrintSalaryList.jfm"))
            .section(QLatin1Char('/'), 0, -2);
    const QStringList files = QDir(from).entryList({QStringLiteral("*.jfm")}, QDir::Files);
    if (files.size() < 4) // the four these reports use, and any others
        qFatal("the shipped layouts are not at %s", qPrintable(from));
    for (const QString& f : files)
        QFile::copy(from + QLatin1Char('/') + f, env.appDir() + QStringLiteral("Report/") + f);
}

// Waits, handling events, until the condition holds; false after the timeout.
bool waitFor(const std::function<bool()>& condition, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// What the preview showed before the test closed it.
struct Shown {
    bool opened = false;
    QString title;
    QString pageLabel;
    int pages = -1;
    QString file;
    bool fileExisted = false;
    ReportDocument doc;
};

// Runs `command`; when the preview opens modally, records what it shows and presses 閉じる.
Shown whilePreviewing(const std::function<void()>& command) {
    Shown shown;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* p = qobject_cast<TfrmPrintPreview*>(QApplication::activeModalWidget());
        if (!p || Control<TReportView>(*p, QStringLiteral("PView"))->pageCount() < 0)
            return;
        poll.stop();
        shown.opened = true;
        shown.title = p->windowTitle();
        shown.pageLabel = Control<QLabel>(*p, QStringLiteral("labPage"))->text();
        shown.pages = Control<TReportView>(*p, QStringLiteral("PView"))->pageCount();
        shown.doc = *Control<TReportView>(*p, QStringLiteral("PView"))->document();
        shown.file = p->previewFile();
        shown.fileExisted = QFile::exists(shown.file);
        Control<QPushButton>(*p, QStringLiteral("cmdClose"))->click();
    });
    poll.start();
    command();
    return shown;
}

QStringList textsOf(const ReportDocument& doc, int page) {
    QStringList texts;
    for (const ReportText& t : doc.pages[page].texts)
        texts << t.text;
    return texts;
}

struct Screen {
    ScreenEnvironment env;
    std::unique_ptr<TWS0090> dlg;

    explicit Screen(int kind = 2) {
        env.openDatabases();
        if (!env.openCompany(1, 2023))
            qFatal("no sample company");
        placeLayouts(env);
        dlg = std::make_unique<TWS0090>();
        dlg->prepare(kind);
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        if (!QTest::qWaitForWindowActive(dlg.get()))
            qFatal("the screen did not become active");
    }
    QComboBox* box(const QString& name) const { return dlg->findChild<QComboBox*>(name); }
    QString text(const QString& name) const {
        if (QComboBox* c = box(name))
            return c->currentText();
        return dlg->findChild<QLineEdit*>(name)->text();
    }
    void type(const QString& name, const QString& text) {
        QComboBox* c = box(name);
        c->setFocus();
        c->lineEdit()->selectAll();
        if (text.isEmpty())
            QTest::keyClick(c, Qt::Key_Delete);
        else if (text.toLatin1() == text.toUtf8())
            QTest::keyClicks(c, text);
        else
            c->lineEdit()->insert(text); // as an input method commits Japanese text
    }
    void enter(const QString& name, const QString& text) {
        type(name, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    void choose(const QString& name, int index) {
        QComboBox* c = box(name);
        c->setFocus();
        c->setCurrentIndex(index);
        QTest::keyClick(c, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    QString focused() const {
        QWidget* w = QApplication::focusWidget();
        while (w && w->objectName().isEmpty())
            w = w->parentWidget();
        return w ? w->objectName() : QString();
    }
    Shown print() {
        const Shown shown = whilePreviewing([this] {
            QTest::mouseClick(Control<QPushButton>(*dlg, QStringLiteral("btnPrint")),
                              Qt::LeftButton);
        });
        // Back on the screen, as the window manager gives it the focus again.
        QApplication::setActiveWindow(dlg.get());
        if (!QTest::qWaitForWindowActive(dlg.get()))
            qWarning("the screen did not become active again");
        return shown;
    }
};

} // namespace

class TestWS0090 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opens() {
        Screen s(1);
        QCOMPARE(s.dlg->windowTitle(), QStringLiteral("グループ別社員昇給レポート"));
        QCOMPARE(s.dlg->reportKind(), 1);
        QCOMPARE(s.box(QStringLiteral("cmbMarkSTart"))->count(), 6);
        QCOMPARE(s.box(QStringLiteral("cmbMarkSTart"))->itemText(0),
                 QStringLiteral("1 : ■  男子営業"));
        QCOMPARE(s.box(QStringLiteral("cmbTokyuEnd"))->itemText(2), QStringLiteral("3 : 主任"));
        QCOMPARE(s.box(QStringLiteral("cmbTokyuEnd"))->count(), 9);
        QVERIFY(s.text(QStringLiteral("cmbTokyuEnd")).isEmpty());
        s.dlg->prepare(2);
        QCOMPARE(s.dlg->windowTitle(), QStringLiteral("グループ別社員賃金レポート"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void gradeBoxes() {
        Screen s;
        for (const QString& typed :
             {QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("-1")}) {
            s.env.messages.expect(OutOfRange);
            s.enter(QStringLiteral("cmbTokyuSTart"), typed);
            QCOMPARE(s.focused(), QStringLiteral("cmbTokyuSTart"));
            QCOMPARE(s.dlg->gradeFrom(), 1);
        }
        for (const QString& typed :
             {QStringLiteral("x"), QStringLiteral("1e3"), QStringLiteral("1,2,3")}) {
            s.env.messages.expect(NotANumber);
            s.enter(QStringLiteral("cmbTokyuSTart"), typed);
            QCOMPARE(s.focused(), QStringLiteral("cmbTokyuSTart"));
        }
        // A bare number: the grade's display text, and no name.
        s.enter(QStringLiteral("cmbTokyuSTart"), QStringLiteral("7"));
        QCOMPARE(s.text(QStringLiteral("cmbTokyuSTart")), QStringLiteral("7 : "));
        QVERIFY(s.text(QStringLiteral("txtTokyuStart")).isEmpty());
        QCOMPARE(s.dlg->gradeFrom(), 7);
        // Chosen from the list: the name goes into the name field, also when left again.
        s.choose(QStringLiteral("cmbTokyuEnd"), 4);
        QCOMPARE(s.text(QStringLiteral("txtTokyuEnd")), QStringLiteral("課長"));
        QCOMPARE(s.dlg->gradeTo(), 5);
        s.enter(QStringLiteral("cmbTokyuEnd"), QStringLiteral("5 : 課長"));
        QCOMPARE(s.dlg->gradeTo(), 5);
        // Emptied: the default range again.
        s.enter(QStringLiteral("cmbTokyuSTart"), QString());
        QCOMPARE(s.dlg->gradeFrom(), 1);
        VERIFY_MESSAGES(s.env.messages);
    }

    void markBoxes() {
        Screen s;
        s.choose(QStringLiteral("cmbMarkSTart"), 1);
        QCOMPARE(s.text(QStringLiteral("cmbMarkSTart")), QStringLiteral("2 : □"));
        QCOMPARE(s.text(QStringLiteral("txtMarkStart")), QStringLiteral("□ : 女子営業"));
        QCOMPARE(s.dlg->markFrom(), 2);
        // Leaving the box again as it now shows keeps the choice.
        s.box(QStringLiteral("cmbMarkSTart"))->setFocus();
        QTest::keyClick(s.box(QStringLiteral("cmbMarkSTart")), Qt::Key_Tab);
        QCOMPARE(s.dlg->markFrom(), 2);
        s.enter(QStringLiteral("cmbMarkEnd"), QStringLiteral("4"));
        QCOMPARE(s.text(QStringLiteral("cmbMarkEnd")), QStringLiteral("4 : ○"));
        QCOMPARE(s.dlg->markTo(), 4);
        s.env.messages.expect(NoMaster);
        s.enter(QStringLiteral("cmbMarkEnd"), QStringLiteral("7"));
        QCOMPARE(s.focused(), QStringLiteral("cmbMarkEnd"));
        QCOMPARE(s.dlg->markTo(), 6);
        QVERIFY(s.text(QStringLiteral("txtMarkEnd")).isEmpty());
        s.env.messages.expect(NoMaster);
        s.enter(QStringLiteral("cmbMarkEnd"), QStringLiteral("3 : 何か"));
        s.env.messages.expect(NotANumber);
        s.enter(QStringLiteral("cmbMarkEnd"), QStringLiteral("x"));
        VERIFY_MESSAGES(s.env.messages);
    }

    // Marks 1–2 and grades 3–5, as the wage report and as the raise report: the preview shows
    // the composed document; 閉じる deletes the work file.
    void printsBothReports() {
        Screen s;
        s.choose(QStringLiteral("cmbMarkSTart"), 0);
        s.choose(QStringLiteral("cmbMarkEnd"), 1);
        s.choose(QStringLiteral("cmbTokyuSTart"), 2);
        s.choose(QStringLiteral("cmbTokyuEnd"), 4);
        const int frstkyu = s.env.project.settings().FRSTKYU;
        const QStringList codes = s.env.rows(
            TDM::ACN2, QStringLiteral("SELECT SCOT FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 "
                                      "AND MCO BETWEEN 1 AND 2 AND TOUKYU BETWEEN 3 AND 5"));
        QVERIFY(!codes.isEmpty());

        Shown wage = s.print();
        QVERIFY(wage.opened);
        QCOMPARE(wage.title, QStringLiteral("印刷プレピュー"));
        QCOMPARE(wage.file, s.env.appDir() + QStringLiteral("Report/wkPrintSyainSalaryList.rdf"));
        QVERIFY(wage.fileExisted);
        QVERIFY(!QFile::exists(wage.file));
        QCOMPARE(wage.pages, 2); // one page for each mark
        QCOMPARE(wage.pageLabel, QStringLiteral("頁 1/2"));
        QVERIFY(textsOf(wage.doc, 0).contains(QStringLiteral("■ : 男子営業 ／ 主任 ～ 課長")));
        QVERIFY(textsOf(wage.doc, 1).contains(QStringLiteral("□ : 女子営業 ／ 主任 ～ 課長")));
        QStringList printed = textsOf(wage.doc, 0) + textsOf(wage.doc, 1);
        for (const QString& code : codes)
            QVERIFY2(printed.contains(code), qPrintable(code));
        QCOMPARE(s.env.project.settings().FRSTKYU, frstkyu);

        s.dlg->prepare(1);
        s.choose(QStringLiteral("cmbMarkEnd"), 1);
        s.choose(QStringLiteral("cmbTokyuSTart"), 2);
        s.choose(QStringLiteral("cmbTokyuEnd"), 4);
        Shown raise = s.print();
        QVERIFY(raise.opened);
        QCOMPARE(raise.file, s.env.appDir() + QStringLiteral("Report/wkPrintSyainUpList.rdf"));
        QVERIFY(!QFile::exists(raise.file));
        QVERIFY(textsOf(raise.doc, 0).contains(QStringLiteral("グループ別社員昇給レポート")));
        printed = textsOf(raise.doc, 0) + textsOf(raise.doc, raise.pages - 1);
        for (const QString& code : codes)
            QVERIFY2(printed.contains(code), qPrintable(code));
        VERIFY_MESSAGES(s.env.messages);
    }

    // A command clicked while the typed grade was never checked: the check runs first.
    void printChecksTheFieldFirst() {
        Screen s;
        s.env.messages.expect(OutOfRange);
        s.type(QStringLiteral("cmbTokyuEnd"), QStringLiteral("10"));
        const Shown shown = s.print();
        QVERIFY(!shown.opened);
        QVERIFY(s.dlg->previewFile().isEmpty());
        QCOMPARE(s.focused(), QStringLiteral("cmbTokyuEnd"));
        VERIFY_MESSAGES(s.env.messages);
    }

    // The preview of a group report saves its workbook: the same employees, with the grade
    // range typed on the screen; a preview of another report cannot.
    void previewSavesTheReportWorkbook() {
        Screen s(1);
        s.choose(QStringLiteral("cmbTokyuSTart"), 2); // 3 : 主任
        s.box(QStringLiteral("cmbTokyuEnd"))->setFocus();
        s.box(QStringLiteral("cmbTokyuEnd"))->setCurrentIndex(4); // 5 : 課長, not left
        const QString path = s.env.appDir() + QStringLiteral("昇給.xlsx");
        s.env.dialogs.saveAnswers << path;
        bool enabled = false;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* p = qobject_cast<TfrmPrintPreview*>(QApplication::activeModalWidget());
            if (!p || Control<TReportView>(*p, QStringLiteral("PView"))->pageCount() < 0)
                return;
            poll.stop();
            auto* save = Control<QPushButton>(*p, QStringLiteral("cmdSaveXlsx"));
            enabled = save->isEnabled();
            save->click();
            Control<QPushButton>(*p, QStringLiteral("cmdClose"))->click();
        });
        poll.start();
        QTest::mouseClick(Control<QPushButton>(*s.dlg, QStringLiteral("btnPrint")), Qt::LeftButton);
        QVERIFY(enabled);
        QCOMPARE(s.env.dialogs.saveCalls, 1);
        XlsxReader r;
        QVERIFY2(r.open(path), qPrintable(r.error()));
        const XlsxSheet* sheet = r.sheet(0);
        QCOMPARE(sheet->name, QStringLiteral("グループ別社員昇給レポート"));
        QVERIFY2(sheet->text(QStringLiteral("A3")).contains(QStringLiteral("主任 ～ 課長")),
                 qPrintable(sheet->text(QStringLiteral("A3"))));
        const QString heads = s.env.scalar(
            TDM::ACN2, QStringLiteral("SELECT COUNT(*) FROM VSYAIN WHERE KCO = 1 AND NENDO = 2023 "
                                      "AND TOUKYU BETWEEN 3 AND 5"));
        bool totalFound = false;
        for (int row = 5; row < 120 && !totalFound; ++row)
            if (sheet->text(QStringLiteral("B%1").arg(row)) == QStringLiteral("合計")) {
                totalFound = true;
                QCOMPARE(QString::number(sheet->number(QStringLiteral("C%1").arg(row))), heads);
            }
        QVERIFY(totalFound);
        VERIFY_MESSAGES(s.env.messages);

        TfrmPrintPreview other;
        QVERIFY(!Control<QPushButton>(other, QStringLiteral("cmdSaveXlsx"))->isEnabled());
    }

    void nothingToPrint() {
        Screen s;
        s.enter(QStringLiteral("cmbTokyuSTart"), QStringLiteral("9"));
        s.env.messages.expect(QStringLiteral("印刷対象データは有りません。"));
        const Shown shown = s.print();
        QVERIFY(!shown.opened);
        QVERIFY(s.dlg->previewFile().isEmpty());
        QVERIFY(QDir(s.env.appDir() + QStringLiteral("Report")).entryList({"*.rdf"}).isEmpty());
        VERIFY_MESSAGES(s.env.messages);
    }

    // Employees no range can include are counted before the preview; the page stays as it
    // was. With nobody left to print, the count comes before "印刷対象データは有りません。".
    void leftOutEmployeesAreNamedBeforeThePreview() {
        Screen s(1);
        s.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET MCO = 0 WHERE KCO = 1 AND "
                                             "NENDO = 2023 AND SCO IN (1, 2)"));
        s.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN2 SET TOUKYU = 12 WHERE KCO = 1 AND "
                                             "NENDO = 2023 AND SCO = 3"));
        s.choose(QStringLiteral("cmbMarkEnd"), 1); // the user's own narrowing counts nobody
        s.env.messages.expect(
            QStringLiteral("対象外の社員が 3名あります（マークなし 2名、等級が範囲外 1名）。"));
        bool previewOpen = true;
        s.env.messages.whenShown([&] {
            previewOpen = qobject_cast<TfrmPrintPreview*>(QApplication::activeModalWidget());
        });
        const Shown shown = s.print();
        QVERIFY(!previewOpen);
        QVERIFY(shown.opened);
        const QStringList printed = textsOf(shown.doc, 0) + textsOf(shown.doc, shown.pages - 1);
        for (const char* code : {"A0001", "A0002", "A0003"})
            QVERIFY2(!printed.contains(QString::fromLatin1(code)), code);
        VERIFY_MESSAGES(s.env.messages);

        s.env.exec(TDM::ACN2,
                   QStringLiteral("UPDATE MSYAIN1 SET MCO = 0 WHERE KCO = 1 AND NENDO = 2023"));
        s.env.messages.expect(
            QStringLiteral("対象外の社員が 60名あります（マークなし 60名、等級が範囲外 0名）。"));
        s.env.messages.expect(QStringLiteral("印刷対象データは有りません。"));
        QVERIFY(!s.print().opened);
        VERIFY_MESSAGES(s.env.messages);
    }

    void brokenLayout() {
        Screen s;
        const QString layout = s.env.appDir() + QStringLiteral("Report/PrintSyainSalaryList.jfm");
        QFile f(layout);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("{\"format\": \"tesvane-layout\", \"version\": 1}");
        f.close();
        s.env.messages.expect(QStringLiteral("帳票レイアウトに誤りがあります。\r") + layout);
        const Shown shown = s.print();
        QVERIFY(!shown.opened);
        QVERIFY(s.dlg->previewFile().isEmpty());
        QVERIFY(QDir(s.env.appDir() + QStringLiteral("Report")).entryList({"*.rdf"}).isEmpty());
        VERIFY_MESSAGES(s.env.messages);
    }

    void mainWindowCommands() {
        ScreenEnvironment env;
        env.openDatabases();
        placeLayouts(env);
        TWS0000 mw(env.appDir());
        for (const char* name : {"mnSaralyReport", "mnSaralyUpReport"})
            QVERIFY(mw.action(QString::fromLatin1(name))->isEnabled());
        QVERIFY(mw.button(QStringLiteral("btn_RepNow"))->isEnabled());
        QVERIFY(mw.button(QStringLiteral("btn_RepUp"))->isEnabled());
        // Without an open company the command is refused.
        env.messages.expect(QString());
        mw.action(QStringLiteral("mnSaralyReport"))->trigger();
        QVERIFY(!mw.findChild<TWS0090*>());
        VERIFY_MESSAGES(env.messages);

        QVERIFY(env.openCompany(1, 2023));
        QString title;
        int kind = 0;
        QTimer::singleShot(0, [&] {
            waitFor([&] {
                auto* w = mw.findChild<TWS0090*>();
                return w && w->isVisible();
            });
            if (auto* w = mw.findChild<TWS0090*>()) {
                title = w->windowTitle();
                kind = w->reportKind();
                Control<QPushButton>(*w, QStringLiteral("btnClose"))->click();
            }
        });
        mw.button(QStringLiteral("btn_RepUp"))->click();
        QCOMPARE(title, QStringLiteral("グループ別社員昇給レポート"));
        QCOMPARE(kind, 1);
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestWS0090)
#include "test_ws0090.moc"
