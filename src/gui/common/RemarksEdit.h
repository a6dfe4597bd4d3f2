#pragma once

#include <QPlainTextEdit>

// A box of several lines (remarks, explanations): it keeps line breaks but takes no other
// control character, typed or pasted (a TAB or NUL would break the files and lists the text
// is written to); Tab moves on to the next field.
class RemarksEdit : public QPlainTextEdit {
public:
    explicit RemarksEdit(QWidget* parent = nullptr);

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
