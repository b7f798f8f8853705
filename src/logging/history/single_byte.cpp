#include "logging/history/single_byte.h"

#include <array>
#include <cstdint>

namespace dryer::history {
namespace {

// Characters of Windows-1252 at bytes 0x80..0x9F (0 where the byte is unused).
constexpr std::array<char32_t, 32> kHighBlock = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char encode(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
        if (kHighBlock[i] != 0 && kHighBlock[i] == cp) return static_cast<char>(0x80 + i);
    }
    return '?';
}

// Decodes one UTF-8 sequence at s[i]; returns its length, and 0 for a
// malformed sequence (cp is then unset).
std::size_t decode(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<std::uint8_t>(s[i]);
    std::size_t len = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) { len = 2; cp = b0 & 0x1F; min = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { len = 3; cp = b0 & 0x0F; min = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { len = 4; cp = b0 & 0x07; min = 0x10000; }
    else return 0;
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<std::uint8_t>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

}  // namespace

std::string to_single_byte(std::string_view utf8, std::size_t max_bytes) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size() && out.size() < max_bytes) {
        char32_t cp = 0;
        const std::size_t len = decode(utf8, i, cp);
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        out += encode(cp);
        i += len;
    }
    return out;
}

std::string cut_to_characters(std::string_view utf8, std::size_t max_chars) {
    std::size_t i = 0;
    std::size_t chars = 0;
    while (i < utf8.size() && chars < max_chars) {
        char32_t cp = 0;
        const std::size_t len = decode(utf8, i, cp);
        i += len == 0 ? 1 : len;
        ++chars;
    }
    return std::string(utf8.substr(0, i));
}

}  // namespace dryer::history
