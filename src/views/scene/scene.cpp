#include "views/scene/scene.h"

namespace dryer::views {

const TextItem* Scene::find_text(std::string_view t) const {
    for (const auto& it : items)
        if (const auto* x = std::get_if<TextItem>(&it); x && x->text == t) return x;
    return nullptr;
}

std::vector<const TextItem*> Scene::texts() const {
    std::vector<const TextItem*> out;
    for (const auto& it : items)
        if (const auto* x = std::get_if<TextItem>(&it)) out.push_back(x);
    return out;
}

std::vector<int> Scene::pictures() const {
    std::vector<int> out;
    for (const auto& it : items)
        if (const auto* x = std::get_if<PictureItem>(&it)) out.push_back(x->number);
    return out;
}

}  // namespace dryer::views
