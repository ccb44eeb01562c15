#pragma once

// What the ways of finding candidates share (candidates.cpp, candidates_avx2.cpp): the
// test of one position, and the walk over a block one vector of positions at a time.
// Everything here is private to each file that includes it, and calls no library code
// but std::countr_zero (one instruction), so the linker cannot let a copy built for AVX2
// (in candidates_avx2.cpp) stand in for code that runs on every processor.

#include <bit>
#include <cstdint>

namespace tarnwick::analysis {
namespace {

inline bool starts_candidate(unsigned char first, unsigned char next) {
    return (first == '.' || first == '"') &&
           (next == 'w' || next == 'm' || next == 's' || next == 't');
}

inline int find_portably(const unsigned char* s, int length, int* out) {
    int n = 0;
    for (int i = 0; i + 1 < length; ++i)
        if (starts_candidate(s[i], s[i + 1])) out[n++] = i;
    return n;
}

// `mask_at(p)` has bit i set when a candidate starts at p[i], for i below `width` (at
// most 64); it reads p[0] to p[width]. The last vector is taken to end right at the block's end,
// overlapping the one before it, whose positions are cleared from it, so that nothing
// past the block is read.
template <int width, std::uint64_t (*mask_at)(const unsigned char* p)>
int walk(const unsigned char* s, int length, int* out) {
    if (length <= width) return find_portably(s, length, out);
    const int last = length - width - 1;
    int n = 0;
    for (int i = 0; i < length - 1; i += width) {
        const int at = i < last ? i : last;
        const int seen = i - at; // positions the vector before has covered
        for (std::uint64_t mask = mask_at(s + at) >> seen << seen; mask != 0; mask &= mask - 1)
            out[n++] = at + std::countr_zero(mask);
        i = at;
    }
    return n;
}

} // namespace
} // namespace tarnwick::analysis
