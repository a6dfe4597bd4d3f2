#include "core/project/ProjectCommands.h"

QString projectCommandRefusal(ProjectCommand command, int projectState) {
    const bool editsCompany = command == ProjectCommand::New || command == ProjectCommand::Change ||
                              command == ProjectCommand::Delete;
    if (editsCompany && projectState == 4)
        return QStringLiteral("企業の選択を解除して下さい。");
    return {};
}

void startProjectCommand(ProjectCommand command, ProjectStatus& s, MainMenuState& ui) {
    switch (command) {
    case ProjectCommand::New:
        s.state = 1;
        s.chosen = false;
        break;
    case ProjectCommand::Open:
        s.state = 4;
        break;
    case ProjectCommand::Change:
        s.state = 2;
        break;
    case ProjectCommand::Delete:
        s.state = 3;
        break;
    case ProjectCommand::Close:
        s.state = 0;
        s.chosen = false;
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

QString companyRequiredRefusal(const ProjectStatus& s) {
    if (!s.chosen)
        return QStringLiteral("企業の選択がされていません。企業を選択してください。");
    return {};
}
