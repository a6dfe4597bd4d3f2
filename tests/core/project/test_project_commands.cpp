#include "core/project/ProjectCommands.h"

#include <QtTest>

class TestProjectCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusals() {
        const QString refuse = QStringLiteral("企業の選択を解除して下さい。");
        for (int st = 0; st <= 4; ++st) {
            const QString expected = st == 4 ? refuse : QString();
            QCOMPARE(projectCommandRefusal(ProjectCommand::New, st), expected);
            QCOMPARE(projectCommandRefusal(ProjectCommand::Change, st), expected);
            QCOMPARE(projectCommandRefusal(ProjectCommand::Delete, st), expected);
            QCOMPARE(projectCommandRefusal(ProjectCommand::Open, st), QString());
            QCOMPARE(projectCommandRefusal(ProjectCommand::Close, st), QString());
        }
    }

    void transitionsAndWhatTheyShow() {
        ProjectStatus s;
        MainMenuState ui;
        s.chosen = true;
        startProjectCommand(ProjectCommand::New, s, ui);
        QCOMPARE(s.state, 1);
        QVERIFY(!s.chosen);
        finishProjectCommand(ProjectCommand::New, ui);
        QVERIFY(ui.mnData && ui.panelEarlySet && !ui.analysisMenus && ui.btnMdb);
        // Change after New keeps what New showed.
        startProjectCommand(ProjectCommand::Change, s, ui);
        finishProjectCommand(ProjectCommand::Change, ui);
        QCOMPARE(s.state, 2);
        QVERIFY(ui.mnData && ui.panelEarlySet);
        startProjectCommand(ProjectCommand::Delete, s, ui);
        QCOMPARE(s.state, 3);
        startProjectCommand(ProjectCommand::Open, s, ui);
        finishProjectCommand(ProjectCommand::Open, ui);
        QCOMPARE(s.state, 4);
        QVERIFY(ui.mnData && ui.analysisMenus && ui.panelEarlySet && !ui.btnMdb);
        QVERIFY(!ui.resultPanels);
        employeeScreenClosed(ui);
        QVERIFY(ui.resultPanels);
        s.chosen = true;
        startProjectCommand(ProjectCommand::Close, s, ui);
        QCOMPARE(s.state, 0);
        QVERIFY(!s.chosen);
        QVERIFY(!ui.mnData && !ui.analysisMenus && !ui.panelEarlySet && !ui.resultPanels &&
                ui.btnMdb);
    }

    void yearsOffered() {
        const QVector<int> years = selectionYears(2026);
        QCOMPARE(years.first(), 2004);
        QCOMPARE(years.last(), 2027);
        QCOMPARE(years.size(), 24);
        QVERIFY(selectionYears(2002).isEmpty());
        QCOMPARE(selectionYears(2003), QVector<int>({2004}));
    }

    void companyRequired() {
        ProjectStatus s;
        QCOMPARE(companyRequiredRefusal(s),
                 QStringLiteral("企業の選択がされていません。企業を選択してください。"));
        s.chosen = true;
        QCOMPARE(companyRequiredRefusal(s), QString());
    }
};

QTEST_GUILESS_MAIN(TestProjectCommands)
#include "test_project_commands.moc"
