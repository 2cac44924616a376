#include "model/MixState.h"

#include "model/Exceptions.h"
#include "model/Extended.h"

#include <optional>

namespace {

// Every named quantity of a transfer is stored as a double: the result formed with a 64-bit
// significand, then rounded once more. A result beyond the largest double is an overflow and is not
// stored.
template <class E> double store(const E& exact)
{
    const std::optional<double> stored = roundToDouble(exact);
    if (!stored)
        throw EOverflow();
    return *stored;
}

// The same transfer serves both directions, seen from the source cup.
struct Cup
{
    double& baijiu;
    double& red;
};

template <class E> void transfer(Cup source, Cup target, MixState& state)
{
    const auto ext = [](double value) {
        return E(value);
    };
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
        const E total = ext(source.red) + ext(source.baijiu);
        if (isZero(total))
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

template <class E> void spoonIntoRedCupUsing(MixState& state)
{
    transfer<E>({state.baijiuInBaijiuCup, state.redInBaijiuCup}, {state.baijiuInRedCup, state.redInRedCup},
                state);
}

template <class E> void spoonIntoBaijiuCupUsing(MixState& state)
{
    transfer<E>({state.baijiuInRedCup, state.redInRedCup}, {state.baijiuInBaijiuCup, state.redInBaijiuCup},
                state);
}

template void spoonIntoRedCupUsing<SoftExtended>(MixState&);
template void spoonIntoBaijiuCupUsing<SoftExtended>(MixState&);
#if TOLVANE_X87_EXTENDED
template void spoonIntoRedCupUsing<long double>(MixState&);
template void spoonIntoBaijiuCupUsing<long double>(MixState&);
#endif

void spoonIntoRedCup(MixState& state)
{
    spoonIntoRedCupUsing<Extended>(state);
}

void spoonIntoBaijiuCup(MixState& state)
{
    spoonIntoBaijiuCupUsing<Extended>(state);
}
