#include "cli/FitCommand.h"

#include "cli/CliOptions.h"
#include "core/analysis/FitPoints.h"
#include "core/analysis/RaiseCurve.h"
#include "core/common/NumberText.h"

#include <QFile>
#include <QTextStream>

int RunFitCommand(const QStringList& opts, QTextStream& out, QTextStream& err) {
    int order = 0;
    QString file;
    CliOptions table(QStringLiteral("fit"), CliOptions::Layout::AllValued);
    const auto notValid = [](const QString& option, const QString& value) -> QString {
        return QStringLiteral("fit: not a valid option: ") + option + QLatin1Char(' ') + value;
    };
    table.option(QStringLiteral("--order"), [&order, notValid](const QString& v) -> QString {
        if (v != QStringLiteral("2") && v != QStringLiteral("3"))
            return notValid(QStringLiteral("--order"), v);
        order = v.toInt();
        return QString();
    });
    table.file(QStringLiteral("--points"), file, false);
    table.unknown(notValid);
    if (!table.read(opts, err))
        return 2;
    if (order == 0) {
        err << "tesvane-cli: fit needs --order 2 or --order 3\n";
        return 2;
    }
    QFile input;
    if (file.isEmpty()) {
        if (!input.open(stdin, QIODevice::ReadOnly)) {
            err << "tesvane-cli: cannot read standard input\n";
            return 1;
        }
    } else {
        input.setFileName(file);
        if (!input.open(QIODevice::ReadOnly)) {
            err << "tesvane-cli: cannot read " << file << ": " << input.errorString() << "\n";
            return 1;
        }
    }
    const FitPointsRead read = ReadFitPoints(QString::fromUtf8(input.readAll()));
    if (read.badLine > 0) {
        err << "tesvane-cli: fit: line " << read.badLine << ": expected x,y (x a whole number, "
            << "y a number): " << read.badText << "\n";
        return 1;
    }
    const QVector<FitPoint>& points = read.points;
    if (const int distinct = DistinctXCount(points); distinct < DistinctXNeeded(order)) {
        err << "tesvane-cli: fit: order " << order << " needs " << DistinctXNeeded(order)
            << " distinct x values; the input has " << distinct << "\n";
        return 1;
    }
    const MarkSeries series = SeriesOf(points);
    const RaiseCurve curve = FitRaiseCurve(series.points, FitPointsYScale, order == 2 ? 0 : 1);
    const CurveStatisticsResult s = CurveStatistics(curve, series.xLow, series.xHigh);
    out << curve.coefficientsText() << '\n' << s.average << ',' << s.pitch << '\n';
    out.flush();
    return 0;
}
