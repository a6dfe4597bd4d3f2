#include "data/company/BasicSettingsStore.h"

#include "core/common/AppState.h"
#include "core/common/SqlText.h"
#include "data/db/TDM.h"
#include "data/db/Transaction.h"

namespace {

QString colorOrBlack(const QString& text) {
    return text.isEmpty() ? QStringLiteral("clBlack") : text;
}

QString companyYear(const QString& kco, const QString& nendo) {
    return QStringLiteral(" AND NENDO = ") + SqlNumFromText(nendo) + QStringLiteral(" AND KCO = ") +
           SqlNumFromText(kco);
}

} // namespace

void LoadBasicSettings(const QString& kco, const QString& nendo, BasicSettings* s) {
    *s = BasicSettings();
    TDM& dm = DM();
    AppState& st = state();
    TQuery& q1 = dm.Query1;

    st.SqlText = QStringLiteral("SELECT * FROM MKIGYOU1 WHERE NENDO = ") + SqlNumFromText(nendo) +
                 QStringLiteral(" AND KCO = ") + SqlNumFromText(kco);
    if (dm.RunSql(q1, st.SqlText, QLatin1Char('S'))) {
        s->ageBaseOption = q1.asInt(QStringLiteral("FNK")) != 0 ? 1 : 0;
        s->baseDate = q1.asInt(QStringLiteral("KDATE"));
        s->calendarOption = q1.asInt(QStringLiteral("REKI")) != 0 ? 1 : 0;
    }
    q1.close();
    st.AgeBaseDate = s->baseDate;

    st.SqlText = QStringLiteral("SELECT * FROM MSEIGYO WHERE CO = 0");
    if (dm.RunSql(q1, st.SqlText, QLatin1Char('S'))) {
        for (int i = 0; i < 3; ++i) {
            EraEntry& e = s->eras[size_t(i)];
            const QString n = QString::number(i + 1);
            e.name = q1.asText(QStringLiteral("REKI") + n);
            e.startYear = q1.asInt(QStringLiteral("SNEN") + n);
            e.startMonth = q1.asInt(QStringLiteral("STSUKI") + n);
            e.startDay = q1.asInt(QStringLiteral("SHI") + n);
        }
        const int selected = q1.asInt(QStringLiteral("FREKI"));
        s->selectedEra = selected >= 0 && selected <= 2 ? selected : 0;
    }
    q1.close();

    for (MarkStyle& m : s->marks)
        m.markColor = m.lineColor = colorOrBlack(QString());
    for (GraphLineStyle& g : s->graphLines)
        g.color = colorOrBlack(QString());

    TQuery& q21 = dm.Query21;
    st.SqlText = QStringLiteral("SELECT * FROM MMARK WHERE KCO = ") + SqlNumFromText(kco) +
                 QStringLiteral(" AND NENDO = ") + SqlNumFromText(nendo);
    if (dm.RunSql(q21, st.SqlText, QLatin1Char('S'))) {
        for (; !q21.eof(); q21.next()) {
            const int k = q21.asInt(QStringLiteral("MKCO"));
            if (k < 1 || k > 6)
                continue;
            MarkStyle& m = s->marks[size_t(k - 1)];
            m.symbol = q21.asText(QStringLiteral("MARK"));
            m.legend = q21.asText(QStringLiteral("HANREI"));
            m.markColor = colorOrBlack(q21.asText(QStringLiteral("MKCOLOR")));
            m.size = q21.asInt(QStringLiteral("MKSIZE"));
            m.lineColor = colorOrBlack(q21.asText(QStringLiteral("KCOLOR")));
            m.lineKind = q21.asInt(QStringLiteral("KSYURUI"));
            m.lineWidth = q21.asInt(QStringLiteral("KHABA"));
        }
    }
    q21.close();

    st.SqlText = QStringLiteral("SELECT * FROM MGRAPH WHERE KCO = ") + SqlNumFromText(kco) +
                 QStringLiteral(" AND NENDO = ") + SqlNumFromText(nendo);
    if (dm.RunSql(q21, st.SqlText, QLatin1Char('S'))) {
        for (; !q21.eof(); q21.next()) {
            const int g = q21.asInt(QStringLiteral("GSCO"));
            if (g < 1 || g > 4)
                continue;
            GraphLineStyle& l = s->graphLines[size_t(g - 1)];
            l.color = colorOrBlack(q21.asText(QStringLiteral("CCOLOR")));
            l.lineKind = q21.asInt(QStringLiteral("CSYURUI"));
            l.lineWidth = q21.asInt(QStringLiteral("CHABA"));
        }
    }
    q21.close();
}

bool SaveBasicSettings(const QString& kco, const QString& nendo, const BasicSettings& s,
                       SettingsAreas changed) {
    const bool control =
        hasArea(changed, SettingsArea::CompanyOptions) || hasArea(changed, SettingsArea::EraTable);
    const bool data =
        hasArea(changed, SettingsArea::Marks) || hasArea(changed, SettingsArea::Graph);
    if (!control && !data)
        return true;
    const TDM::Files files = control && data ? TDM::Files::Both
                             : control       ? TDM::Files::Control
                                             : TDM::Files::Data;
    TDM& dm = DM();
    AppState& st = state();
    Transaction tx(files, dm);
    if (!tx.ok())
        return false;
    auto run = [&](TQuery& q, const QString& sql) {
        st.SqlText = sql;
        return dm.RunSql(q, sql, QLatin1Char('E'));
    };

    if (hasArea(changed, SettingsArea::CompanyOptions) &&
        !run(dm.Query1, QStringLiteral("UPDATE MKIGYOU1 SET FNK = ") + SqlNum(s.ageBaseOption) +
                            QStringLiteral(", KDATE = ") + SqlNum(s.baseDate) +
                            QStringLiteral(", REKI = ") + SqlNum(s.calendarOption) +
                            QStringLiteral(" WHERE KCO = ") + SqlNumFromText(kco) +
                            QStringLiteral(" AND NENDO = ") + SqlNumFromText(nendo)))
        return false;

    if (hasArea(changed, SettingsArea::EraTable)) {
        QString sql = QStringLiteral("UPDATE MSEIGYO SET ");
        for (int i = 0; i < 3; ++i) {
            const EraEntry& e = s.eras[size_t(i)];
            const QString n = QString::number(i + 1);
            sql += QStringLiteral("REKI%1 = %2, SNEN%1 = %3, STSUKI%1 = %4, SHI%1 = %5, ")
                       .arg(n, SqlQuote(e.name), SqlNum(e.startYear), SqlNum(e.startMonth),
                            SqlNum(e.startDay));
        }
        sql += QStringLiteral("FREKI = ") + SqlNum(s.selectedEra) + QStringLiteral(" WHERE CO = 0");
        if (!run(dm.Query1, sql))
            return false;
    }

    if (hasArea(changed, SettingsArea::Marks)) {
        for (int i = 0; i < 6; ++i) {
            const MarkStyle& m = s.marks[size_t(i)];
            if (!run(dm.Query21, QStringLiteral("UPDATE MMARK SET MARK = ") + SqlQuote(m.symbol) +
                                     QStringLiteral(", HANREI = ") + SqlQuote(m.legend) +
                                     QStringLiteral(", MKCOLOR = ") + SqlQuote(m.markColor) +
                                     QStringLiteral(", MKSIZE = ") + SqlNum(m.size) +
                                     QStringLiteral(", KCOLOR = ") + SqlQuote(m.lineColor) +
                                     QStringLiteral(", KSYURUI = ") + SqlNum(m.lineKind) +
                                     QStringLiteral(", KHABA = ") + SqlNum(m.lineWidth) +
                                     QStringLiteral(" WHERE MKCO = ") + SqlNum(i + 1) +
                                     companyYear(kco, nendo)))
                return false;
        }
    }

    if (hasArea(changed, SettingsArea::Graph)) {
        for (int g = 0; g < 4; ++g) {
            const GraphLineStyle& l = s.graphLines[size_t(g)];
            if (!run(dm.Query21, QStringLiteral("UPDATE MGRAPH SET CCOLOR = ") + SqlQuote(l.color) +
                                     QStringLiteral(", CSYURUI = ") + SqlNum(l.lineKind) +
                                     QStringLiteral(", CHABA = ") + SqlNum(l.lineWidth) +
                                     QStringLiteral(" WHERE GSCO = ") + SqlNum(g + 1) +
                                     companyYear(kco, nendo)))
                return false;
        }
    }

    if (!tx.commit())
        return false;

    // Memory follows the files only once they hold the new values.
    if (hasArea(changed, SettingsArea::CompanyOptions))
        st.AgeBaseDate = s.baseDate;
    if (hasArea(changed, SettingsArea::EraTable)) {
        for (int i = 0; i < 3; ++i) {
            const EraEntry& e = s.eras[size_t(i)];
            st.EraNames[size_t(i + 1)] = e.name;
            st.EraStartYears[size_t(i + 1)] = e.startYear;
            st.EraStartMonths[size_t(i + 1)] = e.startMonth;
            st.EraStartDays[size_t(i + 1)] = e.startDay;
        }
    }
    return true;
}
