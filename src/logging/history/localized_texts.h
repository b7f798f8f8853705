// The history's texts from the current language: the module warning texts for
// the recorder and the numbered texts for the history screen, as UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "logging/history/shutdown_recorder.h"

namespace dryer::history {

// localized_warning_text() returns a lookup of the current language's
// module warning text of a (node id, warning id) pair; safe to call from the
// receive thread (the text tables take their own lock).
WarningTextLookup localized_warning_text();

// localized_text() returns the current language's text number n as
// UTF-8 (empty when there is none).
std::string localized_text(int n);

// utf16_to_utf8() returns the text in UTF-8; an unpaired surrogate
// becomes U+FFFD.
std::string utf16_to_utf8(std::u16string_view text);

}  // namespace dryer::history
