#pragma once

// Maps for the benchmarks, shaped like compiled ones.

#include <cstdint>
#include <string>

namespace tarnwick::testing {

// A map of `size` bytes (at least its header and entity text) shaped like a compiled
// one: the header's 15 lumps all used, realistic entity text, and binary lumps with the
// byte statistics of real ones (a '.' or '"' about every hundred bytes).
std::string bsp_shaped_map(std::size_t size, std::uint32_t seed = 11);

} // namespace tarnwick::testing
