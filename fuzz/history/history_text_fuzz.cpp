// Texts and times read back from a history file are outside bytes: the
// export's code-page conversion, the character cut, the help selectors and
// the date and time formats must take any of them.
#include <cstdint>
#include <cstring>
#include <string>

#include "logging/history/shutdown_store.h"
#include "logging/history/single_byte.h"
#include "logging/history_screen/history_screen_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dryer::history;
    std::int64_t when = 0;
    if (size >= sizeof when) {
        std::memcpy(&when, data, sizeof when);
        data += sizeof when;
        size -= sizeof when;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (CodePage page : {CodePage::windows_1250, CodePage::windows_1251, CodePage::windows_1252}) {
        const std::string converted = to_single_byte(text, page, 500);
        if (converted.size() > 500 || converted.size() > text.size()) __builtin_trap();
    }
    const std::string cut = cut_to_characters(text, 149);
    if (text.compare(0, cut.size(), cut) != 0) __builtin_trap();
    (void)help_selectors(text);
    const std::string line = export_line({text, text, when});
    if (line.empty() || line.back() != '\n') __builtin_trap();
    return 0;
}
