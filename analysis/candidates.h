#pragma once

// The first, cheap part of the scanner's search: where in a block a reference pattern
// may start. See candidates.cpp for how it is done.

namespace tarnwick::analysis {

// Writes to `out`, in increasing order, every position i of the `length` bytes at `s`
// (i + 1 < length) where s[i] is '.' or '"' and s[i+1] is 'w', 'm', 's' or 't': where
// ".wad" ".mdl" ".spr" ".wav" ".tga" or "\"skyname\"" may start. Returns how many it
// wrote; `out` must have room for `length` of them. Reads only s[0] to s[length - 1].
int find_candidates(const unsigned char* s, int length, int* out);

// The ways of doing it, each giving the same positions; find_candidates takes the
// fastest one the processor has. For the tests and benchmarks.
enum class CandidateSearch { portable, sse2, avx2 };
bool available(CandidateSearch how);
int find_candidates(CandidateSearch how, const unsigned char* s, int length, int* out);

} // namespace tarnwick::analysis
