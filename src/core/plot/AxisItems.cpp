#include "core/plot/AxisItems.h"

#include <array>

namespace {

constexpr std::array<AxisSteps, AxisItemCount> XSteps{{
    {5, 10, 15, 75},
    {5, 10, 0, 50},
    {5, 10, 0, 50},
    {10, 10, -10, 80},
    {20, 20, 20, 120},
    {20, 20, 10, 500},
}};

constexpr std::array<AxisSteps, AxisItemCount> YSteps{{
    {5, 5, 0, 70},
    {5, 5, 0, 90},
    {5, 5, 10, 100},
    {50, 50, 0, 200},
    {50, 50, 100, 1500},
    {5, 5, 0, 60},
}};

const char* const XTitles[] = {"年　齢", "勤　続", "経　験", "号　俸", "達成率", "職務評価"};
const char* const XUnits[] = {"歳", "年", "年", "号", "％", "点"};
const char* const YParts[][3] = {{"職", "能", "給"}, {"基", "本", "給"}, {"所", "定", "給"},
                                 {"賞", "　", "与"}, {"年", "　", "収"}, {"支", "給", "率"}};
const char* const YUnits[] = {"万円", "万円", "万円", "万円", "万円", "倍"};

} // namespace

int ValidAxisItem(int item) {
    return item >= 0 && item < AxisItemCount ? item : 0;
}

AxisSteps XAxisSteps(int xItem) {
    return XSteps[size_t(ValidAxisItem(xItem))];
}

AxisSteps YAxisSteps(int yItem) {
    return YSteps[size_t(ValidAxisItem(yItem))];
}

QString XAxisTitle(int xItem) {
    return QString::fromUtf8(XTitles[ValidAxisItem(xItem)]);
}

QString XAxisUnit(int xItem) {
    return QString::fromUtf8(XUnits[ValidAxisItem(xItem)]);
}

QStringList YAxisTitleParts(int yItem) {
    QStringList parts;
    for (const char* p : YParts[ValidAxisItem(yItem)])
        parts << QString::fromUtf8(p);
    return parts;
}

QString YAxisTitle(int yItem) {
    return YAxisTitleParts(yItem).join(QString());
}

QString YAxisUnit(int yItem) {
    return QString::fromUtf8(YUnits[ValidAxisItem(yItem)]);
}
