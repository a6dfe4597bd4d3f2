#pragma once

#include "core/plot/PointPopup.h"

#include <QWidget>
#include <array>

class QLabel;

// A pop-up of one plotted employee: profile, evaluations, career or pay. One window per point
// and kind; a click anywhere on it closes it.
class TWS1101 : public QWidget {
    Q_OBJECT
public:
    TWS1101(int sco, int kind, QWidget* parent);

    void fill(const QString& band, const PopupContent& content);
    int sco() const { return m_sco; }
    int kind() const { return m_kind; }

Q_SIGNALS:
    void popupClosed(int sco, int kind);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* Label1;                    // the band with code and name
    std::array<QLabel*, 6> labTitle{}; // [1..5]
    std::array<QLabel*, 6> Caption{};  // [1..5]
    int m_sco;
    int m_kind;
};
