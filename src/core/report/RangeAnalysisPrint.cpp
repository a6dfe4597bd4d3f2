#include "core/report/RangeAnalysisPrint.h"

#include "core/report/ReportCatalogue.h"

namespace {

constexpr int PageWidth = 29700;
constexpr int PageHeight = 21000;
constexpr int Left = 1200;
constexpr int Bottom = 19900;
constexpr int RowHeight = 560;
constexpr int TextSize = 90; // tenths of a point

const QString Caption = QStringLiteral("IPAPGothic");
const QString Figures = QStringLiteral("IPAGothic");

struct Column {
    int width;
    TextAlign align;
};

class Composer {
public:
    explicit Composer(const RangeReport& r) : m_report(r) {
        m_doc.name = RangeText::title();
        m_doc.pageWidth = PageWidth;
        m_doc.pageHeight = PageHeight;
        m_doc.orientation = PageOrientation::Landscape;
    }

    ReportDocument run() {
        const QVector<Column> grade = {
            {1000, TextAlign::Centre}, {2600, TextAlign::Left},  {2000, TextAlign::Right},
            {2000, TextAlign::Right},  {2000, TextAlign::Right}, {1600, TextAlign::Right},
            {1900, TextAlign::Right},  {1200, TextAlign::Right}, {2000, TextAlign::Right},
            {2000, TextAlign::Right},  {2000, TextAlign::Right}, {2400, TextAlign::Right},
            {1600, TextAlign::Right},  {1600, TextAlign::Right}};
        const QVector<Column> employee = {
            {2000, TextAlign::Left},  {4000, TextAlign::Left},  {1000, TextAlign::Centre},
            {2600, TextAlign::Left},  {2400, TextAlign::Right}, {2200, TextAlign::Right},
            {2200, TextAlign::Right}, {2200, TextAlign::Right}, {2200, TextAlign::Right},
            {2200, TextAlign::Right}, {2200, TextAlign::Centre}};
        const QVector<Column> apart = {{2000, TextAlign::Left},
                                       {4000, TextAlign::Left},
                                       {1000, TextAlign::Centre},
                                       {4000, TextAlign::Left}};
        section(QStringLiteral("等級別"), grade, RangeText::gradeHeadings(),
                GradeRowTexts(m_report), true, true);
        section(QStringLiteral("社員別"), employee, RangeText::employeeHeadings(),
                EmployeeRowTexts(m_report), false, true);
        const QVector<QStringList> apartRows = ApartRowTexts(m_report);
        if (!apartRows.isEmpty())
            section(QStringLiteral("対象外の社員（レンジに位置づけない社員）"), apart,
                    RangeText::apartHeadings(), apartRows, false, false);
        finishPage();
        return std::move(m_doc);
    }

private:
    void text(int l, int t, int r, int b, const QString& family, int size, bool bold,
              TextAlign align, const QString& s) {
        if (s.isEmpty())
            return;
        ReportText x;
        x.box = {l, t, r, b};
        x.font = m_doc.fontIndex(family);
        x.size = size;
        x.bold = bold;
        x.fit = true;
        x.align = align;
        x.text = s;
        m_page.texts << x;
    }

    void line(int x1, int y1, int x2, int y2, int width = 0) {
        m_page.lines << ReportLine{QPoint(x1, y1), QPoint(x2, y2), width, 0};
    }

    void finishPage() {
        if (m_open)
            m_doc.pages << m_page;
        m_page = ReportPage();
        m_open = false;
    }

    // A new page with the header; the definition of the range under it on the first page.
    void newPage() {
        finishPage();
        m_open = true;
        ++m_pageNo;
        const RangeHeader& h = m_report.header;
        text(7000, 700, 22700, 1500, Caption, 160, true, TextAlign::Centre, RangeText::title());
        line(11000, 1560, 18700, 1560, 15);
        text(Left, 1700, 14000, 2150, Caption, 100, false, TextAlign::Left,
             h.nendoText + QStringLiteral(" 年度　") + h.companyName);
        text(Left, 2150, 20000, 2600, Caption, 90, false, TextAlign::Left,
             QStringLiteral("賃金表：") + h.tableTitle + QStringLiteral("　スケールコード ") +
                 QString::number(h.scaleCode));
        text(20000, 1700, PageWidth - Left, 2150, Caption, 90, false, TextAlign::Right,
             ReportFormat::date(h.today) + QStringLiteral("　PAGE-") + QString::number(m_pageNo));
        m_y = 2800;
        if (m_pageNo == 1) {
            for (const QString& s : RangeText::definition()) {
                text(Left, m_y, PageWidth - Left, m_y + 420, Caption, 80, false, TextAlign::Left,
                     s);
                m_y += 420;
            }
            m_y += 200;
        }
    }

    void headings(const QVector<Column>& cols, const QStringList& names) {
        int x = Left;
        const int top = m_y;
        const int bottom = m_y + RowHeight + 100;
        m_page.boxes << ReportBox{
            {Left, top, Left + tableWidth(cols), bottom}, -1, QStringLiteral("#e4e4e4")};
        line(Left, top, Left + tableWidth(cols), top, 10);
        for (int i = 0; i < cols.size(); ++i) {
            text(x + 60, top, x + cols[i].width - 60, bottom, Caption, TextSize, false,
                 TextAlign::Centre, names[i]);
            x += cols[i].width;
        }
        line(Left, bottom, Left + tableWidth(cols), bottom, 10);
        m_y = bottom;
    }

    static int tableWidth(const QVector<Column>& cols) {
        int w = 0;
        for (const Column& c : cols)
            w += c.width;
        return w;
    }

    void section(const QString& name, const QVector<Column>& cols, const QStringList& names,
                 const QVector<QStringList>& rows, bool lastBold, bool ownPage) {
        if (ownPage || !m_open || m_y + 3 * RowHeight + 600 > Bottom)
            newPage();
        else
            m_y += 400;
        const auto sectionHead = [&] {
            text(Left, m_y, PageWidth - Left, m_y + 500, Caption, 110, true, TextAlign::Left, name);
            m_y += 560;
            headings(cols, names);
        };
        sectionHead();
        if (rows.isEmpty()) {
            text(Left + 200, m_y, PageWidth - Left, m_y + RowHeight, Caption, TextSize, false,
                 TextAlign::Left, QStringLiteral("該当する社員はいません。"));
            m_y += RowHeight;
        }
        for (int r = 0; r < rows.size(); ++r) {
            if (m_y + RowHeight > Bottom) {
                newPage();
                sectionHead();
            }
            const bool bold = lastBold && r == rows.size() - 1;
            if (bold)
                line(Left, m_y, Left + tableWidth(cols), m_y, 10);
            int x = Left;
            for (int c = 0; c < cols.size(); ++c) {
                const bool figures = cols[c].align == TextAlign::Right;
                text(x + 80, m_y, x + cols[c].width - 80, m_y + RowHeight,
                     figures ? Figures : Caption, TextSize, bold, cols[c].align, rows[r].value(c));
                x += cols[c].width;
            }
            m_y += RowHeight;
            line(Left, m_y, Left + tableWidth(cols), m_y, 0);
        }
    }

    const RangeReport& m_report;
    ReportDocument m_doc;
    ReportPage m_page;
    bool m_open = false;
    int m_pageNo = 0;
    int m_y = 0;
};

} // namespace

ReportDocument ComposeRangeAnalysisPrint(const RangeReport& report) {
    return Composer(report).run();
}

QString RangeAnalysisWorkFileName() {
    return QStringLiteral("wkRangeAnalysis.rdf");
}
