#include "core/report/GroupReport.h"

#include "core/common/Counts.h"
#include "core/common/Dates.h"
#include "core/raise/RaiseComputation.h"
#include "core/report/ReportCatalogue.h"

#include <QStringList>
#include <functional>

using namespace GroupLines;

std::array<qint64, BasePayItemCount + 1> CurrentBasePay(const GroupReportEmployee& e) {
    std::array<qint64, BasePayItemCount + 1> pay = e.KKYU;
    if (IsBasePayItem(e.JISEKI))
        pay[size_t(e.JISEKI)] = e.KIN;
    return pay;
}

std::array<qint64, BasePayItemCount + 1> NewBasePay(const GroupReportEmployee& e) {
    if (!e.raiseDecided)
        return CurrentBasePay(e);
    std::array<qint64, BasePayItemCount + 1> pay = e.NKKYU;
    if (IsBasePayItem(e.JISEKI))
        pay[size_t(e.JISEKI)] = e.NKIN;
    return pay;
}

namespace {

const QStringList WageColumns = {
    QStringLiteral("SYAINCD"), QStringLiteral("SIMEI"),    QStringLiteral("NENREI"),
    QStringLiteral("KINZOKU"), QStringLiteral("KIHON1"),   QStringLiteral("KIHON2"),
    QStringLiteral("KIHON3"),  QStringLiteral("KIHONKEI"), QStringLiteral("SYOTEATE"),
    QStringLiteral("SYOTEI"),  QStringLiteral("SYOYO1"),   QStringLiteral("SYOYO2"),
    QStringLiteral("NENSYU")};

const QStringList RaiseColumns = {
    QStringLiteral("SYAINCD"),   QStringLiteral("SIMEI"),   QStringLiteral("HYOUKA"),
    QStringLiteral("TOUKYU"),    QStringLiteral("GOUHOU"),  QStringLiteral("SYOUGOU"),
    QStringLiteral("NKIHON"),    QStringLiteral("UKIHON"),  QStringLiteral("NSYOTEATE"),
    QStringLiteral("USYOTEATE"), QStringLiteral("NSYOTEI"), QStringLiteral("SYOTEI"),
    QStringLiteral("UPKIN"),     QStringLiteral("UPRITSU")};

enum Align { Left = 0, Right = 1, Centre = 2 };

struct WageTotals {
    qint64 count = 0;
    qint64 age = 0;
    qint64 service = 0;
    qint64 kihon1 = 0, kihon2 = 0, kihon3 = 0, teate = 0, syoyo1 = 0, syoyo2 = 0;

    void add(const TPRTC& r, int age_, int service_) {
        ++count;
        age += age_;
        service += service_;
        kihon1 += r.kihon1;
        kihon2 += r.kihon2;
        kihon3 += r.kihon3;
        teate += r.teate;
        syoyo1 += r.syoyo1;
        syoyo2 += r.syoyo2;
    }
    TPRTC sumLine(const QString& name) const {
        TPRTC r;
        r.SNA = name;
        r.age = QString::number(count);
        r.kihon1 = kihon1;
        r.kihon2 = kihon2;
        r.kihon3 = kihon3;
        r.teate = teate;
        r.syoyo1 = syoyo1;
        r.syoyo2 = syoyo2;
        return r;
    }
    // Amounts truncated to whole yen; age and service to one decimal.
    TPRTC averageLine(const QString& name) const {
        TPRTC r;
        r.SNA = name;
        if (count == 0)
            return r;
        r.age = ReportFormat::decimal(age, count, 1);
        r.service = ReportFormat::decimal(service, count, 1);
        r.kihon1 = kihon1 / count;
        r.kihon2 = kihon2 / count;
        r.kihon3 = kihon3 / count;
        r.teate = teate / count;
        r.syoyo1 = syoyo1 / count;
        r.syoyo2 = syoyo2 / count;
        return r;
    }
};

struct RaiseTotals {
    qint64 count = 0;
    qint64 nkihon = 0, kihon = 0, nteate = 0, teate = 0, nsyotei = 0, syotei = 0, upkin = 0;

    void add(const TPRTU& r) {
        ++count;
        nkihon += r.nkihon;
        kihon += r.kihon;
        nteate += r.nteate;
        teate += r.teate;
        nsyotei += r.nsyotei;
        syotei += r.syotei;
        upkin += r.upkin;
    }
    TPRTU sumLine(const QString& name) const {
        TPRTU r;
        r.SNA = name;
        r.hyouka = QString::number(count);
        r.nkihon = nkihon;
        r.kihon = kihon;
        r.nteate = nteate;
        r.teate = teate;
        r.nsyotei = nsyotei;
        r.syotei = syotei;
        r.upkin = upkin;
        return r;
    }
    TPRTU averageLine(const QString& name) const {
        TPRTU r;
        r.SNA = name;
        if (count == 0)
            return r;
        r.nkihon = nkihon / count;
        r.kihon = kihon / count;
        r.nteate = nteate / count;
        r.teate = teate / count;
        r.nsyotei = nsyotei / count;
        r.syotei = syotei / count;
        r.upkin = r.nsyotei - r.syotei; // the difference of the two averages
        return r;
    }
};

class Composer {
public:
    Composer(ReportEngine& e, GroupReportKind kind, const GroupReportHeader& h)
        : JIVE(e), m_kind(kind), m_header(h),
          m_names(kind == GroupReportKind::Raise ? RaiseColumns : WageColumns) {}

    bool run(const QVector<GroupReportEmployee>& rows) {
        if (!JIVE.StartDoc())
            return false;
        JIVE.FontSize(100);
        for (const QString& name : m_names) {
            const std::optional<ReportEngine::Edges> edges = JIVE.FieldName(name);
            if (!edges)
                return false;
            m_cols.insert(name, *edges);
        }
        m_top = m_cols.value(m_names.first()).upper;
        m_left = m_cols.value(m_names.first()).left - RuleMargin;
        m_right = m_cols.value(m_names.last()).right + RuleMargin;

        const bool raise = m_kind == GroupReportKind::Raise;
        WageTotals wageAll;
        RaiseTotals raiseAll;
        int mark = 0;
        for (qsizetype i = 0; i < rows.size();) {
            mark = rows[i].MCO;
            m_used = 100; // every group begins on a new page
            WageTotals wageGroup;
            RaiseTotals raiseGroup;
            for (; i < rows.size() && rows[i].MCO == mark; ++i) {
                if (m_used > PerPage - 1)
                    newPage(mark);
                const GroupReportEmployee& e = rows[i];
                if (raise) {
                    const TPRTU r = RaiseReportLine(e);
                    print(r, m_used);
                    raiseGroup.add(r);
                    raiseAll.add(r);
                } else {
                    const TPRTC r = WageReportLine(e, m_header.ageBase);
                    const int age = r.age.toInt();
                    const int service = r.service.toInt();
                    print(r, m_used);
                    wageGroup.add(r, age, service);
                    wageAll.add(r, age, service);
                }
                detailRules(m_used);
                ++m_used;
            }
            const QString from = raise ? QStringLiteral("HYOUKA") : QStringLiteral("NENREI");
            if (raise)
                closeBlock(mark, raiseGroup.sumLine(QStringLiteral("　　　小計")),
                           raiseGroup.averageLine(QStringLiteral("　　　平均")), from);
            else
                closeBlock(mark, wageGroup.sumLine(QStringLiteral("　　　　小計")),
                           wageGroup.averageLine(QStringLiteral("　　　　平均")), from);
        }
        if (raise)
            closeBlock(mark, raiseAll.sumLine(QStringLiteral("　合計")),
                       raiseAll.averageLine(QStringLiteral("　平均")), QStringLiteral("SIMEI"));
        else
            closeBlock(mark, wageAll.sumLine(QStringLiteral("　合計")),
                       wageAll.averageLine(QStringLiteral("　平均")), QStringLiteral("NENREI"));
        JIVE.PrintForm();
        JIVE.EndPage();
        return JIVE.EndDoc();
    }

private:
    void put(const QString& field, int line, int align, const QString& text) {
        const ReportEngine::Edges c = m_cols.value(field);
        const int dy = line * Pitch + TextOffset;
        JIVE.DrawTextBox(c.left, c.upper + dy, c.right, c.lower + dy, align, text);
    }

    void print(const TPRTC& r, int line) {
        const qint64 kihonkei = r.kihon1 + r.kihon2 + r.kihon3;
        const qint64 syotei = kihonkei + r.teate;
        put(QStringLiteral("SYAINCD"), line, Left, r.SCOT);
        put(QStringLiteral("SIMEI"), line, Left, r.SNA);
        put(QStringLiteral("NENREI"), line, Right, r.age);
        put(QStringLiteral("KINZOKU"), line, Right, r.service);
        put(QStringLiteral("KIHON1"), line, Right, ReportFormat::amount(r.kihon1));
        put(QStringLiteral("KIHON2"), line, Right, ReportFormat::amount(r.kihon2));
        put(QStringLiteral("KIHON3"), line, Right, ReportFormat::amount(r.kihon3));
        put(QStringLiteral("KIHONKEI"), line, Right, ReportFormat::amount(kihonkei));
        put(QStringLiteral("SYOTEATE"), line, Right, ReportFormat::amount(r.teate));
        put(QStringLiteral("SYOTEI"), line, Right, ReportFormat::amount(syotei));
        put(QStringLiteral("SYOYO1"), line, Right, ReportFormat::amount(r.syoyo1));
        put(QStringLiteral("SYOYO2"), line, Right, ReportFormat::amount(r.syoyo2));
        put(QStringLiteral("NENSYU"), line, Right,
            ReportFormat::amount(syotei * 12 + r.syoyo1 + r.syoyo2));
    }

    void print(const TPRTU& r, int line) {
        put(QStringLiteral("SYAINCD"), line, Left, r.SCOT);
        put(QStringLiteral("SIMEI"), line, Left, r.SNA);
        put(QStringLiteral("HYOUKA"), line, Centre, r.hyouka);
        put(QStringLiteral("TOUKYU"), line, Right, r.toukyu);
        put(QStringLiteral("GOUHOU"), line, Right, r.gouhou);
        put(QStringLiteral("SYOUGOU"), line, Right, r.sgouhou);
        put(QStringLiteral("NKIHON"), line, Right, ReportFormat::amount(r.nkihon));
        put(QStringLiteral("UKIHON"), line, Right, ReportFormat::amount(r.nkihon - r.kihon));
        put(QStringLiteral("NSYOTEATE"), line, Right, ReportFormat::amount(r.nteate));
        put(QStringLiteral("USYOTEATE"), line, Right, ReportFormat::amount(r.nteate - r.teate));
        put(QStringLiteral("NSYOTEI"), line, Right, ReportFormat::amount(r.nsyotei));
        put(QStringLiteral("SYOTEI"), line, Right, ReportFormat::amount(r.syotei));
        put(QStringLiteral("UPKIN"), line, Right, ReportFormat::amount(r.upkin));
        if (r.detail == 1 && r.syotei != 0)
            put(QStringLiteral("UPRITSU"), line, Right,
                ReportFormat::decimal((r.nsyotei - r.syotei) * 100, r.syotei, 2));
    }

    int bandTop(int line) const { return m_top + line * Pitch; }

    void rules() {
        JIVE.LineStyle(0);
        JIVE.LineWidth(0);
    }

    // Below the band and beside every column.
    void detailRules(int line) {
        rules();
        const int top = bandTop(line);
        const int bottom = bandTop(line + 1);
        JIVE.DrawLine(m_left, bottom, m_right, bottom);
        for (const QString& name : m_names) {
            const int x = m_cols.value(name).left - RuleMargin;
            JIVE.DrawLine(x, top, x, bottom);
        }
        JIVE.DrawLine(m_right, top, m_right, bottom);
    }

    // Subtotal (or total) and average of a block, and the rule below them.
    template <class Line>
    void closeBlock(int mark, const Line& sum, const Line& average, const QString& ruleFrom) {
        if (m_used > PerPage - 3)
            newPage(mark);
        print(sum, m_used + 1);
        print(average, m_used + 2);
        rules();
        const int y = bandTop(m_used + 3);
        JIVE.DrawLine(m_cols.value(ruleFrom).left - RuleMargin, y, m_right, y);
        m_used += 3;
    }

    void newPage(int mark) {
        if (m_page > 0) {
            JIVE.PrintForm();
            JIVE.EndPage();
        }
        ++m_page;
        m_used = 0;
        JIVE.SetFormText(QStringLiteral("NENDO"),
                         m_header.nendoText + QStringLiteral(" 年度　：　") + m_header.companyName);
        JIVE.SetFormText(QStringLiteral("TITLE"),
                         ReportFilesOf(m_kind == GroupReportKind::Raise ? ReportId::GroupRaise
                                                                        : ReportId::GroupWage)
                             .docName);
        JIVE.SetFormText(QStringLiteral("YMD"), ReportFormat::date(m_header.today) +
                                                    QStringLiteral("　　P. ") +
                                                    QString::number(m_page));
        JIVE.SetFormText(QStringLiteral("BUSYO"), GroupCaption(m_header, mark));
        if (m_kind == GroupReportKind::Wage) {
            JIVE.SetFormText(QStringLiteral("KIJUNBI"), AgeBaseNote(m_header));
            for (int i = 1; i <= BasePayItemCount; ++i)
                JIVE.SetFormText(QStringLiteral("CKIHON%1").arg(i),
                                 m_header.baseItemNames[size_t(i)]);
        }
        rules();
        const int top = bandTop(-1);
        JIVE.DrawLine(m_left, top, m_right, top);
        JIVE.DrawLine(m_left, m_top, m_right, m_top);
        for (const QString& name : m_names) {
            const int x = m_cols.value(name).left - RuleMargin;
            JIVE.DrawLine(x, top, x, m_top);
        }
        JIVE.DrawLine(m_right, top, m_right, m_top);
    }

    ReportEngine& JIVE;
    GroupReportKind m_kind;
    const GroupReportHeader& m_header;
    const QStringList& m_names;
    QHash<QString, ReportEngine::Edges> m_cols;
    int m_top = 0;
    int m_left = 0;
    int m_right = 0;
    int m_page = 0;
    int m_used = 0;
};

} // namespace

TPRTC WageReportLine(const GroupReportEmployee& e, const AgeBase& ageBase) {
    const std::array<qint64, BasePayItemCount + 1> pay = CurrentBasePay(e);
    TPRTC r;
    r.SCOT = e.SCOT;
    r.SNA = e.SNA;
    r.detail = 1;
    r.age = QString::number(YearsToBase(e.SEIHI, ageBase));
    r.service = QString::number(YearsToBase(e.NYUHI, ageBase));
    r.kihon1 = pay[1];
    r.kihon2 = pay[2];
    r.kihon3 = pay[3];
    for (int i = 1; i <= AllowanceCount; ++i)
        r.teate += e.TEATE[size_t(i)];
    r.syoyo1 = e.SYOUYO;
    r.syoyo2 = e.SYOUYO2;
    return r;
}

TPRTU RaiseReportLine(const GroupReportEmployee& e) {
    const std::array<qint64, BasePayItemCount + 1> now = CurrentBasePay(e);
    const std::array<qint64, BasePayItemCount + 1> next = NewBasePay(e);
    TPRTU r;
    r.SCOT = e.SCOT;
    r.SNA = e.SNA;
    r.detail = 1;
    r.hyouka = e.HYOUKA;
    r.toukyu = QString::number(e.TOUKYU);
    r.gouhou = QString::number(e.GOUHOU);
    r.sgouhou = IsPromotion(e.TOUKYU, e.NTOUKYU)
                    ? QStringLiteral("昇格")
                    : QString::number(StepsUpShown(e.SGOUHOU, e.evaluationSteps));
    r.nkihon = next[1] + next[2] + next[3];
    r.kihon = now[1] + now[2] + now[3];
    for (int i = 1; i <= AllowanceCount; ++i) {
        r.nteate += e.raiseDecided ? e.NTEATE[size_t(i)] : e.TEATE[size_t(i)];
        r.teate += e.TEATE[size_t(i)];
    }
    r.nsyotei = r.nkihon + r.nteate;
    r.syotei = r.kihon + r.teate;
    r.upkin = r.nsyotei - r.syotei;
    return r;
}

QString AgeBaseNote(const GroupReportHeader& header) {
    // The date ages are counted to: today, or the company's fixed date.
    const qint64 d = header.ageBase.mode != 0 ? qint64(header.today.year()) * 10000 +
                                                    header.today.month() * 100 + header.today.day()
                                              : header.ageBase.date;
    return QStringLiteral("年齢・勤続は%1年%2月%3日現在")
        .arg(d / 10000)
        .arg((d / 100) % 100, 2, 10, QLatin1Char('0'))
        .arg(d % 100, 2, 10, QLatin1Char('0'));
}

QString GroupCaption(const GroupReportHeader& header, int mark) {
    QString caption = IsMark(mark) ? header.markNames[size_t(mark)] : QString();
    if (!header.gradeFromName.isEmpty())
        caption += QStringLiteral(" ／ ") + header.gradeFromName + QStringLiteral(" ～ ") +
                   header.gradeToName;
    return caption;
}

bool ComposeGroupReport(ReportEngine& JIVE, GroupReportKind kind, const GroupReportHeader& header,
                        const QVector<GroupReportEmployee>& employees) {
    Q_ASSERT(!employees.isEmpty()); // the callers say "印刷対象データは有りません。" instead
    return Composer(JIVE, kind, header).run(employees);
}
