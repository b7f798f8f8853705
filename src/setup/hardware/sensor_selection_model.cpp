#include "setup/hardware/sensor_selection_model.h"

#include "link/fields.h"
#include "link/settings_edit.h"

namespace dryer::setup {

namespace {
int shift(SensorPlace place) { return place == SensorPlace::wet ? 0 : 2; }
}  // namespace

SensorKind sensor_kind(std::uint8_t byte, SensorPlace place) {
    switch ((byte >> shift(place)) & 0x03) {
        case 0: return SensorKind::analog;
        case 1: return SensorKind::network;
        default: return SensorKind::unknown;
    }
}

std::uint8_t with_sensor_kind(std::uint8_t byte, SensorPlace place, SensorKind kind) {
    if (kind == SensorKind::unknown) return byte;
    const int field = kind == SensorKind::network ? 1 : 0;
    const int mask = 0x03 << shift(place);
    return static_cast<std::uint8_t>((byte & ~mask) | (field << shift(place)));
}

SensorSelection::SensorSelection(link::LinkState& state) : state_(state) {
    link::begin_edit(state_, link::off::moisture_sensor_type, 1);
}

SensorKind SensorSelection::kind(SensorPlace place) const {
    return sensor_kind(state_.settings.get(link::off::moisture_sensor_type), place);
}

void SensorSelection::choose(SensorPlace place, SensorKind kind) {
    const std::size_t at = link::off::moisture_sensor_type;
    state_.settings.set(at, with_sensor_kind(state_.settings.get(at), place, kind));
}

bool SensorSelection::accept() {
    return !link::commit_changed(state_, {link::row::moisture_sensor_type}, "moisture sensor selection").empty();
}

}  // namespace dryer::setup
