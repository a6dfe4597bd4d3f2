#include "core/report/WageTablePrint.h"

#include "core/report/ReportCatalogue.h"

using namespace WageTableLines;

namespace {

enum Align { Left = 0, Right = 1, Centre = 2 };

struct GradeRun {
    qint64 count = 0;
    qint64 sum = 0;
    qint64 first = 0;
    qint64 last = 0;
};

class Composer {
public:
    Composer(ReportEngine& e, const WageTablePrintHeader& h) : JIVE(e), m_header(h) {}

    bool run(const QVector<WageTableRow>& rows) {
        if (!JIVE.StartDoc())
            return false;
        JIVE.FontSize(100);
        if (!look(QStringLiteral("GOU"), m_gou))
            return false;
        for (int g = 1; g <= MaxGrades; ++g)
            if (!look(QStringLiteral("KIN%1").arg(g), m_kin[size_t(g)]) ||
                !look(QStringLiteral("KAKU%1").arg(g), m_kaku[size_t(g)]))
                return false;
        // A grade gets its caption when the table uses it.
        for (const WageTableRow& row : rows)
            for (int g = 1; g <= MaxGrades; ++g)
                m_used[size_t(g)] = m_used[size_t(g)] || row.amount[size_t(g)] != 0;

        std::array<GradeRun, MaxGrades + 1> runs{};
        for (const WageTableRow& row : rows) {
            if (m_line > PerPage - 1)
                newPage();
            put(m_gou, m_line, Centre, QString::number(row.step));
            for (int g = 1; g <= MaxGrades; ++g) {
                const qint64 amount = row.amount[size_t(g)];
                put(m_kin[size_t(g)], m_line, Right, ReportFormat::amountOrEmpty(amount));
                put(m_kaku[size_t(g)], m_line, Right,
                    ReportFormat::amountOrEmpty(row.index[size_t(g)]));
                if (amount != 0) {
                    GradeRun& r = runs[size_t(g)];
                    if (r.count == 0)
                        r.first = amount;
                    r.last = amount;
                    r.sum += amount;
                    ++r.count;
                }
            }
            ++m_line;
        }
        if (m_line > PerPage - 1)
            newPage();
        put(m_gou, AverageLine, Centre, QStringLiteral("平均"));
        for (int g = 1; g <= MaxGrades; ++g) {
            const GradeRun& r = runs[size_t(g)];
            if (r.count >= 1)
                put(m_kin[size_t(g)], AverageLine, Right,
                    ReportFormat::quotientOrEmpty(r.sum, r.count));
            if (r.count > 1)
                put(m_kaku[size_t(g)], AverageLine, Right,
                    ReportFormat::quotientOrEmpty(r.last - r.first, r.count - 1));
        }
        JIVE.PrintForm();
        JIVE.EndPage();
        return JIVE.EndDoc();
    }

private:
    bool look(const QString& name, ReportEngine::Edges& into) {
        const std::optional<ReportEngine::Edges> e = JIVE.FieldName(name);
        if (e)
            into = *e;
        return e.has_value();
    }

    void put(const ReportEngine::Edges& f, int line, int align, const QString& text) {
        const int dy = line * Pitch + Offset;
        JIVE.DrawTextBox(f.left, f.upper + dy, f.right, f.lower + dy, align, text);
    }

    void newPage() {
        if (m_page > 0) {
            JIVE.PrintForm();
            JIVE.EndPage();
        }
        ++m_page;
        m_line = 0;
        JIVE.SetFormText(QStringLiteral("PAGE"),
                         QStringLiteral("　PAGE-") + QString::number(m_page));
        JIVE.SetFormText(QStringLiteral("NENDO"), m_header.nendoText + QStringLiteral(" 年度"));
        JIVE.SetFormText(QStringLiteral("CORPNAME"), m_header.companyName);
        JIVE.SetFormText(QStringLiteral("TITLE"), m_header.title);
        JIVE.SetFormText(QStringLiteral("YMD"), ReportFormat::date(m_header.today));
        for (int g = 1; g <= MaxGrades; ++g) {
            const QString& name = m_header.gradeNames[size_t(g)];
            QString caption;
            if (m_used[size_t(g)] || !name.isEmpty())
                caption = QString::number(g) + QStringLiteral("等級") +
                          (name.isEmpty() ? QString() : QStringLiteral("　") + name);
            JIVE.SetFormText(QStringLiteral("TKNAME%1").arg(g), caption);
        }
    }

    ReportEngine& JIVE;
    const WageTablePrintHeader& m_header;
    ReportEngine::Edges m_gou;
    std::array<ReportEngine::Edges, MaxGrades + 1> m_kin{};
    std::array<ReportEngine::Edges, MaxGrades + 1> m_kaku{};
    std::array<bool, MaxGrades + 1> m_used{};
    int m_page = 0;
    int m_line = 100; // forces a page start on the first row
};

} // namespace

bool ComposeWageTablePrint(ReportEngine& JIVE, const WageTablePrintHeader& header,
                           const QVector<WageTableRow>& rows) {
    Q_ASSERT(!rows.isEmpty()); // the callers say "印刷対象データはありません。" instead
    return Composer(JIVE, header).run(rows);
}
