// The report engine: layouts (the shipped ones and broken ones), composition into recorded
// pages, and the work file that a failure never leaves half-written.

#include "core/report/ReportCatalogue.h"
#include "core/report/ReportEngine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString shippedLayout(const QString& name) {
    return QFINDTESTDATA(QStringLiteral("../../../resources/report/") + name);
}

// A small valid layout; `change` edits its text to break it.
QByteArray smallLayout() {
    return R"({
  "format": "tesvane-layout", "version": 1, "title": "試験",
  "page": {"paper": "A4", "orientation": "portrait"},
  "textFont": "IPAGothic",
  "fonts": {"head": {"family": "IPAPGothic", "size": 10}},
  "fields": [
    {"name": "TITLE", "rect": [1000, 1000, 20000, 1600], "font": "head", "align": "center"},
    {"name": "COL", "detail": true, "rect": [1000, 3000, 5000, 3208]}
  ],
  "texts": [{"rect": [1000, 2500, 5000, 2900], "text": "見出し", "font": "head"}],
  "lines": [{"from": [1000, 2950], "to": [5000, 2950], "width": 20, "style": "dot"}],
  "boxes": [{"rect": [1000, 2500, 5000, 2950], "fill": "#e0e0e0", "width": -1}]
})";
}

struct Files {
    QTemporaryDir dir;
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
};

void prepare(ReportEngine& e, const QString& layout, const QString& work) {
    e.FormName(layout);
    e.CharOverFlow(1);
    e.OutDevice(ReportEngine::WorkFile);
    e.ImageFileName(work);
    e.DocName(QStringLiteral("試験"));
}

} // namespace

class TestReportEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each broken layout is refused with a message naming the file and the fault.
    void brokenLayouts_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("fault");
        QTest::newRow("json") << QByteArray("\"version\": 1,") << QByteArray("\"version\": 1")
                              << QStringLiteral("2 行目: JSON の書式");
        QTest::newRow("format") << QByteArray("tesvane-layout") << QByteArray("other")
                                << QStringLiteral("format が tesvane-layout ではありません");
        QTest::newRow("rect size")
            << QByteArray("[1000, 3000, 5000, 3208]") << QByteArray("[1000, 3000, 5000]")
            << QStringLiteral("fields[1] (COL).rect は [左, 上, 右, 下]");
        QTest::newRow("off paper")
            << QByteArray("[1000, 1000, 20000, 1600]") << QByteArray("[1000, 1000, 22000, 1600]")
            << QStringLiteral("fields[0] (TITLE).rect が用紙からはみ出しています");
        QTest::newRow("font name") << QByteArray("\"font\": \"head\", \"align\": \"center\"")
                                   << QByteArray("\"font\": \"body\", \"align\": \"center\"")
                                   << QStringLiteral("書体 「body」 が fonts にありません");
        QTest::newRow("duplicate")
            << QByteArray("\"name\": \"COL\"") << QByteArray("\"name\": \"title\"")
            << QStringLiteral("同じ名前の項目が二つあります");
    }
    void brokenLayouts() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, fault);
        QByteArray text = smallLayout();
        QVERIFY(text.contains(from));
        text.replace(from, to);
        Files files;
        const QString layout = files.write(QStringLiteral("bad.jfm"), text);
        const QString work = files.dir.filePath(QStringLiteral("wk.rdf"));
        files.write(QStringLiteral("wk.rdf"), "an older document");

        ReportEngine e;
        prepare(e, layout, work);
        QVERIFY(!e.StartDoc());
        QVERIFY2(e.error().startsWith(QStringLiteral("帳票レイアウトに誤りがあります。\r") +
                                      layout + QLatin1Char('\r')),
                 qPrintable(e.error()));
        QVERIFY2(e.error().contains(fault), qPrintable(e.error()));
        // The command ends: later calls do nothing and nothing is written.
        QVERIFY(!e.FieldName(QStringLiteral("COL")));
        e.EndPage();
        QVERIFY(!e.EndDoc());
        QVERIFY(!QFile::exists(work));
    }

    void missingLayout() {
        Files files;
        ReportEngine e;
        const QString layout = files.dir.filePath(QStringLiteral("none.jfm"));
        prepare(e, layout, files.dir.filePath(QStringLiteral("wk.rdf")));
        QVERIFY(!e.StartDoc());
        QCOMPARE(e.error(), QStringLiteral("帳票レイアウトが見つかりません。\r") + layout);
    }

    // Every shipped layout loads and has the fields its print asks for.
    void shippedLayouts() {
        const QStringList common = {QStringLiteral("NENDO"), QStringLiteral("TITLE"),
                                    QStringLiteral("YMD")};
        struct Need {
            const char* file;
            QStringList fields;
        };
        QStringList wageTable =
            common +
            QStringList{QStringLiteral("PAGE"), QStringLiteral("CORPNAME"), QStringLiteral("GOU")};
        QStringList design = common + QStringList{QStringLiteral("CORPNAME")};
        for (int g = 1; g <= 9; ++g)
            wageTable << QStringLiteral("KIN%1").arg(g) << QStringLiteral("KAKU%1").arg(g)
                      << QStringLiteral("TKNAME%1").arg(g);
        for (int d = 1; d <= 5; ++d)
            design << QStringLiteral("NENREI%1").arg(d) << QStringLiteral("KIN%1").arg(d)
                   << QStringLiteral("KAKU%1").arg(d);
        const Need needs[] = {
            {"PrintSyainSalaryList.jfm",
             common + QStringList{"BUSYO", "KIJUNBI", "CKIHON1", "CKIHON2", "CKIHON3", "SYAINCD",
                                  "SIMEI", "NENREI", "KINZOKU", "KIHON1", "KIHON2", "KIHON3",
                                  "KIHONKEI", "SYOTEATE", "SYOTEI", "SYOYO1", "SYOYO2", "NENSYU"}},
            {"PrintSyainUpList.jfm",
             common + QStringList{"BUSYO", "SYAINCD", "SIMEI", "HYOUKA", "TOUKYU", "GOUHOU",
                                  "SYOUGOU", "NKIHON", "UKIHON", "NSYOTEATE", "USYOTEATE",
                                  "NSYOTEI", "SYOTEI", "UPKIN", "UPRITSU"}},
            {"PrintSalaryList.jfm", wageTable},
            {"PrintSekkeiList.jfm", design},
        };
        for (const Need& n : needs) {
            const QString path = shippedLayout(QString::fromLatin1(n.file));
            QVERIFY2(!path.isEmpty(), n.file);
            QString error;
            const std::optional<ReportLayout> layout = LoadReportLayout(path, &error);
            QVERIFY2(layout, qPrintable(error));
            for (const QString& f : n.fields)
                QVERIFY2(layout->field(f), qPrintable(QString::fromLatin1(n.file) + ": " + f));
            // Detail fields of one report stand on one line and do not overlap.
            QVector<UnitRect> details;
            for (const LayoutField& f : layout->fields)
                if (f.detail)
                    details << f.rect;
            std::sort(details.begin(), details.end(),
                      [](const UnitRect& a, const UnitRect& b) { return a.left < b.left; });
            for (int i = 1; i < details.size(); ++i) {
                QCOMPARE(details[i].top, details[0].top);
                QVERIFY2(details[i].left >= details[i - 1].right, n.file);
            }
        }
        // The group reports leave room for their rules: 150 units either side of a column.
        for (const char* file : {"PrintSyainSalaryList.jfm", "PrintSyainUpList.jfm"}) {
            QString error;
            const auto layout = LoadReportLayout(shippedLayout(QString::fromLatin1(file)), &error);
            QVERIFY(layout);
            QVector<UnitRect> details;
            for (const LayoutField& f : layout->fields)
                if (f.detail)
                    details << f.rect;
            std::sort(details.begin(), details.end(),
                      [](const UnitRect& a, const UnitRect& b) { return a.left < b.left; });
            for (int i = 1; i < details.size(); ++i)
                QVERIFY(details[i].left - details[i - 1].right >= 300);
            // 32 lines below the header band fit on the paper.
            QVERIFY(details[0].top - 508 > 0);
            QVERIFY(details[0].top + 32 * 508 <= layout->pageHeight);
        }
    }

    // A page holds the form (boxes, rules, captions, header fields) and what was drawn on it;
    // the work file read back gives the same pages.
    void composesAndWritesWorkFile() {
        Files files;
        const QString layout = files.write(QStringLiteral("small.jfm"), smallLayout());
        const QString work = files.dir.filePath(QStringLiteral("wk.rdf"));
        ReportEngine e;
        prepare(e, layout, work);
        QVERIFY(e.StartDoc());
        e.FontSize(90);
        const auto col = e.FieldName(QStringLiteral("col")); // names are not case-sensitive
        QVERIFY(col);
        QCOMPARE(col->left, 1000);
        QCOMPARE(col->right, 5000);
        QCOMPARE(col->upper, 3000);
        QCOMPARE(col->lower, 3208);
        const QString tricky = QStringLiteral("\"引用\" \\ 改\n行");
        for (int page = 1; page <= 2; ++page) {
            e.SetFormText(QStringLiteral("TITLE"), QStringLiteral("頁%1").arg(page));
            e.DrawTextBox(col->left, col->upper + 150, col->right, col->lower + 150, 1, tricky);
            e.LineStyle(0);
            e.LineWidth(0);
            e.DrawLine(850, 3000, 850, 3508);
            e.PrintForm();
            e.EndPage();
        }
        e.EndPage(); // nothing drawn since: no empty page
        QVERIFY(e.EndDoc());
        QCOMPARE(e.pageCount(), 2);

        QString error;
        const std::optional<ReportDocument> doc = LoadReportDocument(work, &error);
        QVERIFY2(doc, qPrintable(error));
        QCOMPARE(doc->name, QStringLiteral("試験"));
        QCOMPARE(doc->pageWidth, 21000);
        QCOMPARE(doc->pageHeight, 29700);
        QCOMPARE(doc->pages.size(), 2);
        const ReportPage& p = doc->pages[1];
        QCOMPARE(p.boxes.size(), 1);
        QCOMPARE(p.boxes[0].fill, QStringLiteral("#e0e0e0"));
        QCOMPARE(p.lines.size(), 2);
        QCOMPARE(p.lines[0].style, 2); // the layout's dotted rule
        QCOMPARE(p.lines[1].from, QPoint(850, 3000));
        QStringList texts;
        for (const ReportText& t : p.texts)
            texts << t.text;
        QCOMPARE(texts, (QStringList{QStringLiteral("見出し"), QStringLiteral("頁2"), tricky}));
        const ReportText& drawn = p.texts[2];
        QCOMPARE(drawn.box, (UnitRect{1000, 3150, 5000, 3358}));
        QCOMPARE(drawn.size, 90);
        QCOMPARE(drawn.align, TextAlign::Right);
        QVERIFY(drawn.fit);
        QCOMPARE(doc->fonts.value(drawn.font), QStringLiteral("IPAGothic"));
        QCOMPARE(doc->fonts.value(p.texts[1].font), QStringLiteral("IPAPGothic"));
    }

    // An unknown field ends the command; the previous work file is gone and no new one is
    // written, so no preview can show a stale or partial document.
    void failureLeavesNoWorkFile() {
        Files files;
        const QString layout = files.write(QStringLiteral("small.jfm"), smallLayout());
        const QString work = files.write(QStringLiteral("wk.rdf"), "the document of last time");
        ReportEngine e;
        prepare(e, layout, work);
        QVERIFY(e.StartDoc());
        QVERIFY(!QFile::exists(work));
        e.SetFormText(QStringLiteral("TITLE"), QStringLiteral("x"));
        e.SetFormText(QStringLiteral("BUSYO"), QStringLiteral("x"));
        QVERIFY(e.failed());
        QCOMPARE(e.error(), QStringLiteral("帳票レイアウトに項目 BUSYO がありません。\r") + layout);
        e.PrintForm();
        e.EndPage();
        QVERIFY(!e.EndDoc());
        QVERIFY(!QFile::exists(work));
        QCOMPARE(QDir(files.dir.path()).entryList(QDir::Files), QStringList{"small.jfm"});

        // A work file that cannot be written: no file, and the reason names the path.
        ReportEngine w;
        const QString nowhere = files.dir.filePath(QStringLiteral("missing/wk.rdf"));
        prepare(w, layout, nowhere);
        QVERIFY(w.StartDoc());
        w.SetFormText(QStringLiteral("TITLE"), QStringLiteral("x"));
        w.EndPage();
        QVERIFY(!w.EndDoc());
        QVERIFY(w.error().startsWith(QStringLiteral("帳票の作業ファイルを作成できません。\r") +
                                     nowhere));
        QVERIFY(!QFile::exists(nowhere));
    }

    void brokenWorkFile() {
        QString error;
        QVERIFY(!ParseReportDocument("{\"format\":\"tesvane-report\",\"version\":1,"
                                     "\"page\":{\"width\":100,\"height\":100},\"fonts\":[],"
                                     "\"pages\":[{\"texts\":[[0,0,1,1,0,100,0,0,\"x\"]]}]}",
                                     &error));
        QVERIFY2(error.contains(QStringLiteral("書体")), qPrintable(error));
        QVERIFY(!ParseReportDocument("not json", &error));
        QCOMPARE(error, QStringLiteral("帳票の作業ファイルではありません。"));
    }

    void numberTexts() {
        QCOMPARE(ReportFormat::amount(0), QStringLiteral("0"));
        QCOMPARE(ReportFormat::amount(-1234567), QStringLiteral("-1,234,567"));
        QCOMPARE(ReportFormat::amountOrEmpty(0), QString());
        QCOMPARE(ReportFormat::quotientOrEmpty(5, 2), QStringLiteral("3"));
        QCOMPARE(ReportFormat::quotientOrEmpty(-5, 2), QStringLiteral("-3"));
        QCOMPARE(ReportFormat::quotientOrEmpty(1, 3), QString());
        QCOMPARE(ReportFormat::decimal(3526, 100, 1), QStringLiteral("35.3"));
        QCOMPARE(ReportFormat::decimal(-1, 3, 2), QStringLiteral("-0.33"));
        QCOMPARE(ReportFormat::decimal(5, 1, 1), QStringLiteral("5.0"));
        QCOMPARE(ReportFormat::date(QDate(2024, 4, 1)), QStringLiteral("2024年04月01日"));
    }
};

QTEST_GUILESS_MAIN(TestReportEngine)
#include "test_report_engine.moc"
