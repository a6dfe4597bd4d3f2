#pragma once

#include <QtGlobal>

// Whole-number arithmetic wide enough for money times rates times squared steps, so that
// decimal values stay exact until the one rounding or truncation the computation asks for.
__extension__ typedef __int128 Int128;

// Quotient truncated toward zero; a zero divisor gives 0.
constexpr Int128 DivTrunc(Int128 num, Int128 den) {
    return den == 0 ? 0 : num / den;
}

// Quotient rounded half away from zero; a zero divisor gives 0.
constexpr Int128 DivRoundHalfAway(Int128 num, Int128 den) {
    if (den == 0)
        return 0;
    const bool negative = (num < 0) != (den < 0);
    const Int128 a = num < 0 ? -num : num;
    const Int128 b = den < 0 ? -den : den;
    Int128 q = a / b;
    if ((a % b) >= b - (a % b)) // remainder at least half the divisor, without overflow
        ++q;
    return negative ? -q : q;
}

// Checked steps: each sets `overflow` instead of wrapping.
struct CheckedInt128 {
    bool overflow = false;
    Int128 mul(Int128 a, Int128 b) {
        Int128 r = 0;
        overflow |= __builtin_mul_overflow(a, b, &r);
        return r;
    }
    Int128 add(Int128 a, Int128 b) {
        Int128 r = 0;
        overflow |= __builtin_add_overflow(a, b, &r);
        return r;
    }
    Int128 sub(Int128 a, Int128 b) {
        Int128 r = 0;
        overflow |= __builtin_sub_overflow(a, b, &r);
        return r;
    }
};
