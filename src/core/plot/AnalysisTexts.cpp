#include "core/plot/AnalysisTexts.h"

#include "core/common/Counts.h"
#include "core/common/ExactDivision.h"
#include "core/common/NumberText.h"

namespace {

QString meanX(qint64 sum, int count) {
    return AmountText(DivRoundHalfAway(sum, count));
}

// Whole yen rounded to tens, or for the payment ratio one decimal.
QString meanY(Currency sum, int count, bool ratio) {
    if (ratio)
        return FixedText(DivRoundHalfAway(sum.raw(), Int128(count) * 1000), 1, true);
    return AmountText(DivRoundHalfAway(sum.raw(), Int128(count) * 10) * 10);
}

} // namespace

AnalysisTexts MakeAnalysisTexts(const MarkStatistics& stats,
                                const std::array<TMMARK, MarkCount + 1>& marks, int yItem) {
    AnalysisTexts t;
    const int n = stats.marksUsed();
    if (n == 0)
        return t;
    const bool ratio = yItem == 5;
    const QString yUnit = ratio ? QStringLiteral("倍  ") : QStringLiteral("円  ");
    int j = 0;
    for (int k = 1; k <= MarkCount; ++k) {
        const size_t i = size_t(k);
        const int count = stats.count[i];
        if (count == 0)
            continue;
        const QString symbol = marks[i].MARK + QLatin1Char(':');
        t.counts[0] += symbol + QString::number(count) + QStringLiteral("  ");
        t.xMeans[0] += symbol + meanX(stats.sumX[i], count) + QStringLiteral("  ");
        t.yMeans[j <= 2 ? 0 : 1] += symbol + meanY(stats.sumY[i], count, ratio) + yUnit;
        ++j;
    }
    if (n <= 1)
        return t;
    const QString all = QStringLiteral("全体:");
    const int total = stats.totalCount;
    t.counts[n <= 5 ? 0 : 1] += all + QString::number(total);
    t.xMeans[n <= 5 ? 0 : 1] += all + meanX(stats.totalX, total);
    if (ratio)
        t.yMeans[n <= 3   ? 0
                 : n <= 5 ? 1
                          : 2] += all + meanY(stats.totalY, total, true) + QStringLiteral("倍");
    else
        t.yMeans[n <= 2   ? 0
                 : n <= 5 ? 1
                          : 2] += all + meanY(stats.totalY, total, false) + QStringLiteral("円  ");
    return t;
}

AnalysisPanel WagePlotAnalysis(const AnalysisTexts& t) {
    AnalysisPanel p;
    p.titles[1] = QStringLiteral("プロット数 :");
    p.values[1] = t.counts[0];
    p.values[2] = t.counts[1];
    p.titles[3] = QStringLiteral("Ｘ軸平均　 :");
    p.values[3] = t.xMeans[0];
    p.values[4] = t.xMeans[1];
    p.values[5] = t.xMeans[2];
    p.titles[6] = QStringLiteral("Ｙ軸平均　 :");
    p.values[6] = t.yMeans[0];
    p.values[7] = t.yMeans[1];
    p.values[8] = t.yMeans[2];
    return p;
}
