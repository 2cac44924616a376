#include "support/ExactMixModel.h"

#include "model/Exceptions.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace exactmix {

namespace {

// floor(log2(a)) for a > 0.
long floorLog2(const mpq_class& a)
{
    long e = static_cast<long>(mpz_sizeinbase(a.get_num_mpz_t(), 2)) -
             static_cast<long>(mpz_sizeinbase(a.get_den_mpz_t(), 2));
    // Now 2^(e-1) < a < 2^(e+1); a >= 2^e decides between the two.
    mpz_class num = a.get_num();
    mpz_class den = a.get_den();
    if (e >= 0)
        den <<= static_cast<unsigned long>(e);
    else
        num <<= static_cast<unsigned long>(-e);
    if (num < den)
        --e;
    return e;
}

// a > 0 rounded to the nearest multiple of 2^k, ties to the even multiple; returns the multiple.
mpz_class roundToMultipleOfPowerOfTwo(const mpq_class& a, long k)
{
    mpz_class num = a.get_num();
    mpz_class den = a.get_den();
    if (k >= 0)
        den <<= static_cast<unsigned long>(k);
    else
        num <<= static_cast<unsigned long>(-k);
    mpz_class quotient;
    mpz_class remainder;
    mpz_fdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), num.get_mpz_t(), den.get_mpz_t());
    remainder <<= 1;
    const int side = cmp(remainder, den);
    if (side > 0 || (side == 0 && mpz_odd_p(quotient.get_mpz_t())))
        ++quotient;
    return quotient;
}

mpq_class timesPowerOfTwo(const mpz_class& multiple, long k)
{
    mpq_class result(multiple);
    if (k >= 0)
        mpq_mul_2exp(result.get_mpq_t(), result.get_mpq_t(), static_cast<unsigned long>(k));
    else
        mpq_div_2exp(result.get_mpq_t(), result.get_mpq_t(), static_cast<unsigned long>(-k));
    return result;
}

mpq_class exact(double value)
{
    return mpq_class(value);
}

struct OverflowSignal
{
};

struct ZeroDivideSignal
{
};

// The operations of a transfer on double operands, each result rounded as the chosen arithmetic
// rounds it. A zero result takes its sign the way IEEE arithmetic gives it in round to nearest: an
// exact zero sum is -0 only when both addends are -0, a product's sign is the operands' signs
// combined, and a nonzero result that underflows keeps its own sign.
class Operations
{
public:
    explicit Operations(Arithmetic kind) : kind_(kind) {}

    double store(const mpq_class& value, bool negativeIfZero) const
    {
        if (value == 0)
            return negativeIfZero ? -0.0 : 0.0;
        const mpq_class rounded = kind_ == Arithmetic::PlainDouble ? value : roundToSignificand(value, 64);
        double result = 0;
        if (!roundToDouble(rounded, result))
            throw OverflowSignal{};
        return result;
    }

    double plus(double x, double y) const
    {
        return store(exact(x) + exact(y), std::signbit(x) && std::signbit(y));
    }

    double minus(double x, double y) const
    {
        return store(exact(x) - exact(y), std::signbit(x) && !std::signbit(y));
    }

    double times(double x, double y) const
    {
        return store(exact(x) * exact(y), std::signbit(x) != std::signbit(y));
    }

    // The source's share of baijiu, sb / (sr + sb). Only the faithful arithmetic keeps the total at 64
    // bits into the division.
    double share(double sb, double sr) const
    {
        const mpq_class sum = exact(sr) + exact(sb);
        if (sum == 0)
            throw ZeroDivideSignal{};
        const mpq_class total =
            kind_ == Arithmetic::Faithful ? roundToSignificand(sum, 64) : exact(store(sum, false));
        // sb is not zero here, so neither is the quotient.
        return store(exact(sb) / total, false);
    }

private:
    Arithmetic kind_;
};

void transferBetween(double& sb, double& sr, double& tb, double& tr, double s, const Operations& arithmetic)
{
    if (sr == 0) {
        sb = arithmetic.minus(sb, s);
        tb = arithmetic.plus(s, tb);
    } else if (sb == 0) {
        sr = arithmetic.minus(sr, s);
        tr = arithmetic.plus(s, tr);
    } else {
        const double f = arithmetic.share(sb, sr);
        const double b = arithmetic.times(s, f);
        const double r = arithmetic.minus(s, b);
        sb = arithmetic.minus(sb, b);
        sr = arithmetic.minus(sr, r);
        tb = arithmetic.plus(b, tb);
        tr = arithmetic.plus(r, tr);
    }
}

std::string formatDouble(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17g (%a)", value, value);
    return text;
}

std::string describeState(const MixState& state)
{
    return "spoon " + formatDouble(state.spoonVolume) + ", baijiu cup " +
           formatDouble(state.baijiuInBaijiuCup) + " / " + formatDouble(state.redInBaijiuCup) + ", red cup " +
           formatDouble(state.baijiuInRedCup) + " / " + formatDouble(state.redInRedCup) + ", step " +
           std::to_string(state.stepCount);
}

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace

mpq_class roundToSignificand(const mpq_class& value, int bits)
{
    if (value == 0)
        return value;
    const mpq_class magnitude = abs(value);
    const long k = floorLog2(magnitude) - bits + 1;
    const mpq_class rounded = timesPowerOfTwo(roundToMultipleOfPowerOfTwo(magnitude, k), k);
    return value < 0 ? mpq_class(-rounded) : rounded;
}

bool roundToDouble(const mpq_class& value, double& result)
{
    if (value == 0) {
        result = 0.0;
        return true;
    }
    const mpq_class magnitude = abs(value);
    // 53 significant bits, but never a finer step than the smallest subnormal.
    const long k = std::max(floorLog2(magnitude) - 52, -1074L);
    const mpz_class multiple = roundToMultipleOfPowerOfTwo(magnitude, k);
    // multiple <= 2^53, so it and the power of two below are exact in a double.
    if (multiple != 0 && static_cast<long>(mpz_sizeinbase(multiple.get_mpz_t(), 2)) - 1 + k >= 1024)
        return false;
    const double rounded = std::ldexp(multiple.get_d(), static_cast<int>(k));
    result = value < 0 ? -rounded : rounded;
    return true;
}

Branch branchOf(const MixCase& mixCase)
{
    const MixState& s = mixCase.state;
    const bool intoRed = mixCase.direction == Direction::IntoRedCup;
    const double sb = intoRed ? s.baijiuInBaijiuCup : s.baijiuInRedCup;
    const double sr = intoRed ? s.redInBaijiuCup : s.redInRedCup;
    if (sr == 0)
        return Branch::PureBaijiu;
    if (sb == 0)
        return Branch::PureRed;
    return Branch::Mixed;
}

Outcome transfer(const MixCase& mixCase, Arithmetic kind)
{
    Outcome outcome{mixCase.state, Failure::None};
    MixState& s = outcome.state;
    const Operations arithmetic(kind);
    try {
        if (mixCase.direction == Direction::IntoRedCup)
            transferBetween(s.baijiuInBaijiuCup, s.redInBaijiuCup, s.baijiuInRedCup, s.redInRedCup,
                            s.spoonVolume, arithmetic);
        else
            transferBetween(s.baijiuInRedCup, s.redInRedCup, s.baijiuInBaijiuCup, s.redInBaijiuCup,
                            s.spoonVolume, arithmetic);
        ++s.stepCount;
    } catch (const ZeroDivideSignal&) {
        outcome.failure = Failure::ZeroDivide;
    } catch (const OverflowSignal&) {
        outcome.failure = Failure::Overflow;
    }
    return outcome;
}

Outcome observe(const MixCase& mixCase)
{
    return observe(mixCase, &spoonIntoRedCup, &spoonIntoBaijiuCup);
}

Outcome observe(const MixCase& mixCase, TransferFunction intoRedCup, TransferFunction intoBaijiuCup)
{
    Outcome outcome{mixCase.state, Failure::None};
    try {
        (mixCase.direction == Direction::IntoRedCup ? intoRedCup : intoBaijiuCup)(outcome.state);
    } catch (const EZeroDivide&) {
        outcome.failure = Failure::ZeroDivide;
    } catch (const EOverflow&) {
        outcome.failure = Failure::Overflow;
    }
    return outcome;
}

bool identical(const Outcome& a, const Outcome& b)
{
    return sameBits(a.state.spoonVolume, b.state.spoonVolume) &&
           sameBits(a.state.baijiuInBaijiuCup, b.state.baijiuInBaijiuCup) &&
           sameBits(a.state.redInBaijiuCup, b.state.redInBaijiuCup) &&
           sameBits(a.state.baijiuInRedCup, b.state.baijiuInRedCup) &&
           sameBits(a.state.redInRedCup, b.state.redInRedCup) && a.state.stepCount == b.state.stepCount &&
           a.failure == b.failure;
}

std::string describe(const MixCase& mixCase)
{
    return std::string(mixCase.direction == Direction::IntoRedCup ? "into red cup" : "into baijiu cup") +
           " from " + describeState(mixCase.state);
}

std::string describe(const Outcome& outcome)
{
    static const char* const failures[] = {"no failure", "division by zero", "overflow"};
    return std::string(failures[static_cast<int>(outcome.failure)]) + ", " + describeState(outcome.state);
}

std::uint64_t MixCaseGenerator::below(std::uint64_t bound)
{
    // Plain modulo: the bounds are tiny, and unlike the standard distributions it gives the same
    // sequence with every standard library.
    return random_() % bound;
}

double MixCaseGenerator::withRandomSignificand(int exponent)
{
    exponent = std::clamp(exponent, -1022, 1023);
    const std::uint64_t fraction = random_() >> 12;
    const auto biased = static_cast<std::uint64_t>(exponent + 1023);
    return std::bit_cast<double>(biased << 52 | fraction);
}

double MixCaseGenerator::volume()
{
    const bool negative = chance(30);
    double magnitude = 0;
    const std::uint64_t kind = below(100);
    if (kind < 14) {
        // What a person types: a few digits with a decimal point somewhere.
        static const double powersOfTen[] = {1, 10, 100, 1000};
        magnitude = static_cast<double>(below(1001)) / powersOfTen[below(4)];
    } else if (kind < 20) {
        magnitude = 0;
    } else if (kind < 45) {
        magnitude = withRandomSignificand(static_cast<int>(below(21)) - 10);
    } else if (kind < 57) {
        magnitude = withRandomSignificand(1015 + static_cast<int>(below(9)));
    } else if (kind < 65) {
        magnitude = withRandomSignificand(-1022 + static_cast<int>(below(30)));
    } else if (kind < 75) {
        // Subnormal: an exponent field of zero and a fraction of random length.
        magnitude = std::bit_cast<double>((random_() >> 12) >> below(52));
    } else {
        magnitude = withRandomSignificand(static_cast<int>(below(2046)) - 1022);
    }
    return negative ? -magnitude : magnitude;
}

// The red wine of a source cup whose baijiu is given.
double MixCaseGenerator::partnerOf(double baijiu)
{
    const std::uint64_t kind = below(100);
    if (kind < 15)
        return chance(50) ? 0.0 : -0.0;
    if (baijiu != 0 && std::isfinite(baijiu)) {
        if (kind < 23)
            return -baijiu;
        if (kind < 28) {
            // Nearly cancelling: the total is a few units in the last place of either.
            double partner = -baijiu;
            const double away = chance(50) ? 0.0 : 2 * partner;
            for (std::uint64_t i = 1 + below(4); i > 0; --i)
                partner = std::nextafter(partner, away);
            return partner;
        }
        if (kind < 70) {
            // Similar size, different exponent: the exact total needs a few bits more than a double,
            // which the 64-bit total keeps and a double total would round away.
            const int exponent = std::ilogb(baijiu) + static_cast<int>(below(23)) - 11;
            const double partner =
                exponent < -1022 ? std::bit_cast<double>(random_() >> 12) : withRandomSignificand(exponent);
            const bool sameSign = chance(80);
            return (baijiu < 0) == sameSign ? -partner : partner;
        }
    }
    return volume();
}

double MixCaseGenerator::spoon(double sourceBaijiu)
{
    const std::uint64_t kind = below(100);
    if (kind < 20) {
        static const double nice[] = {1, 3, 7, 10, 0.1, 0.5, 2.5, 100, 50, 0.01};
        return nice[below(10)];
    }
    if (kind < 25)
        return chance(50) ? 0.0 : -0.0;
    if (kind < 35)
        return (chance(50) ? 1 : -1) * withRandomSignificand(1020 + static_cast<int>(below(4)));
    if (kind < 50 && sourceBaijiu != 0) {
        const int exponent = std::ilogb(sourceBaijiu) + static_cast<int>(below(7)) - 3;
        const double near = withRandomSignificand(exponent);
        return chance(15) ? -near : near;
    }
    return volume();
}

MixCase MixCaseGenerator::next()
{
    MixCase mixCase;
    mixCase.direction = chance(50) ? Direction::IntoRedCup : Direction::IntoBaijiuCup;
    // Now and then everything lies near the largest double, where sums and differences overflow.
    const bool crowded = chance(10);
    const auto huge = [this] {
        return (chance(50) ? 1 : -1) * withRandomSignificand(1021 + static_cast<int>(below(3)));
    };
    const double sb = chance(10) ? 0.0 : crowded ? huge() : volume();
    const double sr = crowded && chance(50) ? huge() : partnerOf(sb);
    const double tb = crowded ? huge() : volume();
    const double tr = crowded ? huge() : volume();
    MixState& s = mixCase.state;
    s.spoonVolume = crowded ? huge() : spoon(sb);
    s.stepCount = static_cast<std::int32_t>(below(1000));
    if (mixCase.direction == Direction::IntoRedCup) {
        s.baijiuInBaijiuCup = sb;
        s.redInBaijiuCup = sr;
        s.baijiuInRedCup = tb;
        s.redInRedCup = tr;
    } else {
        s.baijiuInRedCup = sb;
        s.redInRedCup = sr;
        s.baijiuInBaijiuCup = tb;
        s.redInBaijiuCup = tr;
    }
    return mixCase;
}

std::uint64_t seedFromEnvironment(std::uint64_t fallback)
{
    const char* text = std::getenv("TOLVANE_MIX_SEED");
    return text && *text ? std::strtoull(text, nullptr, 0) : fallback;
}

long long caseCountFromEnvironment(long long fallback)
{
    const char* text = std::getenv("TOLVANE_MIX_CASES");
    return text && *text ? std::strtoll(text, nullptr, 0) : fallback;
}

} // namespace exactmix
