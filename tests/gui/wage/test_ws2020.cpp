// The range analysis screen as a user works it: opening on the sample company, both pages,
// sorting by a heading, printing into the preview, Excel保存 with scripted dialogs, and the
// years it refuses (no wage table, no salary scale) or shows empty (no employees); the main
// window's command.

#include "app/WS0000_MainWindow.h"
#include "core/report/ReportDocument.h"
#include "gui/report/PrintPreview_ReportPreview.h"
#include "gui/report/ReportView.h"
#include "gui/wage/WS2020_RangeAnalysis.h"
#include "support/core/XlsxReader.h"
#include "support/gui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

const QString NoWageTable = QStringLiteral("賃金表　が作成されていません。");
const QString NoScale = QStringLiteral("サラリースケールが登録されていません。");

struct Screen {
    ScreenEnvironment env;
    std::unique_ptr<TWS2020> dlg;

    Screen() {
        env.openDatabases();
        if (!env.openCompany(1, 2023))
            qFatal("no sample company");
        dlg = std::make_unique<TWS2020>();
    }
    bool open() {
        if (!dlg->prepare())
            return false;
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        return QTest::qWaitForWindowActive(dlg.get());
    }
    QTableWidget* grid(const char* name) const {
        return Control<QTableWidget>(*dlg, QString::fromLatin1(name));
    }
    QStringList column(const char* name, int col) const {
        QStringList texts;
        QTableWidget* g = grid(name);
        for (int r = 0; r < g->rowCount(); ++r)
            texts << g->item(r, col)->text();
        return texts;
    }
    void clickTab(int index) {
        QTabBar* bar = Control<QTabWidget>(*dlg, QStringLiteral("PageControl1"))->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void clickHeading(const char* name, int col) {
        QHeaderView* h = grid(name)->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(col) + h->sectionSize(col) / 2, 5));
    }
};

// Runs `command`; when the preview opens modally, takes its document and presses 閉じる.
std::optional<ReportDocument> whilePreviewing(const std::function<void()>& command) {
    std::optional<ReportDocument> shown;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* p = qobject_cast<TfrmPrintPreview*>(QApplication::activeModalWidget());
        if (!p || Control<TReportView>(*p, QStringLiteral("PView"))->pageCount() < 0)
            return;
        poll.stop();
        shown = *Control<TReportView>(*p, QStringLiteral("PView"))->document();
        Control<QPushButton>(*p, QStringLiteral("cmdClose"))->click();
    });
    poll.start();
    command();
    return shown;
}

QStringList textsOf(const ReportDocument& doc) {
    QStringList texts;
    for (const ReportPage& page : doc.pages)
        for (const ReportText& t : page.texts)
            texts << t.text;
    return texts;
}

} // namespace

class TestWS2020 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pagesAndSorting() {
        Screen s;
        QVERIFY(s.open());
        QCOMPARE(s.grid("grdGrade")->rowCount(), 7); // six grades and 合計
        QCOMPARE(s.grid("grdGrade")->item(1, 2)->text(), QStringLiteral("121,500"));
        QCOMPARE(s.grid("grdGrade")->item(6, 7)->text(), QStringLiteral("60"));
        QVERIFY(Control<QLabel>(*s.dlg, QStringLiteral("lblDefinition"))
                    ->text()
                    .contains(QStringLiteral("スプレッド＝上限額÷下限額")));

        s.clickTab(1);
        QCOMPARE(Control<QTabWidget>(*s.dlg, QStringLiteral("PageControl1"))->currentIndex(), 1);
        QCOMPARE(s.grid("grdEmployee")->rowCount(), 60);
        QCOMPARE(s.column("grdEmployee", 0).first(), QStringLiteral("A0001"));

        // The compa-ratio sorts as a number ("99.x%" after "100.x%" as texts would not).
        s.clickHeading("grdEmployee", 8);
        const QStringList ratios = s.column("grdEmployee", 8);
        const auto value = [](const QString& t) { return t.chopped(1).toDouble(); };
        for (int i = 1; i < ratios.size(); ++i)
            QVERIFY2(value(ratios[i - 1]) <= value(ratios[i]), qPrintable(ratios[i]));
        // Pay sorts by amount, grouped texts notwithstanding.
        s.clickHeading("grdEmployee", 4);
        const QStringList pays = s.column("grdEmployee", 4);
        QCOMPARE(pays.first(), QStringLiteral("101,900"));
        QCOMPARE(pays.last(), QStringLiteral("296,000"));
        QCOMPARE(s.grid("grdApart")->rowCount(), 0);
        VERIFY_MESSAGES(s.env.messages);
    }

    void printsIntoThePreview() {
        Screen s;
        s.env.exec(TDM::ACN2, QStringLiteral("UPDATE MSYAIN1 SET JISEKI = 0 WHERE KCO = 1 AND "
                                             "SCOT = 'A0060'"));
        QVERIFY(s.open());
        const std::optional<ReportDocument> doc = whilePreviewing(
            [&] { Control<QPushButton>(*s.dlg, QStringLiteral("btnPrint"))->click(); });
        QVERIFY(doc);
        QVERIFY(doc->pages.size() >= 3); // grades, then 59 employees over pages, then apart
        const QStringList texts = textsOf(*doc);
        QVERIFY(texts.contains(
            QStringLiteral("スプレッド＝上限額÷下限額（小数２桁）、レンジ＝上限額－下限額。")));
        QVERIFY(texts.contains(QStringLiteral("A0059")));
        QVERIFY(texts.contains(QStringLiteral("賃金表とのリンクなし")));
        QCOMPARE(texts.count(QStringLiteral("コンパレシオ")), doc->pages.size() - 1);
        for (const QString& family : doc->fonts)
            QVERIFY(family.startsWith(QStringLiteral("IPA")));
        VERIFY_MESSAGES(s.env.messages);
    }

    void savesTheWorkbook() {
        Screen s;
        QVERIFY(s.open());
        const QString path = s.env.appDir() + QStringLiteral("レンジ");
        s.env.dialogs.saveAnswers = {path};
        Control<QPushButton>(*s.dlg, QStringLiteral("btnExcel"))->click();
        XlsxReader book;
        QVERIFY2(book.open(path + QStringLiteral(".xlsx")), qPrintable(book.error()));
        QCOMPARE(book.sheet(1)->number(QStringLiteral("E3")), 264700.0);

        // Cancelled: nothing asked further, nothing written.
        s.env.dialogs.saveAnswers.clear();
        Control<QPushButton>(*s.dlg, QStringLiteral("btnExcel"))->click();
        // A folder that is not there: the failure is shown.
        s.env.dialogs.saveAnswers = {s.env.appDir() + QStringLiteral("none/r.xlsx")};
        s.env.messages.expect(QString());
        Control<QPushButton>(*s.dlg, QStringLiteral("btnExcel"))->click();
        VERIFY_MESSAGES(s.env.messages);
    }

    void yearsItRefusesOrShowsEmpty() {
        {
            Screen s;
            s.env.exec(TDM::ACN2, QStringLiteral("UPDATE MCHINGIN SET SKCO = 4 WHERE KCO = 1"));
            s.env.messages.expect(NoScale);
            QVERIFY(!s.dlg->prepare());
            s.env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MCHINGIN WHERE KCO = 1"));
            s.env.messages.expect(NoWageTable);
            QVERIFY(!s.dlg->prepare());
            VERIFY_MESSAGES(s.env.messages);
        }
        Screen s;
        s.env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MSYAIN2 WHERE KCO = 1"));
        s.env.exec(TDM::ACN2, QStringLiteral("DELETE FROM MSYAIN1 WHERE KCO = 1"));
        QVERIFY(s.open());
        QCOMPARE(s.grid("grdEmployee")->rowCount(), 0);
        QCOMPARE(s.grid("grdGrade")->item(6, 7)->text(), QStringLiteral("0"));
        const std::optional<ReportDocument> doc = whilePreviewing(
            [&] { Control<QPushButton>(*s.dlg, QStringLiteral("btnPrint"))->click(); });
        QVERIFY(doc);
        QVERIFY(textsOf(*doc).contains(QStringLiteral("該当する社員はいません。")));
        VERIFY_MESSAGES(s.env.messages);
    }

    void mainWindowCommand() {
        ScreenEnvironment env;
        env.openDatabases();
        TWS0000 mw(env.appDir());
        QVERIFY(mw.action(QStringLiteral("mnRangeAnalysis"))->isEnabled());
        env.messages.expect(QStringLiteral("企業の選択がされていません。企業を選択してください。"));
        mw.action(QStringLiteral("mnRangeAnalysis"))->trigger();
        VERIFY_MESSAGES(env.messages);

        env.openCompany(1, 2023);
        int rows = -1;
        QTimer::singleShot(0, [&rows] {
            auto* w = qobject_cast<TWS2020*>(QApplication::activeModalWidget());
            QVERIFY(w);
            rows = Control<QTableWidget>(*w, QStringLiteral("grdEmployee"))->rowCount();
            Control<QPushButton>(*w, QStringLiteral("btnClose"))->click();
        });
        mw.action(QStringLiteral("mnRangeAnalysis"))->trigger();
        QCOMPARE(rows, 60);
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestWS2020)
#include "test_ws2020.moc"
