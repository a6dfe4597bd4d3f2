#include "core/plot/PlotPage.h"

#include "core/common/Counts.h"
#include "core/common/Dates.h"
#include "core/plot/AxisItems.h"

namespace {

const char* const GradeTexts[] = {"",         "１等級  ", "２等級  ", "３等級  ", "４等級  ",
                                  "５等級  ", "６等級  ", "７等級  ", "８等級  ", "９等級  "};

QString joined(const QString* lines, int n) {
    QStringList parts;
    for (int i = 0; i < n; ++i)
        parts << lines[i];
    return parts.join(QStringLiteral("  "));
}

} // namespace

void PlotPage::block(int y, const QString& label, const QString& value) {
    text(450, y, label, 10);
    text(850, y, value, 10);
}

QStringList ExplanationLines(const QString& explanation) {
    QStringList lines;
    QString text = explanation.toUpper();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A line typed in the explanation box starts a printed line; long ones are cut.
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        // Characters, not UTF-16 units: a character outside the BMP stays whole.
        const QList<uint> chars = paragraph.toUcs4();
        for (qsizetype i = 0; i < chars.size(); i += 40)
            lines << QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData() + i),
                                       std::min<qsizetype>(40, chars.size() - i));
    }
    return lines;
}

QString SelectedGradesText(const std::array<bool, MaxGrades + 1>& grades) {
    QString t;
    for (int g = 1; g <= MaxGrades; ++g)
        if (grades[size_t(g)])
            t += QString::fromUtf8(GradeTexts[g]);
    return t;
}

QString BaseDateText(int ageBaseOption, int baseDate, const QDate& today) {
    if (ageBaseOption != 0)
        return QStringLiteral("%1年%2月%3日時点")
            .arg(today.year())
            .arg(today.month())
            .arg(today.day());
    if (baseDate == 0)
        return QStringLiteral("     年     月     日時点");
    return QStringLiteral("%1 年  %2 月  %3 日時点")
        .arg(baseDate / 10000)
        .arg(baseDate / 100 % 100)
        .arg(baseDate % 100);
}

PlotPage BuildPlotPage(const PlotPageInput& in) {
    PlotPage page;
    const int chart = in.chartNo;
    const bool comparison = chart == LivingCostChart || chart == ModelWageChart;
    const bool design = chart == DesignChart;

    if (chart != WageTableChart) {
        page.block(1000, QStringLiteral("年齢勤続"),
                   BaseDateText(in.ageBaseOption, in.baseDate, in.today));
        page.block(1100, QStringLiteral("ＸＹ座標"),
                   QStringLiteral("Ｘ軸： ") + in.xTitle + QStringLiteral(" 、　Ｙ軸：　") +
                       in.yTitle);
    }
    const QString grades = SelectedGradesText(in.grades);
    const AnalysisTexts& a = in.analysis;
    if (chart == WagePlotChart) {
        page.block(1200, QStringLiteral("Ｘ平均値"), joined(a.xMeans.data(), 3));
        // With all six marks the three lines joined run past the page's right edge; the
        // third (the overall mean) then takes the free row below.
        if (a.yMeans[2].isEmpty()) {
            page.block(1300, QStringLiteral("Ｙ平均値"), joined(a.yMeans.data(), 3));
        } else {
            page.block(1300, QStringLiteral("Ｙ平均値"), joined(a.yMeans.data(), 2));
            page.text(850, 1400, a.yMeans[2], 10);
        }
        page.block(1500, QStringLiteral("等級選択"), grades);
    } else if (chart == RegressionChart || comparison) {
        page.block(1200, QStringLiteral("データ数"), joined(a.counts.data(), 2));
        page.block(1300, QStringLiteral("等級選択"), grades);
    } else if (design) {
        page.block(1200, QStringLiteral("等級選択"), grades);
    }

    // Header: date, company, title in a double box.
    page.text(3550, 280,
              QStringLiteral("%1 年  %2 月  %3 日")
                  .arg(in.today.year())
                  .arg(in.today.month())
                  .arg(in.today.day()),
              12);
    page.text(550, 400,
              NendoText(in.eraMode, in.year) + QStringLiteral(" 年度  :  ") + in.companyName +
                  QStringLiteral("　　様"),
              16);
    page.texts.push_back({{2500, 720}, in.title, 20, true});
    page.rects.push_back({QRect(QPoint(900, 680), QPoint(4050, 900)), 5});
    page.rects.push_back({QRect(QPoint(885, 665), QPoint(4065, 915)), 5});

    const int frameTop = comparison ? 1800 : 1700;
    page.rects.push_back({QRect(QPoint(450, frameTop), QPoint(4500, 4750)), 5});
    page.picture = QRect(QPoint(470, frameTop + 20), QPoint(4480, 4730));

    const int headY = design ? 5600 : 4850;
    const int firstLine = design ? 5850 : 5100;
    page.text(450, headY, QStringLiteral("【解説】"), 14);
    const QStringList lines = ExplanationLines(in.explanation);
    for (qsizetype i = 0; i < lines.size(); ++i)
        page.text(600, firstLine + 140 * int(i), lines[i], 12);
    page.rects.push_back({QRect(QPoint(450, design ? 5750 : 5000), QPoint(4500, 6500)), 5});
    return page;
}
