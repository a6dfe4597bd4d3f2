#pragma once

#include "core/common/ExactDivision.h"

#include <span>

// A point of a least-squares fit: x a whole number, y the decimal yUnits / yScale (whole yen
// with yScale 1, a currency value with its raw units and yScale 10000).
struct FitPoint {
    qint64 x = 0;
    qint64 yUnits = 0;
};

// f(x) = a + b x + c x², each coefficient rounded half away from zero to five decimals and
// held exactly as an integer count of 1/100000.
struct QuadraticFit {
    static constexpr qint64 CoefficientScale = 100000;
    Int128 a = 0;
    Int128 b = 0;
    Int128 c = 0;

    // b x + a + c x x, truncated toward zero to a whole number; exact.
    Int128 truncatedValueAt(qint64 x) const;
    double valueAt(double x) const;
    double aValue() const { return double(a) / CoefficientScale; }
    double bValue() const { return double(b) / CoefficientScale; }
    double cValue() const { return double(c) / CoefficientScale; }
};

// Second-order least-squares fit. The normal equations are reduced by eliminating a, then b,
// and c, b, a are each rounded to five decimals before the next is computed from it. The
// reduction multiplies where a textbook elimination would divide by Σx or Σx², so points
// placed symmetrically around x = 0 still get their parabola. Three points with distinct x
// give the parabola through them. Every quotient with a zero divisor is taken as 0; no points
// give all coefficients 0. Sums and quotients are exact rational arithmetic; only sums too
// large for 128-bit integers fall back to extended precision.
QuadraticFit FitQuadratic(std::span<const FitPoint> points, qint64 yScale = 1);

// f(x) = a + b x + c x² + d x³, each coefficient rounded half away from zero to six decimals
// and held exactly as an integer count of 1/1000000.
struct CubicFit {
    static constexpr qint64 CoefficientScale = 1000000;
    Int128 a = 0;
    Int128 b = 0;
    Int128 c = 0;
    Int128 d = 0;

    double valueAt(double x) const;
};

// Third-order least-squares fit in extended precision. The normal equations are solved around
// a whole-number centre of the x values with pivoting, so points placed symmetrically around
// x = 0 get their cubic, and the coefficients are taken back to x before each is rounded to
// six decimals. With fewer than four distinct x the highest terms that the points leave open
// are 0 (points on a parabola give d = 0); no points give all coefficients 0. Any number of
// points.
CubicFit FitCubic(std::span<const FitPoint> points, qint64 yScale = 1);
