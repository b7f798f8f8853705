// Internal: the one state of the localization module and its lock. Functions
// named *_locked expect the caller to hold state().mutex.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "l10n/texts.h"
#include "l10n/utf16_lines.h"

namespace dryer::l10n::detail {

inline constexpr int kWarningTables = 9;
inline constexpr std::size_t kWarningSlots = 1001;
inline constexpr std::size_t kWarningLines = 1000;
inline constexpr std::size_t kStringsFileCap = 32768;
inline constexpr std::size_t kWarningFileCap = 26000;

struct State {
    std::recursive_mutex mutex;
    int language = 0;
    bool reload_pending = true;
    std::array<Slot, kTextSlots> strings{};
    std::array<std::array<Slot, kWarningSlots>, kWarningTables> warnings{};
};

State& state();

void ensure_loaded_locked();
int read_language_config_locked();
void load_strings_locked();
void load_warnings_locked();

// The current language's folder, relative to the storage root:
// "Languages\XX\" .
std::string language_folder_relative(int index);

// read_file_prefix() returns at most max_bytes of the file from its
// start, or nothing when it cannot be opened.
std::optional<std::vector<std::uint8_t>> read_file_prefix(const std::filesystem::path& p,
                                                          std::size_t max_bytes);

}  // namespace dryer::l10n::detail
