#pragma once

// What the format readers read from: bytes in memory, a file, or a stretch of a pack file,
// addressed by offset. Every read is checked against the source's size, so a reader that
// trusts a damaged offset gets a FormatError instead of reading past the end.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarnwick::game {

// A file that is not of the expected format, or is damaged. The message is complete
// ("not a studio model", "damaged at offset 1234: ...") and is shown after the file's name.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly `length` bytes from `offset`; throws FormatError when they are not all there.
    std::string read(std::uint64_t offset, std::uint64_t length) const;

protected:
    // Called only with a range that lies inside the source.
    virtual std::string read_inside(std::uint64_t offset, std::size_t length) const = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }

private:
    std::string read_inside(std::uint64_t offset, std::size_t length) const override;
    std::string_view bytes_;
};

// The largest stretch any reader asks for at once; a count that would need more is damage.
inline constexpr std::uint64_t max_read = 64u << 20;

[[noreturn]] void damaged(std::uint64_t offset, const std::string& what);

// Little-endian integers inside a block that was read whole; `at` must lie inside it.
std::int32_t int32_at(std::string_view block, std::size_t at);
// The text of a fixed-size name field: up to its first NUL.
std::string name_at(std::string_view block, std::size_t at, std::size_t field_size);

// Reads the table of `count` records of `record_size` bytes at `offset`, refusing a
// negative count or a table that does not fit in the source.
std::string read_table(const ByteSource& source, std::int64_t offset, std::int64_t count,
                       std::size_t record_size, const char* what);

} // namespace tarnwick::game
