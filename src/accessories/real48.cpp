// Rounding extended values to the 48-bit real format.
#include "accessories/real48.h"

#include <cmath>

bool Real48::fromExtended(long double v, Real48 *out)
{
    if (std::isnan(v) || std::isinf(v))
        return false;
    if (v == 0.0L) {
        *out = Real48();
        return true;
    }
    int k = 0;
    // |v| = f * 2^k with f in [0.5, 1): the 40-bit significand (hidden one
    // included) is f * 2^40, rounded half away from zero by roundl.
    const long double f = std::frexp(std::fabs(v), &k);
    auto significand = static_cast<std::uint64_t>(std::round(std::ldexp(f, kFractionBits + 1)));
    int exponent = k - 1 + kBias;
    if (significand == (std::uint64_t{1} << (kFractionBits + 1))) {
        significand >>= 1;
        ++exponent;
    }
    if (exponent > 255)
        return false;
    Real48 r;
    if (exponent >= 1) {
        r.m_negative = v < 0;
        r.m_exponent = static_cast<std::uint8_t>(exponent);
        r.m_fraction = significand & ((std::uint64_t{1} << kFractionBits) - 1);
    }
    *out = r;
    return true;
}

long double Real48::toExtended() const
{
    if (m_exponent == 0)
        return 0.0L;
    const auto significand = static_cast<long double>(m_fraction | (std::uint64_t{1} << kFractionBits));
    const long double magnitude = std::ldexp(significand, m_exponent - kBias - kFractionBits);
    return m_negative ? -magnitude : magnitude;
}

long double Real48::maxValue()
{
    const auto significand = static_cast<long double>((std::uint64_t{1} << (kFractionBits + 1)) - 1);
    return std::ldexp(significand, 255 - kBias - kFractionBits);
}

long double Real48::minPositive()
{
    return std::ldexp(1.0L, 1 - kBias);
}
