#include "gui/common/MessageBoxResponder.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>

Msg::Answer MessageBoxResponder::respond(const Msg::Request& r) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(r.caption);
    QString text = r.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(text);
    switch (r.kind) {
    case Msg::Kind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Msg::Kind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Msg::Kind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Msg::Kind::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (r.buttons) {
    case Msg::Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Msg::Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Msg::Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    }
    QCheckBox* check = nullptr;
    if (!r.checkBox.isEmpty() && r.checked) {
        check = new QCheckBox(r.checkBox, &box);
        check->setChecked(*r.checked);
        box.setCheckBox(check);
    }
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    QApplication::restoreOverrideCursor();
    if (check)
        *r.checked = check->isChecked();
    switch (answer) {
    case QMessageBox::Yes:
        return Msg::Answer::Yes;
    case QMessageBox::No:
        return Msg::Answer::No;
    case QMessageBox::Cancel:
        return Msg::Answer::Cancel;
    default:
        return Msg::Answer::Ok;
    }
}
