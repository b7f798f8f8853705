// UTF-8 from the UTF-16 texts of the language files, for the parts of the
// panel that keep their texts as UTF-8 (screen models, the shutdown history).
#pragma once

#include <string>
#include <string_view>

namespace dryer::l10n {

// append_utf8() appends code point c to out in UTF-8.
void append_utf8(std::string& out, char32_t c);

// to_utf8() returns the UTF-16 text in UTF-8; an unpaired surrogate
// becomes U+FFFD.
std::string to_utf8(std::u16string_view text);

}  // namespace dryer::l10n
