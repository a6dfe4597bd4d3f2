#include "data/project/Project.h"

#include "core/common/Dates.h"
#include "core/common/Messages.h"
#include "data/db/TDM.h"
#include "data/project/CompanySettingsCache.h"

namespace {
Project* g_current = nullptr;
} // namespace

Project::Project(QObject* parent) : QObject(parent) {
    g_current = this;
}

Project::~Project() {
    if (g_current == this)
        g_current = nullptr;
}

Project* Project::current() {
    return g_current;
}

bool Project::isOpen() const {
    return state().CompanyChosen != 0;
}

CompanyYear Project::companyYear() const {
    const TMKIGYOU2& c = state().CompanySettings;
    return {c.KCO.trimmed().toInt(), c.NENDO.trimmed().toInt()};
}

QString Project::companyName() const {
    return state().SelKna;
}

int Project::eraMode() const {
    return state().EraMode;
}

int Project::ageBaseMode() const {
    return state().AgeBaseMode;
}

int Project::ageBaseDate() const {
    return state().AgeBaseDate;
}

const TMKIGYOU2& Project::settings() const {
    return state().CompanySettings;
}

const std::array<TMMARK, 7>& Project::marks() const {
    return state().Marks;
}

QString Project::caption() const {
    const CompanyYear cy = companyYear();
    return QStringLiteral("【　") + NendoText(eraMode(), cy.nendo) + QStringLiteral(" 年度  :  ") +
           companyName() + QStringLiteral("　】 Tesvane賃金");
}

bool Project::open(const CompanyYear& company) {
    AppState& s = state();
    const TQuery q = DM().select(TDM::ACN1,
                                 QStringLiteral("SELECT KNA, REKI, FNK, KDATE FROM MKIGYOU1 WHERE "
                                                "NENDO = ? AND KCO = ?"),
                                 {company.nendo, company.kco});
    TMKIGYOU2 settings;
    settings.KCO = QString::number(company.kco);
    settings.NENDO = QString::number(company.nendo);
    if (!LoadCompanySettings(settings)) {
        Msg::info(QStringLiteral("企業マスターが存在しません。"));
        return false;
    }
    s.SelKco = company.kco;
    s.SelNendo = company.nendo;
    if (!q.eof()) {
        s.SelKna = q.asText(QStringLiteral("KNA"));
        s.EraMode = q.asInt(QStringLiteral("REKI"));
        s.AgeBaseMode = q.asInt(QStringLiteral("FNK"));
        s.AgeBaseDate = q.asInt(QStringLiteral("KDATE"));
    }
    s.CompanySettings = settings;
    LoadMarks(s.Marks);
    s.CompanyChosen = 1;
    Q_EMIT companyOpened();
    return true;
}

void Project::close() {
    AppState& s = state();
    const bool wasOpen = s.CompanyChosen != 0;
    s.CompanyChosen = 0;
    s.SelKco = 0;
    if (wasOpen)
        Q_EMIT companyClosed();
}

void Project::reloadSettings() {
    if (!isOpen())
        return;
    AppState& s = state();
    const CompanyYear cy = companyYear();
    const TQuery q = DM().select(TDM::ACN1,
                                 QStringLiteral("SELECT KNA, REKI, FNK, KDATE FROM MKIGYOU1 WHERE "
                                                "NENDO = ? AND KCO = ?"),
                                 {cy.nendo, cy.kco});
    if (!q.eof()) {
        s.SelKna = q.asText(QStringLiteral("KNA"));
        s.EraMode = q.asInt(QStringLiteral("REKI"));
        s.AgeBaseMode = q.asInt(QStringLiteral("FNK"));
        s.AgeBaseDate = q.asInt(QStringLiteral("KDATE"));
    }
    LoadCompanySettings(s.CompanySettings);
    LoadMarks(s.Marks);
    Q_EMIT settingsChanged();
}

void Project::announceEmployeesChanged() {
    Q_EMIT employeesChanged();
}

void Project::announceWageTableChanged() {
    Q_EMIT wageTableChanged();
}
