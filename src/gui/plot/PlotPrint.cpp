#include "gui/plot/PlotPrint.h"

#include "core/common/AppState.h"
#include "core/common/FileWrite.h"
#include "core/common/MessageTexts.h"
#include "core/common/Messages.h"
#include "core/common/SystemErrorText.h"
#include "core/plot/ChartSceneBuilder.h"
#include "data/plot/PlotPrintData.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Hourglass.h"
#include "render/plot/ChartPainter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

bool PrintPlot(QWidget* parent, const PlotModel& model, const ChartExtension* extension) {
    QPrinter& printer = Dialogs::sharedPrinter();
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!Dialogs::printDialog(parent, printer))
        return false;
    Hourglass hourglass;
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("ﾌﾟﾛｯﾄ"));

    AppState& s = state();
    const PlotPage page = MakePlotPage(model, extension);

    const PlotModel onPage = ModelForAspect(model, page.picture.width(), page.picture.height());
    const ChartScene scene = BuildChartScene(onPage, LayoutOf(onPage), extension);
    QPainter painter;
    if (!painter.begin(&printer)) {
        Msg::error(MsgText::PrintNotStarted());
        return false;
    }
    const double scale = printer.resolution() / 600.0;
    painter.scale(scale, scale);
    PaintPlotPage(painter, page, scene, onPage.frame);
    if (!painter.end()) {
        Msg::error(MsgText::PrintNotStarted());
        return false;
    }

    // The picture as the window shows it, kept in the DATA folder; the last eleven stay.
    const QString bitmap = s.DataDir + QStringLiteral("SDX3W%1.bmp").arg(s.PlotPrintNo);
    s.PlotPrintNo = s.PlotPrintNo >= 11 ? 1 : s.PlotPrintNo + 1;
    const ChartScene shown = BuildChartScene(model, LayoutOf(model), extension);
    QBuffer picture;
    picture.open(QIODevice::WriteOnly);
    const bool encoded = RenderChartPicture(shown, model.frame).save(&picture, "BMP");
    FileWriteError failed;
    if (!encoded || !WriteWholeFile(bitmap, picture.data(), &failed)) {
        Msg::error(QStringLiteral("ファイルの書き込みでエラーが発生しました。") + bitmap +
                   (encoded ? QLatin1Char('\r') + SystemErrorText(failed.code) : QString()));
        return false;
    }
    return true;
}
