#include "game/formats/server_config.h"

#include "game/formats/names.h"

#include <algorithm>
#include <cstdlib>

namespace tarnwick::game {
namespace {

// Nested execs beyond this are a loop by other names.
constexpr std::size_t max_exec_depth = 16;

bool separates(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' || byte >= 0x80;
}

bool stands_alone(char c) {
    return c == '{' || c == '}' || c == '(' || c == ')' || c == '\'' || c == ',' || c == ':';
}

// The words of one command, as the engine's tokenizer gives them.
std::vector<std::string_view> words_of(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    for (;;) {
        while (at < line.size() && separates(line[at]))
            ++at;
        if (at == line.size() || line.substr(at, 2) == "//") return words;
        if (line[at] == '"') {
            const auto close = std::min(line.find('"', at + 1), line.size());
            words.push_back(line.substr(at + 1, close - at - 1));
            at = std::min(close + 1, line.size());
        } else if (stands_alone(line[at])) {
            words.push_back(line.substr(at++, 1));
        } else {
            const auto start = at;
            while (at < line.size() && !separates(line[at]) && !stands_alone(line[at]))
                ++at;
            words.push_back(line.substr(start, at - start));
        }
    }
}

// A cvar's number as the engine takes it: the leading number of the text, else 0.
double number(std::string_view value) {
    const std::string text(value);
    return std::strtod(text.c_str(), nullptr);
}

// Why the server refuses to exec `file`, or nothing when it runs it.
std::optional<std::string> refused(std::string_view file) {
    if (file.find_first_of("\\:~") != std::string_view::npos ||
        file.find("..") != std::string_view::npos || file.starts_with('/'))
        return "invalid path";
    const auto slash = file.rfind('/');
    const auto dot = file.rfind('.');
    const auto extension =
        dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)
            ? std::string_view()
            : file.substr(dot + 1);
    if (!same_name(extension, "cfg") && !same_name(extension, "rc"))
        return "not a .cfg or .rc file";
    return std::nullopt;
}

class Runner {
public:
    explicit Runner(const ConfigFiles& files) : files_(files) {}

    void run(std::string_view text, std::string_view name);
    ServerConfig result() &&;

private:
    void command(const std::vector<std::string_view>& words, const std::string& where);
    void exec(const std::vector<std::string_view>& words, const std::string& where);
    void warn(const std::string& where, const std::string& what) {
        config_.warnings.push_back(where + ": " + what);
    }

    const ConfigFiles& files_;
    ServerConfig config_;
    std::vector<std::string> running_; // lower-cased names, outermost first
    std::size_t budget_ = max_config_bytes;
    bool cut_ = false;
    std::optional<std::string> url_warning_;
};

void Runner::run(std::string_view text, std::string_view name) {
    text = text.substr(0, text.find('\0'));
    if (text.size() > budget_) {
        if (!cut_) warn(std::string(name), "more text than a server runs from its files, cut");
        cut_ = true;
        text = text.substr(0, budget_);
    }
    budget_ -= text.size();
    running_.push_back(lower_ascii(name));
    std::size_t line = 1;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        const bool end = at == text.size() || text[at] == '\n';
        if (!end && text[at] == '"') quoted = !quoted;
        if (!end && (quoted || text[at] != ';')) continue;
        command(words_of(text.substr(start, at - start)),
                std::string(name) + " line " + std::to_string(line));
        start = at + 1;
        quoted = false;
        if (end) ++line;
    }
    running_.pop_back();
}

void Runner::command(const std::vector<std::string_view>& words, const std::string& where) {
    if (words.empty()) return;
    if (same_name(words[0], "exec")) return exec(words, where);
    if (words.size() < 2) return; // a cvar alone is printed, not set
    const auto value = words[1];
    if (same_name(words[0], "sv_downloadurl")) {
        config_.download_url = ConfigSetting{std::string(value), where};
        url_warning_.reset();
        if (words.size() > 2 && words[2] == ":")
            url_warning_ = where + ": sv_downloadurl is set to \"" + std::string(value) +
                           "\": the server splits an address without quotes at its ':'";
    } else if (same_name(words[0], "sv_allowdownload")) {
        config_.allow_download = number(value) != 0;
    } else if (same_name(words[0], "sv_send_resources")) {
        config_.send_resources = number(value) != 0;
    } else if (same_name(words[0], "sv_filetransfermaxsize")) {
        config_.transfer_max_size = number(value);
    }
}

void Runner::exec(const std::vector<std::string_view>& words, const std::string& where) {
    if (words.size() != 2) return warn(where, "exec takes one file name; the server runs nothing");
    const auto file = words[1];
    const auto shown = "exec " + std::string(file) + ": ";
    if (file.empty()) return;
    if (const auto why = refused(file)) return warn(where, shown + *why + ", not run");
    if (std::count(running_.begin(), running_.end(), lower_ascii(file)) != 0)
        return warn(where, shown + "runs itself again, not followed");
    if (running_.size() >= max_exec_depth)
        return warn(where, shown + "nested too deep, not followed");
    // One byte past the budget tells a file that would be cut from one that fits.
    const auto text = files_(file, budget_ + 1);
    if (!text) return warn(where, shown + "no such file");
    run(*text, file);
}

ServerConfig Runner::result() && {
    if (url_warning_) config_.warnings.push_back(*url_warning_);
    const auto& url = config_.download_url;
    if (url && url->value.size() > max_download_url)
        config_.url_error = url->line + ": sv_downloadurl is " + std::to_string(url->value.size()) +
                            " characters long: the server sends no address over " +
                            std::to_string(max_download_url) + ", so players never get it";
    return std::move(config_);
}

} // namespace

ServerConfig read_server_config(std::string_view text, std::string_view name,
                                const ConfigFiles& files) {
    Runner runner(files);
    runner.run(text, name);
    return std::move(runner).result();
}

} // namespace tarnwick::game
