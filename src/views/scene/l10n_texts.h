// The panel's texts: the localized text tables, warning tables, button
// pictures and warning illustrations of the current language.
#pragma once

#include "views/scene/texts.h"

namespace dryer::views {

class L10nTexts : public Texts {
public:
    std::string text(unsigned n) const override;
    std::string warning_text(int node_id, int warning_id) const override;
    std::filesystem::path button_picture_path(int n) const override;
    std::filesystem::path warning_picture_path(int node_id, int warning_id, int frame) const override;
    std::filesystem::path warning_help_path(int node_id, int warning_id) const override;
};

}  // namespace dryer::views
