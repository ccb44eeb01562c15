// The map scanner. A map is read as 1024-byte blocks; each block is searched together
// with the block before it (one window of two blocks), so that a reference across a
// block border is still found whole. In every window the references are taken in the
// order they stand in the map, each cut out around its pattern and added unless the
// list already holds the same text.

#include "analysis/block_reader.h"
#include "analysis/candidates.h"
#include "analysis/file_system.h"
#include "analysis/map_names.h"
#include "analysis/module1.h"
#include "analysis/references.h"
#include "analysis/single_byte.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <system_error>

namespace tarnwick::analysis {

bool is_listed(const ResourceList& list, std::string_view text) {
    return list.contains(text);
}

namespace {

constexpr int block = static_cast<int>(BlockReader::block_size);

enum class Kind : unsigned char { wad, mdl, spr, wav, tga, sky };

struct Match {
    int pos; // of the pattern's first character, from the start of its block or window
    Kind kind;
};

constexpr std::string_view quoted_sky_key = "\"skyname\"";
static_assert(quoted_sky_key.substr(1, sky_key.size()) == sky_key);
constexpr int sky_key_length = static_cast<int>(quoted_sky_key.size());
constexpr int extension_length = 4;
// The sky value starts after the key, one separator and the value's opening quote.
constexpr int sky_value_offset = sky_key_length + 2;

// The reference kind whose extension starts at `s` (s[0] is a dot), if any.
bool extension_at(const unsigned char* s, Kind& kind) {
    for (std::size_t k = 0; k < reference_kinds.size(); ++k) {
        if (std::memcmp(s + 1, reference_kinds[k].extension.data() + 1, 3) == 0) {
            kind = static_cast<Kind>(k);
            return true;
        }
    }
    return false;
}

bool sky_key_at(const unsigned char* s) {
    return std::memcmp(s, quoted_sky_key.data(), quoted_sky_key.size()) == 0;
}

// Every reference pattern that lies wholly inside the `length` bytes at `s`, appended
// in order of position (positions from `s`, plus `offset`). `candidates` has room for
// `length` positions.
void find_matches(const unsigned char* s, int length, int offset, int* candidates,
                  std::vector<Match>& out) {
    const int count = find_candidates(s, length, candidates);
    for (int c = 0; c < count; ++c) {
        const int at = candidates[c];
        Kind kind;
        if (s[at] == '.') {
            if (at + extension_length <= length && extension_at(s + at, kind))
                out.push_back({at + offset, kind});
        } else if (at + sky_key_length <= length && sky_key_at(s + at)) {
            out.push_back({at + offset, Kind::sky});
        }
    }
}

// The patterns that begin in the first block of a two-block window and end in the second.
void find_border_matches(const unsigned char* window, std::vector<Match>& out) {
    for (int q = block - sky_key_length + 1; q < block; ++q) {
        Kind kind;
        if (window[q] == '.' && q + extension_length > block && extension_at(window + q, kind))
            out.push_back({q, kind});
        else if (window[q] == '"' && sky_key_at(window + q))
            out.push_back({q, Kind::sky});
    }
}

bool is_stop(Kind kind, unsigned char c) {
    if (c == '"' || c == ';') return true;
    return kind == Kind::wad && (c == '/' || c == '\\');
}

// Appends bytes as the window shows them: control characters read as spaces.
void append_text(std::string& out, const unsigned char* from, const unsigned char* to) {
    for (; from < to; ++from)
        out += static_cast<char>(*from < 32 ? ' ' : *from);
}

struct Window {
    const unsigned char* data;
    int length;
    bool first; // the file's first window: its start is the file's start
    bool last;  // the file's last window: its end is the file's end
};

class Scanner {
public:
    Scanner(ResourceList& list, ProgressTarget& progress, const EventPump& pump)
        : list_(list), progress_(progress), pump_(pump) {
        previous_.reserve(64);
        current_.reserve(64);
        path_.reserve(256);
    }

    // `length` only sizes the read buffer: a small map needs no more of it than itself.
    // A larger buffer reads no faster, and every page of a fresh one costs a page fault
    // on first use, which for a batch of small maps costs more than reading them.
    void run(const std::string& map_path, std::uintmax_t length) {
        constexpr std::uintmax_t largest_chunk = 256 << 10;
        BlockReader reader(map_path, static_cast<std::size_t>(std::min(length, largest_chunk)));
        bool first = true;
        do {
            pump();
            const unsigned char* data = reader.next_block();
            current_.clear();
            find_matches(data, block, 0, candidates_.data(), current_);
            if (first) {
                search({data, block, true, reader.last()}, current_);
            } else {
                border_.clear();
                find_border_matches(data - block, border_);
                search({data - block, 2 * block, false, reader.last()}, previous_);
            }
            step_progress();
            std::swap(previous_, current_);
            first = false;
        } while (!reader.last());
    }

private:
    // The search steps of one window: its references in order of position.
    void search(const Window& w, const std::vector<Match>& first_block) {
        for (const auto& m : first_block)
            take(w, m.pos, m.kind);
        if (w.length > block) {
            for (const auto& m : border_)
                take(w, m.pos, m.kind);
            for (const auto& m : current_)
                take(w, m.pos + block, m.kind);
        }
        pump(); // the step that finds nothing more
    }

    void take(const Window& w, int p, Kind kind) {
        pump();
        if (kind == Kind::sky)
            take_sky(w, p);
        else
            take_path(w, p, kind);
    }

    // Backward from the extension's last character to the nearest stop character.
    void take_path(const Window& w, int p, Kind kind) {
        const int last = p + extension_length - 1;
        int at = last;
        while (at >= 0 && !is_stop(kind, w.data[at]))
            --at;
        // Cut off at the window's start: this reference began in the block before,
        // and the previous window has already reported it whole.
        if (at < 0 && !w.first) return;
        const auto* from = w.data + at + 1;
        const auto prefix = reference_kinds[static_cast<std::size_t>(kind)].leading_directory;
        path_.clear();
        const auto length = static_cast<std::size_t>(last - at);
        if (length < prefix.size() || std::memcmp(from, prefix.data(), prefix.size()) != 0)
            path_ = prefix;
        append_text(path_, from, w.data + last + 1);
        if (path_.size() <= 4) return;
        add(path_);
    }

    // Forward from the value's first character to its closing double quote.
    void take_sky(const Window& w, int p) {
        const int start = p + sky_value_offset;
        int at = start;
        while (at < w.length && w.data[at] != '"')
            ++at;
        // Cut off at the window's end: the next window holds the whole name.
        if (at >= w.length && !w.last) return;
        path_.assign(sky_folder);
        if (start < w.length) append_text(path_, w.data + start, w.data + at);
        const auto name_length = path_.size();
        for (const auto face : sky_faces) {
            path_.resize(name_length);
            path_.append(face);
            add(path_);
        }
    }

    void add(const std::string& path) {
        if (!is_listed(list_, path)) list_.append(path);
    }

    void step_progress() {
        const std::int64_t value = progress_.Value();
        if (value + 1 <= progress_.Max()) progress_.Value(static_cast<std::int32_t>(value + 1));
    }

    void pump() {
        if (pump_) pump_();
    }

    ResourceList& list_;
    ProgressTarget& progress_;
    const EventPump& pump_;
    std::vector<Match> previous_, border_, current_;
    std::array<int, block> candidates_;
    std::string path_;
};

// Half a block or less rounds to no block at all, a range the progress bar cannot show;
// the scan refuses such a file before it gives the bar its range.
constexpr std::uintmax_t largest_too_small = block / 2;

void check_not_too_small(std::uintmax_t length) {
    if (length <= largest_too_small)
        throw ReadError("the file is too small to be a map (" + std::to_string(largest_too_small) +
                        " bytes or fewer)");
}

// The number of blocks shown by the progress bar: the length in blocks, rounded to the
// nearest whole number, halves to the even one.
std::int32_t block_count(std::uintmax_t length) {
    std::uintmax_t blocks = length / block;
    const std::uintmax_t rest = length % block;
    if (rest > block / 2 || (rest == block / 2 && blocks % 2 == 1)) ++blocks;
    if (blocks > static_cast<std::uintmax_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::overflow_error("the map is too large");
    return static_cast<std::int32_t>(blocks);
}

std::uintmax_t map_length(const std::string& map_path) {
    std::error_code ec;
    const auto p = to_path(map_path);
    const auto status = std::filesystem::status(p, ec);
    if (ec) throw ReadError("cannot read: " + ec.message());
    if (!std::filesystem::is_regular_file(status)) throw ReadError("not an ordinary file");
    const auto length = std::filesystem::file_size(p, ec);
    if (ec) throw ReadError("cannot read its size: " + ec.message());
    return length;
}

void add_description_file(const std::string& map_path, const std::string& map_name,
                          ResourceList& list) {
    if (char_count(map_path) < 4 || char_count(map_name) < 4)
        throw std::length_error("the map path or name is shorter than four characters");
    if (!plain_file_exists(drop_last_chars(map_path, 4) + ".txt")) return;
    const auto names = map_names(map_name);
    if (!names.usable)
        throw std::invalid_argument("the map name cannot be written as resource text");
    list.append(names.description());
}

} // namespace

bool scan_map(const std::string& map_path, const std::string& map_name, ResourceList& list,
              ProgressTarget& progress, const EventPump& pump, std::string* why) {
    try {
        list.clear();
        progress.Value(0);
        const auto length = map_length(map_path);
        check_not_too_small(length);
        progress.Max(block_count(length));
        add_description_file(map_path, map_name, list);
        Scanner(list, progress, pump).run(map_path, length);
        return true;
    } catch (const std::exception& e) {
        if (why) *why = e.what();
    } catch (...) {
        if (why) *why = "unexpected failure";
    }
    return false;
}

} // namespace tarnwick::analysis
