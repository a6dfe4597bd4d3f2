#pragma once

#include "core/common/CompanySettings.h"
#include "core/common/CompanyYear.h"
#include "core/common/Dates.h"
#include "core/project/ProjectCommands.h"
#include "data/db/DataChange.h"

#include <QObject>
#include <QVector>
#include <array>

// The open company project: which company and year, its settings row, its plot marks and its
// display options, and the main window's project state; and the signals through which windows
// that stay open (a plot, a preview) learn that the open year's data changed. The stores
// announce what they committed (DataChange); the project passes on what concerns the open
// company year.
class Project : public QObject {
    Q_OBJECT
public:
    explicit Project(QObject* parent = nullptr);
    ~Project() override;

    // The program's project; null before start-up.
    static Project* current();

    bool isOpen() const { return m_status.chosen; }
    CompanyYear companyYear() const { return m_company; }
    QString companyName() const { return m_name; }
    // Date display: 0 western years, else era years.
    int eraMode() const { return m_eraMode; }
    AgeBase ageBase() const { return m_ageBase; }
    const TMKIGYOU2& settings() const { return m_settings; }
    const std::array<TMMARK, MarkCount + 1>& marks() const { return m_marks; }
    // "【　2023 年度  :  サンプル企業　】 Tesvane賃金" while a company is open.
    QString caption() const;

    // The main window's project state (New, Open, Change, Delete, Close).
    ProjectStatus& status() { return m_status; }
    const ProjectStatus& status() const { return m_status; }

    // Opens a company year: its MKIGYOU1 options, MKIGYOU2 settings and marks. False (nothing
    // opened, "企業マスターが存在しません。" shown) when the company has no settings row.
    bool open(const CompanyYear& company);
    // Closes the open company (no question asked).
    void close();
Q_SIGNALS:
    void companyOpened();
    void companyClosed();
    // employees: the codes changed; empty when any of the year's employees may have changed.
    void employeesChanged(const QVector<int>& employees);
    void wageTableChanged();
    // After the project has read its settings, era table and marks again.
    void settingsChanged();

private:
    void readOptions();
    // A store committed a change (or found another person's): passed on when it concerns the
    // open company year (settings: also the era table all companies share).
    void changed(const DataChange& change);
    // Reads the era table, the age base date, settings and marks again; the calendar and
    // age-base options change when the company is opened again.
    void reloadSettings();

    ProjectStatus m_status;
    CompanyYear m_company;
    QString m_name;
    int m_eraMode = 0;
    AgeBase m_ageBase;
    TMKIGYOU2 m_settings;
    std::array<TMMARK, MarkCount + 1> m_marks;
};
