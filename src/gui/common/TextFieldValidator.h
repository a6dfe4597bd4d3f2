#pragma once

#include <QValidator>

class QLineEdit;

// What a one-line text box takes from the keyboard or a paste: no control character (NUL, TAB,
// line breaks: they would cut or break the text where it is stored or written out) and no
// growth past the field's length. A longer text the box is given (stored before such limits)
// is shown whole and may be shortened, never cut on its way in or out.
class TextFieldValidator : public QValidator {
public:
    // limit 0: any length.
    TextFieldValidator(QLineEdit* edit, int limit);
    State validate(QString& input, int& pos) const override;

private:
    QLineEdit* m_edit;
    int m_limit;
    mutable qsizetype m_given = 0; // length of the text the program last put there
};
