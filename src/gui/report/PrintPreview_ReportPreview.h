#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QScrollBar;
class QSlider;
class TReportView;
namespace Xlsx {
class Workbook;
}

// The workbook of the report a preview shows: its proposed file name and how to compose it.
// Reports without one leave "Excel保存" disabled.
struct PreviewWorkbook {
    QString name;
    std::function<Xlsx::Workbook()> compose;
};

// The print preview: shows the work file a report command has just written, pages and zooms
// through it, prints it, saves it as PDF, and deletes it on 閉じる.
class TfrmPrintPreview : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPrintPreview(QWidget* parent = nullptr);

    // Shows the preview of a work file modally, as every report command does after composing.
    static void Run(QWidget* parent, const QString& workFile, const PreviewWorkbook& workbook = {});

    // The work file shown (the preview file of the report command).
    void setPreviewFile(const QString& path) { m_file = path; }
    const QString& previewFile() const { return m_file; }
    void setWorkbook(const PreviewWorkbook& workbook);

public Q_SLOTS:
    void FormActivate();
    void cmdZoomChange(int position);
    void cmdPageChange(int position);
    void cmdPrintClick();
    void cmdSavePdfClick();
    void cmdSaveXlsxClick();
    void cmdCloseClick();

protected:
    bool event(QEvent* e) override;

private:
    QPushButton* cmdPrint;
    QPushButton* cmdSavePdf;
    QPushButton* cmdSaveXlsx;
    QLabel* labPage;
    QScrollBar* cmdPage;
    QLabel* labZoom;
    QSlider* cmdZoom;
    QPushButton* cmdClose;
    TReportView* PView;

    QString m_file;
    PreviewWorkbook m_workbook;
    bool m_activating = false;
    bool m_closing = false;
};
