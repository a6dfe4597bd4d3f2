#include "data/project/CompanySettingsCache.h"

#include "core/common/Counts.h"
#include "core/common/Messages.h"
#include "data/db/TDM.h"

bool LoadCompanySettings(const CompanyYear& company, TMKIGYOU2& s) {
    s.KCO = QString::number(company.kco);
    s.NENDO = QString::number(company.nendo);
    s.clearLoaded();
    const TQuery q =
        DM().select(TDM::ACN2, QStringLiteral("SELECT * FROM MKIGYOU2 WHERE NENDO = ? AND KCO = ?"),
                    {company.nendo, company.kco});
    if (!q.active())
        return false;
    bool found = false;
    if (!q.eof()) {
        found = true;
        s.KNA = q.asText(QStringLiteral("KNA"));
        s.CYOUSAHI = q.asInt(QStringLiteral("CYOUSAHI"));
        s.BEARITSU = q.asReal(QStringLiteral("BEARITSU"));
        s.TAIKEI = q.asText(QStringLiteral("TAIKEI"));
        for (int i = 1; i <= BasePayItemCount; ++i)
            s.KKNA[size_t(i)] = q.asText(QStringLiteral("KKNA%1").arg(i));
        for (int i = 1; i <= AllowanceCount; ++i)
            s.TNA[size_t(i)] = q.asText(QStringLiteral("TNA%1").arg(i));
        s.MCCO = q.asInt(QStringLiteral("MCCO"));
        s.MDCO = q.asInt(QStringLiteral("MDCO"));
        for (int i = 1; i <= MaxGrades; ++i)
            s.TK[size_t(i)] = q.asText(QStringLiteral("TK0%1").arg(i));
        s.FRSTKYU = q.asInt(QStringLiteral("FRSTKYU"));
        s.SKCO = q.asInt(QStringLiteral("SKCO"));
        s.SYOUKYUHI = q.asInt(QStringLiteral("SYOUKYUHI"));
        s.FRSTKYUM = q.asInt(QStringLiteral("FRSTKYUM"));
    }
    return found;
}

bool LoadMarks(const CompanyYear& company, std::array<TMMARK, MarkCount + 1>& marks) {
    marks.fill(TMMARK());
    TQuery q =
        DM().select(TDM::ACN2, QStringLiteral("SELECT * FROM MMARK WHERE NENDO = ? AND KCO = ?"),
                    {company.nendo, company.kco});
    if (!q.active())
        return false;
    bool any = false;
    for (; !q.eof(); q.next()) {
        const int k = q.asInt(QStringLiteral("MKCO"));
        if (k < 1 || k > 6)
            continue;
        TMMARK& m = marks[size_t(k)];
        m.MKCO = k;
        m.MARK = q.asText(QStringLiteral("MARK"));
        m.HANREI = q.asText(QStringLiteral("HANREI"));
        m.MKCOLOR = q.asText(QStringLiteral("MKCOLOR"));
        m.MKSIZE = q.asInt(QStringLiteral("MKSIZE"));
        m.KCOLOR = q.asText(QStringLiteral("KCOLOR"));
        m.KSYURUI = q.asInt(QStringLiteral("KSYURUI"));
        m.KHABA = q.asInt(QStringLiteral("KHABA"));
        any = true;
    }
    return any;
}

int WageTableAmount(const CompanyYear& company, const QString& gradeText, const QString& stepText) {
    bool stepOk = false;
    const int step = stepText.trimmed().toInt(&stepOk);
    if (!stepOk)
        return 0; // a step that is not a number has no row
    const TQuery q = DM().select(
        TDM::ACN2,
        QStringLiteral("SELECT * FROM DCHINGIN2 WHERE KCO = ? AND NENDO = ? AND GOUHOU = ?"),
        {company.kco, company.nendo, step});
    if (q.eof())
        return 0;
    bool ok = false;
    const int grade = gradeText.trimmed().toInt(&ok);
    if (!ok || grade < 1 || grade > 9)
        return 0;
    const double v = q.asReal(QStringLiteral("KIN%1").arg(grade));
    if (v > 2147483647.0 || v < -2147483648.0) {
        Msg::info(QStringLiteral("賃金表選択でオーバーフローが発生しました。"));
        return 0;
    }
    return int(v);
}
