#pragma once

#include "gui/common/Dialogs.h"
#include "support/data/TestSupport.h"

#include <QColor>
#include <QStringList>
#include <QVector>
#include <QWidget>

// Answers file, colour, print and shell dialogs from a script.
class ScriptedDialogs : public Dialogs::Provider {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    QStringList fileAnswers; // taken in order; empty list answers "cancelled"
    QStringList saveAnswers; // the same for save-file dialogs
    int saveCalls = 0;
    QVector<QColor> colourAnswers;
    bool printerSetupAnswer = true;
    bool printAnswer = true;
    int printCalls = 0;
    // When set, an accepted print dialog sends the print to this PDF file.
    QString printToPdf;
    bool openDocumentAnswer = true;
    QStringList openedDocuments;
    int printerSetupCalls = 0;

    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override;
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override;
    bool chooseColor(QWidget*, QColor& colour) override;
    bool printerSetup(QWidget*, QPrinter&) override;
    bool printDialog(QWidget*, QPrinter&) override;
    bool openDocument(const QString& path) override;
};

// A window's caption as the user sees it while nothing is changed (without "[*]").
QString ShownTitle(const QWidget& window);

// A control of a screen by its objectName; the test stops when there is none.
template <class W = QWidget> W* Control(const QObject& screen, const QString& name) {
    W* w = screen.findChild<W*>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

// The test environment of a screen: databases, scripted messages and scripted dialogs.
class ScreenEnvironment : public TestEnvironment {
public:
    using TestEnvironment::TestEnvironment;
    ScriptedDialogs dialogs;
};
