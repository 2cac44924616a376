#include "model/MixState.h"
#include "support/ExactMixModel.h"

#include <QtTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

using namespace exactmix;

Q_DECLARE_METATYPE(MixState)
Q_DECLARE_METATYPE(exactmix::Direction)
Q_DECLARE_METATYPE(exactmix::Failure)
Q_DECLARE_METATYPE(exactmix::Arithmetic)

namespace {

// The random differential's fixed seed; TOLVANE_MIX_SEED replaces it.
constexpr std::uint64_t defaultSeed = 0x746f6c76616e65;
constexpr long long defaultCaseCount = 20000;

constexpr Direction intoRed = Direction::IntoRedCup;
constexpr Direction intoBaijiu = Direction::IntoBaijiuCup;

MixState cups(double baijiuInBaijiuCup, double redInBaijiuCup, double baijiuInRedCup, double redInRedCup,
              double spoon, std::int32_t stepCount = 0)
{
    return {spoon, baijiuInBaijiuCup, redInBaijiuCup, baijiuInRedCup, redInRedCup, stepCount};
}

// The model's own result and the exact model's must both be `expected`; checking the exact model against
// hand-derived numbers is what lets the random differential trust it.
std::string mismatch(const MixCase& mixCase, const Outcome& expected)
{
    const Outcome actual = observe(mixCase);
    if (!identical(actual, expected))
        return describe(mixCase) + "\n   gave     " + describe(actual) + "\n   expected " +
               describe(expected);
    const Outcome exact = transfer(mixCase);
    if (!identical(exact, expected))
        return describe(mixCase) + "\n   the exact model gave " + describe(exact) + "\n   expected " +
               describe(expected);
    return {};
}

} // namespace

class TestMixState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExamplesComeOutToTheLastBit_data();
    void workedExamplesComeOutToTheLastBit();
    void transferMovesTheseVolumes_data();
    void transferMovesTheseVolumes();
    void failedTransferKeepsWhatWasStoredBeforeTheFailingStep_data();
    void failedTransferKeepsWhatWasStoredBeforeTheFailingStep();
    void spoonfulThereAndBackExchangesEqualVolumes_data();
    void spoonfulThereAndBackExchangesEqualVolumes();
    void matchesExactArithmeticOnRandomStates();
    void randomStatesExposeShortcutArithmetic_data();
    void randomStatesExposeShortcutArithmetic();
};

void TestMixState::workedExamplesComeOutToTheLastBit_data()
{
    QTest::addColumn<double>("spoon");
    QTest::addColumn<QByteArray>("moves"); // R into the red cup, B into the baijiu cup, from the start
    QTest::addColumn<MixState>("expected");

    QTest::newRow("spoon 1: R") << 1.0 << QByteArray("R") << cups(99, 0, 1, 100, 1, 1);
    QTest::newRow("spoon 1: RB") << 1.0 << QByteArray("RB")
                                 << cups(99.00990099009901, 0.9900990099009901, 0.9900990099009901,
                                         99.00990099009901, 1, 2);
    QTest::newRow("spoon 1: RBR") << 1.0 << QByteArray("RBR")
                                  << cups(98.01980198019803, 0.9801980198019802, 1.9801980198019802,
                                          99.01980198019803, 1, 3);
    QTest::newRow("spoon 1: RBRB") << 1.0 << QByteArray("RBRB")
                                   << cups(98.03940790118617, 1.9605920988138417, 1.9605920988138417,
                                           98.03940790118617, 1, 4);
    QTest::newRow("spoon 10: R") << 10.0 << QByteArray("R") << cups(90, 0, 10, 100, 10, 1);
    QTest::newRow("spoon 10: RB") << 10.0 << QByteArray("RB")
                                  << cups(90.9090909090909, 9.09090909090909, 9.09090909090909,
                                          90.9090909090909, 10, 2);
    QTest::newRow("spoon 1: B") << 1.0 << QByteArray("B") << cups(100, 1, 0, 99, 1, 1);
}

void TestMixState::workedExamplesComeOutToTheLastBit()
{
    QFETCH(double, spoon);
    QFETCH(QByteArray, moves);
    QFETCH(MixState, expected);

    MixCase mixCase;
    mixCase.state.spoonVolume = spoon;
    for (int i = 0; i < moves.size(); ++i) {
        mixCase.direction = moves[i] == 'R' ? intoRed : intoBaijiu;
        if (i + 1 < moves.size()) {
            const Outcome step = observe(mixCase);
            QCOMPARE(step.failure, Failure::None);
            mixCase.state = step.state;
        }
    }
    const std::string problem = mismatch(mixCase, {expected, Failure::None});
    QVERIFY2(problem.empty(), problem.c_str());
}

void TestMixState::transferMovesTheseVolumes_data()
{
    QTest::addColumn<MixState>("before");
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<MixState>("after");

    const double negZero = -0.0;

    // A source holding one wine gives a spoonful of that wine, however much or little the cup holds.
    QTest::newRow("baijiu 0.5, spoon 1, into red")
        << cups(0.5, 0, 0, 100, 1) << intoRed << cups(-0.5, 0, 1, 100, 1, 1);
    QTest::newRow("empty baijiu cup, spoon 1, into red")
        << cups(0, 0, 0, 100, 1) << intoRed << cups(-1, 0, 1, 100, 1, 1);
    QTest::newRow("empty red cup, spoon 1, into baijiu")
        << cups(100, 0, 0, 0, 1) << intoBaijiu << cups(101, 0, -1, 0, 1, 1);
    QTest::newRow("baijiu 0 red -0, spoon 1, into red")
        << cups(0, negZero, 0, 100, 1) << intoRed << cups(-1, negZero, 1, 100, 1, 1);
    QTest::newRow("baijiu 0 red 5, spoon 1, into red")
        << cups(0, 5, 0, 100, 1) << intoRed << cups(0, 4, 0, 101, 1, 1);
    QTest::newRow("start, spoon 0, into red")
        << cups(100, 0, 0, 100, 0) << intoRed << cups(100, 0, 0, 100, 0, 1);
    QTest::newRow("start, spoon -1, into red")
        << cups(100, 0, 0, 100, -1) << intoRed << cups(101, 0, -1, 100, -1, 1);
    QTest::newRow("start, spoon 1e308, into red")
        << cups(100, 0, 0, 100, 1e308) << intoRed << cups(-1e308, 0, 1e308, 100, 1e308, 1);
    // x - 0 keeps x's sign only for -0 - +0; -0 - -0 and +0 + -0 are +0.
    QTest::newRow("all -0, spoon 0, into red")
        << cups(negZero, negZero, negZero, 100, 0) << intoRed << cups(negZero, negZero, 0, 100, 0, 1);
    QTest::newRow("all -0, spoon -0, into red") << cups(negZero, negZero, negZero, 100, negZero) << intoRed
                                                << cups(0, negZero, negZero, 100, negZero, 1);

    // A mixture gives each wine in proportion; the share need not lie between 0 and 1.
    QTest::newRow("baijiu 3 red 1, spoon 0, into red")
        << cups(3, 1, 0, 100, 0) << intoRed << cups(3, 1, 0, 100, 0, 1);
    QTest::newRow("baijiu 3 red 1, spoon -2, into red")
        << cups(3, 1, 0, 100, -2) << intoRed << cups(4.5, 1.5, -1.5, 99.5, -2, 1);
    QTest::newRow("red cup baijiu 1 red 3, spoon 2, into baijiu")
        << cups(100, 0, 1, 3, 2) << intoBaijiu << cups(100.5, 1.5, 0.5, 1.5, 2, 1);
    QTest::newRow("baijiu 2 red -1, spoon 3, into red")
        << cups(2, -1, 0, 100, 3) << intoRed << cups(-4, 2, 6, 97, 3, 1);
    // The total 2e308 is beyond double but not beyond the 64-bit format it is kept in.
    QTest::newRow("baijiu 1e308 red 1e308, spoon 1, into red")
        << cups(1e308, 1e308, 0, 100, 1) << intoRed << cups(1e308, 1e308, 0.5, 100.5, 1, 1);
}

void TestMixState::transferMovesTheseVolumes()
{
    QFETCH(MixState, before);
    QFETCH(Direction, direction);
    QFETCH(MixState, after);

    const std::string problem = mismatch({before, direction}, {after, Failure::None});
    QVERIFY2(problem.empty(), problem.c_str());
}

void TestMixState::failedTransferKeepsWhatWasStoredBeforeTheFailingStep_data()
{
    QTest::addColumn<MixState>("before");
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<MixState>("after");

    const double max = std::numeric_limits<double>::max();
    const double nearlyMinus1e308 = -std::nextafter(std::nextafter(1e308, 0.0), 0.0);

    QTest::newRow("baijiu 5 red -5, into red")
        << cups(5, -5, 0, 100, 1) << intoRed << Failure::ZeroDivide << cups(5, -5, 0, 100, 1);
    QTest::newRow("red cup baijiu 3 red -3, into baijiu")
        << cups(100, 0, 3, -3, 1, 7) << intoBaijiu << Failure::ZeroDivide << cups(100, 0, 3, -3, 1, 7);
    QTest::newRow("second spoon of 1e308 into red")
        << cups(-1e308, 0, 1e308, 100, 1e308, 1) << intoRed << Failure::Overflow
        << cups(-1e308, 0, 1e308, 100, 1e308, 1);
    QTest::newRow("spoon 1e308 onto red cup baijiu 1e308")
        << cups(100, 0, 1e308, 100, 1e308) << intoRed << Failure::Overflow
        << cups(-1e308, 0, 1e308, 100, 1e308);
    QTest::newRow("spoon max from red cup holding -max red")
        << cups(100, 0, 0, -max, max) << intoBaijiu << Failure::Overflow << cups(100, 0, 0, -max, max);
    // The total is two units in the last place of 1e308, so the share is about 6.6e15 and the baijiu
    // part of a 1e300 spoonful is far beyond double.
    QTest::newRow("baijiu 1e308 red -(1e308 less 2 ulps), spoon 1e300")
        << cups(1e308, nearlyMinus1e308, 0, 100, 1e300) << intoRed << Failure::Overflow
        << cups(1e308, nearlyMinus1e308, 0, 100, 1e300);
    // Share -1: the red part is the spoon minus minus the spoon.
    QTest::newRow("baijiu 5e307 red -1e308, spoon 1e308")
        << cups(5e307, -1e308, 0, 100, 1e308) << intoRed << Failure::Overflow
        << cups(5e307, -1e308, 0, 100, 1e308);
    QTest::newRow("baijiu 1 red 1, red cup red 1.5e308, spoon 1e308")
        << cups(1, 1, 0, 1.5e308, 1e308) << intoRed << Failure::Overflow
        << cups(-5e307, -5e307, 5e307, 1.5e308, 1e308);
}

void TestMixState::failedTransferKeepsWhatWasStoredBeforeTheFailingStep()
{
    QFETCH(MixState, before);
    QFETCH(Direction, direction);
    QFETCH(Failure, failure);
    QFETCH(MixState, after);

    const std::string problem = mismatch({before, direction}, {after, failure});
    QVERIFY2(problem.empty(), problem.c_str());
}

void TestMixState::spoonfulThereAndBackExchangesEqualVolumes_data()
{
    QTest::addColumn<double>("spoon");

    QTest::newRow("1") << 1.0;
    QTest::newRow("3") << 3.0;
    QTest::newRow("7") << 7.0;
    QTest::newRow("10") << 10.0;
    QTest::newRow("0.1") << 0.1;
}

void TestMixState::spoonfulThereAndBackExchangesEqualVolumes()
{
    QFETCH(double, spoon);

    MixState state;
    state.spoonVolume = spoon;
    spoonIntoRedCup(state);
    spoonIntoBaijiuCup(state);
    QCOMPARE(state.stepCount, 2);
    QCOMPARE(std::bit_cast<std::uint64_t>(state.redInBaijiuCup),
             std::bit_cast<std::uint64_t>(state.baijiuInRedCup));
    QVERIFY(state.redInBaijiuCup > 0);
}

void TestMixState::matchesExactArithmeticOnRandomStates()
{
    const std::uint64_t seed = seedFromEnvironment(defaultSeed);
    const long long count = caseCountFromEnvironment(defaultCaseCount);
    MixCaseGenerator generator(seed);

    // How often each rule ended each way, so that a generator that stopped reaching one is noticed.
    long long tally[3][3] = {};
    long long partialFailures = 0;
    for (long long i = 0; i < count; ++i) {
        const MixCase mixCase = generator.next();
        const Outcome expected = transfer(mixCase);
        const Outcome actual = observe(mixCase);
        if (!identical(actual, expected)) {
            const std::string problem = "seed " + std::to_string(seed) + " case " + std::to_string(i) + ": " +
                                        describe(mixCase) + "\n   gave     " + describe(actual) +
                                        "\n   expected " + describe(expected);
            QFAIL(problem.c_str());
        }
        ++tally[static_cast<int>(branchOf(mixCase))][static_cast<int>(expected.failure)];
        if (expected.failure != Failure::None && !identical({mixCase.state, expected.failure}, expected))
            ++partialFailures;
    }

    qInfo("pure baijiu %lld ok %lld overflow, pure red %lld ok %lld overflow, mixed %lld ok %lld overflow "
          "%lld zero "
          "total, %lld failures after a partial update",
          tally[0][0], tally[0][2], tally[1][0], tally[1][2], tally[2][0], tally[2][2], tally[2][1],
          partialFailures);
    for (const Branch branch : {Branch::PureBaijiu, Branch::PureRed, Branch::Mixed}) {
        QVERIFY(tally[static_cast<int>(branch)][static_cast<int>(Failure::None)] > 0);
        QVERIFY(tally[static_cast<int>(branch)][static_cast<int>(Failure::Overflow)] > 0);
    }
    QVERIFY(tally[static_cast<int>(Branch::Mixed)][static_cast<int>(Failure::ZeroDivide)] > 0);
    QVERIFY(partialFailures > 0);
}

void TestMixState::randomStatesExposeShortcutArithmetic_data()
{
    QTest::addColumn<Arithmetic>("shortcut");

    QTest::newRow("total rounded to double") << Arithmetic::SumRoundedToDouble;
    QTest::newRow("plain double throughout") << Arithmetic::PlainDouble;
}

// A model with either shortcut would fail the differential above: the same random states tell it apart
// from the exact arithmetic, and in more than a stray case or two.
void TestMixState::randomStatesExposeShortcutArithmetic()
{
    QFETCH(Arithmetic, shortcut);

    const long long count = caseCountFromEnvironment(defaultCaseCount);
    MixCaseGenerator generator(seedFromEnvironment(defaultSeed));
    long long differing = 0;
    for (long long i = 0; i < count; ++i) {
        const MixCase mixCase = generator.next();
        if (!identical(transfer(mixCase, shortcut), transfer(mixCase)))
            ++differing;
    }
    qInfo("%lld of %lld random states differ", differing, count);
    QVERIFY(differing * 100 >= count);
}

QTEST_APPLESS_MAIN(TestMixState)
#include "tst_mixstate.moc"
