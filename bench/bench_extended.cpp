// The long differential run of the mixing arithmetic: random transfers through the x87 model (where
// long double is that format), the software model and the exact rational model, which must agree bit
// for bit and failure for failure. Prints the agreement and what each model costs per transfer.
//
//   bench_extended [count [seed]]     count defaults to 1000000; exit status 1 on any disagreement

#include "model/Extended.h"
#include "model/MixState.h"
#include "support/ExactMixModel.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace exactmix;

namespace {

using Clock = std::chrono::steady_clock;

struct Run
{
    const char* name;
    double seconds = 0;
    long long disagreements = 0;
};

template <class Step> std::vector<Outcome> timed(const std::vector<MixCase>& cases, Run& run, Step step)
{
    std::vector<Outcome> outcomes;
    outcomes.reserve(cases.size());
    const Clock::time_point start = Clock::now();
    for (const MixCase& mixCase : cases)
        outcomes.push_back(step(mixCase));
    run.seconds += std::chrono::duration<double>(Clock::now() - start).count();
    return outcomes;
}

void compare(const std::vector<MixCase>& cases, const std::vector<Outcome>& exact,
             const std::vector<Outcome>& outcomes, Run& run, long long firstIndex)
{
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (identical(outcomes[i], exact[i]))
            continue;
        if (run.disagreements++ < 5)
            std::printf("%s disagrees on case %lld: %s\n  gave     %s\n  expected %s\n", run.name,
                        firstIndex + static_cast<long long>(i), describe(cases[i]).c_str(),
                        describe(outcomes[i]).c_str(), describe(exact[i]).c_str());
    }
}

} // namespace

int main(int argc, char** argv)
{
    const long long count = argc > 1 ? std::strtoll(argv[1], nullptr, 0) : 1000000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 0) : 0x62656e6368;
    std::printf("%lld random transfers, seed %llu, x87 extended format %s\n", count,
                static_cast<unsigned long long>(seed), TOLVANE_X87_EXTENDED ? "available" : "not available");

    MixCaseGenerator generator(seed);
    Run exactRun{"exact"};
    Run softRun{"software"};
    [[maybe_unused]] Run hardRun{"x87"};
    long long failures[3] = {};
    constexpr long long chunk = 100000;
    for (long long done = 0; done < count; done += chunk) {
        std::vector<MixCase> cases;
        for (long long i = done; i < count && i < done + chunk; ++i)
            cases.push_back(generator.next());

        const std::vector<Outcome> exact =
            timed(cases, exactRun, [](const MixCase& c) { return transfer(c); });
        for (const Outcome& outcome : exact)
            ++failures[static_cast<int>(outcome.failure)];
        compare(cases, exact,
                timed(cases, softRun,
                      [](const MixCase& c) {
                          return observe(c, &spoonIntoRedCupUsing<SoftExtended>,
                                         &spoonIntoBaijiuCupUsing<SoftExtended>);
                      }),
                softRun, done);
#if TOLVANE_X87_EXTENDED
        compare(cases, exact,
                timed(cases, hardRun,
                      [](const MixCase& c) {
                          return observe(c, &spoonIntoRedCupUsing<long double>,
                                         &spoonIntoBaijiuCupUsing<long double>);
                      }),
                hardRun, done);
#endif
    }

    std::printf("outcomes: %lld completed, %lld division by zero, %lld overflow\n", failures[0], failures[1],
                failures[2]);
    std::vector<const Run*> runs = {&exactRun, &softRun};
#if TOLVANE_X87_EXTENDED
    runs.push_back(&hardRun);
#endif
    bool agreed = true;
    for (const Run* run : runs) {
        std::printf("%-9s %8.1f ns per transfer, %lld disagreements with the exact model\n", run->name,
                    run->seconds * 1e9 / static_cast<double>(count), run->disagreements);
        agreed = agreed && run->disagreements == 0;
    }
    return agreed ? 0 : 1;
}
