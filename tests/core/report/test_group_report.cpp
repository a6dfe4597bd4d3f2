// The group reports read back from their recorded pages: where each line lands, page breaks
// per group and before a subtotal that does not fit, totals and averages, rules and headers.

#include "core/report/GroupReport.h"
#include "core/report/ReportCatalogue.h"

#include <QtTest>

namespace {

QString layoutPath(GroupReportKind kind) {
    return QFINDTESTDATA(
        kind == GroupReportKind::Raise
            ? QStringLiteral("../../../resources/report/PrintSyainUpList.jfm")
            : QStringLiteral("../../../resources/report/PrintSyainSalaryList.jfm"));
}

GroupReportEmployee employee(int n, int mark, qint64 kkyu1 = 200000) {
    GroupReportEmployee e;
    e.SCOT = QStringLiteral("S%1").arg(n, 4, 10, QLatin1Char('0'));
    e.SNA = QStringLiteral("社員%1").arg(n);
    e.MCO = mark;
    e.TOUKYU = 3;
    e.GOUHOU = 10;
    e.SEIHI = 19890401; // 35 on the base date
    e.NYUHI = 20140401; // 10 years
    e.KKYU[1] = kkyu1;
    e.NKKYU[1] = kkyu1;
    return e;
}

QVector<GroupReportEmployee> group(int first, int count, int mark) {
    QVector<GroupReportEmployee> rows;
    for (int i = 0; i < count; ++i)
        rows << employee(first + i, mark);
    return rows;
}

GroupReportHeader header() {
    GroupReportHeader h;
    h.nendoText = QStringLiteral("2023");
    h.companyName = QStringLiteral("試験企業");
    h.today = QDate(2024, 5, 1);
    h.ageBase = {0, 20240401};
    h.baseItemNames = {QString(), QStringLiteral("年齢給"), QStringLiteral("職能給"),
                       QStringLiteral("基本給")};
    for (int m = 1; m <= 6; ++m)
        h.markNames[size_t(m)] = QStringLiteral("M%1 : 凡例%1").arg(m);
    return h;
}

// A composed report and the layout it was composed from.
struct Report {
    ReportDocument doc;
    ReportLayout layout;

    const LayoutField& field(const QString& name) const {
        const LayoutField* f = layout.field(name);
        if (!f)
            qFatal("no field %s", qPrintable(name));
        return *f;
    }
    int pages() const { return int(doc.pages.size()); }
    // The text written in a column at a line of a page (1-based), or a null string.
    QString at(int page, const QString& column, int line) const {
        const LayoutField& f = field(column);
        for (const ReportText& t : doc.pages[page - 1].texts)
            if (t.box.left == f.rect.left && t.box.top == f.rect.top + line * 508 + 150)
                return t.text;
        return {};
    }
    // The lines of a page (0-based band numbers) whose name column says `name`.
    QList<int> linesNamed(int page, const QString& name) const {
        QList<int> found;
        for (int line = 0; line < 32; ++line)
            if (at(page, QStringLiteral("SIMEI"), line) == name)
                found << line;
        return found;
    }
    QString headerText(int page, const QString& name) const {
        const LayoutField& f = field(name);
        for (const ReportText& t : doc.pages[page - 1].texts)
            if (t.box == f.rect)
                return t.text;
        return {};
    }
    int bandTop(int line) const { return field(QStringLiteral("SYAINCD")).rect.top + line * 508; }
    bool hasLine(int page, QPoint from, QPoint to) const {
        for (const ReportLine& l : doc.pages[page - 1].lines)
            if (l.from == from && l.to == to)
                return true;
        return false;
    }
};

Report compose(GroupReportKind kind, const QVector<GroupReportEmployee>& rows,
               const GroupReportHeader& h = header()) {
    ReportEngine e;
    e.FormName(layoutPath(kind));
    e.CharOverFlow(1);
    e.OutDevice(ReportEngine::Memory);
    if (!ComposeGroupReport(e, kind, h, rows))
        qFatal("composition failed: %s", qPrintable(e.error()));
    return {e.document(), e.layout()};
}

const QString WageSubtotal = QStringLiteral("　　　　小計");
const QString WageAverage = QStringLiteral("　　　　平均");
const QString Total = QStringLiteral("　合計");
const QString TotalAverage = QStringLiteral("　平均");

} // namespace

class TestGroupReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // 32 employees fill lines 0 to 31; the subtotal no longer fits and goes to the next
    // page, whose header still names the group.
    void pageBreaks_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("subtotalPage");
        QTest::addColumn<int>("subtotalLine");
        QTest::addColumn<int>("totalPage");
        QTest::addColumn<int>("totalLine");
        QTest::newRow("29 fit with their subtotal") << 29 << 2 << 1 << 30 << 2 << 1;
        QTest::newRow("30 push the subtotal over") << 30 << 2 << 2 << 1 << 2 << 4;
        QTest::newRow("32 fill the page") << 32 << 2 << 2 << 1 << 2 << 4;
        QTest::newRow("33 run over") << 33 << 2 << 2 << 2 << 2 << 5;
        QTest::newRow("3") << 3 << 1 << 1 << 4 << 1 << 7;
    }
    void pageBreaks() {
        QFETCH(int, count);
        QFETCH(int, pages);
        QFETCH(int, subtotalPage);
        QFETCH(int, subtotalLine);
        QFETCH(int, totalPage);
        QFETCH(int, totalLine);
        const Report r = compose(GroupReportKind::Wage, group(1, count, 2));
        QCOMPARE(r.pages(), pages);
        // Employees in order, 32 to a page.
        for (int i = 0; i < count; ++i)
            QCOMPARE(r.at(1 + i / 32, QStringLiteral("SYAINCD"), i % 32),
                     QStringLiteral("S%1").arg(i + 1, 4, 10, QLatin1Char('0')));
        QCOMPARE(r.linesNamed(subtotalPage, WageSubtotal), QList<int>{subtotalLine});
        QCOMPARE(r.linesNamed(subtotalPage, WageAverage), QList<int>{subtotalLine + 1});
        QCOMPARE(r.linesNamed(totalPage, Total), QList<int>{totalLine});
        QCOMPARE(r.linesNamed(totalPage, TotalAverage), QList<int>{totalLine + 1});
        QCOMPARE(r.at(subtotalPage, QStringLiteral("NENREI"), subtotalLine),
                 QString::number(count));
        for (int p = 1; p <= pages; ++p) {
            QCOMPARE(r.headerText(p, QStringLiteral("BUSYO")), QStringLiteral("M2 : 凡例2"));
            QCOMPARE(r.headerText(p, QStringLiteral("YMD")),
                     QStringLiteral("2024年05月01日　　P. %1").arg(p));
        }
    }

    // Every group starts a page; its header names its own mark; the grand total follows the
    // last group.
    void groupsNeverSharePage() {
        const Report r =
            compose(GroupReportKind::Wage, group(1, 2, 1) + group(3, 3, 2) + group(6, 1, 6));
        QCOMPARE(r.pages(), 3);
        QCOMPARE(r.at(1, QStringLiteral("SYAINCD"), 1), QStringLiteral("S0002"));
        QVERIFY(r.at(1, QStringLiteral("SYAINCD"), 2).isNull());
        QCOMPARE(r.linesNamed(1, WageSubtotal), QList<int>{3});
        QCOMPARE(r.at(2, QStringLiteral("SYAINCD"), 0), QStringLiteral("S0003"));
        QCOMPARE(r.linesNamed(2, WageSubtotal), QList<int>{4});
        QCOMPARE(r.at(3, QStringLiteral("SYAINCD"), 0), QStringLiteral("S0006"));
        QCOMPARE(r.linesNamed(3, Total), QList<int>{5});
        QCOMPARE(r.at(3, QStringLiteral("NENREI"), 5), QStringLiteral("6"));
        QCOMPARE(r.headerText(1, QStringLiteral("BUSYO")), QStringLiteral("M1 : 凡例1"));
        QCOMPARE(r.headerText(2, QStringLiteral("BUSYO")), QStringLiteral("M2 : 凡例2"));
        QCOMPARE(r.headerText(3, QStringLiteral("BUSYO")), QStringLiteral("M6 : 凡例6"));
    }

    // The wage line, the linked base-pay item and the company's saved option.
    void wageLineWithWageTableLink() {
        GroupReportEmployee e = employee(1, 1, 120000);
        e.JISEKI = 2;
        e.KKYU[2] = 150000; // replaced by the wage-table amount
        e.KIN = 180000;
        e.KKYU[3] = 10000;
        e.TEATE = {0, 10000, 5000, 0, 0, 1000};
        e.SYOUYO = 400000;
        e.SYOUYO2 = 450000;
        GroupReportEmployee plain = employee(2, 1, 100000);
        plain.KKYU[2] = 50000;
        plain.KIN = 999999; // not linked: never used
        const Report r = compose(GroupReportKind::Wage, {e, plain});
        const auto at = [&](const char* c, int line) {
            return r.at(1, QString::fromLatin1(c), line);
        };
        QCOMPARE(at("NENREI", 0), QStringLiteral("35"));
        QCOMPARE(at("KINZOKU", 0), QStringLiteral("10"));
        QCOMPARE(at("KIHON1", 0), QStringLiteral("120,000"));
        QCOMPARE(at("KIHON2", 0), QStringLiteral("180,000"));
        QCOMPARE(at("KIHON3", 0), QStringLiteral("10,000"));
        QCOMPARE(at("KIHONKEI", 0), QStringLiteral("310,000"));
        QCOMPARE(at("SYOTEATE", 0), QStringLiteral("16,000"));
        QCOMPARE(at("SYOTEI", 0), QStringLiteral("326,000"));
        QCOMPARE(at("NENSYU", 0), QStringLiteral("4,762,000")); // 326,000 x 12 + bonuses
        QCOMPARE(at("KIHON2", 1), QStringLiteral("50,000"));
        // Subtotal: sums, the derived columns computed from them.
        QCOMPARE(at("KIHON2", 3), QStringLiteral("230,000"));
        QCOMPARE(at("KIHONKEI", 3), QStringLiteral("460,000"));
        QCOMPARE(at("KINZOKU", 3), QString());

        e.NKKYU = {0, 125000, 150000, 10000};
        e.NKIN = 185000;
        const Report raise = compose(GroupReportKind::Raise, {e});
        QCOMPARE(raise.at(1, QStringLiteral("NKIHON"), 0), QStringLiteral("320,000"));
        QCOMPARE(raise.at(1, QStringLiteral("UKIHON"), 0), QStringLiteral("10,000"));
    }

    // Averages: ages to one decimal rounded, amounts truncated to whole yen.
    void averages() {
        QVector<GroupReportEmployee> rows = group(1, 50, 1);
        for (int i = 37; i < 50; ++i)
            rows[i].SEIHI = 19880401; // 13 of 50 are 36: 1,763 / 50 = 35.26
        for (int i = 0; i < 10; ++i)
            rows[i].SYOUYO = 123456;
        rows[0].SYOUYO = 123465; // the first ten add up to 1,234,569
        rows[0].NYUHI = 0;       // no date of joining: 0 years
        QVector<GroupReportEmployee> ten = rows.mid(0, 10);
        for (auto& e : ten)
            e.MCO = 2;
        const Report r = compose(GroupReportKind::Wage, rows.mid(10) + ten);
        // Group 1 holds the forty after the first ten, 27 of them 35 and 13 of them 36.
        const int avg = r.linesNamed(2, WageAverage).value(0, -1);
        QVERIFY(avg > 0);
        QCOMPARE(r.at(2, QStringLiteral("NENREI"), avg), QStringLiteral("35.3")); // 1,413/40
        const int avg2 = r.linesNamed(3, WageAverage).value(0, -1);
        QCOMPARE(r.at(3, QStringLiteral("SYOYO1"), avg2), QStringLiteral("123,456"));
        QCOMPARE(r.at(3, QStringLiteral("KINZOKU"), avg2), QStringLiteral("9.0"));
        const int all = r.linesNamed(3, TotalAverage).value(0, -1);
        QCOMPARE(r.at(3, QStringLiteral("NENREI"), all), QStringLiteral("35.3")); // 1,763/50
    }

    void raiseLines() {
        GroupReportEmployee a = employee(1, 3, 200000);
        a.NKKYU[1] = 205000;
        a.HYOUKA = QStringLiteral("A");
        a.SGOUHOU = 4;
        a.TEATE[1] = 10000;
        a.NTEATE[1] = 10000;
        GroupReportEmployee zero = employee(2, 3, 0); // no pay yet: no rate
        zero.NKKYU[1] = 180000;
        GroupReportEmployee down = employee(3, 3, 300001);
        down.NKKYU[1] = 300000;
        const Report r = compose(GroupReportKind::Raise, {a, zero, down});
        const auto at = [&](const char* c, int line) {
            return r.at(1, QString::fromLatin1(c), line);
        };
        QCOMPARE(at("HYOUKA", 0), QStringLiteral("A"));
        QCOMPARE(at("SYOUGOU", 0), QStringLiteral("4"));
        QCOMPARE(at("NSYOTEI", 0), QStringLiteral("215,000"));
        QCOMPARE(at("SYOTEI", 0), QStringLiteral("210,000"));
        QCOMPARE(at("UPKIN", 0), QStringLiteral("5,000"));
        QCOMPARE(at("UPRITSU", 0), QStringLiteral("2.38")); // 5,000 x 100 / 210,000
        QCOMPARE(at("UPKIN", 1), QStringLiteral("180,000"));
        QVERIFY(at("UPRITSU", 1).isNull());
        QCOMPARE(at("UKIHON", 2), QStringLiteral("-1"));
        QCOMPARE(at("UPRITSU", 2), QStringLiteral("0.00"));
        // Subtotal: count in the evaluation column, no rate on total lines.
        QCOMPARE(r.linesNamed(1, QStringLiteral("　　　小計")), QList<int>{4});
        QCOMPARE(at("HYOUKA", 4), QStringLiteral("3"));
        QCOMPARE(at("UPKIN", 4), QStringLiteral("184,999"));
        QVERIFY(at("UPRITSU", 4).isNull());
        QVERIFY(at("UPRITSU", 5).isNull());

        // On the average line the raise is the difference of the two averaged scheduled pays
        // (200,001 - 200,000), not the average of the raises (1 / 2 = 0).
        GroupReportEmployee p = employee(4, 1, 200000);
        p.NKKYU[1] = 200001;
        GroupReportEmployee q = employee(5, 1, 200001);
        q.NKKYU[1] = 200001;
        const Report avg = compose(GroupReportKind::Raise, {p, q});
        QCOMPARE(avg.linesNamed(1, QStringLiteral("　　　平均")), QList<int>{4});
        QCOMPARE(avg.at(1, QStringLiteral("SYOTEI"), 4), QStringLiteral("200,000"));
        QCOMPARE(avg.at(1, QStringLiteral("UPKIN"), 4), QStringLiteral("1"));

        // No raise entered yet: the current pay stands for the new one, no cut to 0.
        GroupReportEmployee open = employee(6, 1, 250000);
        open.NKKYU[1] = 0;
        open.TEATE[2] = 20000;
        open.raiseDecided = false;
        const Report undecided = compose(GroupReportKind::Raise, {open});
        QCOMPARE(undecided.at(1, QStringLiteral("NKIHON"), 0), QStringLiteral("250,000"));
        QCOMPARE(undecided.at(1, QStringLiteral("NSYOTEATE"), 0), QStringLiteral("20,000"));
        QCOMPARE(undecided.at(1, QStringLiteral("NSYOTEI"), 0), QStringLiteral("270,000"));
        QCOMPARE(undecided.at(1, QStringLiteral("UPKIN"), 0), QStringLiteral("0"));
        QCOMPARE(undecided.at(1, QStringLiteral("UPRITSU"), 0), QStringLiteral("0.00"));
    }

    // 昇号 as the raise input shows it: saved steps, else the evaluation's; a new grade other
    // than the grade is a promotion.
    void stepsUpAsTheRaiseInputShowsThem() {
        GroupReportEmployee saved = employee(1, 3, 200000);
        saved.SGOUHOU = 2;
        saved.evaluationSteps = 5;
        saved.NTOUKYU = 3; // the same grade again: no promotion
        GroupReportEmployee fromEvaluation = employee(2, 3, 200000);
        fromEvaluation.evaluationSteps = 3;
        GroupReportEmployee promoted = employee(3, 3, 200000);
        promoted.evaluationSteps = 4;
        promoted.NTOUKYU = 4;
        GroupReportEmployee nothing = employee(4, 3, 200000);
        const Report r =
            compose(GroupReportKind::Raise, {saved, fromEvaluation, promoted, nothing});
        QCOMPARE(r.at(1, QStringLiteral("SYOUGOU"), 0), QStringLiteral("2"));
        QCOMPARE(r.at(1, QStringLiteral("SYOUGOU"), 1), QStringLiteral("3"));
        QCOMPARE(r.at(1, QStringLiteral("SYOUGOU"), 2), QStringLiteral("昇格"));
        QCOMPARE(r.at(1, QStringLiteral("SYOUGOU"), 3), QStringLiteral("0"));
        QCOMPARE(RaiseReportLine(promoted).sgouhou, QStringLiteral("昇格"));
    }

    // Rules: beside and below each detail band, the header band, and the rule below each
    // average line starting at the column the report names.
    void rules() {
        const Report w = compose(GroupReportKind::Wage, group(1, 2, 1));
        const int left = w.field(QStringLiteral("SYAINCD")).rect.left - 150;
        const int right = w.field(QStringLiteral("NENSYU")).rect.right + 150;
        QVERIFY(w.hasLine(1, {left, w.bandTop(-1)}, {right, w.bandTop(-1)}));
        QVERIFY(w.hasLine(1, {left, w.bandTop(0)}, {right, w.bandTop(0)}));
        QVERIFY(w.hasLine(1, {left, w.bandTop(2)}, {right, w.bandTop(2)}));
        QVERIFY(!w.hasLine(1, {left, w.bandTop(3)}, {right, w.bandTop(3)}));
        int verticals = 0;
        for (const ReportLine& l : w.doc.pages[0].lines)
            verticals +=
                l.from.x() == l.to.x() && l.from.y() == w.bandTop(1) && l.to.y() == w.bandTop(2);
        QCOMPARE(verticals, 14); // 13 columns and the right border
        const int age = w.field(QStringLiteral("NENREI")).rect.left - 150;
        QVERIFY(w.hasLine(1, {age, w.bandTop(5)}, {right, w.bandTop(5)})); // below 平均 (4)
        QVERIFY(w.hasLine(1, {age, w.bandTop(8)}, {right, w.bandTop(8)})); // below 平均 (7)

        const Report r = compose(GroupReportKind::Raise, group(1, 2, 1));
        const int rightR = r.field(QStringLiteral("UPRITSU")).rect.right + 150;
        const int eval = r.field(QStringLiteral("HYOUKA")).rect.left - 150;
        const int name = r.field(QStringLiteral("SIMEI")).rect.left - 150;
        QVERIFY(r.hasLine(1, {eval, r.bandTop(5)}, {rightR, r.bandTop(5)}));
        QVERIFY(r.hasLine(1, {name, r.bandTop(8)}, {rightR, r.bandTop(8)}));
    }

    void headers() {
        GroupReportHeader h = header();
        h.gradeFromName = QStringLiteral("主任");
        h.gradeToName = QStringLiteral("課長");
        const Report w = compose(GroupReportKind::Wage, group(1, 1, 1), h);
        QCOMPARE(w.headerText(1, QStringLiteral("NENDO")),
                 QStringLiteral("2023 年度　：　試験企業"));
        QCOMPARE(w.headerText(1, QStringLiteral("TITLE")),
                 QStringLiteral("グループ別社員賃金レポート"));
        QCOMPARE(w.headerText(1, QStringLiteral("BUSYO")),
                 QStringLiteral("M1 : 凡例1 ／ 主任 ～ 課長"));
        QCOMPARE(w.headerText(1, QStringLiteral("KIJUNBI")),
                 QStringLiteral("年齢・勤続は2024年04月01日現在"));
        QCOMPARE(w.headerText(1, QStringLiteral("CKIHON2")), QStringLiteral("職能給"));
        // Counted to today: the date of the print.
        h.ageBase = {1, 0};
        const Report today = compose(GroupReportKind::Wage, group(1, 1, 1), h);
        QCOMPARE(today.headerText(1, QStringLiteral("KIJUNBI")),
                 QStringLiteral("年齢・勤続は2024年05月01日現在"));
        const Report r = compose(GroupReportKind::Raise, group(1, 1, 1));
        QCOMPARE(r.headerText(1, QStringLiteral("TITLE")),
                 QStringLiteral("グループ別社員昇給レポート"));
        QCOMPARE(r.headerText(1, QStringLiteral("BUSYO")), QStringLiteral("M1 : 凡例1"));
    }
};

QTEST_GUILESS_MAIN(TestGroupReport)
#include "test_group_report.moc"
