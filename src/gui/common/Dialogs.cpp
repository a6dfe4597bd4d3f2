#include "gui/common/Dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace Dialogs {

namespace {

class RealDialogs : public Provider {
public:
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    }
    QString saveFileName(QWidget* parent, const QString& caption, const QString& path,
                         const QString& filter) override {
        return QFileDialog::getSaveFileName(parent, caption, path, filter);
    }
    bool chooseColor(QWidget* parent, QColor& colour) override {
        QColor c = QColorDialog::getColor(colour, parent);
        if (!c.isValid())
            return false;
        colour = c;
        return true;
    }
    bool printerSetup(QWidget* parent, QPrinter& printer) override {
        QPageSetupDialog dlg(&printer, parent);
        return dlg.exec() == QDialog::Accepted;
    }
    bool printDialog(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dlg(&printer, parent);
        return dlg.exec() == QDialog::Accepted;
    }
    bool openDocument(const QString& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

RealDialogs g_real;
Provider* g_provider = &g_real;

} // namespace

void setProvider(Provider* provider) {
    g_provider = provider ? provider : &g_real;
}

QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                     const QString& filter) {
    return g_provider->openFileName(parent, caption, dir, filter);
}
QString saveFileName(QWidget* parent, const QString& caption, const QString& path,
                     const QString& filter) {
    return g_provider->saveFileName(parent, caption, path, filter);
}
bool chooseColor(QWidget* parent, QColor& colour) {
    return g_provider->chooseColor(parent, colour);
}
bool printerSetup(QWidget* parent) {
    return g_provider->printerSetup(parent, sharedPrinter());
}
bool printDialog(QWidget* parent, QPrinter& printer) {
    return g_provider->printDialog(parent, printer);
}
bool openDocument(const QString& path) {
    return g_provider->openDocument(path);
}

QPrinter& sharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

} // namespace Dialogs
