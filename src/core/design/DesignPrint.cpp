#include "core/design/DesignPrint.h"

#include "core/plot/AxisItems.h"
#include "core/report/ReportCatalogue.h"

#include <map>

using namespace DesignLines;

namespace {

enum Align { Left = 0, Right = 1, Centre = 2 };

QString withoutBlanks(QString text) {
    text.remove(QChar(0x3000));
    text.remove(QLatin1Char(' '));
    return text;
}

class Composer {
public:
    Composer(ReportEngine& e, const DesignPrintHeader& h) : JIVE(e), m_header(h) {}

    bool run(const QVector<DesignRow>& rows) {
        if (!JIVE.StartDoc())
            return false;
        JIVE.FontSize(90);
        for (int d = 1; d <= DesignCount; ++d)
            if (!look(QStringLiteral("NENREI%1").arg(d), m_x[size_t(d)]) ||
                !look(QStringLiteral("KIN%1").arg(d), m_kin[size_t(d)]) ||
                !look(QStringLiteral("KAKU%1").arg(d), m_kaku[size_t(d)]))
                return false;
        // One printed line per row number, in the order NO, SDCO.
        std::map<int, QVector<const DesignRow*>> byNo;
        for (const DesignRow& r : rows)
            byNo[r.no].push_back(&r);
        std::array<DesignRun, DesignCount + 1> runs{};
        for (const auto& [no, line] : byNo) {
            (void)no;
            for (const DesignRow* r : line) {
                if (r->design < 1 || r->design > DesignCount)
                    continue;
                if (m_line > LastLine)
                    newPage();
                const size_t d = size_t(r->design);
                put(m_x[d], m_line, Centre, QString::number(r->x));
                put(m_kin[d], m_line, Right, ReportFormat::amount(r->amount));
                put(m_kaku[d], m_line, Right, QString::number(r->index));
                runs[d].add(r->amount);
            }
            ++m_line;
        }
        if (m_line > LastLine)
            newPage();
        for (int d = 1; d <= DesignCount; ++d) {
            const DesignRun& run = runs[size_t(d)];
            if (run.count == 0)
                continue;
            put(m_x[size_t(d)], LastLine, Centre, QStringLiteral("平均"));
            put(m_kin[size_t(d)], LastLine, Right, ReportFormat::amount(run.average()));
            if (run.count > 1)
                put(m_kaku[size_t(d)], LastLine, Right,
                    ReportFormat::amount(run.averageIncrease()));
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

    void putAt(const ReportEngine::Edges& f, int dy, int align, const QString& text) {
        JIVE.DrawTextBox(f.left, f.upper + dy, f.right, f.lower + dy, align, text);
    }
    void put(const ReportEngine::Edges& f, int line, int align, const QString& text) {
        putAt(f, line * Pitch + Offset, align, text);
    }

    void newPage() {
        if (m_page > 0) {
            JIVE.PrintForm();
            JIVE.EndPage();
        }
        ++m_page;
        m_line = 0;
        JIVE.SetFormText(QStringLiteral("NENDO"), m_header.nendoText + QStringLiteral(" 年度"));
        JIVE.SetFormText(QStringLiteral("CORPNAME"), m_header.companyName);
        JIVE.SetFormText(QStringLiteral("TITLE"), m_header.title);
        JIVE.SetFormText(QStringLiteral("YMD"), ReportFormat::date(m_header.today) +
                                                    QStringLiteral("　　P. ") +
                                                    QString::number(m_page));
        const QString x = DesignXCaption(m_header.xItem), y = DesignYCaption(m_header.yItem);
        for (int d = 1; d <= DesignCount; ++d) {
            putAt(m_x[size_t(d)], HeadingOffset, Centre, x);
            putAt(m_kin[size_t(d)], HeadingOffset, Centre, y);
            putAt(m_kaku[size_t(d)], HeadingOffset, Centre, QStringLiteral("格差"));
        }
    }

    ReportEngine& JIVE;
    const DesignPrintHeader& m_header;
    std::array<ReportEngine::Edges, DesignCount + 1> m_x{};
    std::array<ReportEngine::Edges, DesignCount + 1> m_kin{};
    std::array<ReportEngine::Edges, DesignCount + 1> m_kaku{};
    int m_page = 0;
    int m_line = 100; // forces a page start on the first row
};

} // namespace

QString DesignXCaption(int xItem) {
    return withoutBlanks(XAxisTitle(ValidAxisItem(xItem)));
}

QString DesignYCaption(int yItem) {
    return withoutBlanks(YAxisTitle(ValidAxisItem(yItem)));
}

bool ComposeDesignPrint(ReportEngine& JIVE, const DesignPrintHeader& header,
                        const QVector<DesignRow>& rows) {
    Q_ASSERT(!rows.isEmpty()); // the callers say "印刷対象データは有りません。" instead
    return Composer(JIVE, header).run(rows);
}
