#include "data/project/CompanySettingsCache.h"

#include "core/common/Messages.h"
#include "core/common/SqlText.h"
#include "data/db/TDM.h"

namespace {

// Company code and year from the cache go into SQL as numbers, never as raw text.
QString numText(const QString& text) {
    return SqlNumFromText(text);
}

} // namespace

bool LoadCompanySettings(TMKIGYOU2& s) {
    s.clearLoaded();
    TQuery& q = DM().Query21;
    const QString sql = QStringLiteral("SELECT * FROM MKIGYOU2 WHERE NENDO = ") + numText(s.NENDO) +
                        QStringLiteral(" AND KCO = ") + numText(s.KCO);
    if (!DM().RunSql(q, sql, QLatin1Char('S')))
        return false;
    bool found = false;
    if (!q.eof()) {
        found = true;
        s.KNA = q.asText(QStringLiteral("KNA"));
        s.CYOUSAHI = q.asInt(QStringLiteral("CYOUSAHI"));
        s.BEARITSU = q.asReal(QStringLiteral("BEARITSU"));
        s.TAIKEI = q.asText(QStringLiteral("TAIKEI"));
        for (int i = 1; i <= 3; ++i)
            s.KKNA[size_t(i)] = q.asText(QStringLiteral("KKNA%1").arg(i));
        for (int i = 1; i <= 5; ++i)
            s.TNA[size_t(i)] = q.asText(QStringLiteral("TNA%1").arg(i));
        s.MCCO = q.asInt(QStringLiteral("MCCO"));
        s.MDCO = q.asInt(QStringLiteral("MDCO"));
        for (int i = 1; i <= 9; ++i)
            s.TK[size_t(i)] = q.asText(QStringLiteral("TK0%1").arg(i));
        s.FRSTKYU = q.asInt(QStringLiteral("FRSTKYU"));
        s.SKCO = q.asInt(QStringLiteral("SKCO"));
        s.SYOUKYUHI = q.asInt(QStringLiteral("SYOUKYUHI"));
        s.FRSTKYUM = q.asInt(QStringLiteral("FRSTKYUM"));
    }
    q.close();
    return found;
}

bool LoadMarks(std::array<TMMARK, 7>& marks) {
    marks.fill(TMMARK());
    const TMKIGYOU2& s = state().CompanySettings;
    TQuery& q = DM().Query21;
    const QString sql = QStringLiteral("SELECT * FROM MMARK WHERE NENDO = ") + numText(s.NENDO) +
                        QStringLiteral(" AND KCO = ") + numText(s.KCO);
    if (!DM().RunSql(q, sql, QLatin1Char('S')))
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
    q.close();
    return any;
}

int WageTableAmount(const QString& gradeText, const QString& stepText) {
    const TMKIGYOU2& s = state().CompanySettings;
    bool stepOk = false;
    const int step = stepText.trimmed().toInt(&stepOk);
    if (!stepOk)
        return 0; // a step that is not a number has no row
    TQuery& q = DM().Query21;
    const QString sql = QStringLiteral("SELECT * FROM DCHINGIN2 WHERE KCO = ") + numText(s.KCO) +
                        QStringLiteral(" AND NENDO = ") + numText(s.NENDO) +
                        QStringLiteral(" AND GOUHOU = ") + SqlNum(step);
    if (!DM().RunSql(q, sql, QLatin1Char('S'))) {
        return 0;
    }
    int amount = 0;
    if (!q.eof()) {
        bool ok = false;
        const int grade = gradeText.trimmed().toInt(&ok);
        if (ok && grade >= 1 && grade <= 9) {
            const double v = q.asReal(QStringLiteral("KIN%1").arg(grade));
            if (v > 2147483647.0 || v < -2147483648.0) {
                q.close();
                Msg::info(QStringLiteral("賃金表選択でオーバーフローが発生しました。"));
                return 0;
            }
            amount = int(v);
        }
    }
    q.close();
    return amount;
}
