// The AVX2 way of candidates.cpp, 32 bytes at a time. This file alone is built for
// processors with AVX2; it runs only where the processor has it.
//
// Here a byte is tested against several values at once by a table lookup (vpshufb):
// the table, indexed by the byte's low four bits, holds the one wanted byte that has
// those low bits ('.' at 0xE, '"' at 0x2), and the byte is wanted when it equals its
// entry. Entries of no wanted byte hold a value whose low bits differ from the index,
// and a byte from 0x80 up looks up zero, so neither can be equal.

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

// The table for the wanted bytes, by their low four bits, once for each 16-byte half
// of the register.
struct Table {
    alignas(32) char bytes[32];
};
constexpr Table table_of(const char* wanted) {
    Table t{};
    for (int i = 0; i < 16; ++i)
        t.bytes[i] = t.bytes[16 + i] = static_cast<char>(i + 1);
    for (; *wanted; ++wanted)
        t.bytes[*wanted & 0xF] = t.bytes[16 + (*wanted & 0xF)] = *wanted;
    return t;
}
constexpr Table marks = table_of(".\"");
constexpr Table letters = table_of("wmst");

__m256i load(const void* p) {
    return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}

std::uint64_t avx2_mask32(const unsigned char* p) {
    const auto wanted = [](const Table& table, __m256i bytes) {
        return _mm256_cmpeq_epi8(_mm256_shuffle_epi8(load(table.bytes), bytes), bytes);
    };
    const __m256i both = _mm256_and_si256(wanted(marks, load(p)), wanted(letters, load(p + 1)));
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(both));
}

std::uint64_t avx2_mask(const unsigned char* p) {
    return avx2_mask32(p) | avx2_mask32(p + 32) << 32;
}

} // namespace

int find_candidates_avx2(const unsigned char* s, int length, int* out) {
    return walk<64, avx2_mask>(s, length, out);
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
