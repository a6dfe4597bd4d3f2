#include "core/plot/LeastSquares.h"

#include "core/common/Helpers.h"

#include <cmath>
#include <optional>

namespace {

constexpr Int128 Scale = QuadraticFit::CoefficientScale;

std::optional<QuadraticFit> exactFit(std::span<const FitPoint> points, Int128 yScale) {
    CheckedInt128 k;
    const Int128 n = Int128(points.size());
    Int128 Sx = 0, Sy = 0, Sxx = 0, Sx3 = 0, Sx4 = 0, Sxy = 0, Sxxy = 0;
    for (const FitPoint& p : points) {
        const Int128 x = p.x;
        const Int128 y = p.yUnits;
        const Int128 x2 = k.mul(x, x);
        const Int128 x3 = k.mul(x2, x);
        Sx = k.add(Sx, x);
        Sy = k.add(Sy, y);
        Sxx = k.add(Sxx, x2);
        Sx3 = k.add(Sx3, x3);
        Sx4 = k.add(Sx4, k.mul(x3, x));
        Sxy = k.add(Sxy, k.mul(x, y));
        Sxxy = k.add(Sxxy, k.mul(x2, y));
    }
    // n·(row 2) − Σx·(row 1):    P b + Q c = N1   (y terms in units of 1/yScale)
    // n·(row 3) − Σx²·(row 1):   Q b + R c = N2
    const Int128 P = k.sub(k.mul(n, Sxx), k.mul(Sx, Sx));
    const Int128 Q = k.sub(k.mul(n, Sx3), k.mul(Sx, Sxx));
    const Int128 R = k.sub(k.mul(n, Sx4), k.mul(Sxx, Sxx));
    const Int128 N1 = k.sub(k.mul(n, Sxy), k.mul(Sx, Sy));
    const Int128 N2 = k.sub(k.mul(n, Sxxy), k.mul(Sxx, Sy));

    QuadraticFit f;
    // c = (P N2 − Q N1) / (P R − Q²)
    const Int128 cNum = k.sub(k.mul(P, N2), k.mul(Q, N1));
    const Int128 cDen = k.mul(yScale, k.sub(k.mul(P, R), k.mul(Q, Q)));
    f.c = DivRoundHalfAway(k.mul(cNum, Scale), cDen);
    // b = (N1 − Q c) / P, with c as rounded
    const Int128 bNum = k.sub(k.mul(N1, Scale), k.mul(k.mul(Q, f.c), yScale));
    f.b = DivRoundHalfAway(bNum, k.mul(yScale, P));
    // a = (Σy − b Σx − c Σx²) / n, with b and c as rounded
    const Int128 aNum =
        k.sub(k.mul(Sy, Scale), k.mul(yScale, k.add(k.mul(f.b, Sx), k.mul(f.c, Sxx))));
    f.a = DivRoundHalfAway(aNum, k.mul(yScale, n));
    if (k.overflow)
        return std::nullopt;
    return f;
}

// The same steps in extended precision, for sums beyond 128 bits.
QuadraticFit extendedFit(std::span<const FitPoint> points, qint64 yScale) {
    using Real = long double;
    const Real n = Real(points.size());
    Real Sx = 0, Sy = 0, Sxx = 0, Sx3 = 0, Sx4 = 0, Sxy = 0, Sxxy = 0;
    for (const FitPoint& p : points) {
        const Real x = Real(p.x);
        const Real y = Real(p.yUnits) / Real(yScale);
        Sx += x;
        Sy += y;
        Sxx += x * x;
        Sx3 += x * x * x;
        Sx4 += x * x * x * x;
        Sxy += x * y;
        Sxxy += x * x * y;
    }
    const Real P = n * Sxx - Sx * Sx;
    const Real Q = n * Sx3 - Sx * Sxx;
    const Real R = n * Sx4 - Sxx * Sxx;
    const Real N1 = n * Sxy - Sx * Sy;
    const Real N2 = n * Sxxy - Sxx * Sy;
    const Real cDen = P * R - Q * Q;
    const Real c = RoundAt(6, cDen != 0 ? double((P * N2 - Q * N1) / cDen) : 0.0);
    const Real b = RoundAt(6, P != 0 ? double((N1 - Q * c) / P) : 0.0);
    const Real a = RoundAt(6, n != 0 ? double((Sy - b * Sx - c * Sxx) / n) : 0.0);
    auto scaled = [](Real v) -> Int128 {
        const Real s = v * Real(Scale);
        if (!std::isfinite(double(s)) || std::fabs(double(s)) > 1e36)
            return 0;
        const Real high = std::truncl(s / 1e18L);
        return Int128(std::llroundl(high)) * Int128(1000000000000000000LL) +
               Int128(std::llroundl(s - high * 1e18L));
    };
    QuadraticFit f;
    f.a = scaled(a);
    f.b = scaled(b);
    f.c = scaled(c);
    return f;
}

} // namespace

Int128 QuadraticFit::truncatedValueAt(qint64 x) const {
    CheckedInt128 k;
    const Int128 s = x;
    const Int128 v = DivTrunc(k.add(k.add(k.mul(b, s), a), k.mul(k.mul(c, s), s)), Scale);
    if (k.overflow) // far beyond any amount; callers reject values by their size
        return Int128(1) << 120;
    return v;
}

double QuadraticFit::valueAt(double x) const {
    return aValue() + bValue() * x + cValue() * x * x;
}

QuadraticFit FitQuadratic(std::span<const FitPoint> points, qint64 yScale) {
    if (points.empty() || yScale <= 0)
        return {};
    if (auto f = exactFit(points, yScale))
        return *f;
    return extendedFit(points, yScale);
}
