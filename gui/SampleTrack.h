#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// One series' whole history. Samples come at consecutive steps from the first one on, so a sample is
// its value alone: 8 bytes a step. The values sit in fixed-size blocks, so a long history never copies
// what it holds when it grows and never carries more than one block of spare room; a vector that
// doubled would hold up to twice the history for a while.
class SampleTrack
{
public:
    static constexpr std::size_t BlockSize = 8192;

    // `step` must follow the last sample's step by one; the first sample may start anywhere.
    void append(std::int64_t step, double value)
    {
        assert(size_ == 0 || step == firstStep_ + static_cast<std::int64_t>(size_));
        if (size_ == 0)
            firstStep_ = step;
        if (size_ % BlockSize == 0)
            blocks_.push_back(std::make_unique_for_overwrite<double[]>(BlockSize));
        blocks_.back()[size_ % BlockSize] = value;
        ++size_;
    }

    void clear()
    {
        blocks_.clear();
        size_ = 0;
        firstStep_ = 0;
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    std::int64_t firstStep() const { return firstStep_; }
    std::int64_t stepAt(std::size_t index) const { return firstStep_ + static_cast<std::int64_t>(index); }
    double valueAt(std::size_t index) const { return blocks_[index / BlockSize][index % BlockSize]; }
    double lastValue() const { return valueAt(size_ - 1); }

private:
    std::vector<std::unique_ptr<double[]>> blocks_;
    std::size_t size_ = 0;
    std::int64_t firstStep_ = 0;
};
