#include "views/scene/l10n_texts.h"

#include "l10n/resources.h"
#include "l10n/texts.h"
#include "l10n/warnings.h"
#include "views/scene/utf8.h"

namespace dryer::views {

std::string L10nTexts::text(unsigned n) const { return l10n::text_utf8(n); }

std::string L10nTexts::warning_text(int node_id, int warning_id) const {
    return to_utf8(l10n::warning_text(node_id, warning_id));
}

std::filesystem::path L10nTexts::button_picture_path(int n) const { return l10n::button_picture_path(n); }

std::filesystem::path L10nTexts::warning_picture_path(int node_id, int warning_id, int frame) const {
    return l10n::warning_illustration_picture_path(node_id, warning_id, frame);
}

std::filesystem::path L10nTexts::warning_help_path(int node_id, int warning_id) const {
    return l10n::warning_text_path(node_id, warning_id);
}

}  // namespace dryer::views
