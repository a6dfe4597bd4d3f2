// The raise-curve design screen as a user drives it: points typed and registered per axis
// pair, the plot with the design curves and an imported curve, the CSV file and the print.

#include "../plot/PlotFixture.h"

#include "core/masters/Cp932.h"
#include "core/plot/ChartSceneBuilder.h"
#include "data/db/RecordGuard.h"
#include "data/design/DesignStore.h"
#include "gui/design/WS1050_RaiseCurveDesign.h"
#include "gui/report/PrintPreview_ReportPreview.h"
#include "gui/report/ReportView.h"
#include "support/core/XlsxReader.h"

#include <QFile>
#include <QTimer>

namespace {

struct DesignFixture : PlotFixture {
    TWS1050 design{&plot, nullptr};

    void open() {
        design.PrepareDesignScreen();
        design.show();
        QApplication::setActiveWindow(&design);
    }
    // Types into a field; leaving it with Tab unless told not to.
    void typeIn(const QString& name, const QString& text, bool leave = true) {
        auto* box = get<QLineEdit>(&design, name);
        box->setFocus();
        box->selectAll();
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 128;
        if (ascii)
            QTest::keyClicks(box, text);
        else
            compose(box, text); // Japanese text arrives through the input method
        if (leave)
            QTest::keyClick(box, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    void point(int d, int p, const QString& x, const QString& amount, bool leave = true) {
        typeIn(QStringLiteral("txtNenrei%1%2").arg(d).arg(p), x);
        typeIn(QStringLiteral("txtSyokunou%1%2").arg(d).arg(p), amount, leave);
    }
    QString field(const QString& name) { return get<QLineEdit>(&design, name)->text(); }
    QStringList designRows() {
        return rows(QStringLiteral("SELECT SDCO, X, Y, FCHKS, FREN, SNENREI1, SKIN1, SNENREI2, "
                                   "SKIN2, SNENREI3, SKIN3, KAISETSU FROM DSPDRAW WHERE KCO = 1 "
                                   "AND NENDO = 2023 ORDER BY X, Y, SDCO"));
    }
};

QString previewOf(const std::function<void()>& command, ReportDocument* doc) {
    QString file;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* p = qobject_cast<TfrmPrintPreview*>(QApplication::activeModalWidget());
        if (!p || Control<TReportView>(*p, QStringLiteral("PView"))->pageCount() < 0)
            return;
        poll.stop();
        *doc = *Control<TReportView>(*p, QStringLiteral("PView"))->document();
        file = p->previewFile();
        Control<QPushButton>(*p, QStringLiteral("cmdClose"))->click();
    });
    poll.start();
    command();
    return file;
}

} // namespace

class TestWS1050 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstOpeningCreatesTheChartShowingPoints() {
        DesignFixture f;
        f.open();
        QCOMPARE(f.rows(QStringLiteral("SELECT KNO, CGRAPH, FX, FY, MARKR FROM MCHART WHERE CHCO "
                                       "= 1050 AND KCO = 1 AND NENDO = 2023 ORDER BY KNO")),
                 (QStringList{"1|1|0|0|0", "2|1|0|0|0", "3|1|0|0|0", "4|1|0|0|0", "5|1|0|0|0",
                              "6|1|0|0|0"}));
        QVERIFY(f.get<QRadioButton>(&f.design, QStringLiteral("optPlotTrue"))->isChecked());
        QCOMPARE(f.get<QLabel>(&f.design, QStringLiteral("labSyokunou2"))->text(),
                 QStringLiteral("職能給２"));
        QVERIFY(!f.design.isWindowModified());
    }

    void registerPerAxisPair() {
        DesignFixture f;
        f.open();
        f.typeIn(QStringLiteral("txtTitle"), QStringLiteral("O'Neil案"));
        f.compose(f.get<QWidget>(&f.design, QStringLiteral("txtBikou")),
                  QStringLiteral("社長's 案"));
        f.point(1, 1, QStringLiteral("20"), QStringLiteral("180000"));
        f.point(1, 2, QStringLiteral("30"), QStringLiteral("1e3"));
        QCOMPARE(f.field(QStringLiteral("txtSyokunou12")), QStringLiteral("1,000"));
        f.env.messages.expect(QStringLiteral("数値を入力してください。"));
        f.typeIn(QStringLiteral("txtNenrei13"), QStringLiteral("abc"));
        VERIFY_MESSAGES(f.env.messages);
        f.typeIn(QStringLiteral("txtNenrei13"), QStringLiteral("40"));
        // 登録 pressed while the last amount is still being typed takes it.
        f.typeIn(QStringLiteral("txtSyokunou13"), QStringLiteral("260,000"), false);
        f.click(&f.design, QStringLiteral("chk1"));
        f.click(&f.design, QStringLiteral("btnAdd"));
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(!f.design.isWindowModified());
        QCOMPARE(f.designRows(),
                 QStringList{QStringLiteral("1|0|0|1|1|20|180000|30|1000|40|260000|社長's 案")});
        QCOMPARE(f.rows(QStringLiteral("SELECT DISTINCT TITLE FROM MCHART WHERE CHCO = 1050")),
                 QStringList{QStringLiteral("O'Neil案")});

        // Another X item shows its own (empty) designs; what is registered there stays there.
        f.click(&f.design, QStringLiteral("optXKinzoku"));
        QCOMPARE(f.field(QStringLiteral("txtNenrei11")), QStringLiteral("0"));
        QCOMPARE(f.get<QLabel>(&f.design, QStringLiteral("labNenrei1"))->text(),
                 QStringLiteral("勤続１"));
        f.point(2, 1, QStringLiteral("5"), QStringLiteral("200000"));
        // Leaving the pair with unregistered points asks first; はい stays.
        f.env.messages.expect(QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r"
                                             "【いいえ】:変更を取り消します。"),
                              Msg::Answer::Yes, QStringLiteral("確認"));
        f.click(&f.design, QStringLiteral("optXNenrei"));
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(f.get<QRadioButton>(&f.design, QStringLiteral("optXKinzoku"))->isChecked());
        QCOMPARE(f.field(QStringLiteral("txtNenrei21")), QStringLiteral("5"));
        f.click(&f.design, QStringLiteral("btnAdd"));
        f.click(&f.design, QStringLiteral("optXNenrei"));
        QCOMPARE(f.field(QStringLiteral("txtSyokunou13")), QStringLiteral("260,000"));
        QVERIFY(f.get<QCheckBox>(&f.design, QStringLiteral("chk1"))->isChecked());
        QCOMPARE(f.designRows().size(), 2);

        // All points of design 1 set to 0: its row goes on the next 登録.
        for (int p = 1; p <= 3; ++p)
            f.point(1, p, QStringLiteral("0"), QStringLiteral("0"));
        f.click(&f.design, QStringLiteral("btnAdd"));
        QCOMPARE(f.designRows(), QStringList{QStringLiteral("2|1|0|0|0|5|200000|0|0|0|0|")});
    }

    // The five designs are saved together: when one statement fails, none lands.
    void aFailedSaveWritesNothing() {
        DesignFixture f;
        f.open();
        f.point(1, 1, QStringLiteral("20"), QStringLiteral("180000"));
        f.point(2, 1, QStringLiteral("22"), QStringLiteral("190000"));
        f.env.exec(TDM::ACN2, QStringLiteral("CREATE TRIGGER no2 BEFORE INSERT ON DSPDRAW WHEN "
                                             "NEW.SDCO = 2 BEGIN SELECT RAISE(ABORT, 'refused'); "
                                             "END"));
        f.env.messages.expect(QString());
        f.click(&f.design, QStringLiteral("btnAdd"));
        QCOMPARE(f.designRows(), QStringList());
        QVERIFY(f.design.isWindowModified());
    }

    // Another person registered designs of the pair after the screen loaded them: 登録 is
    // refused, theirs stay, and the screen shows what is stored now in place of the edits.
    void refusedSaveShowsTheOtherPersonsDesigns() {
        DesignFixture f;
        f.open();
        f.env.exec(TDM::ACN2, QStringLiteral("INSERT INTO DSPDRAW (KCO, NENDO, SDCO, X, Y, FCHKS, "
                                             "SNENREI1, SKIN1, KAISETSU) VALUES (1, 2023, 3, 0, "
                                             "0, 1, 25, 210000, '先の案')"));
        f.point(1, 1, QStringLiteral("20"), QStringLiteral("180000"), false);
        f.env.messages.expect(ChangedByOtherText(QStringLiteral("昇給カーブの設計")));
        f.click(&f.design, QStringLiteral("btnAdd"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.designRows(), QStringList{QStringLiteral("3|0|0|1|0|25|210000|0|0|0|0|先の案")});
        QCOMPARE(f.field(QStringLiteral("txtNenrei11")), QStringLiteral("0"));
        QCOMPARE(f.field(QStringLiteral("txtNenrei31")), QStringLiteral("25"));
        QCOMPARE(f.field(QStringLiteral("txtSyokunou31")), QStringLiteral("210,000"));
        QVERIFY(!f.design.isWindowModified());
        f.point(1, 1, QStringLiteral("20"), QStringLiteral("180000"));
        f.click(&f.design, QStringLiteral("btnAdd"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.designRows().size(), 2);
    }

    void plotWithDesignsAndImportedCurve() {
        DesignFixture f;
        f.open();
        f.click(&f.design, QStringLiteral("btnPlotAll"));
        f.click(&f.design, QStringLiteral("btnTokyuAll"));
        f.point(1, 1, QStringLiteral("20"), QStringLiteral("180000"));
        f.point(1, 2, QStringLiteral("70"), QStringLiteral("650000"));
        f.click(&f.design, QStringLiteral("chk1"));
        f.env.messages.expect(QStringLiteral("ﾃﾞｰﾀが変更されています。登録　してください。"));
        f.click(&f.design, QStringLiteral("btnExec"));
        VERIFY_MESSAGES(f.env.messages);
        f.click(&f.design, QStringLiteral("btnAdd"));
        f.click(&f.design, QStringLiteral("btnExec"));
        QVERIFY(f.plot.isVisible());
        QVERIFY(!f.design.isVisible());
        // The design widens the proposed range to age 70 and 65万円.
        QCOMPARE(f.plot.model().request.range.xMax, 75);
        QCOMPARE(f.plot.model().request.range.yMax, 70);
        QStringList texts;
        for (const SceneItem& i : f.plot.currentScene().curves)
            if (const auto* t = std::get_if<SceneText>(&i))
                texts << t->text;
        QVERIFY(texts.contains(QStringLiteral("(1)")));
        // The analysis fits the raise curve to all points: an average in yen for every mark.
        f.plot.mnAnalizeClick();
        auto* result = f.plot.findChild<QWidget*>(QStringLiteral("WS1102"));
        QCOMPARE(f.get<QLabel>(result, QStringLiteral("labTitle6"))->text(),
                 QStringLiteral("昇給カーブ :"));
        QVERIFY(f.get<QLabel>(result, QStringLiteral("Caption6"))
                    ->text()
                    .contains(QStringLiteral("円")));
        result->hide();

        f.plot.resize(1273, 800);
        f.plot.Execute();
        const AxisLayout a = LayoutOf(f.plot.model());
        f.type(QStringLiteral("txtDispNo"), QStringLiteral("3"));
        QTest::mouseClick(&f.plot, Qt::LeftButton, {},
                          QPoint(a.px(qint64(25)), a.py(Currency::fromInt(60))));
        QTest::mouseClick(&f.plot, Qt::LeftButton, {},
                          QPoint(a.px(qint64(45)), a.py(Currency::fromInt(65))));
        f.click(&f.plot, QStringLiteral("btnImport"));
        VERIFY_MESSAGES(f.env.messages);
        // The screen behind the plot shows the imported design.
        QCOMPARE(f.field(QStringLiteral("txtNenrei31")), QStringLiteral("25"));
        QCOMPARE(f.field(QStringLiteral("txtSyokunou32")), QStringLiteral("650,000"));
        QVERIFY(f.get<QCheckBox>(&f.design, QStringLiteral("chk3"))->isChecked());
    }

    void csvFileAndPrint() {
        DesignFixture f;
        f.open();
        f.typeIn(QStringLiteral("txtTitle"), QStringLiteral("標準カーブ"));
        f.point(1, 1, QStringLiteral("20"), QStringLiteral("180000"));
        f.point(1, 2, QStringLiteral("30"), QStringLiteral("230000"));
        f.point(1, 3, QStringLiteral("40"), QStringLiteral("260000"));
        f.point(2, 1, QStringLiteral("22"), QStringLiteral("200000"));
        f.point(2, 2, QStringLiteral("24"), QStringLiteral("210000"));
        const QString path = DesignCsvPath();
        QFile::remove(path);
        const QString ask = QStringLiteral("賃金表を") + QDir::toNativeSeparators(state().AppDir) +
                            QStringLiteral("CSVへ出力します。\r\nよろしいですか？");
        f.env.messages.expect(ask, Msg::Answer::No);
        f.click(&f.design, QStringLiteral("btnFile"));
        QVERIFY(!QFile::exists(path));
        f.env.messages.expect(ask, Msg::Answer::Yes);
        f.env.messages.expect(QStringLiteral("CSVデレクトリに賃金表が出力されました。"));
        f.click(&f.design, QStringLiteral("btnFile"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM DCHINGIN WHERE KCO = 1")), 21 + 3);
        QCOMPARE(f.rows(QStringLiteral("SELECT NO, SNENREI, SKIN, UPKIN, UPRITSU, KAKUSA FROM "
                                       "DCHINGIN WHERE SDCO = 1 AND NO = 1")),
                 QStringList{QStringLiteral("1|20|180000|5000|2.78|100")});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        QString text;
        QVERIFY(Cp932::decode(bytes, text));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines[0], QStringLiteral("標準カーブ"));
        QCOMPARE(lines[3], QStringLiteral("20,180000,100,22,200000,100,0,0,0,0,0,0,0,0,0"));
        QCOMPARE(lines[6], QStringLiteral("23,195000,108,0,0,0,0,0,0,0,0,0,0,0,0"));

        // A title Shift-JIS cannot hold stops the export and leaves the file as it was.
        f.typeIn(QStringLiteral("txtTitle"), QStringLiteral("標準🙂"));
        f.env.messages.expect(ask, Msg::Answer::Yes);
        f.env.messages.expect(QStringLiteral("🙂"));
        f.click(&f.design, QStringLiteral("btnFile"));
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        file.close();

        const QString layout =
            QFINDTESTDATA(QStringLiteral("../../../resources/report/PrintSekkeiList.jfm"));
        QVERIFY(QFile::copy(layout, f.env.appDir() + QStringLiteral("Report/PrintSekkeiList.jfm")));
        ReportDocument doc;
        const QString work =
            previewOf([&] { f.click(&f.design, QStringLiteral("btnSalaryList")); }, &doc);
        VERIFY_MESSAGES(f.env.messages);
        QVERIFY(!work.isEmpty());
        QCOMPARE(doc.pages.size(), 1);
        QStringList printed;
        for (const ReportText& t : doc.pages[0].texts)
            printed << t.text;
        QVERIFY(printed.contains(QStringLiteral("230,000")));
        QVERIFY(printed.contains(QStringLiteral("平均")));
        QVERIFY(printed.contains(QStringLiteral("格差")));
        QVERIFY(printed.contains(QStringLiteral("年齢")));
        // The averages: 220,000 over the 21 rows of design 1 and 4,000 a year.
        QVERIFY(printed.contains(QStringLiteral("4,000")));

        // Nothing to expand: both stop with their messages.
        QApplication::setActiveWindow(&f.design);
        QVERIFY(QTest::qWaitForWindowActive(&f.design));
        for (int d = 1; d <= 2; ++d)
            for (int p = 1; p <= 3; ++p)
                f.point(d, p, QStringLiteral("0"), QStringLiteral("0"));
        f.env.messages.expect(QStringLiteral("印刷対象データは有りません。"));
        f.click(&f.design, QStringLiteral("btnSalaryList"));
        f.env.messages.expect(ask, Msg::Answer::Yes);
        f.env.messages.expect(QStringLiteral("賃金表データは有りません。"));
        f.click(&f.design, QStringLiteral("btnFile"));
        VERIFY_MESSAGES(f.env.messages);
    }

    // "Excel保存" saves the designs on the screen, the last amount typed without leaving its
    // field included, and writes nothing to the database.
    void excelSavesTheDesignsOnScreen() {
        DesignFixture f;
        f.open();
        f.typeIn(QStringLiteral("txtTitle"), QStringLiteral("標準カーブ"));
        f.point(1, 1, QStringLiteral("20"), QStringLiteral("180000"));
        f.point(1, 2, QStringLiteral("30"), QStringLiteral("230000"));
        f.point(1, 3, QStringLiteral("40"), QStringLiteral("260000"), false);
        const QStringList before = f.rows(QStringLiteral("SELECT * FROM DCHINGIN"));
        const QString path = f.env.appDir() + QStringLiteral("設計.xlsx");
        f.env.dialogs.saveAnswers << path;
        f.click(&f.design, QStringLiteral("btnExcel"));
        VERIFY_MESSAGES(f.env.messages);
        XlsxReader r;
        QVERIFY2(r.open(path), qPrintable(r.error()));
        const XlsxSheet* s = r.sheet(QStringLiteral("昇給設計"));
        QVERIFY(s);
        QCOMPARE(s->text(QStringLiteral("A1")), QStringLiteral("標準カーブ"));
        QCOMPARE(s->number(QStringLiteral("A5")), 20.0);
        QCOMPARE(s->number(QStringLiteral("B5")), 180000.0);
        QCOMPARE(s->number(QStringLiteral("B25")), 260000.0);
        // 4,720,000 over the 21 rows (rounded) and (260,000 - 180,000) / 20 a year.
        QCOMPARE(s->text(QStringLiteral("A26")), QStringLiteral("平均"));
        QCOMPARE(s->number(QStringLiteral("B26")), 224762.0);
        QCOMPARE(s->number(QStringLiteral("C26")), 4000.0);
        QCOMPARE(f.rows(QStringLiteral("SELECT * FROM DCHINGIN")), before);

        for (int p = 1; p <= 3; ++p)
            f.point(1, p, QStringLiteral("0"), QStringLiteral("0"));
        f.env.messages.expect(QStringLiteral("賃金表データは有りません。"));
        f.click(&f.design, QStringLiteral("btnExcel"));
        VERIFY_MESSAGES(f.env.messages);
        QCOMPARE(f.env.dialogs.saveCalls, 1);
    }
};

QTEST_MAIN(TestWS1050)
#include "test_ws1050.moc"
