#pragma once

#include <limits>

// The arithmetic of a transfer is carried out with a 64-bit significand, as an x87 unit set to extended
// precision does it, and every stored result is then rounded to double. On x86 with GCC or Clang,
// long double is exactly that format.
static_assert(std::numeric_limits<long double>::digits == 64,
              "Tolvane's mixing arithmetic needs long double to be the x87 extended format");

using Extended = long double;
