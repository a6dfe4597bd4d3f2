#include "core/report/RaiseBudgetPrint.h"

#include "core/report/ReportCatalogue.h"

using namespace RaiseBudgetLines;

namespace {

enum Align { Left = 0, Right = 1, Centre = 2 };

// The detail fields of the layout: the label, then one per column in column order.
const char* const ColumnFields[] = {"NINZU",   "MIKETTEI", "GENKOU", "SYOUKYUGO", "UPKIN",
                                    "UPRITSU", "TEISYO",   "BEA",    "SONOTA",    "NENKAN",
                                    "SYOYO",   "HUTAN",    "GENSHI"};
static_assert(std::size(ColumnFields) == BudgetColumnCount);

class Composer {
public:
    Composer(ReportEngine& e, const RaiseBudgetDocument& d) : JIVE(e), m_doc(d) {}

    bool run() {
        if (!JIVE.StartDoc())
            return false;
        JIVE.FontSize(90);
        const std::optional<ReportEngine::Edges> label = JIVE.FieldName(QStringLiteral("LABEL"));
        if (!label)
            return false;
        m_label = *label;
        for (int c = 0; c < BudgetColumnCount; ++c) {
            const std::optional<ReportEngine::Edges> e =
                JIVE.FieldName(QString::fromLatin1(ColumnFields[c]));
            if (!e)
                return false;
            m_columns[size_t(c)] = *e;
        }
        bool first = true;
        for (const RaiseBudgetSection& section : m_doc.sections) {
            // A section starts where its heading and at least one line fit.
            if (!first && m_line + 3 > PerPage)
                newPage();
            else if (!first)
                ++m_line; // a blank line between the sections
            first = false;
            line(QStringLiteral("【") + section.title + QStringLiteral("】"));
            for (const RaiseBudgetLine& l : section.lines) {
                if (l.total)
                    rule(m_line, 15);
                line(l.label, &l.values);
            }
        }
        finishPage();
        return JIVE.EndDoc();
    }

private:
    void line(const QString& label, const RaiseBudgetGroup* values = nullptr) {
        if (m_line >= PerPage)
            newPage();
        put(m_label, Left, label);
        if (values)
            for (int c = 0; c < BudgetColumnCount; ++c)
                put(m_columns[size_t(c)], Right, BudgetValueText(*values, BudgetColumn(c)));
        ++m_line;
        rule(m_line, 0);
    }

    void put(const ReportEngine::Edges& f, int align, const QString& text) {
        const int dy = m_line * Pitch;
        JIVE.DrawTextBox(f.left, f.upper + dy, f.right, f.lower + dy, align, text);
    }

    // The rule above line n, across the table.
    void rule(int n, int width) {
        if (n <= 0 || n >= PerPage)
            return;
        const int y = m_label.upper - 150 + n * Pitch;
        JIVE.LineStyle(width == 0 ? 2 : 0);
        JIVE.LineWidth(width);
        JIVE.DrawLine(m_label.left - 100, y, m_columns.back().right + 100, y);
    }

    void newPage() {
        if (m_page > 0)
            finishPage();
        ++m_page;
        m_line = 0;
        JIVE.SetFormText(QStringLiteral("TITLE"), QStringLiteral("昇給原資"));
        JIVE.SetFormText(QStringLiteral("PAGE"), QStringLiteral("PAGE-") + QString::number(m_page));
        JIVE.SetFormText(QStringLiteral("NENDO"),
                         m_doc.nendoText + QStringLiteral(" 年度　") + m_doc.companyName);
        JIVE.SetFormText(QStringLiteral("YMD"), ReportFormat::date(m_doc.today));
        JIVE.SetFormText(QStringLiteral("SETTEI"), RaiseBudgetSettingsText(m_doc.settings));
        JIVE.SetFormText(QStringLiteral("NOTE"), RaiseBudgetSplitNote());
    }

    void finishPage() {
        if (m_page == 0)
            newPage();
        JIVE.PrintForm();
        JIVE.EndPage();
    }

    ReportEngine& JIVE;
    const RaiseBudgetDocument& m_doc;
    ReportEngine::Edges m_label;
    std::array<ReportEngine::Edges, BudgetColumnCount> m_columns{};
    int m_page = 0;
    int m_line = PerPage; // forces a page start on the first line
};

} // namespace

bool ComposeRaiseBudgetPrint(ReportEngine& JIVE, const RaiseBudgetDocument& document) {
    return Composer(JIVE, document).run();
}
