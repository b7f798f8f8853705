// "Moisture Sensor Selection" without Qt: which kind of moisture sensor the
// controller reads for the incoming (wet) and the exiting (dry) grain, in
// the bits of offset 287 (wet: bits 0-1, 0 analog, 1 network; dry: bits 2-3,
// 0 analog, 4 network).
#pragma once

#include <cstdint>

#include "link/link_state.h"

namespace dryer::setup {

enum class SensorKind : std::uint8_t { analog, network, unknown };
enum class SensorPlace : std::uint8_t { wet, dry };

// sensor_kind() returns the kind the byte gives the sensor; a field value
// other than analog or network is unknown (no indicator is lit for it).
SensorKind sensor_kind(std::uint8_t byte, SensorPlace place);

// with_sensor_kind() returns byte with the sensor's two bits set to kind and
// every other bit kept; unknown leaves the byte as it is.
std::uint8_t with_sensor_kind(std::uint8_t byte, SensorPlace place, SensorKind kind);

// The dialog's working state in the settings byte 287.
class SensorSelection {
public:
    // Copies status offset 287 into the settings image (a commit still
    // pending stays).
    explicit SensorSelection(link::LinkState& state);

    SensorKind kind(SensorPlace place) const;
    // choose() sets the sensor's kind in the working byte.
    void choose(SensorPlace place, SensorKind kind);
    // accept() sends 287 when the working byte differs from the controller's
    // report. Returns true when sent.
    bool accept();

private:
    link::LinkState& state_;
};

}  // namespace dryer::setup
