#include "analysis/file_system.h"
#include "analysis/os/windows/common.h"

#include <algorithm>

namespace tarnwick::analysis::os {

namespace {

bool same_letter(wchar_t a, wchar_t b) {
    return a == b || CompareStringOrdinal(&a, 1, &b, 1, TRUE) == CSTR_EQUAL;
}

// The names in `folder` (a path that ends in a separator, or empty for the current one).
std::vector<std::wstring> names_in(const std::string& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const auto pattern = to_path(folder).native() + L"*";
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") names.emplace_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

} // namespace

// Matched by the program rather than by FindFirstFile, whose "*.bsp" also takes
// "x.bspx" through its short name.
bool wildcard_match(std::wstring_view pattern, std::wstring_view name) {
    std::size_t p = 0, n = 0;
    std::size_t star = std::wstring_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == L'?' || same_letter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> expand_wildcards(const std::string& argument) {
    const auto cut = argument.find_last_of(path_separators);
    const auto folder = cut == std::string::npos ? std::string() : argument.substr(0, cut + 1);
    const auto pattern = to_path(argument.substr(folder.size())).native();
    if (pattern.find_first_of(L"*?") == std::wstring::npos) return {argument};
    auto names = names_in(folder);
    std::sort(names.begin(), names.end());
    std::vector<std::string> paths;
    for (const auto& name : names)
        if (wildcard_match(pattern, name)) paths.push_back(folder + to_utf8(name));
    return paths;
}

} // namespace tarnwick::analysis::os
