// The calculator's 48-bit real: a sign bit, an 8-bit exponent with bias 129
// (exponent 0 is the value 0) and a 39-bit fraction with a hidden leading one.
// Arithmetic happens in extended precision; values are brought back here.
#pragma once
#include <cstdint>

class Real48 final
{
public:
    Real48() = default;

    // The nearest 48-bit value to v, a tie going away from zero; values too
    // small for the format become 0. False (and *out untouched) when v is
    // above the format's largest value, infinite or not a number.
    static bool fromExtended(long double v, Real48 *out);

    long double toExtended() const;
    bool isZero() const { return m_exponent == 0; }
    bool negative() const { return m_negative; }
    std::uint8_t exponent() const { return m_exponent; }
    std::uint64_t fraction() const { return m_fraction; }
    bool operator==(const Real48 &other) const = default;

    // The largest and the smallest positive values of the format.
    static long double maxValue();
    static long double minPositive();

    static constexpr int kBias = 129;
    static constexpr int kFractionBits = 39;

private:
    bool m_negative = false;
    std::uint8_t m_exponent = 0;
    std::uint64_t m_fraction = 0;
};
