// Finding where a reference pattern may start, at the speed of reading the bytes.
//
// Every pattern the scanner looks for starts with '.' or '"', and in a map's binary
// lumps those turn up about every hundred bytes, so a search that stops at each of them
// and starts again spends its time starting. Instead the block is taken 16 or 32 bytes
// at a time (one SSE2 or AVX2 register): each byte is compared with '.' and '"', the
// byte after it (the same bytes loaded one further on) with the letters that may follow
// ('w', 'm', 's', 't' after a dot, 's' after a quote), and the results are combined
// into one bit per position. The bits that are set are walked one by one, lowest first;
// in binary data they are rare, so almost every step of the loop is a few compares and
// a test of a zero mask. The scanner then checks each candidate against its patterns.
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
std::uint32_t sse2_mask(const unsigned char* p) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const auto is = [](__m128i bytes, char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
    const __m128i s_next = is(next, 's');
    const __m128i letter = _mm_or_si128(_mm_or_si128(is(next, 'w'), is(next, 'm')),
                                        _mm_or_si128(s_next, is(next, 't')));
    const __m128i dot = _mm_and_si128(is(here, '.'), letter);
    const __m128i quote = _mm_and_si128(is(here, '"'), s_next);
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(dot, quote)));
}
constexpr bool sse2_built_in = true;
#else
std::uint32_t sse2_mask(const unsigned char*) {
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
    static const CandidateSearch how = avx2_usable()  ? CandidateSearch::avx2
                                       : sse2_built_in ? CandidateSearch::sse2
                                                       : CandidateSearch::portable;
    return how;
}

} // namespace

bool available(CandidateSearch how) {
    switch (how) {
    case CandidateSearch::avx2: return avx2_usable();
    case CandidateSearch::sse2: return sse2_built_in;
    default: return true;
    }
}

int find_candidates(CandidateSearch how, const unsigned char* s, int length, int* out) {
    switch (how) {
    case CandidateSearch::avx2: return find_candidates_avx2(s, length, out);
    case CandidateSearch::sse2: return walk<16, sse2_mask>(s, length, out);
    default: return find_portably(s, length, out);
    }
}

int find_candidates(const unsigned char* s, int length, int* out) {
    return find_candidates(fastest(), s, length, out);
}

} // namespace tarnwick::analysis
