#include "platform/panel_paths.h"

#include <cctype>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace dryer::platform {
namespace {

std::mutex g_root_mutex;
std::optional<std::filesystem::path> g_root;

bool iequal(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::vector<std::string> split_components(std::string_view p) {
    std::vector<std::string> out;
    std::string cur;
    auto flush = [&] {
        if (!cur.empty() && cur != "." && cur != "..") out.push_back(cur);
        cur.clear();
    };
    for (char c : p) {
        if (c == '\\' || c == '/') {
            flush();
        } else if (c != '\0') {
            cur.push_back(c);
        }
    }
    flush();
    return out;
}

// The spelling of name inside dir as it exists on disk, or name itself.
std::string existing_spelling(const std::filesystem::path& dir, const std::string& name) {
    std::error_code ec;
    if (std::filesystem::exists(dir / name, ec)) return name;
    std::filesystem::directory_iterator it(dir, ec);
    if (ec) return name;
    for (const auto& entry : it) {
        std::string candidate = entry.path().filename().string();
        if (iequal(candidate, name)) return candidate;
    }
    return name;
}

bool directory_exists(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_directory(p, ec);
}

}  // namespace

void set_panel_root(const std::filesystem::path& root) {
    std::lock_guard lock(g_root_mutex);
    g_root = root;
}

std::filesystem::path panel_root() {
    {
        std::lock_guard lock(g_root_mutex);
        if (g_root) return *g_root;
    }
    const char* env = std::getenv("DRYER_PANEL_ROOT");
    if (env != nullptr && env[0] != '\0') return std::filesystem::path(env);
    return std::filesystem::path(".");
}

std::filesystem::path map_panel_path(std::string_view panel_path) {
    std::filesystem::path out = panel_root();
    const std::vector<std::string> parts = split_components(panel_path);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i == 0 && iequal(parts[0], "Hard Disk")) {
            out /= "Hard Disk";
        } else if (i == 0 && iequal(parts[0], "Hard Disk2")) {
            out /= "Hard Disk2";
        } else {
            out /= existing_spelling(out, parts[i]);
        }
    }
    return out;
}

bool hard_disk_present() { return directory_exists(panel_root() / "Hard Disk"); }

bool usb_drive_present() { return directory_exists(panel_root() / "Hard Disk2"); }

std::filesystem::path storage_path(std::string_view relative_name) {
    std::string full = hard_disk_present() ? "\\Hard Disk\\" : "\\";
    full.append(relative_name);
    return map_panel_path(full);
}

}  // namespace dryer::platform
