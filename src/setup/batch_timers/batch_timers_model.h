// What the batch drying timers window shows (its five stage buttons, which
// of them are shown, the stage timers of the batch diagram) and the
// press-and-hold stage reset: the groups, the question and what Yes writes
// (the one-second housekeeping counts the holds). No Qt.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "link/images.h"
#include "setup/common/screen_text.h"
#include "setup/keypads/timer_keypad.h"

namespace dryer::link {
struct LinkState;
}

namespace dryer::setup {

enum class BatchButton { heat, hi_heat, lo_heat, cool, unload };
inline constexpr std::size_t kBatchButtonCount = 5;

struct BatchButtonView {
    BatchButton id;
    std::string caption;
    TimerTarget target;  // the stage time the button edits
    bool shown;
    bool operator==(const BatchButtonView&) const = default;
};

// One stage of the batch diagram and the time left in it.
struct BatchStageView {
    std::string name;
    std::string time_left;  // "%02d %s %02d %s" with texts 449 and 448
    bool operator==(const BatchStageView&) const = default;
};

struct BatchView {
    std::string title;
    bool dual = false;
    std::array<BatchButtonView, kBatchButtonCount> buttons;
    std::vector<BatchStageView> stages;  // heat (or high and low heat), cool, unload
    bool operator==(const BatchView&) const = default;
};

// batch_heat_dual() returns true when the high and low heat buttons are
// shown instead of the single heat button: drying mode 3, or a drying mode
// other than 0 with bit 0x02 of system_flags_257 set.
bool batch_heat_dual(const link::ByteImage& status);

// batch_view() computes the window from the status image and texts.
BatchView batch_view(const link::ByteImage& status, const TextFn& text);

// The four press-and-hold groups: heat or high heat, low heat, cool, unload.
inline constexpr std::size_t kHoldGroupCount = 4;

// hold_group() returns the group of a button.
std::size_t hold_group(BatchButton b);

// stage_reset_question() formats the group's question text (text 513
// when the single heat button is the one pressed, else 514, 516, 517, 518)
// with the group's two stage-time status bytes.
std::string stage_reset_question(std::size_t group, bool single_heat_pressed, const link::ByteImage& status,
                                 const TextFn& text);

// confirm_stage_reset() restarts the group's stage timer: write the
// stage time into the group's time-remaining setting and raise that
// setting's flag (the decoder lowers it once the controller reports the
// stage restarted at the stage time). The stage time is the controller's,
// or the operator's pending one while a change of it is not yet echoed; the
// settings copy of the stage time is brought to that same value, because the
// decoder compares the reported time remaining with it.
void confirm_stage_reset(link::LinkState& state, std::size_t group);

}  // namespace dryer::setup
