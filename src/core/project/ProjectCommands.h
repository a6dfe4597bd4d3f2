#pragma once

#include <QString>
#include <QVector>

// What the main window enables and shows, as the project commands leave it.
struct MainMenuState {
    bool mnData = false;
    bool analysisMenus = false; // mnGraph, mnSalary, mnSalaryUp, mnReport
    bool panelEarlySet = false;
    bool resultPanels = false; // Panel_Plot, Panel_WTable, Panel_Report
    bool btnMdb = true;
};

enum class ProjectCommand { New, Open, Change, Delete, Close };

// The main window's project state: 0 none, 1 creating, 2 changing, 3 deleting, 4 opening a
// company; and whether a company is chosen (open).
struct ProjectStatus {
    int state = 0;
    bool chosen = false;
};

// The message that refuses the command in the current project state; empty when allowed.
QString projectCommandRefusal(ProjectCommand command, int projectState);
// State changes made when the command starts, before the company selection shows.
void startProjectCommand(ProjectCommand command, ProjectStatus& status, MainMenuState& ui);
// Changes made after the company selection has closed.
void finishProjectCommand(ProjectCommand command, MainMenuState& ui);
// The employee screen has closed: the analysis tool panels appear.
void employeeScreenClosed(MainMenuState& ui);

// Years offered in the company selection: 2004 up to the year after this one.
QVector<int> selectionYears(int todayYear);

// "企業の選択がされていません。企業を選択してください。" when no company is chosen, else empty.
QString companyRequiredRefusal(const ProjectStatus& status);
