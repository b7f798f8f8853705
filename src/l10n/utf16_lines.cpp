#include "l10n/utf16_lines.h"

#include <algorithm>

namespace dryer::l10n {

std::size_t load_utf16_lines(const std::uint8_t* bytes, std::size_t size, std::span<Slot> slots) {
    // The working line keeps one extra place so a carriage return at the
    // last position still has room for its terminator.
    std::array<char16_t, kWorkLineChars + 1> line{};
    std::size_t pos = 0;
    std::size_t stored = 0;
    for (std::size_t i = 2; i + 1 < size; i += 2) {
        const char16_t c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (c == u'\r') {
            if (pos < line.size()) line[pos] = u'\0';
            if (pos < line.size()) ++pos;
        } else if (c == u'\n') {
            if (stored < slots.size()) {
                // The text ends at the first terminator (the carriage
                // return) or, for a bare line feed, at the write position.
                const std::size_t end = std::min(pos, kWorkLineChars);
                const auto* term = std::find(line.begin(), line.begin() + end, u'\0');
                const std::size_t len =
                    std::min<std::size_t>(static_cast<std::size_t>(term - line.begin()), kSlotChars);
                Slot& slot = slots[stored];
                std::copy(line.begin(), line.begin() + len, slot.begin());
                std::fill(slot.begin() + len, slot.end(), u'\0');
                ++stored;
            }
            pos = 0;
        } else if (pos < kWorkLineChars) {
            line[pos++] = c;
        }
    }
    return stored;
}

std::u16string slot_text(const Slot& slot) {
    const auto* end = std::find(slot.begin(), slot.end(), u'\0');
    return std::u16string(slot.begin(), end);
}

}  // namespace dryer::l10n
