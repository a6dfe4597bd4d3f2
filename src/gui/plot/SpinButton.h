#pragma once

#include <QWidget>

class QToolButton;

// Up and down arrows beside a number box: each click steps the box by 1 within the bounds.
class TSpinButton : public QWidget {
    Q_OBJECT
public:
    explicit TSpinButton(QWidget* parent = nullptr);

    void setBounds(int lowest, int highest);
    int lowest() const { return m_lowest; }
    int highest() const { return m_highest; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

Q_SIGNALS:
    // +1 or -1
    void stepped(int delta);

private:
    QToolButton* m_up;
    QToolButton* m_down;
    int m_lowest = 0;
    int m_highest = 0;
};
