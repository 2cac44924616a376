#pragma once

#include <bit>
#include <cstdint>

// The unsigned 128-bit integer the software arithmetic works in. GCC and Clang have one on every 64-bit
// target; elsewhere (MSVC), or when TOLVANE_PORTABLE_WIDE asks for it so the path stays tested, a small
// two-word type does the few operations needed. It is slower, which matters nowhere: a transfer is a
// handful of operations.

#if defined(__SIZEOF_INT128__) && !(defined(TOLVANE_PORTABLE_WIDE) && TOLVANE_PORTABLE_WIDE)

__extension__ typedef unsigned __int128 Wide128;

inline std::uint64_t highWord(Wide128 value)
{
    return static_cast<std::uint64_t>(value >> 64);
}

inline std::uint64_t lowWord(Wide128 value)
{
    return static_cast<std::uint64_t>(value);
}

#else

class Wide128
{
public:
    constexpr Wide128() = default;
    constexpr Wide128(std::uint64_t low) : low_(low) {} // NOLINT: converts like the built-in type
    constexpr Wide128(std::uint64_t high, std::uint64_t low) : high_(high), low_(low) {}

    constexpr explicit operator std::uint64_t() const { return low_; }
    constexpr std::uint64_t high() const { return high_; }
    constexpr std::uint64_t low() const { return low_; }

    friend constexpr bool operator==(Wide128 a, Wide128 b) = default;
    friend constexpr bool operator<(Wide128 a, Wide128 b)
    {
        return a.high_ != b.high_ ? a.high_ < b.high_ : a.low_ < b.low_;
    }
    friend constexpr bool operator>(Wide128 a, Wide128 b) { return b < a; }
    friend constexpr bool operator<=(Wide128 a, Wide128 b) { return !(b < a); }
    friend constexpr bool operator>=(Wide128 a, Wide128 b) { return !(a < b); }

    friend constexpr Wide128 operator+(Wide128 a, Wide128 b)
    {
        const std::uint64_t low = a.low_ + b.low_;
        return {a.high_ + b.high_ + (low < a.low_ ? 1 : 0), low};
    }
    friend constexpr Wide128 operator-(Wide128 a, Wide128 b)
    {
        return {a.high_ - b.high_ - (a.low_ < b.low_ ? 1 : 0), a.low_ - b.low_};
    }
    friend constexpr Wide128 operator&(Wide128 a, Wide128 b) { return {a.high_ & b.high_, a.low_ & b.low_}; }
    friend constexpr Wide128 operator|(Wide128 a, Wide128 b) { return {a.high_ | b.high_, a.low_ | b.low_}; }

    friend constexpr Wide128 operator<<(Wide128 a, int shift)
    {
        if (shift == 0)
            return a;
        if (shift >= 64)
            return {a.low_ << (shift - 64), 0};
        return {(a.high_ << shift) | (a.low_ >> (64 - shift)), a.low_ << shift};
    }
    friend constexpr Wide128 operator>>(Wide128 a, int shift)
    {
        if (shift == 0)
            return a;
        if (shift >= 64)
            return {0, a.high_ >> (shift - 64)};
        return {a.high_ >> shift, (a.low_ >> shift) | (a.high_ << (64 - shift))};
    }

    // Only ever 64 x 64 bits here, so the product always fits.
    friend constexpr Wide128 operator*(Wide128 a, Wide128 b)
    {
        const std::uint64_t mask = 0xffffffff;
        const std::uint64_t a0 = a.low_ & mask, a1 = a.low_ >> 32, b0 = b.low_ & mask, b1 = b.low_ >> 32;
        const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
        const std::uint64_t middle = (p00 >> 32) + (p01 & mask) + (p10 & mask);
        const std::uint64_t low = (middle << 32) | (p00 & mask);
        const std::uint64_t high =
            p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32) + a.high_ * b.low_ + a.low_ * b.high_;
        return {high, low};
    }

    // Schoolbook, a bit at a time.
    static constexpr void divide(Wide128 dividend, Wide128 divisor, Wide128& quotient, Wide128& remainder)
    {
        quotient = 0;
        remainder = 0;
        for (int bit = 127; bit >= 0; --bit) {
            remainder = (remainder << 1) | ((dividend >> bit) & Wide128(1));
            if (remainder >= divisor) {
                remainder = remainder - divisor;
                quotient = quotient | (Wide128(1) << bit);
            }
        }
    }
    friend constexpr Wide128 operator/(Wide128 a, Wide128 b)
    {
        Wide128 quotient, remainder;
        divide(a, b, quotient, remainder);
        return quotient;
    }
    friend constexpr Wide128 operator%(Wide128 a, Wide128 b)
    {
        Wide128 quotient, remainder;
        divide(a, b, quotient, remainder);
        return remainder;
    }

    constexpr Wide128& operator<<=(int shift) { return *this = *this << shift; }
    constexpr Wide128& operator-=(Wide128 b) { return *this = *this - b; }
    constexpr Wide128& operator|=(Wide128 b) { return *this = *this | b; }

private:
    std::uint64_t high_ = 0;
    std::uint64_t low_ = 0;
};

inline std::uint64_t highWord(Wide128 value)
{
    return value.high();
}

inline std::uint64_t lowWord(Wide128 value)
{
    return value.low();
}

#endif
