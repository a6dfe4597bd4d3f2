#pragma once

#include "core/common/AppState.h"
#include "core/common/CompanyYear.h"

#include <QObject>
#include <array>

// The open company project: which company and year, its settings row, its plot marks and its
// display options; and the announcements through which screens learn that another screen
// changed data. Screens read the project from here and announce their changes here; windows
// that stay open (a plot, a preview) listen to the signals.
class Project : public QObject {
    Q_OBJECT
public:
    explicit Project(QObject* parent = nullptr);
    ~Project() override;

    // The program's project; null before start-up.
    static Project* current();

    bool isOpen() const;
    CompanyYear companyYear() const;
    QString companyName() const;
    // Date display (0 western, else era years), age base option and date of the company.
    int eraMode() const;
    int ageBaseMode() const;
    int ageBaseDate() const;
    const TMKIGYOU2& settings() const;
    const std::array<TMMARK, 7>& marks() const;
    // "【　2023 年度  :  サンプル企業　】 Tesvane賃金" while a company is open.
    QString caption() const;

    // Opens a company year: its MKIGYOU1 options, MKIGYOU2 settings and marks. False (nothing
    // opened, "企業マスターが存在しません。" shown) when the company has no settings row.
    bool open(const CompanyYear& company);
    // Closes the open company (no question asked).
    void close();
    // Reads the settings and marks again after a screen saved them.
    void reloadSettings();

    void announceEmployeesChanged();
    void announceWageTableChanged();

Q_SIGNALS:
    void companyOpened();
    void companyClosed();
    void employeesChanged();
    void wageTableChanged();
    void settingsChanged();
};
