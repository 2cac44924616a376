#pragma once

#include <cstdint>
#include <optional>

// The 64-bit-significand arithmetic of a transfer, in software, for machines without an x87 unit (and
// for checking the x87 path against). It does what the x87 extended format does for the operations a
// transfer needs, bit for bit: a 64-bit significand, round to nearest with ties to even, and an
// exponent range no sum, difference, product or quotient of doubles comes near leaving.
//
// Written here rather than taken from Boost.Multiprecision: cpp_bin_float's conversion to double has
// rounded twice in past releases and does not produce subnormals, and both decide stored volumes. The
// four operations below are short enough to check line by line and are tested against exact rational
// arithmetic.
//
// Only finite values: there is no infinity or NaN, because a transfer never forms one (an overflow is
// detected when the result is rounded to double), and division by zero is the caller's to prevent.
class SoftExtended
{
public:
    SoftExtended() = default; // +0

    // Exact: every double, subnormals included, fits a 64-bit significand.
    explicit SoftExtended(double value);

    // (-1)^negative * significand * 2^exponent, exactly.
    static SoftExtended fromParts(bool negative, std::uint64_t significand, int exponent);

    bool negative() const { return negative_; }
    std::uint64_t significand() const { return significand_; } // 2^63 <= significand < 2^64, or 0
    int exponent() const { return exponent_; }

    SoftExtended operator-() const;

    friend SoftExtended operator+(const SoftExtended& a, const SoftExtended& b);
    friend SoftExtended operator-(const SoftExtended& a, const SoftExtended& b) { return a + -b; }
    friend SoftExtended operator*(const SoftExtended& a, const SoftExtended& b);
    friend SoftExtended operator/(const SoftExtended& a, const SoftExtended& b); // b must not be zero

private:
    bool negative_ = false;
    std::uint64_t significand_ = 0;
    int exponent_ = 0; // the value is significand_ * 2^exponent_
};

// +0 and -0 alike.
inline bool isZero(const SoftExtended& value)
{
    return value.significand() == 0;
}

// The nearest double, ties to even, subnormals included; a nonzero value below the smallest subnormal
// becomes a zero of its own sign. Nothing when the magnitude rounds beyond the largest finite double.
std::optional<double> roundToDouble(const SoftExtended& value);
