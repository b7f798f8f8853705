#include "logging/history/localized_texts.h"

#include "l10n/texts.h"
#include "l10n/utf8.h"
#include "l10n/warnings.h"

namespace dryer::history {

std::string utf16_to_utf8(std::u16string_view text) { return l10n::to_utf8(text); }

WarningTextLookup localized_warning_text() {
    return [](std::uint8_t node, std::uint8_t warning) { return utf16_to_utf8(l10n::warning_text(node, warning)); };
}

std::string localized_text(int n) { return n <= 0 ? std::string() : l10n::text_utf8(static_cast<unsigned>(n)); }

}  // namespace dryer::history
