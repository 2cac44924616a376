#pragma once

#include <cstdint>

// The two cups and the spoon. Volumes carry no unit and nothing constrains them: a cup may be
// overdrawn, the spoon may be empty or negative.
struct MixState
{
    double spoonVolume = 0;
    double baijiuInBaijiuCup = 100;
    double redInBaijiuCup = 0;
    double baijiuInRedCup = 0;
    double redInRedCup = 100;
    std::int32_t stepCount = 0;
};

// One spoonful of the source cup's current mixture into the other cup, then stepCount + 1.
// Throws EZeroDivide or EOverflow; the step that fails stores nothing, the steps before it keep what
// they stored, and stepCount is left as it was.
void spoonIntoRedCup(MixState& state);
void spoonIntoBaijiuCup(MixState& state);

// The same transfers with the extended arithmetic named: the two above use Extended. MixState.cpp
// provides them for SoftExtended and, where long double is the x87 format, for long double, so that
// the tests can hold the hardware and the software arithmetic side by side.
template <class ExtendedType> void spoonIntoRedCupUsing(MixState& state);
template <class ExtendedType> void spoonIntoBaijiuCupUsing(MixState& state);
