#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class TWS0010;

// Company data: registers, changes or deletes one company for one year.
class TWS0020 : public QDialog {
    Q_OBJECT
public:
    explicit TWS0020(TWS0010* selection, QWidget* parent = nullptr);

    QLineEdit* txtNendo;
    QLineEdit* txtCorpID;
    QPushButton* btnAdd;
    QPushButton* btnMnt;
    QPushButton* btnDlt;
    QPushButton* btnCansel;
    QPushButton* btnClose;

    // Run by the selection after it shows this screen.
    void prepare();
};
