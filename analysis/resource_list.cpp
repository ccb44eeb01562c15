#include "analysis/resource_list.h"

#include <string>

namespace tarnwick::analysis {

const std::string& ResourceList::item(std::int16_t index) const {
    check_index(index);
    return entries_[static_cast<std::size_t>(index)];
}

void ResourceList::append(std::string entry) {
    if (count() >= max_entries)
        throw ResourceLimitError("the list cannot hold more than 32768 entries");
    ++counts_[entry];
    entries_.push_back(std::move(entry));
}

void ResourceList::remove(std::int16_t index) {
    check_index(index);
    forget(entries_[static_cast<std::size_t>(index)]);
    entries_.erase(entries_.begin() + index);
}

void ResourceList::replace(std::int16_t index, std::string entry) {
    check_index(index);
    auto& slot = entries_[static_cast<std::size_t>(index)];
    forget(slot);
    ++counts_[entry];
    slot = std::move(entry);
}

void ResourceList::clear() {
    entries_.clear();
    counts_.clear();
}

bool ResourceList::contains(std::string_view entry) const {
    return counts_.find(entry) != counts_.end();
}

std::int16_t ResourceList::find(std::string_view entry) const {
    if (!contains(entry)) return -1;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i] == entry) return static_cast<std::int16_t>(i);
    return -1;
}

void ResourceList::check_index(std::int16_t index) const {
    if (index < 0 || index >= count())
        throw std::out_of_range("no entry " + std::to_string(index) + " in a list of " +
                                std::to_string(count()));
}

void ResourceList::forget(const std::string& entry) {
    auto it = counts_.find(entry);
    if (it != counts_.end() && --it->second == 0) counts_.erase(it);
}

} // namespace tarnwick::analysis
