#pragma once

#include "core/masters/EmployeeCsv.h"

#include <QDialog>

class ImportSheetModel;
class QLineEdit;
class QPushButton;
class QTableView;

// Employee import: reads a CSV file into a check grid and, when no row is faulty, stores its
// rows as new employees of the open company year. Created for each use.
class TfrmImportWorker : public QDialog {
    Q_OBJECT
public:
    explicit TfrmImportWorker(QWidget* parent = nullptr);
    ~TfrmImportWorker() override;

    const ImportSheet& sheet() const;

public Q_SLOTS:
    void BTN_SelectFileClick();
    void BTN_CheckClick();
    void BTN_AddClick();
    void BTN_RepClick();
    void BTN_CloseClick();

private:
    QLineEdit* EB_FileName;
    QPushButton* BTN_SelectFile;
    QPushButton* BTN_Check;
    QPushButton* BTN_Add;
    QPushButton* BTN_Rep;
    QPushButton* BTN_Close;
    QTableView* GRDCowork;


    void store(bool replace);

    ImportSheetModel* m_model;
};
