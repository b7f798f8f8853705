// UTF-8 encoding of UTF-16 texts (the panel's text files and tables).
#pragma once

#include <string>

#include "l10n/utf8.h"

namespace dryer::views {

using l10n::append_utf8;

inline std::string to_utf8(const std::u16string& t) { return l10n::to_utf8(t); }

}  // namespace dryer::views
