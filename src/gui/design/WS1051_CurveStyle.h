#pragma once

#include "data/design/DesignStore.h"

#include <QDialog>

class FieldExits;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "賃金表の分析用グラフ": legend, description, colour, line kind and width of one designed curve,
// for every pair of axis items at once. The style edited is the design screen's, which gives
// it to the designs it inserts afterwards.
class TWS1051 : public QDialog {
    Q_OBJECT
public:
    TWS1051(int curveNo, CurveStyle& style, QWidget* parent);

    // Loads the curve's style and shows the window modally.
    void start();
    void Prepare();

public Q_SLOTS:
    void btnColorClick();
    void btnAddClick();
    void btnCloseClick();
    bool cmbSensyuExit();
    bool cmbSenhabaExit();
    void reject() override;

private:
    void drawSample();

    QLineEdit* txtName;
    QLineEdit* txtHanrei;
    QLineEdit* txtComment;
    QPushButton* btnColor;
    QLabel* Label101;
    QComboBox* cmbSensyu;
    QComboBox* cmbSenhaba;
    QLabel* imgDisp;
    QPushButton* btnAdd;
    QPushButton* btnClose;

    int m_curveNo;
    CurveStyle& m_style;
    FieldExits* m_exits;
};
