#include "analysis/stock_filter.h"

#include <algorithm>

namespace tarnwick::analysis {

bool is_stock_wad(std::string_view entry) {
    return std::find(stock_wads.begin(), stock_wads.end(), entry) != stock_wads.end();
}

std::vector<std::string> shown_entries(const ResourceList& list, bool show_all) {
    std::vector<std::string> shown;
    shown.reserve(static_cast<std::size_t>(list.count()));
    for (const auto& entry : list)
        if (show_all || !is_stock_wad(entry)) shown.push_back(entry);
    return shown;
}

} // namespace tarnwick::analysis
