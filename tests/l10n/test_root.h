// Test helpers: a throw-away panel root on disk and UTF-16 file writers.
#pragma once

#include "tests/support/temp_root.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "l10n/language.h"
#include "platform/panel_paths.h"

namespace dryer::l10n::testing {

// UTF-16 LE bytes of text, with a byte-order mark in front when bom is set.
inline std::string utf16(std::u16string_view text, bool bom = true) {
    std::string out;
    if (bom) out += "\xFF\xFE";
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

inline std::u16string widen(std::string_view s) { return std::u16string(s.begin(), s.end()); }

inline void write_bytes(const std::filesystem::path& p, std::string_view bytes) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string read_bytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The languages of the panel root the build lays out (the tests run with
// DRYER_BINARY_DIR set to the build folder).
inline std::filesystem::path built_languages() {
    const char* dir = std::getenv("DRYER_BINARY_DIR");
    return std::filesystem::path(dir ? dir : ".") / "panel-root" / "Hard Disk" / "Languages";
}

// The shared temporary panel root, made the panel root of every path; the
// localization module starts over on it.
class TempRoot : public test_support::TempRoot {
public:
    explicit TempRoot(bool with_hard_disk = true) : test_support::TempRoot(with_hard_disk) {
        platform::set_panel_root(path());
        reset_localization();
    }
    ~TempRoot() { reset_localization(); }

    std::filesystem::path lang(std::string_view code) const {
        return hard_disk() / "Languages" / std::string(code);
    }

    // Writes lines (each ended by CR LF) as a UTF-16 text file.
    void write_lines(const std::filesystem::path& p, std::initializer_list<std::u16string_view> lines) const {
        std::u16string all;
        for (auto l : lines) {
            all += l;
            all += u"\r\n";
        }
        write_bytes(p, utf16(all));
    }
};

}  // namespace dryer::l10n::testing
