// Fuzzes the language configuration parser: any bytes give an index 0 to 12,
// and a match is always a whole language name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "l10n/language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int index = dryer::l10n::language_from_config(data, size);
    if (index < 0 || index >= dryer::l10n::kLanguageCount) std::abort();
    if (index != 0) {
        const auto name = dryer::l10n::kLanguages[static_cast<std::size_t>(index)].config_name;
        if (size < name.size() || std::memcmp(data, name.data(), name.size()) != 0) std::abort();
        if (size > name.size() && data[name.size()] != 0) std::abort();
    }
    return 0;
}
