#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The usage guide "ご利用案内": pages read from the Before table.
class TBeforeUse : public QDialog {
    Q_OBJECT
public:
    explicit TBeforeUse(QWidget* parent = nullptr);

    int currentEntry() const { return m_current; }
    int entryCount() const { return int(m_titles.size()); }

private:
    void showEntry(int index);

    QLineEdit* ED_Name;
    QPlainTextEdit* ED_Memo;
    QPushButton* BTN_Start;
    QPushButton* BTN_Pre;
    QPushButton* BTN_Next;
    QPushButton* BTN_Last;
    QPushButton* BTN_Close;
    QStringList m_titles;
    QStringList m_texts;
    int m_current = 0;
};
