#pragma once

// Names as the game compares them: ASCII letters without regard to case, every other
// byte as it is.

#include <string>
#include <string_view>
#include <unordered_set>

namespace tarnwick::game {

std::string lower_ascii(std::string_view text);
bool same_name(std::string_view a, std::string_view b);
bool ends_with_name(std::string_view text, std::string_view suffix);

// A set of names compared without regard to case; insert says whether the name was new.
class NameSet {
public:
    bool insert(std::string_view name) { return keys_.insert(lower_ascii(name)).second; }
    bool contains(std::string_view name) const { return keys_.count(lower_ascii(name)) != 0; }
    std::size_t size() const { return keys_.size(); }

private:
    std::unordered_set<std::string> keys_;
};

} // namespace tarnwick::game
