#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>

namespace tarnwick::analysis {

// What the scan moves while it runs: the progress bar of the progress window, or the
// command line's own counter. A set may throw; the scan treats that as a failure.
class ProgressTarget {
public:
    virtual ~ProgressTarget() = default;
    virtual std::int32_t Value() const = 0;
    virtual void Value(std::int32_t value) = 0;
    virtual std::int32_t Max() const = 0;
    virtual void Max(std::int32_t max) = 0;
};

// Lets pending user-interface events run from inside the scan. May be empty.
using EventPump = std::function<void()>;

// A range of 0 to Max that cannot be shown while Max is 0.
class ProgressRangeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The range rules of the program's progress bar without a picture: Min is always 0,
// Value is kept within 0..Max, and every set fails while Max is 0 (the bar divides
// by Max to draw itself), after the new values have been stored.
class RangeProgress : public ProgressTarget {
public:
    std::int32_t Value() const override { return value_; }
    void Value(std::int32_t value) override;
    std::int32_t Max() const override { return max_; }
    void Max(std::int32_t max) override;

protected:
    // Runs after every set that passed the range check; the default does nothing.
    virtual void changed() {}

private:
    void check() const;

    std::int32_t max_ = 10;
    std::int32_t value_ = 0;
};

} // namespace tarnwick::analysis
