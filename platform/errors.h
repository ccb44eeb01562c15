#pragma once

#include <stdexcept>

namespace tarnwick::platform {

// A number that does not fit the type it is converted to, such as an opacity outside a byte.
class OverflowError : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

} // namespace tarnwick::platform
