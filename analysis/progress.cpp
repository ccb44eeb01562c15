#include "analysis/progress.h"

namespace tarnwick::analysis {

void RangeProgress::Value(std::int32_t value) {
    value_ = value < 0 ? 0 : value;
    if (max_ < value_) value_ = max_;
    check();
    changed();
}

void RangeProgress::Max(std::int32_t max) {
    max_ = max < 0 ? 0 : max;
    if (max_ < value_) value_ = max_;
    check();
    changed();
}

void RangeProgress::check() const {
    if (max_ == 0) throw ProgressRangeError("a progress range of 0 blocks cannot be shown");
}

} // namespace tarnwick::analysis
