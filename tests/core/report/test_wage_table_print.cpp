// The printed wage table read back from its pages: 32 lines a page, the average line on the
// last line of the last page, averages and increments per grade.

#include "core/report/WageTablePrint.h"

#include <QtTest>

namespace {

struct Printed {
    ReportDocument doc;
    ReportLayout layout;

    QString at(int page, const QString& field, int line) const {
        const LayoutField* f = layout.field(field);
        if (!f)
            qFatal("no field %s", qPrintable(field));
        for (const ReportText& t : doc.pages[page - 1].texts)
            if (t.box.left == f->rect.left && t.box.top == f->rect.top + line * 508 + 100)
                return t.text;
        return {};
    }
    QString header(int page, const QString& field) const {
        const LayoutField* f = layout.field(field);
        for (const ReportText& t : doc.pages[page - 1].texts)
            if (t.box == f->rect)
                return t.text;
        return {};
    }
};

// Steps 1..n; grade 1 rises by 1,000 from 200,000; grade 2 only on step 1; grade 3 empty.
QVector<WageTableRow> table(int steps) {
    QVector<WageTableRow> rows;
    for (int s = 1; s <= steps; ++s) {
        WageTableRow r;
        r.step = s;
        r.amount[1] = 200000 + (s - 1) * 1000;
        r.index[1] = 100 + (s - 1) / 2;
        if (s == 1) {
            r.amount[2] = 250000;
            r.index[2] = 100;
        }
        rows << r;
    }
    return rows;
}

Printed print(const QVector<WageTableRow>& rows) {
    WageTablePrintHeader h;
    h.nendoText = QStringLiteral("2023");
    h.companyName = QStringLiteral("試験企業");
    h.title = QStringLiteral("2023年度 職能給表");
    h.today = QDate(2024, 5, 1);
    h.gradeNames[1] = QStringLiteral("一般職");
    ReportEngine e;
    e.FormName(QFINDTESTDATA(QStringLiteral("../../../resources/report/PrintSalaryList.jfm")));
    e.CharOverFlow(1);
    e.OutDevice(ReportEngine::Memory);
    if (!ComposeWageTablePrint(e, h, rows))
        qFatal("composition failed: %s", qPrintable(e.error()));
    return {e.document(), e.layout()};
}

} // namespace

class TestWageTablePrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pages_data() {
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("pages");
        QTest::newRow("10 steps: one page") << 10 << 1;
        QTest::newRow("31 steps: the average fills the page") << 31 << 1;
        QTest::newRow("32 steps: the average alone on page 2") << 32 << 2;
        QTest::newRow("40 steps") << 40 << 2;
    }
    void pages() {
        QFETCH(int, steps);
        QFETCH(int, pages);
        const Printed p = print(table(steps));
        QCOMPARE(int(p.doc.pages.size()), pages);
        for (int s = 1; s <= steps; ++s)
            QCOMPARE(p.at(1 + (s - 1) / 32, QStringLiteral("GOU"), (s - 1) % 32),
                     QString::number(s));
        QCOMPARE(p.at(pages, QStringLiteral("GOU"), 31), QStringLiteral("平均"));
        if (steps == 32) // nothing else on the last page's lines
            for (int line = 0; line < 31; ++line)
                QVERIFY(p.at(2, QStringLiteral("GOU"), line).isNull());
        for (int page = 1; page <= pages; ++page) {
            QCOMPARE(p.header(page, QStringLiteral("PAGE")), QStringLiteral("　PAGE-%1").arg(page));
            QCOMPARE(p.header(page, QStringLiteral("NENDO")), QStringLiteral("2023 年度"));
            QCOMPARE(p.header(page, QStringLiteral("TITLE")), QStringLiteral("2023年度 職能給表"));
            QCOMPARE(p.header(page, QStringLiteral("YMD")), QStringLiteral("2024年05月01日"));
        }
    }

    void averageLine() {
        const Printed p = print(table(10));
        // Grade 1: 200,000 .. 209,000, average 204,500, increment 1,000 a step.
        QCOMPARE(p.at(1, QStringLiteral("KIN1"), 0), QStringLiteral("200,000"));
        QCOMPARE(p.at(1, QStringLiteral("KAKU1"), 9), QStringLiteral("104"));
        QCOMPARE(p.at(1, QStringLiteral("KIN1"), 31), QStringLiteral("204,500"));
        QCOMPARE(p.at(1, QStringLiteral("KAKU1"), 31), QStringLiteral("1,000"));
        // Grade 2 has one amount: it is its average, and there is no increment.
        QVERIFY(p.at(1, QStringLiteral("KIN2"), 1).isNull()); // 0 prints as nothing
        QCOMPARE(p.at(1, QStringLiteral("KIN2"), 31), QStringLiteral("250,000"));
        QVERIFY(p.at(1, QStringLiteral("KAKU2"), 31).isNull());
        // Grade 3 has none: neither.
        QVERIFY(p.at(1, QStringLiteral("KIN3"), 31).isNull());
        QVERIFY(p.at(1, QStringLiteral("KAKU3"), 31).isNull());
        // Captions of the grades the table or the company names.
        QCOMPARE(p.header(1, QStringLiteral("TKNAME1")), QStringLiteral("1等級　一般職"));
        QCOMPARE(p.header(1, QStringLiteral("TKNAME2")), QStringLiteral("2等級"));
        QVERIFY(p.header(1, QStringLiteral("TKNAME3")).isNull());

        // Averages and increments are rounded half away from zero.
        QVector<WageTableRow> rows = table(3);
        rows[2].amount[1] = 202001;    // 200,000 201,000 202,001: average 201,000.33,
        const Printed q = print(rows); // increment 1,000.5
        QCOMPARE(q.at(1, QStringLiteral("KIN1"), 31), QStringLiteral("201,000"));
        QCOMPARE(q.at(1, QStringLiteral("KAKU1"), 31), QStringLiteral("1,001"));
    }
};

QTEST_GUILESS_MAIN(TestWageTablePrint)
#include "test_wage_table_print.moc"
