#include "mkdb/SecondOrderCurve.h"

#include "common/Helpers.h"

#include <cmath>

QList<qint64> SecondOrderAmounts(const std::array<int, 3>& steps,
                                 const std::array<qint64, 3>& amounts, double rate, int unit) {
    constexpr double n = 3;
    double Sx = 0, Sy = 0, Sxx = 0, Sx3 = 0, Sx4 = 0, Sxy = 0, Sxxy = 0;
    for (int k = 0; k < 3; ++k) {
        const double x = steps[size_t(k)];
        const double y = double(RoundWageUnit(double(amounts[size_t(k)]) * rate, unit));
        Sx += x;
        Sy += y;
        Sxx += x * x;
        Sx3 += x * x * x;
        Sx4 += x * x * x * x;
        Sxy += x * y;
        Sxxy += x * x * y;
    }
    double A1 = 0, A2 = 0, A3 = 0, A4 = 0, A5 = 0, A6 = 0;
    if (Sx != 0) {
        A1 = Sxy / Sx - Sy / n;
        A2 = Sxx / Sx - Sx / n;
        A3 = Sx3 / Sx - Sxx / n;
    }
    if (Sxx != 0) {
        A4 = Sxxy / Sxx - Sy / n;
        A5 = Sx3 / Sxx - Sx / n;
        A6 = Sx4 / Sxx - Sxx / n;
    }
    const double D1 = A2 != 0 ? A1 / A2 : 0;
    const double D3 = A2 != 0 ? A3 / A2 : 0;
    const double D2 = A5 != 0 ? A4 / A5 : 0;
    const double D4 = A5 != 0 ? A6 / A5 : 0;
    const double c = RoundAt(6, D3 != D4 ? (D1 - D2) / (D3 - D4) : 0);
    const double b = RoundAt(6, D1 - c * D3);
    const double a = RoundAt(6, (Sy - b * Sx - c * Sxx) / n);

    QList<qint64> result;
    for (int s = steps[0]; s <= steps[2]; ++s)
        result.append(RoundWageUnit(std::trunc(b * s + a + c * s * s), unit));
    return result;
}
