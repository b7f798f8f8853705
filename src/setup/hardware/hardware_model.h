// "DRYER HARDWARE SETUP - 05" without Qt: the fan/heater count, modules,
// fuel, load system, dryer length or model, grain inverter and cycled
// sampler. The working values live in the settings image (begin_edit() of
// offsets 3-7, 279 and 293 on opening); ACCEPT sends what differs from the
// controller's report through the settings-edit path.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "setup/common/screen_text.h"

namespace dryer::setup {

// The radio groups of the dialog, in the order they are drawn.
enum class HardwareGroup : std::uint8_t { fan_heaters, modules, fuel, load_system, length };
inline constexpr std::size_t kHardwareGroupCount = 5;

// What the dryer family (status offset 225) makes of the dialog.
struct HardwareFamily {
    bool model_names = false;      // 0x20-0x2F: lengths relabelled with model designations
    bool limited_fans = false;     // bit 5: one or three fan/heaters, no grain inverter
    bool operator==(const HardwareFamily&) const = default;
};

// hardware_family() reads status offset 225: values 0x20-0x2F are the family
// whose lengths carry model designations and whose module, load-system and
// fuel groups are hidden; every other value (0x80-0x8F among them) shows the
// lengths in feet with every group. Bit 5 limits the fan/heater choice
// whatever the rest of the byte.
HardwareFamily hardware_family(std::uint8_t options_225);

// One radio group as the dialog shows it, in the panel's language.
struct HardwareGroupView {
    bool shown = true;
    std::string caption;
    std::vector<std::string> choices;
    int checked = -1;  // index into choices; -1 when the working value is none of them
    bool operator==(const HardwareGroupView&) const = default;
};

struct HardwareView {
    std::array<HardwareGroupView, kHardwareGroupCount> groups;
    bool inverter_shown = false;
    bool inverter_present = false;   // 279 bit 7
    bool sampler_enabled = false;    // 293 bit 7
    bool operator==(const HardwareView&) const = default;
};

// length_choices() returns the fifteen captions of the length group: the
// lengths in feet, or the family's model designations, the last four of
// which are text 147.
std::vector<std::string> length_choices(bool model_names, const TextFn& text);

// The dialog's working state. All values are read from and written to the
// settings image, so what the dialog shows is what ACCEPT compares.
class DryerHardware {
public:
    // Copies status offsets 3-7, 279 and 293 into the settings image (a
    // commit still pending stays) and reads the family from status 225.
    explicit DryerHardware(link::LinkState& state);

    // SELECT of a group moves its working value on:
    // - fan/heaters: with the family's bit 5 one <-> three; otherwise by the
    //   working module count: three modules four <-> six, two modules
    //   three <-> four, one module one, two, three; an unknown module count
    //   cycles through all five counts;
    // - modules: one, two, three, then the fan/heaters follow (three modules
    //   at least four, two modules three or four, one module at most three);
    // - fuel 0-3, load system 0-2, length 0-14.
    // A working value outside its range moves to the group's first choice.
    void select(HardwareGroup group);

    // toggle_inverter() flips bit 7 of 279 in the working copy.
    void toggle_inverter();
    // set_sampler() sets or clears bit 7 of 293 in the working copy.
    void set_sampler(bool enabled);
    bool sampler_enabled() const;

    // value() returns the working byte of the group's setting.
    std::uint8_t value(HardwareGroup group) const;

    // view() returns what the dialog shows now (the family is read again
    // from the status image, so a change the controller reports shows).
    HardwareView view(const TextFn& text) const;

    // accept() clears the dual-plenum bit of 257 when the working count is
    // not one fan/heater, then sends 3-7, 279, 293 and 257 where they differ
    // from the controller's report. Returns the rows sent.
    std::vector<int> accept();

private:
    std::uint8_t get(std::size_t offset) const { return state_.settings.get(offset); }
    void put(std::size_t offset, std::uint8_t v) { state_.settings.set(offset, v); }
    HardwareFamily family() const;

    link::LinkState& state_;
};

}  // namespace dryer::setup
