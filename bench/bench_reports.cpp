// The group wage report of a 10,000-employee company: read, composed into its work file and
// saved as PDF, as the report screen and its preview do. Prints the median beside its floor:
// QPdfWriter alone writing the same pages of text, laid out beforehand.
// build/bench/bench_reports [runs] (bench/check runs it too).
#include "core/common/AppState.h"
#include "core/report/GroupReport.h"
#include "core/report/ReportCatalogue.h"
#include "data/report/GroupReportStore.h"
#include "data/report/ReportHeaders.h"
#include "render/report/ReportPainter.h"
#include "support/data/TestSupport.h"

#include "BenchSupport.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QHash>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// Wall-clock milliseconds; the processor time of the process goes into `cpu`, which tells the
// work apart from waiting on a machine other work shares.
template <typename F> double timed(F&& f, double* cpu = nullptr) {
    QElapsedTimer t;
    t.start();
    const std::clock_t c = std::clock();
    f();
    if (cpu)
        *cpu += double(std::clock() - c) * 1000.0 / CLOCKS_PER_SEC;
    return double(t.nsecsElapsed()) / 1e6;
}

// The texts of each page as glyph runs in place, one run a font, laid out before the clock
// starts: what QPdfWriter alone costs to write the same pages of text. Like the report, in
// layout units (0.01 mm) at whole units, scaled onto the paper.
struct TextPages {
    QVector<QVector<QGlyphRun>> pages;
    QPageLayout layout;
    QSizeF paper; // in layout units
};

TextPages textPagesOf(const ReportDocument& doc) {
    TextPages out;
    const bool landscape = doc.orientation == PageOrientation::Landscape;
    const QSizeF portrait = landscape ? QSizeF(doc.pageHeight, doc.pageWidth) / 100.0
                                      : QSizeF(doc.pageWidth, doc.pageHeight) / 100.0;
    out.layout = QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                             landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF(0, 0, 0, 0));
    out.paper = QSizeF(doc.pageWidth, doc.pageHeight);
    QHash<QString, QRawFont> fonts;
    QHash<QString, QHash<quint32, double>> advances; // by font, then glyph
    for (const ReportPage& page : doc.pages) {
        struct Run {
            QRawFont font;
            QList<quint32> glyphs;
            QList<QPointF> positions;
        };
        QHash<QString, Run> runs;
        for (const ReportText& t : page.texts) {
            const QString key = QStringLiteral("%1/%2/%3").arg(t.font).arg(t.size).arg(t.bold);
            if (!fonts.contains(key)) {
                QFont f(doc.fonts.value(t.font));
                f.setPixelSize(std::max(1, int(std::lround(t.size / 10.0 * 2540.0 / 72.0))));
                f.setBold(t.bold);
                fonts.insert(key, QRawFont::fromFont(f));
            }
            Run& run = runs[key];
            run.font = fonts[key];
            const QList<quint32> glyphs = run.font.glyphIndexesForString(t.text);
            QHash<quint32, double>& known = advances[key];
            double x = t.box.left;
            for (quint32 g : glyphs) {
                auto a = known.find(g);
                if (a == known.end())
                    a = known.insert(g, run.font.advancesForGlyphIndexes({g}).value(0).x());
                run.positions << QPointF(std::round(x), (t.box.top + t.box.bottom) / 2);
                x += *a;
            }
            run.glyphs += glyphs;
        }
        QVector<QGlyphRun> glyphRuns;
        for (const Run& r : runs) {
            QGlyphRun g;
            g.setRawFont(r.font);
            g.setGlyphIndexes(r.glyphs);
            g.setPositions(r.positions);
            glyphRuns << g;
        }
        out.pages << glyphRuns;
    }
    return out;
}

double writeTextPages(const TextPages& text, const QString& title, const QString& path) {
    return timed([&] {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        writer.setCreator(QStringLiteral("bench"));
        writer.setTitle(title);
        writer.setResolution(600);
        writer.setPageLayout(text.layout);
        QPainter painter(&writer);
        painter.scale(writer.width() / text.paper.width(), writer.height() / text.paper.height());
        for (qsizetype i = 0; i < text.pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            for (const QGlyphRun& run : text.pages[i])
                painter.drawGlyphRun(QPointF(0, 0), run);
        }
        painter.end();
        QFile out(path);
        if (out.open(QIODevice::WriteOnly))
            out.write(pdf.data());
    });
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    TestEnvironment env;
    env.setToday(QDate(2024, 4, 1));
    env.openDatabases();
    const QString layouts = QStringLiteral(TESVANE_APPDIR) + QStringLiteral("/Report/");
    for (const QString& f : QDir(layouts).entryList({QStringLiteral("*.jfm")}, QDir::Files))
        QFile::copy(layouts + f, env.appDir() + QStringLiteral("Report/") + f);
    GrowSampleCompany(env, 10000);
    env.openCompany(1, 2023);

    std::vector<double> load, compose, pdf, total, cpu;
    bool ok = true;
    int pages = 0;
    ReportDocument composed;
    for (int i = 0; i < runs; ++i) {
        std::optional<QVector<GroupReportEmployee>> employees;
        ReportEngine e;
        double processor = 0;
        const double l = timed(
            [&] {
                employees = LoadGroupReportEmployees({1, 2023}, {1, 6}, {1, 9});
            },
            &processor);
        ok = ok && employees && employees->size() == 10000;
        const double c = timed(
            [&] {
                PrepareReport(e, ReportId::GroupWage, env.appDir());
                ok = ok && ComposeGroupReport(
                               e, GroupReportKind::Wage,
                               GroupReportHeaderOf(env.project, QString(), QString()), *employees);
            },
            &processor);
        QString error;
        const double p = timed(
            [&] {
                ok = ok &&
                     WriteReportPdf(e.document(), env.appDir() + QStringLiteral("r.pdf"), &error);
            },
            &processor);
        if (!error.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(error));
        pages = e.pageCount();
        composed = e.document();
        load.push_back(l);
        compose.push_back(c);
        pdf.push_back(p);
        total.push_back(l + c + p);
        cpu.push_back(processor);
    }
    if (!ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    const TextPages text = textPagesOf(composed);
    std::vector<double> floor;
    for (int i = 0; i < runs; ++i)
        floor.push_back(
            writeTextPages(text, composed.name, env.appDir() + QStringLiteral("f.pdf")));
    PrintAgainstFloor("report-pdf", "group wage report of 10,000 employees (read, compose, PDF)",
                      total, floor, "QPdfWriter alone writing the same pages of text");
    std::printf("group wage report, %d pages, median over %d runs:\n", pages, runs);
    std::printf("  read from VSYAIN          %8.1f ms\n", Median(load));
    std::printf("  compose + work file       %8.1f ms\n", Median(compose));
    std::printf("  save as PDF               %8.1f ms\n", Median(pdf));
    std::printf("  total                     %8.1f ms\n", Median(total));
    std::printf("  total processor time      %8.1f ms\n", Median(cpu));
    return 0;
}
