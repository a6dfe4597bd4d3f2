#include "core/project/ProjectCommands.h"

#include "core/common/AppState.h"

QString projectCommandRefusal(ProjectCommand command, int projectState) {
    const bool editsCompany = command == ProjectCommand::New || command == ProjectCommand::Change ||
                              command == ProjectCommand::Delete;
    if (editsCompany && projectState == 4)
        return QStringLiteral("企業の選択を解除して下さい。");
    return {};
}

void startProjectCommand(ProjectCommand command, AppState& s, MainMenuState& ui) {
    switch (command) {
    case ProjectCommand::New:
        s.ProjectState = 1;
        s.CompanyChosen = 0;
        break;
    case ProjectCommand::Open:
        s.ProjectState = 4;
        break;
    case ProjectCommand::Change:
        s.ProjectState = 2;
        break;
    case ProjectCommand::Delete:
        s.ProjectState = 3;
        break;
    case ProjectCommand::Close:
        s.ProjectState = 0;
        s.SelKco = 0;
        s.CompanyChosen = 0;
        ui = MainMenuState();
        break;
    }
}

void finishProjectCommand(ProjectCommand command, MainMenuState& ui) {
    switch (command) {
    case ProjectCommand::New:
        ui.mnData = true;
        ui.panelEarlySet = true;
        break;
    case ProjectCommand::Open:
        ui.btnMdb = false;
        ui.mnData = true;
        ui.analysisMenus = true;
        ui.panelEarlySet = true;
        break;
    case ProjectCommand::Change:
    case ProjectCommand::Delete:
    case ProjectCommand::Close:
        break;
    }
}

void employeeScreenClosed(MainMenuState& ui) {
    ui.resultPanels = true;
}

QVector<int> selectionYears(int todayYear) {
    QVector<int> years;
    for (int y = 2004; y <= todayYear + 1; ++y)
        years << y;
    return years;
}

QString companyRequiredRefusal(const AppState& s) {
    if (s.CompanyChosen == 0)
        return QStringLiteral("企業の選択がされていません。企業を選択してください。");
    return {};
}
