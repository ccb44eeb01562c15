#include "synthetic_game.h"

#include "synthetic_map.h"

namespace tarnwick::testing {
namespace {

// `text` in a NUL-padded field of `size` bytes.
void add_field(std::string& out, std::string_view text, std::size_t size) {
    std::string field(text.substr(0, size));
    field.resize(size, '\0');
    out += field;
}

std::uint32_t at_end(const std::string& out) {
    return static_cast<std::uint32_t>(out.size());
}

} // namespace

std::string wad_bytes(const std::vector<std::string>& names) {
    std::string out = "WAD3";
    add_int32(out, static_cast<std::uint32_t>(names.size()));
    add_int32(out, 12);
    for (const auto& name : names) {
        out.append(12, '\0');                // data offset, disk size, size
        out += std::string("\x43\0\0\0", 4); // type, compression, padding
        add_field(out, name, 16);
    }
    return out;
}

std::string pak_bytes(const std::vector<std::pair<std::string, std::string>>& files) {
    std::string out = "PACK";
    out.append(8, '\0');
    std::vector<std::uint32_t> offsets;
    for (const auto& [name, contents] : files) {
        offsets.push_back(at_end(out));
        out += contents;
    }
    set_int32(out, 4, at_end(out));
    set_int32(out, 8, static_cast<std::uint32_t>(files.size() * 64));
    for (std::size_t i = 0; i < files.size(); ++i) {
        add_field(out, files[i].first, 56);
        add_int32(out, offsets[i]);
        add_int32(out, static_cast<std::uint32_t>(files[i].second.size()));
    }
    return out;
}

std::string studio_model_bytes(const ModelShape& model) {
    // The header, then the one sequence, its events, and the sequence group table.
    constexpr std::uint32_t sequence_at = 244, events_at = sequence_at + 176;
    std::string out = "IDST";
    add_int32(out, 10);
    out.resize(events_at, '\0');
    for (const auto& [event, text] : model.events) {
        add_int32(out, 0); // frame
        add_int32(out, static_cast<std::uint32_t>(event));
        add_int32(out, 0); // type
        add_field(out, text, 64);
    }
    const auto groups_at = at_end(out);
    for (std::size_t group = 0; group <= model.groups.size(); ++group) {
        add_field(out, group ? "" : "default", 32);
        add_field(out, group ? model.groups[group - 1] : "", 64);
        out.append(8, '\0');
    }
    set_int32(out, 72, at_end(out)); // length
    set_int32(out, 164, 1);          // one sequence
    set_int32(out, 168, sequence_at);
    set_int32(out, 172, static_cast<std::uint32_t>(model.groups.size() + 1));
    set_int32(out, 176, groups_at);
    set_int32(out, 180, model.textures ? 1 : 0);
    set_int32(out, sequence_at + 48, static_cast<std::uint32_t>(model.events.size()));
    set_int32(out, sequence_at + 52, events_at);
    return out;
}

std::string map_with_textures(std::string_view entities, const std::vector<TextureSpec>& textures,
                              std::size_t brush_models) {
    std::string lump;
    add_int32(lump, static_cast<std::uint32_t>(textures.size()));
    const auto table_end = 4 + 4 * textures.size();
    for (std::size_t i = 0; i < textures.size(); ++i)
        add_int32(lump, static_cast<std::uint32_t>(table_end + i * 40));
    for (const auto& texture : textures) {
        add_field(lump, texture.name, 16);
        add_int32(lump, 16); // width, height
        add_int32(lump, 16);
        for (std::uint32_t level = 0; level < 4; ++level)
            add_int32(lump, texture.in_map || level > 0 ? 40 + level : 0);
    }
    std::vector<std::string> lumps(15);
    lumps[0] = std::string(entities) + '\0';
    lumps[2] = lump;
    lumps[14].resize(brush_models * 64, '\0');
    auto out = bsp_bytes(lumps);
    // The scanner reads maps of more than 512 bytes only.
    if (out.size() < 1024) out.resize(1024, '\0');
    return out;
}

void put_file(const std::filesystem::path& root, std::string_view relative,
              std::string_view bytes) {
    const auto path = root / utf8_path(relative);
    std::filesystem::create_directories(path.parent_path());
    write_file(path, bytes);
}

} // namespace tarnwick::testing
