// Fuzzes the UTF-16 line loader with the table sizes the panel uses: the
// strings table (1000 slots) and a short table, and checks every stored
// slot is terminated.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "l10n/utf16_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using dryer::l10n::Slot;
    static std::vector<Slot> big(1000);
    std::vector<Slot> small(3);
    for (auto* slots : {&big, &small}) {
        const std::size_t n = dryer::l10n::load_utf16_lines(data, size, *slots);
        if (n > slots->size()) std::abort();
        for (std::size_t i = 0; i < n; ++i) {
            if ((*slots)[i].back() != u'\0') std::abort();
            if (dryer::l10n::slot_text((*slots)[i]).size() > dryer::l10n::kSlotChars) std::abort();
        }
    }
    return 0;
}
