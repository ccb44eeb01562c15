#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarnwick::analysis {

// Thrown when an entry cannot be addressed with a signed 16-bit index.
class ResourceLimitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The full list of resource paths: ordered byte strings addressed by a signed 16-bit
// index, with a hash index beside the entries so that the duplicate test costs O(1).
class ResourceList {
public:
    // Indexes run from 0 to 32767, so the list holds at most 32,768 entries.
    static constexpr int max_entries = 32768;

    int count() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    const std::string& item(std::int16_t index) const;

    void append(std::string entry);
    void remove(std::int16_t index);
    void replace(std::int16_t index, std::string entry);
    void clear();

    bool contains(std::string_view entry) const;
    // Index of the first entry equal to `entry`, or -1.
    std::int16_t find(std::string_view entry) const;

    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }
    const std::vector<std::string>& entries() const { return entries_; }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept {
            return std::hash<std::string_view>{}(s);
        }
    };

    void check_index(std::int16_t index) const;
    void forget(const std::string& entry);

    std::vector<std::string> entries_;
    std::unordered_map<std::string, int, Hash, std::equal_to<>> counts_;
};

} // namespace tarnwick::analysis
