// 32-bit signed counters that wrap as the original integers do, without the
// undefined behaviour of signed overflow in C++.
#pragma once
#include <cstdint>

namespace ui {

inline std::int32_t add32(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

inline std::int32_t mul32(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// div truncating toward zero; INT32_MIN / -1 wraps to INT32_MIN.
inline std::int32_t div32(std::int32_t a, std::int32_t b)
{
    if (b == -1)
        return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(a));
    return a / b;
}

inline std::int32_t mod32(std::int32_t a, std::int32_t b)
{
    if (b == -1)
        return 0;
    return a % b;
}

} // namespace ui
