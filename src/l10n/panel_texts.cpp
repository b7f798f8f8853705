#include "l10n/panel_texts.h"

#include <algorithm>
#include <fstream>
#include <mutex>
#include <vector>

#include "l10n/language.h"
#include "platform/panel_paths.h"

namespace dryer::l10n {

namespace {

constexpr std::size_t kFileCap = 256 * 1024;
constexpr std::size_t kTextCap = 2000;

bool valid_utf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if ((c & 0xE0) == 0xC0) extra = 1, cp = c & 0x1F;
        else if ((c & 0xF0) == 0xE0) extra = 2, cp = c & 0x0F;
        else if ((c & 0xF8) == 0xF0) extra = 3, cp = c & 0x07;
        else return false;
        if (i + extra >= s.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are refused.
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

// "\n" written in a file stands for a line break.
std::string unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
            out.push_back('\n');
            ++i;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

// The conversions of a printf format and the %1..%9 markers, in order.
std::vector<std::string> conversions(std::string_view s) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%' || i + 1 >= s.size()) continue;
        if (s[i + 1] == '%') {
            ++i;
            continue;
        }
        if (s[i + 1] >= '1' && s[i + 1] <= '9') {
            out.emplace_back(s.substr(i, 2));
            ++i;
            continue;
        }
        // Flags, width, precision and length, then the conversion letter.
        std::size_t j = i + 1;
        while (j < s.size() && std::string_view("-+ #0123456789.hlLzjt").find(s[j]) != std::string_view::npos) ++j;
        if (j < s.size() && std::string_view("diouxXeEfFgGcsp").find(s[j]) != std::string_view::npos) {
            out.emplace_back(s.substr(i, j - i + 1));
            i = j;
        } else {
            // A lone '%' that starts no conversion is kept as a marker of
            // its own, so a translation cannot turn it into one.
            out.emplace_back("%?");
        }
    }
    return out;
}

struct Cache {
    std::mutex mutex;
    std::filesystem::path folder;
    bool loaded = false;
    std::map<std::string, std::string> texts;
};

Cache& cache() {
    static Cache c;
    return c;
}

}  // namespace

bool same_conversions(std::string_view a, std::string_view b) { return conversions(a) == conversions(b); }

std::map<std::string, std::string> read_panel_texts(const std::filesystem::path& folder) {
    std::map<std::string, std::string> out;
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() == ".txt" && it->is_regular_file(ec)) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes(kFileCap, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(kFileCap));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        std::string_view rest = bytes;
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            std::string_view line = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (line.empty() || line.front() == '#') continue;
            const std::size_t tab = line.find('\t');
            if (tab == std::string_view::npos || line.find('\t', tab + 1) != std::string_view::npos) continue;
            const std::string_view key = line.substr(0, tab), value = line.substr(tab + 1);
            if (key.empty() || value.empty() || key.size() > kTextCap || value.size() > kTextCap) continue;
            if (!valid_utf8(line)) continue;
            std::string k = unescape(key), v = unescape(value);
            if (!same_conversions(k, v)) continue;
            out[std::move(k)] = std::move(v);
        }
    }
    return out;
}

std::string local(std::string_view english) {
    const int lang = current_language();
    if (lang == kEnglish) return std::string(english);
    std::string rel = "Languages\\";
    rel.append(language(lang).folder);
    rel.append("\\PanelTexts");
    const std::filesystem::path folder = platform::storage_path(rel);
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    if (!c.loaded || c.folder != folder) {
        c.texts = read_panel_texts(folder);
        c.folder = folder;
        c.loaded = true;
    }
    const auto it = c.texts.find(std::string(english));
    return it == c.texts.end() ? std::string(english) : it->second;
}

}  // namespace dryer::l10n
