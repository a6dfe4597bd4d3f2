// The print preview on a composed work file: paging, zoom, reloading on activation, printing
// through the print dialog, saving a PDF, closing; and the wage-table screen's print.

#include "core/common/AppState.h"
#include "core/report/ReportCatalogue.h"
#include "core/report/WageTablePrint.h"
#include "data/report/ReportHeaders.h"
#include "data/wage/WageTableStore.h"
#include "gui/report/PrintPreview_ReportPreview.h"
#include "gui/report/ReportView.h"
#include "gui/wage/WS2010_WageTable.h"
#include "support/gui/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

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

// Pages of a PDF as pdftotext reads them.
QStringList pdfPages(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    p.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

struct Preview {
    ScreenEnvironment env;
    std::unique_ptr<TfrmPrintPreview> w;
    QString work;

    // The sample's wage table (60 steps: two pages) composed into its work file.
    Preview() {
        env.openDatabases();
        if (!env.openCompany(1, 2023))
            qFatal("no sample company");
        placeLayouts(env);
        ReportEngine e;
        PrepareReport(e, ReportId::WageTable, env.appDir());
        if (!ComposeWageTablePrint(e,
                                   WageTablePrintHeaderOf(env.project, QStringLiteral("職能給表")),
                                   LoadStoredWageTable(1, 2023)))
            qFatal("%s", qPrintable(e.error()));
        work = e.ImageFileName();
        w = std::make_unique<TfrmPrintPreview>();
        w->setPreviewFile(work);
    }
    void activate() {
        w->show();
        QApplication::setActiveWindow(w.get());
        if (!QTest::qWaitForWindowActive(w.get()))
            qFatal("the preview did not become active");
    }
};

} // namespace

class TestPrintPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pagesAndZoom() {
        Preview p;
        p.activate();
        QCOMPARE(p.w->windowTitle(), QStringLiteral("印刷プレピュー"));
        QCOMPARE(Control<TReportView>(*p.w, QStringLiteral("PView"))->pageCount(), 2);
        QCOMPARE(Control<QLabel>(*p.w, QStringLiteral("labPage"))->text(),
                 QStringLiteral("頁 1/2"));
        QCOMPARE(Control<QLabel>(*p.w, QStringLiteral("labZoom"))->text(),
                 QStringLiteral("拡大率100%"));
        QCOMPARE(Control<QScrollBar>(*p.w, QStringLiteral("cmdPage"))->minimum(), 1);
        QCOMPARE(Control<QScrollBar>(*p.w, QStringLiteral("cmdPage"))->maximum(), 2);

        Control<QScrollBar>(*p.w, QStringLiteral("cmdPage"))->setValue(2);
        QCOMPARE(Control<QLabel>(*p.w, QStringLiteral("labPage"))->text(),
                 QStringLiteral("頁 2/2"));
        QCOMPARE(Control<TReportView>(*p.w, QStringLiteral("PView"))->page(), 2);

        const QWidget* paper = Control<TReportView>(*p.w, QStringLiteral("PView"))->widget();
        const int full = paper->width();
        Control<QSlider>(*p.w, QStringLiteral("cmdZoom"))->setValue(1);
        QCOMPARE(Control<QLabel>(*p.w, QStringLiteral("labZoom"))->text(),
                 QStringLiteral("拡大率25%"));
        QCOMPARE(Control<TReportView>(*p.w, QStringLiteral("PView"))->scale(), 25);
        QVERIFY(paper->width() < full / 3);
        Control<QSlider>(*p.w, QStringLiteral("cmdZoom"))->setValue(6);
        QCOMPARE(Control<QLabel>(*p.w, QStringLiteral("labZoom"))->text(),
                 QStringLiteral("拡大率150%"));
        QVERIFY(paper->width() > full * 4 / 3);

        // Coming back from another window shows the document anew from page 1.
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        p.activate();
        QCOMPARE(Control<TReportView>(*p.w, QStringLiteral("PView"))->page(), 1);
        QCOMPARE(Control<QLabel>(*p.w, QStringLiteral("labPage"))->text(),
                 QStringLiteral("頁 1/2"));
        QCOMPARE(Control<QScrollBar>(*p.w, QStringLiteral("cmdPage"))->value(), 1);
        QCOMPARE(Control<QLabel>(*p.w, QStringLiteral("labZoom"))->text(),
                 QStringLiteral("拡大率150%"));
        VERIFY_MESSAGES(p.env.messages);
    }

    // Printing goes through the print dialog; a cancelled dialog says nothing, a failed print
    // says so.
    void printing() {
        Preview p;
        p.activate();
        const QString out = p.env.appDir() + QStringLiteral("printed.pdf");
        p.env.dialogs.printToPdf = out;
        Control<QPushButton>(*p.w, QStringLiteral("cmdPrint"))->click();
        QCOMPARE(p.env.dialogs.printCalls, 1);
        const QStringList pages = pdfPages(out);
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[0].contains(QStringLiteral("職能給表")));
        QVERIFY(pages[1].contains(QStringLiteral("平均")));

        p.env.dialogs.printAnswer = false;
        Control<QPushButton>(*p.w, QStringLiteral("cmdPrint"))->click();
        QCOMPARE(p.env.dialogs.printCalls, 2);

        p.env.dialogs.printAnswer = true;
        p.env.dialogs.printToPdf = p.env.appDir() + QStringLiteral("no/such/folder/x.pdf");
        p.env.messages.expect(QStringLiteral("印刷処理でエラーが発生しました。"));
        Control<QPushButton>(*p.w, QStringLiteral("cmdPrint"))->click();
        VERIFY_MESSAGES(p.env.messages);
    }

    void savingPdf() {
        Preview p;
        p.activate();
        const QString path = p.env.appDir() + QStringLiteral("賃金表");
        p.env.dialogs.saveAnswers = {path};
        Control<QPushButton>(*p.w, QStringLiteral("cmdSavePdf"))->click();
        const QStringList pages = pdfPages(path + QStringLiteral(".pdf"));
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[0].contains(QStringLiteral("サンプル企業")));

        Control<QPushButton>(*p.w, QStringLiteral("cmdSavePdf"))
            ->click(); // cancelled: nothing happens
        QCOMPARE(p.env.dialogs.saveCalls, 2);

        const QString nowhere = p.env.appDir() + QStringLiteral("no/such/folder/x.pdf");
        p.env.dialogs.saveAnswers = {nowhere};
        p.env.messages.expect(QStringLiteral("PDFファイルを作成できません。\r") + nowhere);
        Control<QPushButton>(*p.w, QStringLiteral("cmdSavePdf"))->click();
        QVERIFY(!QFile::exists(nowhere));
        VERIFY_MESSAGES(p.env.messages);
    }

    // 閉じる deletes the work file; the window's close box leaves it.
    void closing() {
        Preview p;
        p.activate();
        p.w->close();
        QVERIFY(QFile::exists(p.work));
        p.activate();
        Control<QPushButton>(*p.w, QStringLiteral("cmdClose"))->click();
        QVERIFY(!p.w->isVisible());
        QVERIFY(!QFile::exists(p.work));
        p.w->FormActivate(); // an activation arriving after 閉じる does not miss the file

        QVERIFY(!Control<TReportView>(*p.w, QStringLiteral("PView"))->document());
        VERIFY_MESSAGES(p.env.messages);
    }

    // A missing work file is reported and the window closes without showing anything.
    void missingFile() {
        Preview p;
        QFile::remove(p.work);
        p.env.messages.expect(p.work + QStringLiteral("が見つかりません"));
        p.w->show();
        QApplication::setActiveWindow(p.w.get());
        QTRY_VERIFY(!p.w->isVisible());
        QCOMPARE(Control<TReportView>(*p.w, QStringLiteral("PView"))->pageCount(), -1);
        VERIFY_MESSAGES(p.env.messages);
    }

    // The wage-table screen prints the stored table: a change not saved is asked about first.
    void wageTableScreen() {
        ScreenEnvironment env;
        env.openDatabases();
        QVERIFY(env.openCompany(1, 2023));
        placeLayouts(env);
        TWS2010 dlg;
        dlg.prepare();
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QVERIFY(Control<QPushButton>(dlg, QStringLiteral("btnSalaryList"))->isEnabled());

        int pages = -1;
        bool workFileThere = false;
        QString shownFile;
        auto closePreview = [&] {
            QTimer* poll = new QTimer(&dlg);
            QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
                auto* w = qobject_cast<TfrmPrintPreview*>(QApplication::activeModalWidget());
                if (!w || Control<TReportView>(*w, QStringLiteral("PView"))->pageCount() < 0)
                    return;
                poll->deleteLater();
                pages = Control<TReportView>(*w, QStringLiteral("PView"))->pageCount();
                shownFile = w->previewFile();
                workFileThere = QFile::exists(shownFile);
                Control<QPushButton>(*w, QStringLiteral("cmdClose"))->click();
            });
            poll->start(20);
        };
        closePreview();
        Control<QPushButton>(dlg, QStringLiteral("btnSalaryList"))->click();
        QCOMPARE(pages, 2);
        QVERIFY(workFileThere);
        QCOMPARE(shownFile, env.appDir() + QStringLiteral("Report/wkPrintSalaryList.rdf"));
        QVERIFY(!QFile::exists(shownFile));

        // An edited title: Yes returns to the screen without printing.
        Control<QLineEdit>(dlg, QStringLiteral("txtTitle"))->setFocus();
        QTest::keyClicks(Control<QLineEdit>(dlg, QStringLiteral("txtTitle")), QStringLiteral("x"));
        env.messages.expect(QStringLiteral("ﾃﾞｰﾀが変更されています。"), Msg::Answer::Yes);
        pages = -1;
        Control<QPushButton>(dlg, QStringLiteral("btnSalaryList"))->click();
        QCOMPARE(pages, -1);
        VERIFY_MESSAGES(env.messages);
    }
};

QTEST_MAIN(TestPrintPreview)
#include "test_print_preview.moc"
