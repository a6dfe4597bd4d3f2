#include "support/gui/ScriptedDialogs.h"

#include <QPrinter>

ScriptedDialogs::ScriptedDialogs() {
    Dialogs::setProvider(this);
}
ScriptedDialogs::~ScriptedDialogs() {
    Dialogs::setProvider(nullptr);
}

QString ScriptedDialogs::openFileName(QWidget*, const QString&, const QString&, const QString&) {
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString&, const QString&, const QString&) {
    ++saveCalls;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

bool ScriptedDialogs::chooseColor(QWidget*, QColor& colour) {
    if (colourAnswers.isEmpty())
        return false;
    colour = colourAnswers.takeFirst();
    return true;
}

bool ScriptedDialogs::printerSetup(QWidget*, QPrinter&) {
    ++printerSetupCalls;
    return printerSetupAnswer;
}

bool ScriptedDialogs::printDialog(QWidget*, QPrinter& printer) {
    ++printCalls;
    if (printAnswer && !printToPdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToPdf);
    }
    return printAnswer;
}

bool ScriptedDialogs::openDocument(const QString& path) {
    openedDocuments << path;
    return openDocumentAnswer;
}

QString ShownTitle(const QWidget& window) {
    QString title = window.windowTitle();
    title.remove(QStringLiteral("[*]"));
    return title;
}
