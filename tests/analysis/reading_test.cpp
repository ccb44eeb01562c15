// How a map is read: in space-padded blocks, each searched for the places where a
// reference may start.

#include "analysis/block_reader.h"
#include "analysis/candidates.h"
#include "synthetic_map.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace tarnwick::testing {
namespace {

using analysis::BlockReader;
using analysis::CandidateSearch;
constexpr std::size_t block = BlockReader::block_size;

// Any chunk size, a whole number of blocks or not: a chunk that ends inside a block
// once let the space padding of the last block run past the buffer.
TEST(BlockReaderTest, HandsOutSpacePaddedBlocksWithTheBlockBeforeWhateverTheChunkSize) {
    TempDir dir;
    for (std::size_t size : {0u, 1000u, 1024u, 3000u, 5120u, 7169u}) {
        const auto bytes = MapBuilder(static_cast<std::uint32_t>(size), MapBuilder::Noise::loud)
                               .pad_to(size)
                               .bytes();
        write_file(dir.file("m.bsp"), bytes);
        for (std::size_t chunk : {1u, 1024u, 1199u, 2047u, 3000u}) {
            BlockReader reader(dir.file("m.bsp"), chunk);
            std::string before(block, ' ');
            for (std::size_t i = 0;; ++i) {
                SCOPED_TRACE(std::to_string(size) + " bytes, chunk " + std::to_string(chunk) +
                             ", block " + std::to_string(i));
                const auto* data = reinterpret_cast<const char*>(reader.next_block());
                auto expected = bytes.substr(std::min(size, i * block), block);
                expected.resize(block, ' ');
                ASSERT_EQ(std::string(data, block), expected);
                ASSERT_EQ(std::string(data - block, block), before);
                ASSERT_EQ(reader.last(), size < (i + 1) * block);
                if (reader.last()) break;
                before = expected;
            }
        }
    }
}

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
