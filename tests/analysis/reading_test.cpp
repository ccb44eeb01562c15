#include "analysis/candidates.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace tarnwick::testing {
namespace {

using analysis::CandidateSearch;

// The positions found in exactly `bytes` (held in a buffer of exactly that size, so a
// read past its end shows in the sanitizer build).
std::vector<int> found(CandidateSearch how, const std::string& bytes) {
    const int length = static_cast<int>(bytes.size());
    const auto held = std::make_unique<unsigned char[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), held.get());
    std::vector<int> out(bytes.size());
    out.resize(
        static_cast<std::size_t>(analysis::find_candidates(how, held.get(), length, out.data())));
    return out;
}

// Every way gives the positions of the byte-by-byte one, whatever the length and
// wherever the pairs stand against the vectors' edges and the block's end.
TEST(CandidatesTest, EveryWayFindsTheSame) {
    std::mt19937 random(5);
    // The wanted bytes, and bytes that share their low four bits or have the high bit.
    static constexpr char bytes[] = ".\"wmst\x00\x01\x02\x0e\x3e\x8e\xa2\xae\x67\xf7\xf3";
    const std::string alphabet(bytes, sizeof bytes - 1);
    for (const auto how : {CandidateSearch::sse2, CandidateSearch::avx2}) {
        if (!analysis::available(how)) continue;
        for (int length : {0, 1, 2, 15, 16, 17, 31, 32, 33, 34, 63, 64, 65, 100, 1024}) {
            std::string bytes(static_cast<std::size_t>(length), ' ');
            for (auto& b : bytes)
                b = alphabet[random() % alphabet.size()];
            EXPECT_EQ(found(how, bytes), found(CandidateSearch::portable, bytes))
                << "way " << static_cast<int>(how) << ", length " << length;
        }
    }
}

} // namespace
} // namespace tarnwick::testing
