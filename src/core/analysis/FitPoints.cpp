#include "core/analysis/FitPoints.h"

#include "core/common/NumberText.h"
#include "core/common/TextInput.h"

#include <QStringList>
#include <optional>

namespace {

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

FitPointsRead ReadFitPoints(const QString& text) {
    FitPointsRead r;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char(','));
        std::optional<qint64> x, y;
        // A NUL would end the number where a C library reads it: no control character passes.
        if (fields.size() == 2 && ForbiddenCharAt(line) < 0) {
            x = wholeNumber(fields[0].trimmed());
            y = yUnits(fields[1].trimmed());
        }
        if (!x || !y) {
            r.badLine = int(i) + 1;
            r.badText = line;
            for (qsizetype c = 0; c < r.badText.size(); ++c)
                if (ForbiddenCharAt(r.badText.mid(c, 1)) == 0)
                    r.badText[c] = QLatin1Char('?');
            r.points.clear();
            return r;
        }
        r.points.push_back({*x, *y});
    }
    return r;
}
