#include "shell/auto_repeat.h"

namespace dryer::shell {

bool AutoRepeat::register_group(int group, std::function<bool()> shown, std::vector<RepeatButton> buttons) {
    if (group < 1 || group > 3) return false;
    Group& g = groups_[static_cast<std::size_t>(group - 1)];
    g.shown = std::move(shown);
    g.buttons = std::move(buttons);
    g.delay = kDelay;
    return true;
}

void AutoRepeat::unregister_group(int group) {
    if (group < 1 || group > 3) return;
    groups_[static_cast<std::size_t>(group - 1)] = Group{};
}

void AutoRepeat::tick() {
    for (Group& g : groups_) {
        if (!g.shown || !g.shown()) continue;
        const RepeatButton* held = nullptr;
        for (const RepeatButton& b : g.buttons) {
            if (b.pressed && b.pressed()) {
                held = &b;
                break;
            }
        }
        if (!held) {
            g.delay = kDelay;
        } else if (g.delay > 0) {
            --g.delay;
        } else if (held->fire) {
            // Copied first: the command may open a dialog that re-registers the group.
            auto fire = held->fire;
            fire();
        }
    }
}

AutoRepeat& auto_repeat_service() {
    static AutoRepeat service;
    return service;
}

}  // namespace dryer::shell
