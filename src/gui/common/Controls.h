#pragma once

#include <QString>
#include <Qt>

#include <QList>
#include <utility>

class QComboBox;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
struct DateFields;

// The few ways the screens make their controls, so every screen builds them alike.

template <class W> W* Named(W* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

// A maximum length or width of 0 leaves the control's own; so does an empty alignment.
QLineEdit* TextEdit(QWidget* parent, const QString& name, int maxLength = 0, int width = 0,
                    Qt::Alignment align = {});
// Numbers and amounts.
QLineEdit* RightEdit(QWidget* parent, const QString& name, int maxLength = 0, int width = 0);
QLineEdit* CentredEdit(QWidget* parent, const QString& name, int maxLength = 0, int width = 0);

// A field's caption, centred vertically; `align` places it across.
QLabel* FieldCaption(QWidget* parent, const QString& text, Qt::Alignment align = Qt::AlignRight);

// Typed codes: the list offers the known ones, a typed one is looked up, never added.
QComboBox* CodeBox(QWidget* parent, const QString& name, int width = 0);
QComboBox* EraBox(QWidget* parent, const QString& name, int width);

// Enter belongs to the field's exit check, not to a default button.
// The raised yellow panel of the plot window's pop-ups.
QFrame* YellowPanel(QWidget* parent, const QString& name);

QPushButton* CommandButton(QWidget* parent, const QString& name, const QString& text,
                           Qt::FocusPolicy focus = Qt::StrongFocus);

// A date's era box and year, month and day edits in a row, with 年, 月 and 日 between them.
QHBoxLayout* DateRow(QWidget* parent, const DateFields& fields);

// A titled group of radio buttons above each other: {objectName, caption} each. The buttons
// come back in the order given.
QList<QRadioButton*> RadioGroup(QWidget* parent, const QString& groupName, const QString& title,
                                const QList<std::pair<QString, QString>>& buttons,
                                QGroupBox** group = nullptr);
