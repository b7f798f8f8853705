#include "platform/file_io.h"
#include "logging/stored_settings/stored_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/panel_paths.h"

namespace dryer::logging {

namespace {

constexpr std::size_t kMaxFileSize = 64 * 1024;

bool name_char(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

std::optional<std::uint8_t> parse_byte(std::string_view s) {
    if (s.empty() || s.size() > 3) return std::nullopt;
    unsigned v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + static_cast<unsigned>(c - '0');
    }
    if (v > 255) return std::nullopt;
    return static_cast<std::uint8_t>(v);
}

}  // namespace

std::string_view stored_key_name(StoredKey key) {
    switch (key) {
        case StoredKey::graph_horizontal_scale: return "GRAPH_HORIZONTAL_SCALE";
        case StoredKey::graph_traces_on_off: return "GRAPH_TRACES_ON_OFF";
        case StoredKey::temp_data_log_sample_time: return "TEMP_DATA_LOG_SAMPLE_TIME";
        case StoredKey::screen_view_selection: return "SCREEN_VIEW_SELECTION";
    }
    return "";
}

StoredSettings apply_range_rules(std::optional<std::uint8_t> scale, std::optional<std::uint8_t> traces,
                                 std::optional<std::uint8_t> sample_time, std::optional<std::uint8_t> view) {
    StoredSettings s;
    if (scale) s.graph_horizontal_scale = *scale <= 3 ? *scale : 0;
    if (traces) s.graph_traces = static_cast<std::uint8_t>(*traces & 0x3F);
    if (sample_time) s.sample_time_minutes = *sample_time <= 15 ? *sample_time : 5;
    if (view) s.alternative_view = *view == 1;
    return s;
}

std::map<std::string, std::uint8_t> parse_stored_values(std::string_view text) {
    std::map<std::string, std::uint8_t> out;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto eq = line.find('=');
        if (eq == 0 || eq == std::string_view::npos) continue;
        const auto name = line.substr(0, eq);
        bool ok = true;
        for (char c : name) ok = ok && name_char(c);
        const auto value = parse_byte(line.substr(eq + 1));
        if (ok && value) out[std::string(name)] = *value;
    }
    return out;
}

SettingsStore::SettingsStore() : SettingsStore(platform::map_panel_path("Registry\\TavrinDryer.txt")) {}

SettingsStore::SettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

StoreLoad SettingsStore::load() {
    values_.clear();
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT ? StoreLoad::missing : StoreLoad::unreadable;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) {
        ::close(fd);
        return StoreLoad::unreadable;
    }
    std::string text;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return StoreLoad::unreadable;
        }
        if (n == 0) break;
        text.append(buf, static_cast<std::size_t>(n));
        if (text.size() > kMaxFileSize) break;
    }
    ::close(fd);
    values_ = parse_stored_values(text);
    return StoreLoad::read;
}

std::optional<std::uint8_t> SettingsStore::raw(StoredKey key) const {
    const auto it = values_.find(std::string(stored_key_name(key)));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

StoredSettings SettingsStore::settings() const {
    return apply_range_rules(raw(StoredKey::graph_horizontal_scale), raw(StoredKey::graph_traces_on_off),
                             raw(StoredKey::temp_data_log_sample_time), raw(StoredKey::screen_view_selection));
}

bool SettingsStore::write(StoredKey key, std::uint8_t value) {
    values_[std::string(stored_key_name(key))] = value;
    std::string text;
    for (const auto& [name, v] : values_) text += name + "=" + std::to_string(v) + "\n";

    const auto folder = file_.parent_path();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    auto temp = file_;
    temp += ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0) return false;
    const bool ok = platform::write_all(fd, text) && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok || ::rename(temp.c_str(), file_.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    const int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

}  // namespace dryer::logging
