// The AVX2 way of candidates.cpp: the same compares, 32 bytes at a time. This file alone
// is built for processors with AVX2; it runs only where the processor has it.

#include "analysis/candidate_walk.h"

#ifdef __AVX2__
#include <immintrin.h>
#endif

namespace tarnwick::analysis {

#ifdef __AVX2__

bool avx2_built_in() {
    return true;
}

namespace {

std::uint32_t avx2_mask(const unsigned char* p) {
    const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 1));
    const auto is = [](__m256i bytes, char c) {
        return _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(c));
    };
    const __m256i s_next = is(next, 's');
    const __m256i letter = _mm256_or_si256(_mm256_or_si256(is(next, 'w'), is(next, 'm')),
                                           _mm256_or_si256(s_next, is(next, 't')));
    const __m256i dot = _mm256_and_si256(is(here, '.'), letter);
    const __m256i quote = _mm256_and_si256(is(here, '"'), s_next);
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_or_si256(dot, quote)));
}

} // namespace

int find_candidates_avx2(const unsigned char* s, int length, int* out) {
    return walk<32, avx2_mask>(s, length, out);
}

#else

bool avx2_built_in() {
    return false;
}

int find_candidates_avx2(const unsigned char* s, int length, int* out) {
    return find_portably(s, length, out);
}

#endif

} // namespace tarnwick::analysis
