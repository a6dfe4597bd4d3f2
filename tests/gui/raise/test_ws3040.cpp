// The 昇給原資 screen as a user drives it: the saved settings and the budget they give, a rate
// typed and registered without leaving its box, refused numbers, closing with unsaved
// settings, the print and the workbook, a company without employees and a year without a
// wage table.
#include "core/common/NumberText.h"
#include "data/db/RecordGuard.h"
#include "gui/raise/WS3040_RaiseBudget.h"
#include "gui/report/PrintPreview_ReportPreview.h"
#include "gui/report/ReportView.h"
#include "support/core/XlsxReader.h"
#include "support/gui/ScriptedDialogs.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

namespace {

const QString OutOfMonths = QStringLiteral("入力範囲外です。0 ～ 24の値を入力して下さい。");
const QString NoData = QStringLiteral("印刷対象データは有りません。");

struct Screen {
    ScreenEnvironment env;
    std::unique_ptr<TWS3040> ws;

    Screen() {
        env.setToday(QDate(2024, 3, 29));
        env.openDatabases();
    }
    void open(int company = 1) {
        QVERIFY(env.openCompany(company, 2023));
        ws = std::make_unique<TWS3040>();
        QVERIFY(ws->prepare());
        ws->show();
        QApplication::setActiveWindow(ws.get());
    }
    QLineEdit* box(const char* name) { return Control<QLineEdit>(*ws, QString::fromLatin1(name)); }
    void type(const char* name, const QString& text, bool leave) {
        QLineEdit* b = box(name);
        b->setFocus();
        b->selectAll();
        QTest::keyClicks(b, text);
        if (leave)
            QTest::keyClick(b, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    void click(const char* name) {
        QTest::mouseClick(Control<QPushButton>(*ws, QString::fromLatin1(name)), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // The total line of the grade table, column by caption.
    QString total(const QString& caption) {
        auto* g = Control<QTableWidget>(*ws, QStringLiteral("grdGrade"));
        for (int c = 0; c < g->columnCount(); ++c)
            if (g->horizontalHeaderItem(c)->text() == caption)
                return g->item(g->rowCount() - 1, c)->text();
        qFatal("no column %s", qPrintable(caption));
    }
    QString saved() {
        return env
            .rows(TDM::ACN2, "SELECT SYOUYOTSUKI, HUTANRITSU FROM MKIGYOU2 WHERE KCO = 1 AND "
                             "NENDO = 2023")
            .join('\n');
    }
};

ReportDocument previewOf(const std::function<void()>& command) {
    ReportDocument doc;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* p = qobject_cast<TfrmPrintPreview*>(QApplication::activeModalWidget());
        if (!p || Control<TReportView>(*p, QStringLiteral("PView"))->pageCount() < 0)
            return;
        poll.stop();
        doc = *Control<TReportView>(*p, QStringLiteral("PView"))->document();
        Control<QPushButton>(*p, QStringLiteral("cmdClose"))->click();
    });
    poll.start();
    command();
    return doc;
}

} // namespace

class TestWS3040 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsTypedRegisteredAndRefused() {
        Screen s;
        s.open();
        QCOMPARE(s.box("txtSyouyo")->text(), QStringLiteral("0"));
        QCOMPARE(s.box("txtHutan")->text(), QStringLiteral("15"));
        QCOMPARE(s.total(QStringLiteral("人数")), QStringLiteral("60"));
        QCOMPARE(s.total(QStringLiteral("昇給額")), QStringLiteral("253,300"));
        QCOMPARE(s.total(QStringLiteral("年間原資")), QStringLiteral("3,495,540"));
        QVERIFY(!s.ws->isWindowModified());

        // A rate typed and registered at once, without leaving the box.
        s.type("txtHutan", QStringLiteral("20"), false);
        QVERIFY(s.ws->isWindowModified());
        s.click("btnAdd");
        QCOMPARE(s.saved(), QStringLiteral("0|20"));
        QCOMPARE(s.total(QStringLiteral("法定福利費等")), QStringLiteral("607,920"));
        QVERIFY(!s.ws->isWindowModified());

        // Numbers out of range or no numbers are refused and the box keeps the focus; a command
        // clicked meanwhile writes nothing.
        s.env.messages.expect(OutOfMonths);
        s.type("txtSyouyo", QStringLiteral("1e3"), true);
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(QApplication::focusWidget(), s.box("txtSyouyo"));
        s.env.messages.expect(OutOfMonths);
        s.type("txtSyouyo", QStringLiteral("-1"), false);
        s.click("btnAdd");
        s.type("txtSyouyo", QStringLiteral("4"), true);
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.saved(), QStringLiteral("0|20"));

        // Bonuses of 4 months of the base pay's raise (188,300 in the sample).
        s.type("txtHutan", QStringLiteral("15.5"), true);
        QCOMPARE(s.total(QStringLiteral("賞与増加額")), QStringLiteral("753,200"));
        // Closing with settings not registered asks first; はい stays.
        s.env.messages.expect(QStringLiteral("ﾃﾞｰﾀが変更されています。"), Msg::Answer::Yes,
                              QStringLiteral("確認"));
        s.click("btnClose");
        QVERIFY(s.ws->isVisible());
        s.click("btnAdd");
        QCOMPARE(s.saved(), QStringLiteral("4|15.5"));
        s.click("btnClose");
        QVERIFY(!s.ws->isVisible());
        VERIFY_MESSAGES(s.env.messages);
    }

    // Another person registered the settings after the screen loaded them: the save is
    // refused, theirs stay, and the screen shows them and the budget they give.
    void refusedSaveShowsTheOtherPersonsSettings() {
        Screen s;
        s.open();
        s.env.exec(TDM::ACN2, "UPDATE MKIGYOU2 SET HUTANRITSU = 20 WHERE KCO = 1 AND NENDO = 2023");
        s.type("txtSyouyo", QStringLiteral("2"), false);
        s.env.messages.expect(ChangedByOtherText(QStringLiteral("昇給原資の設定")));
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.saved(), QStringLiteral("0|20"));
        QCOMPARE(s.box("txtSyouyo")->text(), QStringLiteral("0"));
        QCOMPARE(s.box("txtHutan")->text(), QStringLiteral("20"));
        QCOMPARE(s.total(QStringLiteral("法定福利費等")), QStringLiteral("607,920"));
        QVERIFY(!s.ws->isWindowModified());
        s.type("txtSyouyo", QStringLiteral("2"), false);
        s.click("btnAdd");
        VERIFY_MESSAGES(s.env.messages);
        QCOMPARE(s.saved(), QStringLiteral("2|20"));
    }

    void printsAndSavesTheBudgetShown() {
        Screen s;
        s.open();
        QVERIFY(QFile::copy(
            QFINDTESTDATA(QStringLiteral("../../../resources/report/PrintRaiseBudget.jfm")),
            s.env.appDir() + QStringLiteral("Report/PrintRaiseBudget.jfm")));
        s.type("txtSyouyo", QStringLiteral("2"), false);
        const ReportDocument doc = previewOf([&] { s.click("btnPrint"); });
        QCOMPARE(doc.pages.size(), 1);
        QStringList texts;
        for (const ReportText& t : doc.pages[0].texts)
            texts << t.text;
        QVERIFY(texts.contains(QStringLiteral("昇給原資")));
        QVERIFY(texts.contains(QStringLiteral("賞与 2か月　法定福利費等 15%")));
        QVERIFY(texts.contains(QStringLiteral("【マーク別】")));
        QCOMPARE(texts.count(QStringLiteral("合計")), 2);
        QVERIFY(texts.contains(s.total(QStringLiteral("年間原資"))));

        const QString path = s.env.appDir() + QStringLiteral("CSV/budget");
        s.env.dialogs.saveAnswers = {path};
        s.click("btnExcel");
        XlsxReader book;
        QVERIFY2(book.open(path + QStringLiteral(".xlsx")), qPrintable(book.error()));
        const XlsxSheet* grades = book.sheet(QStringLiteral("等級別"));
        QVERIFY(grades->text(QStringLiteral("A3")).startsWith(QStringLiteral("賞与 2か月")));
        QCOMPARE(AmountText(Currency::fromDouble(grades->number(QStringLiteral("N11")))),
                 s.total(QStringLiteral("年間原資")));
        // Print and workbook take what the box shows; nothing was registered.
        QCOMPARE(s.saved(), QStringLiteral("0|15"));
        // A box whose check never ran (the window not activated again after a refusal box) is
        // still checked before a command.
        s.box("txtHutan")->setText(QStringLiteral("20"));
        s.click("btnAdd");
        QCOMPARE(s.saved(), QStringLiteral("2|20"));
        VERIFY_MESSAGES(s.env.messages);
    }

    void companyWithoutEmployeesOrWageTable() {
        Screen s;
        s.env.exec(TDM::ACN2, "INSERT INTO MKIGYOU2 (KCO, NENDO, KNA) VALUES (2, 2023, '新会社')");
        s.env.exec(TDM::ACN1, "INSERT INTO MKIGYOU1 (KCO, NENDO, KNA) VALUES (2, 2023, '新会社')");
        s.open(2);
        QCOMPARE(s.total(QStringLiteral("人数")), QStringLiteral("0"));
        QCOMPARE(s.total(QStringLiteral("昇給率%")), QString());
        QVERIFY(!Control<QLabel>(*s.ws, QStringLiteral("labNoTable"))->isVisible());
        s.env.messages.expect(NoData);
        s.click("btnPrint");
        s.env.messages.expect(NoData);
        s.click("btnExcel");
        QCOMPARE(s.env.dialogs.saveCalls, 0);
        VERIFY_MESSAGES(s.env.messages);

        // Without this year's table the base pay's raise cannot be split: it is all "other".
        Screen t;
        t.env.exec(TDM::ACN2, "DELETE FROM DCHINGIN2 WHERE KCO = 1 AND NENDO = 2023");
        t.open();
        QVERIFY(Control<QLabel>(*t.ws, QStringLiteral("labNoTable"))->isVisible());
        QCOMPARE(t.total(QStringLiteral("定期昇給")), QStringLiteral("0"));
        QCOMPARE(t.total(QStringLiteral("その他")), t.total(QStringLiteral("昇給額")));
        VERIFY_MESSAGES(t.env.messages);
    }
};

QTEST_MAIN(TestWS3040)
#include "test_ws3040.moc"
