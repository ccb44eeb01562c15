#include "analysis/block_reader.h"
#include "synthetic_map.h"

#include <gtest/gtest.h>

namespace tarnwick::testing {
namespace {

using analysis::BlockReader;
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

} // namespace
} // namespace tarnwick::testing
