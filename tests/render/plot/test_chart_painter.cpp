// The one chart painter: marks in their colours where a click finds them, line kinds, and the
// printed page drawn as vectors, so its texts (the chart's too) read back from the PDF.
// Not on the server: it paints records and opens no database.

#include "core/plot/ChartSceneBuilder.h"
#include "render/plot/ChartPainter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr ColorValue Red = ColorFromRgb(255, 0, 0);

QImage paint(const ChartScene& scene, QSize size = {300, 200}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    PaintChart(p, scene);
    p.end();
    return image;
}

int pixelsOf(const QImage& image, QRgb colour, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

} // namespace

class TestChartPainter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void marksLieInTheirBoxesInTheirColours() {
        ChartScene s;
        s.marks.push_back(SceneMark{{100, 80}, QStringLiteral("■"), 12, Red, 0});
        const QImage image = paint(s);
        const QRect box = MarkBox(s.marks.first());
        QCOMPARE(box.topLeft(), QPoint(100, 80));
        QVERIFY(box.width() >= 10 && box.height() >= 12);
        QVERIFY(pixelsOf(image, qRgb(255, 0, 0), box) > 40);
        QCOMPARE(pixelsOf(image, qRgb(255, 0, 0), QRect(0, 0, 300, 200)),
                 pixelsOf(image, qRgb(255, 0, 0), box));
    }

    void lineKinds() {
        ChartScene s;
        s.line({0, 10}, {199, 10}, LinePen{0, 1, 1});
        s.line({0, 20}, {199, 20}, LinePen{0, 2, 1});
        s.line({0, 30}, {199, 30}, LinePen{0, 0, 1});
        s.line({0, 40}, {199, 40}, LinePen{0, 3, 2}); // wide: solid whatever the kind
        const QImage image = paint(s);
        const QRgb black = qRgb(0, 0, 0);
        // As on the original canvas, a line stops short of its end point.
        QCOMPARE(pixelsOf(image, black, QRect(0, 10, 200, 1)), 199);
        const int dotted = pixelsOf(image, black, QRect(0, 20, 200, 1));
        QVERIFY(dotted > 30 && dotted < 150);
        QCOMPARE(pixelsOf(image, black, QRect(0, 28, 200, 5)), 0);
        QCOMPARE(pixelsOf(image, black, QRect(0, 39, 200, 3)), 398);
    }

    void thePrintedPageIsVectors() {
        PlotModel m;
        m.request.chartNo = 1010;
        m.request.range = {20, 60, 15, 45};
        m.header.xItem = 0;
        m.header.yItem = 1;
        m.header.marks[1] = true;
        m.marks[1].MARK = QStringLiteral("■");
        m.marks[1].HANREI = QStringLiteral("男子営業");
        m.marks[1].MKCOLOR = QStringLiteral("clBlue");
        m.marks[1].MKSIZE = 12;
        m.frame = FrameForPicture(1200, 800);
        PlotPageInput in;
        in.chartNo = 1010;
        in.today = QDate(2024, 6, 15);
        in.year = 2023;
        in.title = QStringLiteral("賃金の分布");
        in.explanation = QStringLiteral("explanation");
        const PlotPage page = BuildPlotPage(in);
        const PlotModel onPage = ModelForAspect(m, page.picture.width(), page.picture.height());
        QCOMPARE(onPage.frame.plotArea().width(), 1200);
        QCOMPARE(onPage.frame.plotArea().height(),
                 1200 * page.picture.height() / page.picture.width());

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("page.pdf"));
        {
            QPdfWriter pdf(file);
            pdf.setResolution(600);
            pdf.setPageLayout(
                QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
            QPainter p(&pdf);
            PaintPlotPage(p, page, BuildChartScene(onPage, LayoutOf(onPage)), onPage.frame);
        }
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString read = QString::fromUtf8(text.readAllStandardOutput());
        for (const char* expected :
             {"賃金の分布", "EXPLANATION", "【解説】", "凡例", "男子営業", "万円", "45", "60"})
            QVERIFY2(read.contains(QString::fromUtf8(expected)), expected);
    }
};

QTEST_MAIN(TestChartPainter)
#include "test_chart_painter.moc"
