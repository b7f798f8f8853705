// Language texts reach the setup screens' formatter and word wrapper, and
// the keypads take any sequence of key presses over any preloaded value.
// Byte 0 chooses the part: even bytes the texts, odd bytes the keypads.
// Every outcome must keep the stated bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "setup/common/screen_text.h"
#include "setup/keypads/temp_keypad.h"
#include "setup/keypads/timer_keypad.h"

namespace {

std::size_t code_points(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

void texts(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return;
    const std::size_t width = data[1] % 64;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    for (const std::string& line : dryer::setup::word_wrap(text, width)) {
        if (line.empty() || code_points(line) > width) std::abort();
    }
    const std::string out = dryer::setup::format_numbers(text, -2147483647 - 1, 2147483647);
    // Each filled field adds at most 99 characters of width plus the number.
    if (out.size() > text.size() * 2 + 2 * 110) std::abort();
}

void keypads(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return;
    using namespace dryer::setup;
    const std::uint16_t preload = static_cast<std::uint16_t>(data[1] | (data[2] << 8));
    const TempLimits tl{50, 250, static_cast<std::uint16_t>(data[3] * 2)};
    TempKeypad t(preload, tl, data[4] & 1);
    const TimerLimits ml{{0, 1}, {200, 0}, {data[5], data[6]}};
    TimerKeypad m({data[5], data[7]}, ml);
    for (std::size_t i = 8; i < size; ++i) {
        const int k = data[i] % 16;
        if (k < 10) t.digit(k), m.left_digit(k), m.right_digit(k);
        else if (k == 10) t.del(), m.left_del();
        else if (k == 11) t.clear(), m.right_del();
        else if (k == 12) t.load_default(), m.load_default();
        if (t.position() < 0 || t.position() > 2 || m.left_position() > 3 || m.right_position() > 2) std::abort();
        if (k <= 12 && (t.value() < 0 || t.value() > 999)) std::abort();
        if (m.minutes() > 255 || m.seconds() > 255) std::abort();
    }
    if (const auto f = t.accept(); f && !t.celsius() && (*f < tl.min || *f > tl.max)) std::abort();
    if (const auto v = m.accept(); v && (v->total() < ml.min.total() || v->total() > ml.max.total())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    if (data[0] & 1) keypads(data, size);
    else texts(data, size);
    return 0;
}
