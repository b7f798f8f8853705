#include "setup/common/screen_text.h"

#include <cstdio>

#include "views/units/units.h"

namespace dryer::setup {

namespace {
bool continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t code_points(const std::string& s) {
    std::size_t n = 0;
    for (char c : s) n += continuation(c) ? 0 : 1;
    return n;
}

// Byte length of the first `count` code points of s.
std::size_t prefix_bytes(const std::string& s, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t seen = 0; i < s.size(); ++i) {
        if (!continuation(s[i]) && seen++ == count) break;
    }
    return i;
}
}  // namespace

std::vector<std::string> word_wrap(const std::string& text, std::size_t width) {
    std::vector<std::string> lines;
    if (width == 0) return lines;
    std::string line;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ') ++pos;
        if (pos >= text.size()) break;
        std::size_t end = text.find(' ', pos);
        if (end == std::string::npos) end = text.size();
        std::string word = text.substr(pos, end - pos);
        pos = end;
        while (code_points(word) > width) {  // a word longer than a line is cut
            if (!line.empty()) lines.push_back(std::move(line)), line.clear();
            const std::size_t cut = prefix_bytes(word, width);
            lines.push_back(word.substr(0, cut));
            word.erase(0, cut);
        }
        if (word.empty()) continue;
        if (line.empty()) {
            line = word;
        } else if (code_points(line) + 1 + code_points(word) <= width) {
            line += ' ';
            line += word;
        } else {
            lines.push_back(std::move(line));
            line = word;
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

std::string format_numbers(const std::string& format, int a, int b) {
    std::string out;
    int used = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            out += format[i++];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        // %[flags 0 - + space][width up to two digits](d|i|u)
        std::size_t j = i + 1;
        std::string conversion = "%";
        while (j < format.size() && (format[j] == '0' || format[j] == '-' || format[j] == '+' || format[j] == ' ')) {
            conversion += format[j++];
        }
        for (int w = 0; w < 2 && j < format.size() && format[j] >= '0' && format[j] <= '9'; ++w) conversion += format[j++];
        const bool number = j < format.size() && (format[j] == 'd' || format[j] == 'i' || format[j] == 'u');
        if (!number || used >= 2) {
            out += format[i++];  // not a field we fill: copied literally
            continue;
        }
        conversion += 'd';
        char buf[128];
        std::snprintf(buf, sizeof buf, conversion.c_str(), used == 0 ? a : b);
        out += buf;
        ++used;
        i = j + 1;
    }
    return out;
}

std::string title_text(std::string localized, const char* caption) {
    return localized.empty() ? std::string(caption) : localized;
}

int shown_temperature(std::uint16_t fahrenheit, bool celsius) {
    return celsius ? units::fahrenheit_to_celsius(static_cast<std::int16_t>(fahrenheit)) : fahrenheit;
}

}  // namespace dryer::setup
