#pragma once

#include "core/report/GroupReport.h"
#include "core/report/ReportEngine.h"

#include <QDialog>

class FieldExits;
class QComboBox;
class QLineEdit;
class QPushButton;

// The group reports: the employees of the open company year in a range of marks and grades,
// grouped by mark, as the wage report (kind 2) or the raise report (kind 1).
class TWS0090 : public QDialog {
    Q_OBJECT
public:
    explicit TWS0090(QWidget* parent = nullptr);
    ~TWS0090() override;

    // Kind 1 the raise report, 2 the wage report: the caption of the kind, the screen
    // prepared and shown modally.
    void start(int reportKind);
    // What start does before showing: the kind and its caption; the boxes and name fields
    // emptied, the ranges reset and the lists filled.
    void prepare(int reportKind);

    int reportKind() const { return m_reportKind; }
    // The work file of the last print, for the preview; empty when nothing was composed.
    const QString& previewFile() const { return m_previewFile; }
    int markFrom() const { return m_markFrom; }
    int markTo() const { return m_markTo; }
    int gradeFrom() const { return m_gradeFrom; }
    int gradeTo() const { return m_gradeTo; }

public Q_SLOTS:
    void btnPrintClick();
    void btnCloseClick();

private:
    QPushButton* btnPrint;
    QPushButton* btnClose;
    QComboBox* cmbMarkSTart;
    QComboBox* cmbMarkEnd;
    QLineEdit* txtMarkStart;
    QLineEdit* txtMarkEnd;
    QComboBox* cmbTokyuSTart;
    QComboBox* cmbTokyuEnd;
    QLineEdit* txtTokyuStart;
    QLineEdit* txtTokyuEnd;
    ReportEngine JIVE;
    // What the last print composed, for the preview's workbook.
    GroupReportHeader m_header;
    QVector<GroupReportEmployee> m_employees;

    bool markExit(QComboBox* box, QLineEdit* name, int& range, int fallback);
    bool gradeExit(QComboBox* box, QLineEdit* name, int& range, int fallback);
    // Composes the report of the kind into the work file; false when nothing was composed.
    bool compose();

    FieldExits* m_exits;
    int m_reportKind = 2;
    QString m_previewFile;
    int m_markFrom = 1;
    int m_markTo = 6;
    int m_gradeFrom = 1;
    int m_gradeTo = 9;
};
