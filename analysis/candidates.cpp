// Finding where a reference pattern may start, at the speed of reading the bytes.
//
// Every pattern the scanner looks for starts with '.' or '"' and goes on with 'w', 'm',
// 's' or 't'. In a map's binary lumps '.' and '"' turn up about every hundred bytes, so
// a search that stops at each of them and starts again spends its time starting.
// Instead the block is taken 64 bytes at a time, in SSE2 or AVX2 registers of 16 or 32
// bytes: every byte is compared with '.' and '"', and the byte after it (the same bytes
// loaded one further on) with the four letters, all at once; the two results, ANDed,
// become one bit per position. The set bits are walked one by one, lowest first. In
// binary data they are rare, so almost every step is a few compares and the test of a
// zero mask. The scanner then checks each candidate against its patterns.
//
// SSE2 is part of every x86-64 processor; AVX2 is taken when the processor has it
// (candidates_avx2.cpp, built for it). Other processors test byte by byte.

#include "analysis/candidates.h"

#include "analysis/candidate_walk.h"

#if defined(__x86_64__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace tarnwick::analysis {

// In candidates_avx2.cpp; false, doing nothing, where AVX2 was not built in.
bool avx2_built_in();
int find_candidates_avx2(const unsigned char* s, int length, int* out);

namespace {

#if defined(__x86_64__) || defined(_M_X64)
std::uint64_t sse2_mask16(const unsigned char* p) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const auto is = [](__m128i bytes, char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
    const __m128i mark = _mm_or_si128(is(here, '.'), is(here, '"'));
    const __m128i letter = _mm_or_si128(_mm_or_si128(is(next, 'w'), is(next, 'm')),
                                        _mm_or_si128(is(next, 's'), is(next, 't')));
    return static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_and_si128(mark, letter)));
}
std::uint64_t sse2_mask(const unsigned char* p) {
    return sse2_mask16(p) | sse2_mask16(p + 16) << 16 | sse2_mask16(p + 32) << 32 |
           sse2_mask16(p + 48) << 48;
}
constexpr bool sse2_built_in = true;
#else
std::uint64_t sse2_mask(const unsigned char*) {
    return 0;
}
constexpr bool sse2_built_in = false;
#endif

bool avx2_usable() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(_M_X64))
    return avx2_built_in() && __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

CandidateSearch fastest() {
    static const CandidateSearch how = avx2_usable()   ? CandidateSearch::avx2
                                       : sse2_built_in ? CandidateSearch::sse2
                                                       : CandidateSearch::portable;
    return how;
}

} // namespace

bool available(CandidateSearch how) {
    switch (how) {
    case CandidateSearch::avx2:
        return avx2_usable();
    case CandidateSearch::sse2:
        return sse2_built_in;
    default:
        return true;
    }
}

int find_candidates(CandidateSearch how, const unsigned char* s, int length, int* out) {
    switch (how) {
    case CandidateSearch::avx2:
        return find_candidates_avx2(s, length, out);
    case CandidateSearch::sse2:
        return walk<64, sse2_mask>(s, length, out);
    default:
        return find_portably(s, length, out);
    }
}

int find_candidates(const unsigned char* s, int length, int* out) {
    return find_candidates(fastest(), s, length, out);
}

} // namespace tarnwick::analysis
