// Test helpers: a throw-away panel root on disk and UTF-16 file writers.
#pragma once

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

// A fresh panel root in a temporary folder, with or without "Hard Disk";
// the localization module starts over on it.
class TempRoot {
public:
    explicit TempRoot(bool with_hard_disk = true) {
        std::string templ = (std::filesystem::temp_directory_path() / "l10n-test-XXXXXX").string();
        root_ = mkdtemp(templ.data());
        if (with_hard_disk) std::filesystem::create_directories(root_ / "Hard Disk");
        platform::set_panel_root(root_);
        reset_localization();
    }
    ~TempRoot() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
        reset_localization();
    }
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path disk() const { return root_ / "Hard Disk"; }
    std::filesystem::path lang(std::string_view code) const {
        return disk() / "Languages" / std::string(code);
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

private:
    std::filesystem::path root_;
};

}  // namespace dryer::l10n::testing
