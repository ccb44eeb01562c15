#pragma once

// An existing .res read as the server reads it, and compared with what the map needs.

#include "game/formats/byte_source.h"
#include "game/resolver.h"
#include "game/rules.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// The most of a .res that is read, and the most words kept: far past the server's 512
// lines, so a .res that is cut is over its limit anyway.
inline constexpr std::size_t res_read_limit = 1u << 20;
inline constexpr std::size_t res_line_limit = 4096;

// The server reads a .res word by word, and takes each word for a file: the words are the
// lines that count.
struct ResText {
    std::vector<std::string> lines; // the words read, single-byte, in order
    std::size_t dropped = 0;        // words past res_line_limit, counted, not kept
    bool cut = false;               // the file is longer than res_read_limit
    bool utf16 = false;             // a UTF-16 file, of which the server reads nothing
    std::size_t count() const { return lines.size() + dropped; }
};

// The words of a .res from its bytes (at most res_read_limit of them are looked at) as the
// server reads them (for_each_word): a UTF-8 byte-order mark is skipped; a file that starts
// with a UTF-16 one is junk to the server and gives no words.
ResText read_res_text(std::string_view bytes);

// Reads the .res at `utf8_path` (its first res_read_limit bytes). Nothing when there is
// no such file; throws analysis::FileError when it cannot be read.
std::optional<ResText> read_res_file(const std::string& utf8_path);

struct ExtraLine {
    std::string line;
    bool exists = false; // a file of that name is in the game folder (else it is stock or unsafe)
};
struct LackingEntry {
    std::string entry;
    From from; // the map, its entity text, or the entry whose file needs it
};
struct RefusedLine {
    std::string line;
    std::string reason; // the first reason the server has
};
struct CaseLine {
    std::string line;
    std::string spelled; // as the disk spells it
};

struct Audit {
    std::optional<std::string> res; // the .res read (UTF-8); nothing when the map has none
    ResText text;
    std::vector<ExtraLine> extra;      // lines that name nothing the map needs and no missing file
    std::vector<LackingEntry> lacking; // found entries (not stock) that no line names
    std::vector<CaseLine> case_lines;  // lines naming a needed file in another case
    std::vector<std::string> missing;  // lines whose file is not found, needed or not
    std::vector<RefusedLine> refused;  // words the server drops, which name nothing
    std::string unreadable;            // why the server reads none of it; empty when it does
    std::vector<std::string> notes;    // what of the .res was read and compared
    bool readable() const { return unreadable.empty(); }
    bool over_limit() const { return text.count() > max_res_lines; }
    // True when the .res lacks a file that exists, names one that does not, holds a word
    // the server drops or more lines than the server reads, or cannot be read.
    bool failed() const {
        return !lacking.empty() || !missing.empty() || !refused.empty() || !readable() ||
               over_limit();
    }
};

// Compares the lines of `text` with `resolution` (made with following); `res` is the
// path of the .res read, nothing when there is none.
Audit audit_res(const Resolver& resolver, const MapResolution& resolution,
                std::optional<std::string> res, ResText text);

// Reads the .res beside the map of `resolution` (made with following), when there is one,
// and compares it.
Audit audit_map(const Resolver& resolver, const MapResolution& resolution);

} // namespace tarnwick::game
