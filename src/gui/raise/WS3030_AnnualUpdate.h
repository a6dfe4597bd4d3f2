#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

// Annual update: rolls a company over from a fiscal year into the next.
class TWS3030 : public QDialog {
    Q_OBJECT
public:
    explicit TWS3030(QWidget* parent = nullptr);
    ~TWS3030() override;

    // Fills the year and company lists for the open project and shows the screen modally.
    void start();
    // What start does before showing.
    void prepare();

public Q_SLOTS:
    void btnAddClick();
    void btnCloseClick();

private:
    QComboBox* cmbNendo;
    QComboBox* cmbCorpName;
    QPushButton* btnAdd;
    QPushButton* btnClose;
};
