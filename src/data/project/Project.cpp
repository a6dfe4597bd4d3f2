#include "data/project/Project.h"

#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "data/company/CompanyStore.h"
#include "data/project/CompanySettingsCache.h"
#include "data/project/EraTable.h"

namespace {
Project* g_current = nullptr;
} // namespace

Project::Project(QObject* parent) : QObject(parent) {
    g_current = this;
    SetChangeListener([this](const DataChange& c) { changed(c); });
}

Project::~Project() {
    if (g_current == this) {
        g_current = nullptr;
        SetChangeListener({});
    }
}

Project* Project::current() {
    return g_current;
}

QString Project::caption() const {
    return QStringLiteral("【　") + NendoText(m_eraMode, m_company.nendo) +
           QStringLiteral(" 年度  :  ") + m_name + QStringLiteral("　】 Tesvane賃金");
}

void Project::readOptions() {
    if (const std::optional<CompanyOptions> o = LoadCompanyOptions(m_company)) {
        m_name = o->name;
        m_eraMode = o->eraMode;
        m_ageBase = {o->ageBaseMode, o->ageBaseDate};
    }
}

bool Project::open(const CompanyYear& company) {
    TMKIGYOU2 settings;
    if (!LoadCompanySettings(company, settings)) {
        Msg::info(MsgText::NoCompanyMaster());
        return false;
    }
    m_company = company;
    m_name.clear();
    m_eraMode = 0;
    m_ageBase = AgeBase();
    readOptions();
    m_settings = settings;
    LoadMarks(company, m_marks);
    m_status.chosen = true;
    Q_EMIT companyOpened();
    return true;
}

void Project::close() {
    const bool wasOpen = m_status.chosen;
    m_status.chosen = false;
    m_company = CompanyYear();
    m_settings = TMKIGYOU2();
    m_marks = {};
    if (wasOpen)
        Q_EMIT companyClosed();
}

void Project::reloadSettings() {
    LoadEraTable();
    if (isOpen()) {
        // The calendar and age-base options take effect when the company is opened again;
        // a new base date counts at once.
        if (const std::optional<CompanyOptions> o = LoadCompanyOptions(m_company))
            m_ageBase.date = o->ageBaseDate;
        LoadCompanySettings(m_company, m_settings);
        LoadMarks(m_company, m_marks);
    }
    Q_EMIT settingsChanged();
}

void Project::changed(const DataChange& c) {
    const bool sharedByAll = c.what == DataChange::What::Settings && c.company.kco == 0;
    if (!sharedByAll && (!isOpen() || !(c.company == m_company)))
        return;
    switch (c.what) {
    case DataChange::What::Employees:
        Q_EMIT employeesChanged(c.employees);
        break;
    case DataChange::What::WageTable:
        Q_EMIT wageTableChanged();
        break;
    case DataChange::What::Settings:
        reloadSettings();
        break;
    }
}
