#include "model/SoftExtended.h"

#include "model/Wide128.h"

#include <bit>
#include <cassert>

namespace {

using Wide = Wide128;

int bitWidth(Wide value)
{
    const std::uint64_t high = highWord(value);
    return high != 0 ? 128 - std::countl_zero(high) : 64 - std::countl_zero(lowWord(value));
}

// Rounds kept + (below the last bit of kept, the `dropped` low bits of rest, then `sticky`) to nearest,
// ties to even. Returns the rounded integer, which may have carried into one more bit.
template <class Integer, class Rest> Integer roundHalfEven(Integer kept, Rest rest, int dropped, bool sticky)
{
    const Rest half = Rest(1) << (dropped - 1);
    if (rest > half || (rest == half && (sticky || (kept & 1) != 0)))
        ++kept;
    return kept;
}

} // namespace

SoftExtended::SoftExtended(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    negative_ = (bits >> 63) != 0;
    const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t significand = bits & ((std::uint64_t(1) << 52) - 1);
    assert(biased != 0x7ff && "no infinity or NaN takes part in a transfer");
    if (biased != 0)
        significand |= std::uint64_t(1) << 52;
    // A subnormal has the exponent of the smallest normal and no hidden bit.
    *this = fromParts(negative_, significand, (biased != 0 ? biased : 1) - 1075);
}

SoftExtended SoftExtended::fromParts(bool negative, std::uint64_t significand, int exponent)
{
    SoftExtended result;
    result.negative_ = negative;
    if (significand != 0) {
        const int shift = std::countl_zero(significand);
        result.significand_ = significand << shift;
        result.exponent_ = exponent - shift;
    }
    return result;
}

SoftExtended SoftExtended::operator-() const
{
    SoftExtended result = *this;
    result.negative_ = !negative_;
    return result;
}

namespace {

// (-1)^negative * (magnitude + a nonzero fraction below its last bit if sticky) * 2^exponent, rounded to
// 64 bits. A sticky bit needs magnitude to be wider than 64 bits, so that it lies below the rounding
// bit; every caller keeps far more.
SoftExtended roundToSignificand(bool negative, Wide magnitude, int exponent, bool sticky)
{
    const int width = bitWidth(magnitude);
    if (width <= 64) {
        assert(!sticky);
        return SoftExtended::fromParts(negative, static_cast<std::uint64_t>(magnitude), exponent);
    }
    const int dropped = width - 64;
    const Wide rest = magnitude & ((Wide(1) << dropped) - 1);
    const auto kept = static_cast<std::uint64_t>(magnitude >> dropped);
    const std::uint64_t rounded = roundHalfEven(kept, rest, dropped, sticky);
    if (rounded == 0) // carried out of 64 bits: the significand is 2^64
        return SoftExtended::fromParts(negative, std::uint64_t(1) << 63, exponent + dropped + 1);
    return SoftExtended::fromParts(negative, rounded, exponent + dropped);
}

} // namespace

SoftExtended operator+(const SoftExtended& a, const SoftExtended& b)
{
    if (isZero(b)) // x + 0 is x, and -0 only when both are -0
        return isZero(a) ? SoftExtended::fromParts(a.negative() && b.negative(), 0, 0) : a;
    if (isZero(a))
        return b;

    // Work from the larger magnitude; the smaller is aligned to it.
    const bool aLarger =
        a.exponent() != b.exponent() ? a.exponent() > b.exponent() : a.significand() >= b.significand();
    const SoftExtended& large = aLarger ? a : b;
    const SoftExtended& small = aLarger ? b : a;
    const int distance = large.exponent() - small.exponent();

    // The larger significand sits 62 bits up: a sum still fits with its carry, and whenever bits of the
    // smaller one are shifted out (a distance beyond 62) the result keeps over 64 bits, so those bits
    // count only as a sticky bit below the rounding bit.
    constexpr int room = 62;
    const Wide larger = Wide(large.significand()) << room;
    Wide smaller = 0;
    bool sticky = false;
    if (distance < 128) {
        const Wide full = Wide(small.significand()) << room;
        smaller = full >> distance;
        sticky = distance > room && (smaller << distance) != full;
    } else {
        sticky = true;
    }
    const int exponent = large.exponent() - room;

    if (large.negative() == small.negative())
        return roundToSignificand(large.negative(), larger + smaller, exponent, sticky);
    const Wide difference = larger - smaller;
    if (difference == 0)
        return SoftExtended(); // an exact zero difference is +0
    // The true smaller magnitude lies a fraction above `smaller`, so the difference a fraction below.
    return sticky ? roundToSignificand(large.negative(), difference - 1, exponent, true)
                  : roundToSignificand(large.negative(), difference, exponent, false);
}

SoftExtended operator*(const SoftExtended& a, const SoftExtended& b)
{
    const bool negative = a.negative() != b.negative();
    if (isZero(a) || isZero(b))
        return SoftExtended::fromParts(negative, 0, 0);
    return roundToSignificand(negative, Wide(a.significand()) * b.significand(), a.exponent() + b.exponent(),
                              false);
}

SoftExtended operator/(const SoftExtended& a, const SoftExtended& b)
{
    assert(!isZero(b));
    const bool negative = a.negative() != b.negative();
    if (isZero(a))
        return SoftExtended::fromParts(negative, 0, 0);
    // Both significands lie in [2^63, 2^64), so this quotient lies in (2^63, 2^65).
    const Wide dividend = Wide(a.significand()) << 64;
    const Wide divisor = b.significand();
    Wide quotient = dividend / divisor;
    Wide remainder = dividend % divisor;
    int exponent = a.exponent() - b.exponent() - 64;
    if (bitWidth(quotient) == 64) {
        // One more quotient bit, so that the remainder is only a sticky bit below the rounding bit.
        remainder <<= 1;
        quotient <<= 1;
        if (remainder >= divisor) {
            remainder -= divisor;
            quotient |= 1;
        }
        --exponent;
    }
    return roundToSignificand(negative, quotient, exponent, remainder != 0);
}

std::optional<double> roundToDouble(const SoftExtended& value)
{
    const std::uint64_t sign = value.negative() ? std::uint64_t(1) << 63 : 0;
    if (isZero(value))
        return std::bit_cast<double>(sign);

    const int topBit = value.exponent() + 63; // 2^topBit <= |value| < 2^(topBit + 1)
    if (topBit > 1023)
        return std::nullopt;
    // 53 bits for a normal result, fewer for a subnormal one, whose last bit is worth 2^-1074.
    const int dropped = topBit >= -1022 ? 11 : -1074 - value.exponent();
    std::uint64_t magnitude = 0;
    if (dropped < 64) {
        const std::uint64_t rest = value.significand() & ((std::uint64_t(1) << dropped) - 1);
        magnitude = roundHalfEven(value.significand() >> dropped, rest, dropped, false);
    } else if (dropped == 64) {
        magnitude = roundHalfEven(std::uint64_t(0), value.significand(), 64, false);
    }
    // Beyond 64 dropped bits the value is under half the smallest subnormal and rounds to zero.

    // The encoding of a normal double is its exponent field above its significand without the hidden
    // bit; adding the rounded significand lets a carry step into the next binade, or to infinity. A
    // subnormal (or one that rounded up to the smallest normal) is encoded by its magnitude alone.
    const std::uint64_t encoded =
        topBit >= -1022 ? (std::uint64_t(topBit + 1022) << 52) + magnitude : magnitude;
    if (encoded >= (std::uint64_t(0x7ff) << 52))
        return std::nullopt;
    return std::bit_cast<double>(sign | encoded);
}
