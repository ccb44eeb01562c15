#pragma once

// A second scanner, written for plainness rather than speed, against which the fuzz
// target checks the real one: it builds every window as a string and tries every
// pattern at every position, so it shares none of the real scanner's shortcuts
// (chunked reading, byte search, border matches, control characters replaced late).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::fuzzing {

struct ExpectedScan {
    bool ok = false;
    std::vector<std::string> entries;
    std::int32_t max = 0;   // the last Max set; none is set for a map too small to be one
    std::int32_t value = 0; // Value at the end
    long pumps = 0;         // event pumps: one per block and one per search step
};

// The scan of a map whose bytes are `map`; `description`, when not empty, is the entry
// of a description file lying beside it.
ExpectedScan reference_scan(std::string_view map, const std::string& description);

} // namespace tarnwick::fuzzing
