// The panel's own texts for widgets: kit::local("EXIT") is the current
// language's caption as a QString (see l10n/panel_texts.h).
#pragma once

#include <QString>
#include <string_view>

#include "l10n/panel_texts.h"

namespace dryer::kit {

inline QString local(std::string_view english) { return QString::fromStdString(l10n::local(english)); }

}  // namespace dryer::kit
