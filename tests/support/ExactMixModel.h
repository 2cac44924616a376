#pragma once

#include "model/MixState.h"

#include <gmpxx.h>

#include <cstdint>
#include <random>
#include <string>

// A second, independent account of one transfer, in exact rational arithmetic: every operation is
// carried out exactly, then rounded to a 64-bit significand, then to double, with nothing borrowed from
// the hardware but the final, exactly representable double. The tests hold the real model against it
// state by state.
namespace exactmix {

// Faithful is the arithmetic the program promises. The other two are the shortcuts a port is most
// likely to take; the differential test shows that it would notice either of them.
enum class Arithmetic
{
    Faithful,
    SumRoundedToDouble, // the mixture's total stored as a double before the division
    PlainDouble,        // every result rounded straight to double, no 64-bit step
};

enum class Direction
{
    IntoRedCup,
    IntoBaijiuCup,
};

enum class Failure
{
    None,
    ZeroDivide,
    Overflow,
};

// Which rule a transfer follows; it depends on the source cup alone.
enum class Branch
{
    PureBaijiu,
    PureRed,
    Mixed,
};

// A state and the transfer to apply to it.
struct MixCase
{
    MixState state;
    Direction direction = Direction::IntoRedCup;
};

// The state after a transfer, or as a failed transfer left it, and how it ended.
struct Outcome
{
    MixState state;
    Failure failure = Failure::None;
};

Outcome transfer(const MixCase& mixCase, Arithmetic arithmetic = Arithmetic::Faithful);

Branch branchOf(const MixCase& mixCase);

// The real model run on the case, its exceptions turned into a Failure.
Outcome observe(const MixCase& mixCase);

// The model compiled with any extended type, e.g. the hardware and the software one side by side.
using TransferFunction = void (*)(MixState&);
Outcome observe(const MixCase& mixCase, TransferFunction intoRedCup, TransferFunction intoBaijiuCup);

// Same volumes and spoon bit for bit (so -0 differs from 0), same step count, same failure.
bool identical(const Outcome& a, const Outcome& b);

std::string describe(const MixCase& mixCase);
std::string describe(const Outcome& outcome);

// Rounding of exact values. The value rounded to nearest, ties to even, with a significand of `bits`
// bits and an unbounded exponent.
mpq_class roundToSignificand(const mpq_class& value, int bits);

// The nearest double, ties to even, subnormals included; a nonzero value too small for a subnormal
// becomes a zero of its sign. False when the magnitude rounds beyond the largest finite double.
bool roundToDouble(const mpq_class& value, double& result);

// Random transfers that reach every rule and every failure: volumes and spoons near the largest
// double, tiny and subnormal ones, zeros of both signs, negatives, decimal values a person would type,
// sources whose two volumes cancel exactly or nearly, and many sources whose volumes are of similar
// size with different exponents, where keeping the total at 64 bits decides the last digit of the
// share. The sequence depends on the seed alone.
class MixCaseGenerator
{
public:
    explicit MixCaseGenerator(std::uint64_t seed) : random_(seed) {}

    MixCase next();

private:
    double volume();
    double spoon(double sourceBaijiu);
    double partnerOf(double baijiu);
    double withRandomSignificand(int exponent);
    std::uint64_t below(std::uint64_t bound);
    bool chance(unsigned percent) { return below(100) < percent; }

    std::mt19937_64 random_;
};

// TOLVANE_MIX_SEED and TOLVANE_MIX_CASES, when set, replace the fixed seed and the case count so that a
// longer or different run needs no rebuild.
std::uint64_t seedFromEnvironment(std::uint64_t fallback);
long long caseCountFromEnvironment(long long fallback);

} // namespace exactmix
