#pragma once

#include <stdexcept>

namespace tarnwick::platform {

// A number that does not fit the type it is converted to, such as an opacity outside a byte.
class OverflowError : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

// A value that a part of a control refuses, such as a negative length limit.
class InvalidValueError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

} // namespace tarnwick::platform
