#include "model/MixState.h"

#include "model/Exceptions.h"
#include "model/Extended.h"

#include <cmath>

namespace {

// Every named quantity of a transfer is stored as a double: the result formed with a 64-bit
// significand, then rounded once more. A result beyond the largest double is an overflow and is not
// stored.
double store(Extended exact)
{
    const double stored = static_cast<double>(exact);
    if (std::isinf(stored))
        throw EOverflow();
    return stored;
}

Extended ext(double value)
{
    return static_cast<Extended>(value);
}

// The same transfer serves both directions, seen from the source cup.
struct Cup
{
    double& baijiu;
    double& red;
};

void transfer(Cup source, Cup target, MixState& state)
{
    const double s = state.spoonVolume;
    if (source.red == 0) {
        source.baijiu = store(ext(source.baijiu) - ext(s));
        target.baijiu = store(ext(s) + ext(target.baijiu));
    } else if (source.baijiu == 0) {
        source.red = store(ext(source.red) - ext(s));
        target.red = store(ext(s) + ext(target.red));
    } else {
        // The sum keeps its 64-bit significand into the division; rounding it to double first changes
        // the last digit of the fraction in a noticeable share of transfers.
        const Extended total = ext(source.red) + ext(source.baijiu);
        if (total == 0)
            throw EZeroDivide();
        const double f = store(ext(source.baijiu) / total);
        const double b = store(ext(s) * ext(f));
        const double r = store(ext(s) - ext(b));
        source.baijiu = store(ext(source.baijiu) - ext(b));
        source.red = store(ext(source.red) - ext(r));
        target.baijiu = store(ext(b) + ext(target.baijiu));
        target.red = store(ext(r) + ext(target.red));
    }
    ++state.stepCount;
}

} // namespace

void spoonIntoRedCup(MixState& state)
{
    transfer({state.baijiuInBaijiuCup, state.redInBaijiuCup}, {state.baijiuInRedCup, state.redInRedCup}, state);
}

void spoonIntoBaijiuCup(MixState& state)
{
    transfer({state.baijiuInRedCup, state.redInRedCup}, {state.baijiuInBaijiuCup, state.redInBaijiuCup}, state);
}
