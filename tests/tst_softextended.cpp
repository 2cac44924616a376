#include "model/Extended.h"
#include "model/MixState.h"
#include "model/SoftExtended.h"
#include "support/ExactMixModel.h"

#include <QtTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <limits>
#include <optional>
#include <random>
#include <string>

using namespace exactmix;

namespace {

constexpr std::uint64_t defaultSeed = 0x736f6674;
constexpr long long defaultCaseCount = 50000;
constexpr long long operationCount = 100000;

enum class Operation
{
    Sum,
    Difference,
    Product,
    Quotient,
};

mpq_class exactValue(const SoftExtended& value)
{
    mpq_class result(mpz_class(std::to_string(value.significand())));
    if (value.exponent() >= 0)
        mpq_mul_2exp(result.get_mpq_t(), result.get_mpq_t(), static_cast<unsigned long>(value.exponent()));
    else
        mpq_div_2exp(result.get_mpq_t(), result.get_mpq_t(), static_cast<unsigned long>(-value.exponent()));
    return value.negative() ? mpq_class(-result) : result;
}

std::string describe(const SoftExtended& value)
{
    char text[80];
    std::snprintf(text, sizeof text, "%c0x%016llx * 2^%d", value.negative() ? '-' : '+',
                  static_cast<unsigned long long>(value.significand()), value.exponent());
    return text;
}

bool sameValueAndSign(const SoftExtended& a, const SoftExtended& b)
{
    return a.negative() == b.negative() && a.significand() == b.significand() &&
           (a.significand() == 0 || a.exponent() == b.exponent());
}

#if TOLVANE_X87_EXTENDED
long double toLongDouble(const SoftExtended& value)
{
    const long double magnitude = std::ldexp(static_cast<long double>(value.significand()), value.exponent());
    return value.negative() ? -magnitude : magnitude;
}

SoftExtended fromLongDouble(long double value)
{
    int exponent = 0;
    const long double fraction = std::frexp(std::fabs(value), &exponent);
    const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    return SoftExtended::fromParts(std::signbit(value), significand, exponent - 64);
}
#endif

// Operands that reach the corners of rounding: full random significands, short ones whose exact
// results often land exactly halfway, runs of ones that carry through the whole significand, values
// just above a power of two that cancel deeply, zeros of both signs and exact opposites; and every
// alignment distance from none to far past the 64 bits.
class OperandSource
{
public:
    explicit OperandSource(std::uint64_t seed) : random_(seed) {}

    std::pair<SoftExtended, SoftExtended> next()
    {
        const int exponent = static_cast<int>(below(600)) - 300;
        static const int distances[] = {0, 1, 2, 3, 62, 63, 64, 65, 66, 126, 127, 128, 129, 200};
        const int distance =
            below(2) == 0 ? distances[below(std::size(distances))] : static_cast<int>(below(140));
        const SoftExtended a = operand(exponent);
        const std::uint64_t kind = below(100);
        if (kind < 3)
            return {a, -a};
        if (kind < 6)
            return {a, a};
        const SoftExtended b = operand(exponent + (below(2) == 0 ? distance : -distance));
        return below(2) == 0 ? std::pair{a, b} : std::pair{b, a};
    }

    std::uint64_t below(std::uint64_t bound) { return random_() % bound; }

private:
    SoftExtended operand(int exponent)
    {
        const bool negative = below(2) == 0;
        if (below(100) < 4)
            return SoftExtended::fromParts(negative, 0, 0);
        std::uint64_t significand = 0;
        switch (below(4)) {
        case 0:
            significand = random_();
            break;
        case 1:
            significand = (random_() | std::uint64_t(1) << 63) >> below(64);
            break;
        case 2:
            significand = ~std::uint64_t(0) << below(64);
            break;
        default:
            significand = std::uint64_t(1) << 63 | below(16);
            break;
        }
        return SoftExtended::fromParts(negative, significand, exponent);
    }

    std::mt19937_64 random_;
};

} // namespace

Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(SoftExtended)
Q_DECLARE_METATYPE(std::optional<double>)

class TestSoftExtended : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void operationsRoundLikeExactArithmetic_data();
    void operationsRoundLikeExactArithmetic();
    void conversionToDoubleRoundsOnce_data();
    void conversionToDoubleRoundsOnce();
    void conversionToDoubleMatchesExactRoundingAcrossTheRange();
    void softwareHardwareAndExactModelsAgreeOnRandomStates();
};

void TestSoftExtended::operationsRoundLikeExactArithmetic_data()
{
    QTest::addColumn<Operation>("operation");

    QTest::newRow("a + b") << Operation::Sum;
    QTest::newRow("a - b") << Operation::Difference;
    QTest::newRow("a * b") << Operation::Product;
    QTest::newRow("a / b") << Operation::Quotient;
}

void TestSoftExtended::operationsRoundLikeExactArithmetic()
{
    QFETCH(Operation, operation);

    OperandSource operands(seedFromEnvironment(defaultSeed) + static_cast<std::uint64_t>(operation));
    for (long long i = 0; i < operationCount; ++i) {
        auto [a, b] = operands.next();
        if (operation == Operation::Quotient && isZero(b))
            b = SoftExtended(3.0);

        SoftExtended result;
        mpq_class exact;
        bool negativeIfZero = false;
        switch (operation) {
        case Operation::Sum:
            result = a + b;
            exact = exactValue(a) + exactValue(b);
            negativeIfZero = a.negative() && b.negative();
            break;
        case Operation::Difference:
            result = a - b;
            exact = exactValue(a) - exactValue(b);
            negativeIfZero = a.negative() && !b.negative();
            break;
        case Operation::Product:
            result = a * b;
            exact = exactValue(a) * exactValue(b);
            negativeIfZero = a.negative() != b.negative();
            break;
        case Operation::Quotient:
            result = a / b;
            exact = exactValue(a) / exactValue(b);
            negativeIfZero = a.negative() != b.negative();
            break;
        }

        const mpq_class expected = roundToSignificand(exact, 64);
        const bool signOk =
            isZero(result) ? result.negative() == negativeIfZero : result.negative() == (exact < 0);
        if (exactValue(result) != expected || !signOk ||
            (!isZero(result) && result.significand() >> 63 == 0)) {
            const std::string problem = "case " + std::to_string(i) + ": " + describe(a) + ", " +
                                        describe(b) + " gave " + describe(result) + ", exactly rounded " +
                                        expected.get_str();
            QFAIL(problem.c_str());
        }

#if TOLVANE_X87_EXTENDED
        const long double x = toLongDouble(a);
        const long double y = toLongDouble(b);
        const long double hardware = operation == Operation::Sum          ? x + y
                                     : operation == Operation::Difference ? x - y
                                     : operation == Operation::Product    ? x * y
                                                                          : x / y;
        if (!sameValueAndSign(fromLongDouble(hardware), result)) {
            const std::string problem = "case " + std::to_string(i) + ": " + describe(a) + ", " +
                                        describe(b) + " gave " + describe(result) + ", the x87 unit " +
                                        describe(fromLongDouble(hardware));
            QFAIL(problem.c_str());
        }
#endif
    }
}

void TestSoftExtended::conversionToDoubleRoundsOnce_data()
{
    QTest::addColumn<SoftExtended>("value");
    QTest::addColumn<std::optional<double>>("expected");

    const double max = std::numeric_limits<double>::max();
    const double tiniest = std::numeric_limits<double>::denorm_min();
    const std::uint64_t maxSignificand = ((std::uint64_t(1) << 53) - 1) << 11; // max as 64 bits: 2^960 units
    const std::uint64_t one = std::uint64_t(1) << 63;

    QTest::newRow("1 + 2^-53") << SoftExtended::fromParts(false, one | 1 << 10, -63) << std::optional(1.0);
    QTest::newRow("1 + 2^-53 + 2^-63")
        << SoftExtended::fromParts(false, one | 1 << 10 | 1, -63) << std::optional(1 + 0x1p-52);
    QTest::newRow("1 + 3 * 2^-53") << SoftExtended::fromParts(false, one | 3 << 10, -63)
                                   << std::optional(1 + 0x1p-51);
    QTest::newRow("max") << SoftExtended(max) << std::optional(max);
    QTest::newRow("max + 2^970 - 2^960")
        << SoftExtended::fromParts(false, maxSignificand | 0x3ff, 960) << std::optional(max);
    QTest::newRow("max + 2^970") << SoftExtended::fromParts(false, maxSignificand | 0x400, 960)
                                 << std::optional<double>();
    QTest::newRow("-max - 2^970") << SoftExtended::fromParts(true, maxSignificand | 0x400, 960)
                                  << std::optional<double>();
    QTest::newRow("2^1024") << SoftExtended::fromParts(false, 1, 1024) << std::optional<double>();
    // A conversion through 53 bits first would lose the 2^-63 part and then round the tie to zero.
    QTest::newRow("2^-1075") << SoftExtended::fromParts(false, 1, -1075) << std::optional(0.0);
    QTest::newRow("2^-1075 + 2^-1138")
        << SoftExtended::fromParts(false, one | 1, -1138) << std::optional(tiniest);
    QTest::newRow("-2^-1075") << SoftExtended::fromParts(true, 1, -1075) << std::optional(-0.0);
    QTest::newRow("3 * 2^-1075") << SoftExtended::fromParts(false, 3, -1075) << std::optional(2 * tiniest);
    QTest::newRow("5 * 2^-1075") << SoftExtended::fromParts(false, 5, -1075) << std::optional(2 * tiniest);
    QTest::newRow("2^-1022 - 2^-1075")
        << SoftExtended::fromParts(false, (std::uint64_t(1) << 53) - 1, -1075) << std::optional(0x1p-1022);
    QTest::newRow("2^-1022 - 2^-1074") << SoftExtended::fromParts(false, (std::uint64_t(1) << 52) - 1, -1074)
                                       << std::optional(0x1p-1022 - tiniest);
    QTest::newRow("-2^-1200") << SoftExtended::fromParts(true, 1, -1200) << std::optional(-0.0);
    QTest::newRow("-0") << SoftExtended(-0.0) << std::optional(-0.0);
}

void TestSoftExtended::conversionToDoubleRoundsOnce()
{
    QFETCH(SoftExtended, value);
    QFETCH(std::optional<double>, expected);

    const std::optional<double> rounded = roundToDouble(value);
    QCOMPARE(rounded.has_value(), expected.has_value());
    if (expected)
        QCOMPARE(std::bit_cast<std::uint64_t>(*rounded), std::bit_cast<std::uint64_t>(*expected));
#if TOLVANE_X87_EXTENDED
    const double hardware = static_cast<double>(toLongDouble(value));
    QCOMPARE(std::isinf(hardware), !expected.has_value());
    if (expected)
        QCOMPARE(std::bit_cast<std::uint64_t>(hardware), std::bit_cast<std::uint64_t>(*expected));
#endif
}

void TestSoftExtended::conversionToDoubleMatchesExactRoundingAcrossTheRange()
{
    OperandSource source(seedFromEnvironment(defaultSeed));
    for (long long i = 0; i < operationCount; ++i) {
        // Exponents from below the smallest subnormal to beyond the largest double.
        const auto [a, ignored] = source.next();
        const int exponent = static_cast<int>(source.below(2200)) - 1150;
        const SoftExtended value = SoftExtended::fromParts(a.negative(), a.significand(), exponent);

        double expected = 0;
        const bool fits = exactmix::roundToDouble(exactValue(value), expected);
        if (isZero(value))
            expected = value.negative() ? -0.0 : 0.0;
        const std::optional<double> rounded = roundToDouble(value);
        const bool same =
            rounded.has_value() == fits &&
            (!fits || std::bit_cast<std::uint64_t>(*rounded) == std::bit_cast<std::uint64_t>(expected));
        if (!same) {
            const std::string problem =
                describe(value) + " gave " + (rounded ? std::to_string(*rounded) : std::string("overflow"));
            QFAIL(problem.c_str());
        }
    }
}

void TestSoftExtended::softwareHardwareAndExactModelsAgreeOnRandomStates()
{
    const std::uint64_t seed = seedFromEnvironment(defaultSeed);
    const long long count = caseCountFromEnvironment(defaultCaseCount);
    MixCaseGenerator generator(seed);
    for (long long i = 0; i < count; ++i) {
        const MixCase mixCase = generator.next();
        const Outcome exact = transfer(mixCase);
        const Outcome soft =
            observe(mixCase, &spoonIntoRedCupUsing<SoftExtended>, &spoonIntoBaijiuCupUsing<SoftExtended>);
        const std::string where = "seed " + std::to_string(seed) + " case " + std::to_string(i) + ": " +
                                  exactmix::describe(mixCase) + "\n   exact    " + exactmix::describe(exact);
        QVERIFY2(identical(soft, exact), (where + "\n   software " + exactmix::describe(soft)).c_str());
#if TOLVANE_X87_EXTENDED
        const Outcome hardware =
            observe(mixCase, &spoonIntoRedCupUsing<long double>, &spoonIntoBaijiuCupUsing<long double>);
        QVERIFY2(identical(hardware, exact),
                 (where + "\n   x87      " + exactmix::describe(hardware)).c_str());
#endif
    }
}

QTEST_APPLESS_MAIN(TestSoftExtended)
#include "tst_softextended.moc"
