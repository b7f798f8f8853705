// The panel's own stored choices (the registry key Software\Zelmar\TavrinDryer
// of the panel computer): four one-byte values kept in a small text file,
// "<root>/Registry/TavrinDryer.txt", one "NAME=value" line each (value 0-255
// in decimal). The file is read once at start-up and replaced atomically on
// every change (write a temporary file, fsync, rename, fsync the folder), so
// a power loss leaves either the old or the new file.
//
// A missing, unreadable or corrupt file reads as defaults; lines that do not
// parse are ignored. The stored bytes are kept as they were read (a stored
// scale of 7 stays 7 on disk) and the next write rewrites every value known,
// so nothing read is lost. No Qt; user-interface thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace dryer::logging {

enum class StoredKey { graph_horizontal_scale, graph_traces_on_off, temp_data_log_sample_time, screen_view_selection };

// Returns the value's name, e.g. "GRAPH_HORIZONTAL_SCALE".
std::string_view stored_key_name(StoredKey key);

// The values with the start-up range rules applied.
struct StoredSettings {
    std::uint8_t graph_horizontal_scale = 0;    // 0-3 (1, 2, 4, 8 hours); other values read as 0
    std::uint8_t graph_traces = 0;              // bits 0-5, bits 6-7 ignored
    std::uint8_t sample_time_minutes = 10;      // 0-15 as stored; above 15 reads as 5
    bool alternative_view = false;              // stored 1; any other value is the standard view
};

// Returns the settings for the raw stored bytes (nothing = value absent).
StoredSettings apply_range_rules(std::optional<std::uint8_t> scale, std::optional<std::uint8_t> traces,
                                 std::optional<std::uint8_t> sample_time, std::optional<std::uint8_t> view);

// Returns the "NAME=value" pairs of a file's text that parse; other lines are
// skipped. Names are upper-case letters, digits and underscores.
std::map<std::string, std::uint8_t> parse_stored_values(std::string_view text);

enum class StoreLoad { read, missing, unreadable };

class SettingsStore {
public:
    // The store at "<root>/Registry/TavrinDryer.txt".
    SettingsStore();
    explicit SettingsStore(std::filesystem::path file);

    // Reads the file. Returns read, missing (defaults) or unreadable
    // (defaults; not a regular file, a read error, or larger than 64 KiB).
    StoreLoad load();

    // Returns the settings as read and written so far, range rules applied.
    StoredSettings settings() const;

    // Returns the raw stored byte of a value, if any.
    std::optional<std::uint8_t> raw(StoredKey key) const;

    // Sets a value and replaces the file with every value known. Returns true
    // when the new file is on storage; on failure the value is still kept in
    // memory and the old file stays as it was.
    bool write(StoredKey key, std::uint8_t value);

    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
    std::map<std::string, std::uint8_t> values_;
};

}  // namespace dryer::logging
