#include "gui/report/PrintPreview_ReportPreview.h"

#include "core/common/Messages.h"
#include "gui/common/Controls.h"
#include "gui/common/Dialogs.h"
#include "gui/common/DocumentsFolder.h"
#include "gui/common/Hourglass.h"
#include "gui/common/WorkbookSave.h"
#include "gui/report/ReportView.h"
#include "render/report/ReportPainter.h"
#include "render/workbook/Workbook.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

TfrmPrintPreview::TfrmPrintPreview(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPrintPreview"));
    setWindowTitle(QStringLiteral("印刷プレピュー"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);

    cmdPrint = CommandButton(this, QStringLiteral("cmdPrint"), QStringLiteral("印刷(&P)"));
    cmdSavePdf = CommandButton(this, QStringLiteral("cmdSavePdf"), QStringLiteral("PDF保存"));
    cmdSaveXlsx = CommandButton(this, QStringLiteral("cmdSaveXlsx"), QStringLiteral("Excel保存"));
    cmdSaveXlsx->setEnabled(false);
    cmdClose = CommandButton(this, QStringLiteral("cmdClose"), QStringLiteral("閉じる(&C)"));
    labPage = Named(new QLabel(QStringLiteral("頁 1/1"), this), QStringLiteral("labPage"));
    labPage->setMinimumWidth(90);
    cmdPage = Named(new QScrollBar(Qt::Horizontal, this), QStringLiteral("cmdPage"));
    cmdPage->setRange(1, 1);
    cmdPage->setPageStep(1);
    cmdPage->setFixedWidth(180);
    labZoom = Named(new QLabel(QStringLiteral("拡大率100%"), this), QStringLiteral("labZoom"));
    labZoom->setMinimumWidth(90);
    cmdZoom = Named(new QSlider(Qt::Horizontal, this), QStringLiteral("cmdZoom"));
    cmdZoom->setRange(1, 6);
    cmdZoom->setValue(4);
    cmdZoom->setPageStep(1);
    cmdZoom->setTickPosition(QSlider::TicksBelow);
    cmdZoom->setFixedWidth(150);
    PView = new TReportView(this);

    auto* bar = new QHBoxLayout;
    bar->addWidget(cmdPrint);
    bar->addWidget(cmdSavePdf);
    bar->addWidget(cmdSaveXlsx);
    bar->addSpacing(24);
    bar->addWidget(labPage);
    bar->addWidget(cmdPage);
    bar->addSpacing(24);
    bar->addWidget(labZoom);
    bar->addWidget(cmdZoom);
    bar->addStretch(1);
    bar->addWidget(cmdClose);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    v->addLayout(bar);
    v->addWidget(PView, 1);

    connect(cmdPrint, &QPushButton::clicked, this, &TfrmPrintPreview::cmdPrintClick);
    connect(cmdSavePdf, &QPushButton::clicked, this, &TfrmPrintPreview::cmdSavePdfClick);
    connect(cmdSaveXlsx, &QPushButton::clicked, this, &TfrmPrintPreview::cmdSaveXlsxClick);
    connect(cmdClose, &QPushButton::clicked, this, &TfrmPrintPreview::cmdCloseClick);
    connect(cmdZoom, &QSlider::valueChanged, this, &TfrmPrintPreview::cmdZoomChange);
    connect(cmdPage, &QScrollBar::valueChanged, this, &TfrmPrintPreview::cmdPageChange);
    resize(1200, 800);
}

void TfrmPrintPreview::Run(QWidget* parent, const QString& workFile,
                           const PreviewWorkbook& workbook) {
    TfrmPrintPreview preview(parent);
    preview.setPreviewFile(workFile);
    preview.setWorkbook(workbook);
    // Without a window manager maximising does nothing; the screen's area is taken instead.
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        preview.setGeometry(screen->availableGeometry());
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.exec();
}

void TfrmPrintPreview::setWorkbook(const PreviewWorkbook& workbook) {
    m_workbook = workbook;
    cmdSaveXlsx->setEnabled(bool(m_workbook.compose));
}

bool TfrmPrintPreview::event(QEvent* e) {
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

// Every activation reloads the document at page 1, so coming back from another window shows
// what the file holds now.
void TfrmPrintPreview::FormActivate() {
    if (m_activating || m_closing || !isVisible())
        return;
    m_activating = true;
    const QString file = m_file;
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        m_closing = true;
        PView->clear(); // nothing stale stays on show
        Msg::info(file + QStringLiteral("が見つかりません"));
        m_activating = false;
        QTimer::singleShot(0, this, &QDialog::reject);
        return;
    }
    {
        Hourglass wait;
        if (!PView->setFileName(file)) {
            m_closing = true;
            m_activating = false;
            Msg::error(PView->lastError());
            QTimer::singleShot(0, this, &QDialog::reject);
            return;
        }
        PView->setPage(1);
        PView->setScale(cmdZoom->value() * 25);
        PView->Redraw();
    }
    labZoom->setText(QStringLiteral("拡大率%1%").arg(cmdZoom->value() * 25));
    const int count = PView->pageCount();
    labPage->setText(QStringLiteral("頁 1/%1").arg(count));
    if (count >= 0) {
        // The bar follows the document shown: its range, and page 1 where it starts.
        const QSignalBlocker block(cmdPage);
        cmdPage->setRange(1, std::max(1, count));
        cmdPage->setValue(1);
        cmdPage->setEnabled(count > 1);
    }
    m_activating = false;
}

void TfrmPrintPreview::cmdZoomChange(int position) {
    PView->setScale(position * 25);
    PView->Redraw();
    labZoom->setText(QStringLiteral("拡大率%1%").arg(position * 25));
}

void TfrmPrintPreview::cmdPageChange(int position) {
    labPage->setText(QStringLiteral("頁 %1/%2").arg(position).arg(cmdPage->maximum()));
    PView->setPage(position);
    PView->Redraw();
}

void TfrmPrintPreview::cmdPrintClick() {
    const ReportDocument* doc = PView->document();
    if (!doc)
        return;
    QPrinter& printer = Dialogs::sharedPrinter();
    const bool landscape = doc->orientation == PageOrientation::Landscape;
    const QSizeF portrait = landscape ? QSizeF(doc->pageHeight, doc->pageWidth) / 100.0
                                      : QSizeF(doc->pageWidth, doc->pageHeight) / 100.0;
    printer.setPageSize(
        QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(doc->name);
    printer.setFromTo(1, PView->pageCount());
    printer.setCopyCount(1);
    // A cancelled dialog is the one failure that is not reported.
    if (!Dialogs::printDialog(this, printer))
        return;
    int from = 1;
    int to = PView->pageCount();
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    int code = 0;
    {
        Hourglass wait;
        code = PView->PrintOut(printer, from, to, printer.copyCount());
    }
    if (code != 0 && code != TReportView::Cancelled)
        Msg::error(QStringLiteral("印刷処理でエラーが発生しました。"));
}

void TfrmPrintPreview::cmdSavePdfClick() {
    const ReportDocument* doc = PView->document();
    if (!doc)
        return;
    QString path =
        Dialogs::saveFileName(this, QStringLiteral("PDF保存"),
                              QDir(DocumentsFolder()).filePath(doc->name + QStringLiteral(".pdf")),
                              QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    bool ok = false;
    {
        Hourglass wait;
        ok = WriteReportPdf(*doc, path, &error);
    }
    if (!ok)
        Msg::error(error);
}

void TfrmPrintPreview::cmdSaveXlsxClick() {
    if (m_workbook.compose)
        SaveWorkbookAs(this, m_workbook.name, m_workbook.compose);
}

void TfrmPrintPreview::cmdCloseClick() {
    m_closing = true; // an activation still on its way must not look for the deleted file
    const QString file = m_file;
    if (!file.isEmpty() && QFileInfo::exists(file) && !QFile::remove(file))
        Msg::warning(QStringLiteral("作業ファイルを削除できません。\r") + file);
    PView->clear();
    accept();
}
