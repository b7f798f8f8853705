// Auto-repeat of held buttons: three groups (moisture sensor calibration,
// meter roll speed setpoints, unload bushels setup). A dialog registers its
// window and its buttons in test order; the 100 ms display timer calls
// tick(). A held button repeats its command every 100 ms after 500 ms.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace dryer::shell {

namespace repeat_group {
inline constexpr int moisture_calibration = 1;
inline constexpr int meter_roll_speed = 2;
inline constexpr int unload_bushels = 3;
}  // namespace repeat_group

struct RepeatButton {
    std::function<bool()> pressed;  // the button is held down now
    std::function<void()> fire;     // send the button's command again
};

class AutoRepeat {
public:
    static constexpr std::uint32_t kDelay = 5;  // 100 ms ticks before the first repeat

    // register_group() makes `group` (1..3) serve `buttons` in the given
    // order while `shown` returns true, replacing an earlier registration;
    // it returns false and change nothing for another group number.
    bool register_group(int group, std::function<bool()> shown, std::vector<RepeatButton> buttons);
    // unregister_group() stops serving `group`; unknown groups are ignored.
    void unregister_group(int group);
    // tick() finds, for each registered group whose window is shown, the
    // first pressed button: while the group's delay is above 0 it lowers it,
    // else it fires the button. A group with no button pressed gets its delay
    // back to kDelay.
    void tick();
    std::uint32_t delay(int group) const { return groups_.at(static_cast<std::size_t>(group - 1)).delay; }

private:
    struct Group {
        std::function<bool()> shown;
        std::vector<RepeatButton> buttons;
        std::uint32_t delay = kDelay;
    };
    std::array<Group, 3> groups_{};
};

// The panel's one service, used by the display timer and the dialogs.
AutoRepeat& auto_repeat_service();

}  // namespace dryer::shell
