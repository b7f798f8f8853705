#include "l10n/language.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "l10n/state_p.h"
#include "l10n/texts.h"
#include "l10n/warnings.h"
#include "platform/panel_paths.h"

namespace dryer::l10n {
namespace detail {

State& state() {
    static State s;
    return s;
}

std::string language_folder_relative(int index) {
    std::string rel = "Languages\\";
    rel.append(language(index).folder);
    rel.push_back('\\');
    return rel;
}

std::optional<std::vector<std::uint8_t>> read_file_prefix(const std::filesystem::path& p,
                                                          std::size_t max_bytes) {
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (f == nullptr) return std::nullopt;
    std::vector<std::uint8_t> bytes(max_bytes);
    const std::size_t got = std::fread(bytes.data(), 1, max_bytes, f);
    std::fclose(f);
    bytes.resize(got);
    return bytes;
}

int read_language_config_locked() {
    constexpr std::size_t kConfigCap = 200;
    const auto bytes = read_file_prefix(platform::storage_path("TavrinLangConfig.txt"), kConfigCap);
    if (!bytes) {
        state().language = kEnglish;
        write_language_config(kLanguages[kEnglish].config_name);
        return state().language;
    }
    state().language = language_from_config(bytes->data(), bytes->size());
    return state().language;
}

void ensure_loaded_locked() {
    State& s = state();
    if (!s.reload_pending) return;
    s.reload_pending = false;
    read_language_config_locked();
    load_strings_locked();
    load_warnings_locked();
}

}  // namespace detail

using detail::state;

const Language& language(int index) {
    if (index < 1 || index >= kLanguageCount) return kLanguages[kEnglish];
    return kLanguages[static_cast<std::size_t>(index)];
}

int language_from_config(const unsigned char* bytes, std::size_t size) {
    constexpr std::size_t kConfigCap = 200;
    const std::size_t n = std::min(size, kConfigCap);
    // Read as a C string: the content ends at the first NUL byte.
    const void* nul = std::memchr(bytes, 0, n);
    const std::size_t len = nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - bytes) : n;
    const std::string_view content(reinterpret_cast<const char*>(bytes), len);
    for (int i = 0; i < kLanguageCount; ++i) {
        if (content == kLanguages[static_cast<std::size_t>(i)].config_name) return i;
    }
    return kEnglish;
}

int read_language_config() {
    std::lock_guard lock(state().mutex);
    return detail::read_language_config_locked();
}

bool write_language_config(std::string_view name) {
    const std::filesystem::path p = platform::hard_disk_present()
                                        ? platform::map_panel_path("\\Hard Disk\\TavrinLangConfig.txt")
                                        : platform::map_panel_path("TavrinLangConfig.txt");
    std::FILE* f = std::fopen(p.c_str(), "wb");
    if (f == nullptr) return false;
    const bool wrote = std::fwrite(name.data(), 1, name.size(), f) == name.size();
    const bool closed = std::fclose(f) == 0;
    return wrote && closed;
}

int current_language() {
    std::lock_guard lock(state().mutex);
    return state().language;
}

void set_language(int index) {
    std::lock_guard lock(state().mutex);
    state().language = (index >= 0 && index < kLanguageCount) ? index : kEnglish;
    detail::load_strings_locked();
    detail::load_warnings_locked();
    write_language_config(language(index).config_name);
}

void ensure_loaded() {
    std::lock_guard lock(state().mutex);
    detail::ensure_loaded_locked();
}

void reset_localization() {
    detail::State& s = state();
    std::lock_guard lock(s.mutex);
    s.language = kEnglish;
    s.reload_pending = true;
    for (auto& slot : s.strings) slot.fill(u'\0');
    for (auto& table : s.warnings) {
        for (auto& slot : table) slot.fill(u'\0');
    }
}

std::u16string language_button_caption(int index) {
    std::u16string caption = text(language(index).name_text);
    caption += u"\n(";
    for (char c : language(index).config_name) caption.push_back(static_cast<char16_t>(c));
    caption += u")";
    return caption;
}

}  // namespace dryer::l10n
