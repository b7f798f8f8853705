#include "setup/hardware/hardware_model.h"

#include "l10n/panel_texts.h"
#include "link/fields.h"
#include "link/settings_edit.h"

namespace dryer::setup {

namespace {
namespace off = link::off;

constexpr std::uint8_t kFamilyBit = 0x20;    // 225 bit 5
constexpr std::uint8_t kInverterBit = 0x80;  // 279 bit 7
constexpr std::uint8_t kSamplerBit = 0x80;   // 293 bit 7
constexpr std::uint8_t kDualPlenumBit = 0x02;  // 257 bit 1

// Fan/heater count codes.
constexpr std::uint8_t kOne = 0, kTwo = 1, kThree = 2, kFour = 3, kSix = 4;
constexpr std::uint8_t kFanCodes = 5;
// Module count codes.
constexpr std::uint8_t kOneModule = 0, kTwoModules = 1, kThreeModules = 2;

constexpr std::size_t kOffsets[kHardwareGroupCount] = {off::fan_heater_count, off::module_count, off::fuel_type,
                                                       off::load_system, off::dryer_length_index};
constexpr std::uint8_t kChoiceCount[kHardwareGroupCount] = {5, 3, 4, 3, 15};

std::size_t at(HardwareGroup g) { return static_cast<std::size_t>(g); }

// The model designations of the 0x20-0x2F family by length code, in steps of
// the family's capacity (3000, 4000, 6400, 7000 and 8000 bushels per hour);
// codes 11 to 14 are the special builds, text 147.
constexpr std::array<const char*, 11> kModelNames{"CT-3000 A", "CT-3000 B", "CT-3000 C", "CT-3000 D",
                                                  "CT-4000 A", "CT-4000 B", "CT-6400",   "CT-7000 A",
                                                  "CT-7000 B", "CT-8000 A", "CT-8000 B"};
constexpr std::array<int, 15> kLengthFeet{8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 34, 36, 38, 40};

std::uint8_t next(std::uint8_t v, std::uint8_t count) { return v + 1 < count ? static_cast<std::uint8_t>(v + 1) : 0; }

// The next fan/heater count code for SELECT of "Number FH".
std::uint8_t next_fans(std::uint8_t fans, std::uint8_t modules, bool limited) {
    if (limited) return fans == kOne ? kThree : kOne;
    switch (modules) {
        case kThreeModules: return fans == kFour ? kSix : kFour;
        case kTwoModules: return fans == kThree ? kFour : kThree;
        case kOneModule: return next(fans, 3);
        default: return next(fans, kFanCodes);
    }
}

// The fan/heater count code the module count allows, nearest the current one.
std::uint8_t fans_for_modules(std::uint8_t fans, std::uint8_t modules) {
    switch (modules) {
        case kThreeModules: return fans == kFour || fans == kSix ? fans : kFour;
        case kTwoModules: return fans == kThree || fans == kFour ? fans : kThree;
        default: return fans <= kThree ? fans : kThree;  // one module
    }
}
}  // namespace

HardwareFamily hardware_family(std::uint8_t options_225) {
    return {(options_225 & 0xF0) == 0x20, (options_225 & kFamilyBit) != 0};
}

std::vector<std::string> length_choices(bool model_names, const TextFn& text) {
    std::vector<std::string> out;
    if (model_names) {
        for (const char* name : kModelNames) out.emplace_back(name);
        const std::string special = title_text(text(147), "SPECIAL MODEL");
        out.insert(out.end(), 4, special);
    } else {
        for (int feet : kLengthFeet) out.push_back(std::to_string(feet));
    }
    return out;
}

DryerHardware::DryerHardware(link::LinkState& state) : state_(state) {
    link::begin_edit(state_, off::fan_heater_count, 5);  // 3-7
    link::begin_edit(state_, off::options_293, 1);
    link::begin_edit(state_, off::options_279, 1);
}

HardwareFamily DryerHardware::family() const { return hardware_family(state_.status.get(off::options_225)); }

std::uint8_t DryerHardware::value(HardwareGroup group) const { return get(kOffsets[at(group)]); }

void DryerHardware::select(HardwareGroup group) {
    const std::uint8_t v = value(group);
    switch (group) {
        case HardwareGroup::fan_heaters:
            put(off::fan_heater_count, next_fans(v, get(off::module_count), family().limited_fans));
            break;
        case HardwareGroup::modules: {
            const std::uint8_t modules = next(v, 3);
            put(off::module_count, modules);
            // A family limited to one or three fan/heaters keeps its choice.
            if (!family().limited_fans) put(off::fan_heater_count, fans_for_modules(get(off::fan_heater_count), modules));
            break;
        }
        default: put(kOffsets[at(group)], next(v, kChoiceCount[at(group)])); break;
    }
}

void DryerHardware::toggle_inverter() { put(off::options_279, get(off::options_279) ^ kInverterBit); }

void DryerHardware::set_sampler(bool enabled) {
    const std::uint8_t v = get(off::options_293);
    put(off::options_293, static_cast<std::uint8_t>(enabled ? (v | kSamplerBit) : (v & ~kSamplerBit)));
}

bool DryerHardware::sampler_enabled() const { return (get(off::options_293) & kSamplerBit) != 0; }

HardwareView DryerHardware::view(const TextFn& text) const {
    const HardwareFamily f = family();
    HardwareView v;
    using l10n::local;
    const std::string one = local("One"), two = local("Two"), three = local("Three");
    v.groups[at(HardwareGroup::fan_heaters)] = {
        true, local("Number FH"), {one, two, three, local("Four"), local("Six")}, -1};
    v.groups[at(HardwareGroup::modules)] = {!f.model_names, local("Number Modules"), {one, two, three}, -1};
    v.groups[at(HardwareGroup::fuel)] = {
        !f.model_names, local("Fuel"), {local("LP"), local("Natural Gas"), local("Vapor"), local("Diesel")}, -1};
    v.groups[at(HardwareGroup::load_system)] = {
        !f.model_names, local("Load System"), {local("End Fill"), local("Center Fill"), local("Dual Fill")}, -1};
    v.groups[at(HardwareGroup::length)] = {true, f.model_names ? local("Dryer Model") : local("Dryer Length (ft)"),
                                           length_choices(f.model_names, text), -1};
    for (std::size_t g = 0; g < kHardwareGroupCount; ++g) {
        const std::uint8_t w = get(kOffsets[g]);
        if (w < v.groups[g].choices.size()) v.groups[g].checked = w;
    }
    v.inverter_shown = get(off::module_count) != kOneModule && !f.limited_fans;
    v.inverter_present = (get(off::options_279) & kInverterBit) != 0;
    v.sampler_enabled = sampler_enabled();
    return v;
}

std::vector<int> DryerHardware::accept() {
    namespace row = link::row;
    std::vector<int> rows{row::fan_heater_count, row::module_count, row::fuel_type, row::load_system,
                          row::dryer_length, row::hardware_options_2, row::hardware_options};
    // Dual-plenum temperature mode needs a single fan/heater.
    if (get(off::fan_heater_count) != kOne) {
        link::begin_edit(state_, off::system_flags_257, 1);
        put(off::system_flags_257, get(off::system_flags_257) & ~kDualPlenumBit);
        rows.push_back(row::system_flags);
    }
    return link::commit_changed(state_, rows, "dryer hardware setup");
}

}  // namespace dryer::setup
