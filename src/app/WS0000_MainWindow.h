#pragma once

#include "core/project/ProjectCommands.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class Project;
class QAction;
class QFrame;
class QMenu;
class QToolButton;

// The main window: menus, the tool panels and the project state machine. Its commands are one
// table; a command's screen is made on first use and kept.
class TWS0000 : public QMainWindow {
    Q_OBJECT
public:
    // appDir: the program folder holding DATA/; empty means the executable's folder. The
    // project must exist.
    explicit TWS0000(const QString& appDir = QString(), QWidget* parent = nullptr);
    ~TWS0000() override;

    const MainMenuState& menuState() const { return m_ui; }
    QAction* action(const QString& name) const { return m_actions.value(name); }
    QToolButton* button(const QString& name) const { return m_buttons.value(name); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // A command of the menus and tool buttons: what runs it, and whether it needs an open
    // company ("企業の選択がされていません。…" otherwise).
    struct Command {
        bool needsCompany = false;
        std::function<void()> run;
    };

    void buildMenus();
    void buildToolPanels();
    void buildCommandTable();
    QAction* addCommand(QMenu* menu, const char* name, const QString& text);
    QToolButton* addButton(QFrame* panel, const char* name, const QString& caption,
                           const char* commandName);
    QFrame* addPanel(const char* name);
    void runCommand(const QString& name);
    void applyMenuState();
    bool refuseWithoutCompany();
    // The screen of a type, made on first use with this window as its parent.
    template <class Screen> Screen* screenFor();

    // New, Open, Change, Delete: the company selection in the state the command set.
    void runSelection(ProjectCommand command);
    void closeProject();
    void compactDatabases();
    void openHelp();

    Project& m_project;
    MainMenuState m_ui;
    QHash<QString, Command> m_commands; // by menu item name
    QHash<QString, QAction*> m_actions;
    QHash<QString, QToolButton*> m_buttons;
    QHash<QString, QString> m_buttonCommand; // button name -> command (menu item) name
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QFrame*> m_panels;
    QHash<QByteArray, QPointer<QWidget>> m_screens; // by class name
};
