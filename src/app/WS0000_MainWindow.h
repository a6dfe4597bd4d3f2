#pragma once

#include "core/project/ProjectCommands.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QFrame;
class QMenu;
class QToolButton;
class TWS0010;
class TWS0030;
class TWS0070;
class TWS1010;
class TWS1100;
class TWS2010;
class TWS2011;

// The main window: menus, the tool panels and the project state machine.
class TWS0000 : public QMainWindow {
    Q_OBJECT
public:
    // appDir: the program folder holding DATA/; empty means the executable's folder.
    explicit TWS0000(const QString& appDir = QString(), QWidget* parent = nullptr);
    ~TWS0000() override;

    // Screens created at start-up (those built so far); owned by this window.
    TWS0010* WS0010 = nullptr;
    TWS0030* WS0030 = nullptr;
    TWS0070* WS0070 = nullptr;
    TWS2010* WS2010 = nullptr;
    TWS2011* WS2011 = nullptr;
    // The wage plot and the plot window, created on first use.
    TWS1010* WS1010 = nullptr;
    TWS1100* WS1100 = nullptr;

    // Enables the commands whose screens exist; call after the screens are created.
    void updateCommands();
    // Caption while a company is open, or the plain caption.
    void setProjectCaption(const QString& caption);
    // Fills the company selection's year box (today's year, 2004 .. next year).
    void RefreshYearList();

    const MainMenuState& menuState() const { return m_ui; }
    QAction* action(const QString& name) const { return m_actions.value(name); }
    QToolButton* button(const QString& name) const { return m_buttons.value(name); }

public Q_SLOTS:
    void mnNewClick();
    void mnOPenClick();
    void mnCloseClick();
    void mnMntClick();
    void mnDltClick();
    void mnBaseClick();
    void mnDBCondClick();
    void mnImportClick();
    void mnExportClick();
    void mnWorkerClick();
    void mnPrintClick();
    void mnSalaryListClick();
    void mnSalaryPlotClick();
    void mnEndClick();
    void BeforeUseClick();
    void mnHELPHClick();
    void mnVersionClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Command;
    void buildMenus();
    void buildToolPanels();
    QAction* addCommand(QMenu* menu, const char* name, const QString& text,
                        void (TWS0000::*slot)());
    QToolButton* addButton(QFrame* panel, const char* name, const QString& caption,
                           const char* commandName);
    QFrame* addPanel(const char* name);
    bool commandBuilt(const QString& name) const;
    void applyMenuState();
    bool refuseWithoutCompany();
    // New, Open, Change, Delete: show the company selection in the state the command set.
    void runSelection(ProjectCommand command);

    MainMenuState m_ui;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QToolButton*> m_buttons;
    QHash<QString, QString> m_buttonCommand; // button name -> command (menu item) name
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QFrame*> m_panels;
};
