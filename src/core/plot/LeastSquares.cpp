#include "core/plot/LeastSquares.h"

#include "core/common/Helpers.h"

#include <QVector>
#include <algorithm>
#include <array>
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

double CubicFit::valueAt(double x) const {
    constexpr double s = CoefficientScale;
    return double(a) / s + double(b) / s * x + double(c) / s * x * x + double(d) / s * x * x * x;
}

namespace {

using Real = long double;

// Least squares of degree `degree` on u = x - centre: the normal equations solved by Gaussian
// elimination with partial pivoting. False when they are singular.
bool solveCentred(std::span<const FitPoint> points, qint64 yScale, qint64 centre, int degree,
                  std::array<Real, 4>& alpha) {
    const int m = degree + 1;
    std::array<Real, 7> s{}; // Σu^k
    std::array<Real, 4> t{}; // Σu^k y
    for (const FitPoint& p : points) {
        const Real u = Real(p.x - centre);
        const Real y = Real(p.yUnits) / Real(yScale);
        Real uk = 1;
        for (int k = 0; k <= 2 * degree; ++k) {
            s[size_t(k)] += uk;
            if (k <= degree)
                t[size_t(k)] += uk * y;
            uk *= u;
        }
    }
    std::array<std::array<Real, 5>, 4> g{};
    for (int r = 0; r < m; ++r) {
        for (int c = 0; c < m; ++c)
            g[size_t(r)][size_t(c)] = s[size_t(r + c)];
        g[size_t(r)][size_t(m)] = t[size_t(r)];
    }
    for (int col = 0; col < m; ++col) {
        int pivot = col;
        for (int r = col + 1; r < m; ++r)
            if (std::fabs(g[size_t(r)][size_t(col)]) > std::fabs(g[size_t(pivot)][size_t(col)]))
                pivot = r;
        if (g[size_t(pivot)][size_t(col)] == 0)
            return false;
        std::swap(g[size_t(col)], g[size_t(pivot)]);
        for (int r = col + 1; r < m; ++r) {
            const Real f = g[size_t(r)][size_t(col)] / g[size_t(col)][size_t(col)];
            for (int c = col; c <= m; ++c)
                g[size_t(r)][size_t(c)] -= f * g[size_t(col)][size_t(c)];
        }
    }
    alpha.fill(0);
    for (int r = m - 1; r >= 0; --r) {
        Real v = g[size_t(r)][size_t(m)];
        for (int c = r + 1; c < m; ++c)
            v -= g[size_t(r)][size_t(c)] * alpha[size_t(c)];
        alpha[size_t(r)] = v / g[size_t(r)][size_t(r)];
    }
    return true;
}

Int128 roundedMillionths(Real v) {
    const Real s = v * Real(CubicFit::CoefficientScale);
    if (!std::isfinite(double(s)) || std::fabs(double(s)) > 9e18)
        return 0;
    return Int128(std::llroundl(s)); // half away from zero
}

} // namespace

CubicFit FitCubic(std::span<const FitPoint> points, qint64 yScale) {
    CubicFit f;
    if (points.empty() || yScale <= 0)
        return f;
    qint64 low = points.front().x, high = low;
    Real sumX = 0;
    for (const FitPoint& p : points) {
        low = std::min(low, p.x);
        high = std::max(high, p.x);
        sumX += Real(p.x);
    }
    // Distinct x values, up to the four a cubic needs.
    QVector<qint64> distinct;
    for (const FitPoint& p : points) {
        if (!distinct.contains(p.x))
            distinct.push_back(p.x);
        if (distinct.size() == 4)
            break;
    }
    const qint64 centre = std::llroundl(sumX / Real(points.size()));
    std::array<Real, 4> alpha{};
    int degree = int(distinct.size()) - 1;
    while (degree >= 0 && !solveCentred(points, yScale, centre, degree, alpha))
        --degree;
    if (degree < 0)
        return f;
    // p(x - x0) expanded: the coefficient of x^k is Σ_{j≥k} α_j C(j,k) (-x0)^(j-k).
    static constexpr int Binomial[4][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 1, 0}, {1, 3, 3, 1}};
    std::array<Real, 4> coef{};
    const Real x0 = Real(-centre);
    for (int k = 0; k < 4; ++k) {
        Real v = 0;
        for (int j = k; j < 4; ++j) {
            Real power = 1;
            for (int e = 0; e < j - k; ++e)
                power *= x0;
            v += alpha[size_t(j)] * Binomial[j][k] * power;
        }
        coef[size_t(k)] = v;
    }
    f.a = roundedMillionths(coef[0]);
    f.b = roundedMillionths(coef[1]);
    f.c = roundedMillionths(coef[2]);
    f.d = roundedMillionths(coef[3]);
    return f;
}
