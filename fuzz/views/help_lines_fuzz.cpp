// Help text files are outside data: any bytes give list lines, and any line
// can go through the line-split rule.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "views/warning/warning_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const auto& line : dryer::views::help_lines(bytes)) {
        auto [first, second] = dryer::views::split_line(line);
        if (first.size() + second.size() > line.size()) __builtin_trap();
    }
    return 0;
}
