#pragma once

#include "analysis/module1.h"
#include "synthetic_map.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tarnwick::testing {

class RecordingProgress : public analysis::RangeProgress {
public:
    using RangeProgress::Max;
    using RangeProgress::Value;
    void Value(std::int32_t v) override {
        values.push_back(v);
        RangeProgress::Value(v);
    }
    void Max(std::int32_t m) override {
        maxima.push_back(m);
        RangeProgress::Max(m);
    }
    std::vector<std::int32_t> values;
    std::vector<std::int32_t> maxima;
};

struct ScanOutcome {
    bool ok = false;
    std::string why;
    std::vector<std::string> entries;
    RecordingProgress progress;
};

class ScanTest : public ::testing::Test {
protected:
    ScanOutcome scan(const std::string& bytes, const std::string& name = "de_foo.bsp",
                     const analysis::EventPump& pump = {}) {
        write_file(dir.file(name), bytes);
        return scan_file(dir.file(name), name, pump);
    }

    ScanOutcome scan_file(const std::string& path, const std::string& name,
                          const analysis::EventPump& pump = {}) {
        ScanOutcome out;
        analysis::ResourceList list;
        out.ok = analysis::scan_map(path, name, list, out.progress, pump, &out.why);
        out.entries = list.entries();
        return out;
    }

    // A map whose entity text is `entities`, long enough to be scanned.
    static std::string map_with(const std::string& entities, std::size_t size = 4096) {
        return MapBuilder().entities(entities).pad_to(size).bytes();
    }

    TempDir dir;
};

inline std::vector<std::string> sky(const std::string& name) {
    std::vector<std::string> out;
    for (const char* face : {"bk", "dn", "ft", "lf", "rt", "up"})
        out.push_back("gfx/env/" + name + face + ".tga");
    return out;
}

inline std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace tarnwick::testing
