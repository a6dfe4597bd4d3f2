#include "cli/FitCommand.h"

#include "core/analysis/RaiseCurve.h"
#include "core/common/NumberText.h"

#include <QFile>
#include <QTextStream>

namespace {

// y is taken to six decimals of 万円.
constexpr qint64 YScale = 1000000;

std::optional<qint64> wholeNumber(const QString& text) {
    const std::optional<Decimal> d = ReadDecimal(text);
    if (!d || text.contains(QLatin1Char(',')))
        return std::nullopt;
    const Int128 whole = ScaledTo(*d, 0);
    if (ScaledTo(*d, 6) != whole * 1000000 || whole > Int128(1000000000) ||
        whole < -Int128(1000000000))
        return std::nullopt;
    return qint64(whole);
}

std::optional<qint64> yUnits(const QString& text) {
    const std::optional<Decimal> d = ReadDecimal(text);
    if (!d || text.contains(QLatin1Char(',')))
        return std::nullopt;
    const Int128 v = ScaledTo(*d, 6);
    if (v > Int128(1) << 62 || v < -(Int128(1) << 62))
        return std::nullopt;
    return qint64(v);
}

} // namespace

int RunFitCommand(const QStringList& opts, QTextStream& out, QTextStream& err) {
    int order = 0;
    QString file;
    for (int i = 0; i < opts.size(); ++i) {
        const QString& o = opts[i];
        if (i + 1 >= opts.size()) {
            err << "tesvane-cli: " << o << " needs a value\n";
            return 2;
        }
        const QString v = opts[++i];
        if (o == QStringLiteral("--order") &&
            (v == QStringLiteral("2") || v == QStringLiteral("3")))
            order = v.toInt();
        else if (o == QStringLiteral("--points"))
            file = v;
        else {
            err << "tesvane-cli: fit: not a valid option: " << o << ' ' << v << "\n";
            return 2;
        }
    }
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
    QTextStream in(&input);
    in.setEncoding(QStringConverter::Utf8);
    QVector<FitPoint> points;
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNo;
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char(','));
        std::optional<qint64> x, y;
        if (fields.size() == 2) {
            x = wholeNumber(fields[0].trimmed());
            y = yUnits(fields[1].trimmed());
        }
        if (!x || !y) {
            err << "tesvane-cli: fit: line " << lineNo << ": expected x,y (x a whole number, y "
                << "a number): " << line << "\n";
            return 1;
        }
        points.push_back({*x, *y});
    }
    if (const int distinct = DistinctXCount(points); distinct < DistinctXNeeded(order)) {
        err << "tesvane-cli: fit: order " << order << " needs " << DistinctXNeeded(order)
            << " distinct x values; the input has " << distinct << "\n";
        return 1;
    }
    const MarkSeries series = SeriesOf(points);
    const RaiseCurve curve = FitRaiseCurve(series.points, YScale, order == 2 ? 0 : 1);
    const CurveStatisticsResult s = CurveStatistics(curve, series.xLow, series.xHigh);
    out << curve.coefficientsText() << '\n' << s.average << ',' << s.pitch << '\n';
    out.flush();
    return 0;
}
