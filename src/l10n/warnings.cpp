#include "l10n/warnings.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "l10n/language.h"
#include "l10n/resources.h"
#include "l10n/state_p.h"
#include "platform/panel_paths.h"

namespace dryer::l10n {
namespace {

constexpr std::array<std::string_view, detail::kWarningTables> kWarningFiles{
    "WarningsDIO.txt", "WarningsFH1.txt", "WarningsFH2.txt", "WarningsFH3.txt", "WarningsFH4.txt",
    "WarningsFH5.txt", "WarningsFH6.txt", "WarningsMIO.txt", "WarningsMC.txt"};

// The six fan/heater modules share the illustrations of node 2.
int illustration_node(int node_id) { return (node_id >= 2 && node_id <= 7) ? 2 : node_id; }

std::filesystem::path illustration_path(int node_id, int warning_id, const char* ext) {
    char name[64];
    std::snprintf(name, sizeof name, "NID_%02d_WARNING_ID_%02d.%s", illustration_node(node_id), warning_id,
                  ext);
    std::string rel;
    {
        std::lock_guard lock(detail::state().mutex);
        detail::ensure_loaded_locked();
        rel = detail::language_folder_relative(detail::state().language);
    }
    rel.append("WarningBitmaps\\");
    rel.append(name);
    return platform::storage_path(rel);
}

}  // namespace

namespace detail {

void load_warnings_locked() {
    State& s = state();
    for (std::size_t t = 0; t < kWarningFiles.size(); ++t) {
        std::string rel = language_folder_relative(s.language);
        rel.append(kWarningFiles[t]);
        auto bytes = read_file_prefix(platform::storage_path(rel), kWarningFileCap);
        if (!bytes) {
            // A language without its own warning texts shows the English ones.
            std::string en = language_folder_relative(kEnglish);
            en.append(kWarningFiles[t]);
            bytes = read_file_prefix(platform::storage_path(en), kWarningFileCap);
        }
        if (!bytes) continue;
        load_utf16_lines(bytes->data(), bytes->size(), std::span<Slot>(s.warnings[t].data(), kWarningLines));
    }
}

}  // namespace detail

void load_warning_tables() {
    std::lock_guard lock(detail::state().mutex);
    detail::load_warnings_locked();
}

int warning_table_index(int node_id) {
    if (node_id >= 1 && node_id <= 7) return node_id - 1;
    if (node_id == 14) return 7;
    if (node_id == 15) return 8;
    return -1;
}

void get_warning_text(int node_id, int warning_id, char16_t* dest) {
    detail::State& s = detail::state();
    std::lock_guard lock(s.mutex);
    detail::ensure_loaded_locked();
    const int table = warning_table_index(node_id);
    if (node_id < 1 || warning_id < 1 || table < 0) return;
    if (static_cast<std::size_t>(warning_id) >= detail::kWarningSlots) {
        dest[0] = u'\0';
        return;
    }
    const Slot& slot = s.warnings[static_cast<std::size_t>(table)][static_cast<std::size_t>(warning_id)];
    const auto* end = std::find(slot.begin(), slot.begin() + (kWarningBufferChars - 1), u'\0');
    const auto len = static_cast<std::size_t>(end - slot.begin());
    std::copy(slot.begin(), end, dest);
    dest[len] = u'\0';
}

std::u16string warning_text(int node_id, int warning_id) {
    std::array<char16_t, kWarningBufferChars> buf{};
    get_warning_text(node_id, warning_id, buf.data());
    return std::u16string(buf.data());
}

std::filesystem::path warning_picture_path(int node_id, int warning_id) {
    return illustration_path(node_id, warning_id, "bmp");
}

std::filesystem::path warning_text_path(int node_id, int warning_id) {
    return illustration_path(node_id, warning_id, "txt");
}

std::filesystem::path rear_discharge_picture_path(int frame) {
    const int picture = (frame >= 0 && frame <= 2) ? 74 + frame : 77;
    std::string p = "\\Hard Disk\\Languages\\EN\\Bitmaps\\";
    p.append(button_picture_name(picture));
    return platform::map_panel_path(p);
}

std::filesystem::path warning_illustration_picture_path(int node_id, int warning_id, int frame) {
    if (node_id == 14 && warning_id == 5) return rear_discharge_picture_path(frame);
    return warning_picture_path(node_id, warning_id);
}

}  // namespace dryer::l10n
