#pragma once

// What becomes of the words of a .res that is replaced: a word the new list lacks that names
// a file the server has and clients may download is carried into the new file, after the
// new list (admins put a plugin's sounds in a map's .res so that players download them);
// any other is left out, with the reason.

#include "game/audit.h"
#include "game/res_lines.h"
#include "game/resolver.h"

#include <string>
#include <vector>

namespace tarnwick::game {

struct LeftOutWord {
    std::string word; // single-byte
    std::string reason;
};

struct OldRes {
    std::string path;                  // the .res replaced (UTF-8); empty when there is none
    std::vector<Outcome> carried;      // its words that the new list lacks, looked up
    std::vector<LeftOutWord> left_out; // its words the new file does not take, and why
    std::string unreadable;            // why it could not be read; empty when it was
    // The lines the carried words take in the .res, in their order.
    std::vector<std::string> lines(const WriteChoice& choice) const;
};

// Why the server or the clients refuse a .res word; empty when neither does.
std::string res_word_refusal(const std::string& word);

// The words of `old` (the .res beside `map_path`, read as the server reads it) that `lines`,
// the new list without the map's two lines, lacks: each carried or left out.
OldRes carry_old_res(const Resolver& resolver, const std::string& map_path,
                     const std::vector<std::string>& lines, const ResText& old,
                     const WriteChoice& choice);

// The same for the .res on the disk beside the map, when there is one.
OldRes carry_old_res(const Resolver& resolver, const std::string& map_path,
                     const std::vector<std::string>& lines, const WriteChoice& choice);

// The words of `old` that `lines` lacks (the map's two lines aside), each once: what a plain
// scan's .res drops of the one it replaces.
std::vector<std::string> words_lacking(const std::string& map_path,
                                       const std::vector<std::string>& lines, const ResText& old);

} // namespace tarnwick::game
