#include "l10n/texts.h"

#include "l10n/utf8.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "l10n/language.h"
#include "l10n/state_p.h"
#include "platform/panel_paths.h"

namespace dryer::l10n {
namespace detail {

void load_strings_locked() {
    State& s = state();
    const Language& lang = language(s.language);
    std::string rel = language_folder_relative(s.language);
    rel.append(lang.strings_file);
    auto bytes = read_file_prefix(platform::storage_path(rel), kStringsFileCap);
    if (!bytes) {
        std::string en = language_folder_relative(kEnglish);
        en.append(kLanguages[kEnglish].strings_file);
        bytes = read_file_prefix(platform::storage_path(en), kStringsFileCap);
    }
    if (!bytes) return;
    load_utf16_lines(bytes->data(), bytes->size(), s.strings);
}

}  // namespace detail

void load_strings_table() {
    std::lock_guard lock(detail::state().mutex);
    detail::load_strings_locked();
}

void get_text(unsigned n, char16_t* dest) {
    detail::State& s = detail::state();
    std::lock_guard lock(s.mutex);
    detail::ensure_loaded_locked();
    if (n == 0) return;
    if (n > kTextSlots) {
        dest[0] = u'\0';
        return;
    }
    const Slot& slot = s.strings[n - 1];
    const auto* end = std::find(slot.begin(), slot.begin() + kTextMaxChars, u'\0');
    const auto len = static_cast<std::size_t>(end - slot.begin());
    std::copy(slot.begin(), end, dest);
    dest[len] = u'\0';
}

std::u16string text(unsigned n) {
    std::array<char16_t, kTextBufferChars> buf{};
    get_text(n, buf.data());
    return std::u16string(buf.data());
}

std::string text_utf8(unsigned n) { return to_utf8(text(n)); }

}  // namespace dryer::l10n
