#pragma once

#include "model/SoftExtended.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>

// The arithmetic of a transfer is carried out with a 64-bit significand, as an x87 unit set to extended
// precision does it, and every stored result is then rounded to double. On x86 with GCC or Clang,
// long double is exactly that format and the hardware does the work; elsewhere, or when
// TOLVANE_SOFT_EXTENDED is set, SoftExtended does the same in software.
//
// The transfer is written once against the three operations both types offer: construction from a
// double, isZero and roundToDouble.

#if LDBL_MANT_DIG == 64
#define TOLVANE_X87_EXTENDED 1

inline bool isZero(long double value)
{
    return value == 0;
}

// The hardware conversion rounds once, to nearest even, subnormals included, and gives an infinity
// exactly when the magnitude rounds beyond the largest double.
inline std::optional<double> roundToDouble(long double value)
{
    const double rounded = static_cast<double>(value);
    if (std::isinf(rounded))
        return std::nullopt;
    return rounded;
}
#else
#define TOLVANE_X87_EXTENDED 0
#endif

#if TOLVANE_X87_EXTENDED && !(defined(TOLVANE_SOFT_EXTENDED) && TOLVANE_SOFT_EXTENDED)
// The exponent range matters as much as the significand: no product or quotient of two doubles may
// overflow or underflow before it is rounded to double.
static_assert(std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent >= 2 * 1024 + 64 &&
                  std::numeric_limits<long double>::min_exponent <= -2 * 1074 - 64,
              "Tolvane's mixing arithmetic needs long double to be the x87 extended format");

using Extended = long double;
#else
using Extended = SoftExtended;
#endif
