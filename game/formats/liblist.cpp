#include "game/formats/liblist.h"

#include "game/formats/byte_source.h"
#include "game/formats/names.h"
#include "game/formats/text_lines.h"

namespace tarnwick::game {

std::optional<std::string> read_fallback_dir(std::string_view liblist) {
    std::optional<std::string> found;
    for_each_line(liblist, [&](std::string_view line, std::size_t offset) {
        const auto fields = split_fields(line);
        if (found || fields.size() < 2 || !same_name(fields[0], "fallback_dir")) return;
        const auto& name = fields[1];
        if (name.empty() || name == "." || name == ".." ||
            name.find_first_of("/\\:") != std::string::npos || name.find('\0') != std::string::npos)
            throw FormatError("line at offset " + std::to_string(offset) +
                              ": fallback_dir is not a folder name");
        found = name;
    });
    return found;
}

} // namespace tarnwick::game
