#pragma once

#include <QColor>
#include <QString>

class QWidget;
class QPrinter;

// File, colour, print and shell dialogs go through here so tests can answer them.
namespace Dialogs {

class Provider {
public:
    virtual ~Provider() = default;
    // Empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    // The file to write; empty when cancelled. `path` proposes folder and name.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& path,
                                 const QString& filter) = 0;
    // False when cancelled; colour holds the start colour and receives the choice.
    virtual bool chooseColor(QWidget* parent, QColor& colour) = 0;
    virtual bool printerSetup(QWidget* parent, QPrinter& printer) = 0;
    virtual bool printDialog(QWidget* parent, QPrinter& printer) = 0;
    // Opens a document with the desktop's program; false when that failed.
    virtual bool openDocument(const QString& path) = 0;
};

// Installs a provider (not owned); nullptr restores the real dialogs.
void setProvider(Provider* provider);

QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                     const QString& filter);
QString saveFileName(QWidget* parent, const QString& caption, const QString& path,
                     const QString& filter);
bool chooseColor(QWidget* parent, QColor& colour);
bool printerSetup(QWidget* parent);
bool printDialog(QWidget* parent, QPrinter& printer);
bool openDocument(const QString& path);

// The printer that printer setup configures and every print starts from.
QPrinter& sharedPrinter();

} // namespace Dialogs
