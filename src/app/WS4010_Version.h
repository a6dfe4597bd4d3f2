#pragma once

#include <QDialog>

class QPushButton;

// The version dialog "バージョン情報".
class TWS4010 : public QDialog {
    Q_OBJECT
public:
    explicit TWS4010(QWidget* parent = nullptr);
    QPushButton* btnClose;
};
