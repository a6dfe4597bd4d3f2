#pragma once

#include <QWidget>

// The splash screen shown while the screens are created.
class TWS0001 : public QWidget {
    Q_OBJECT
public:
    explicit TWS0001(QWidget* parent = nullptr);
};
