// The dryer picture: the live schematic in the left column of the main
// screen. The layout (drawing, unit pictures, moving parts, value overlay) is
// chosen from the status image; the animation phases and the hourly average
// moisture are kept by DryerAnimation and MoistureAverage.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/images.h"
#include "views/scene/scene.h"
#include "views/scene/texts.h"

namespace dryer::views {

inline constexpr int kDryerPicWidth = 240;
inline constexpr int kDryerPicHeight = 420;
inline constexpr int kMarkPicture = 462;
// The panel's own texts on the drawing.
inline constexpr unsigned kThreeSpeedText = 925;  // the mode name of moisture-control mode 2, "3 SPEED"
inline constexpr unsigned kAutoStartShortText = 926;  // "AS" before the auto-start speed
inline constexpr unsigned kSetpointShortText = 922;   // "SP", as on the readings panel

enum class DryerLayout { tower_one, tower_two, column, column_406 };

struct LayoutChoice {
    DryerLayout layout;
    int drawing;  // built-in picture number
    int overlay;  // 1..4
};

// dryer_layout() picks the layout by module_count 1, module_count 2,
// bit 7 of options_225, bit 5 of options_225, in that order; otherwise the
// column layout.
LayoutChoice dryer_layout(const link::ByteImage& s);

// units_in_use() returns the fan/heater units in use (the last ones) for
// fan_heater_count 0..4: {6}, {5,6}, {4,5,6}, {3..6}, {1..6}; any other value
// gives none.
std::vector<int> units_in_use(const link::ByteImage& s);

// unit_picture_index() returns 0..3 for pictures 1..4 of unit 1..6 by
// its state bytes A and B.
int unit_picture_index(const link::ByteImage& s, int unit);

// Phase counters of the moving parts, advanced by the 100 ms tick.
class DryerAnimation {
public:
    // tick() advances every counter whose condition holds in the status image.
    void tick(const link::ByteImage& s);
    int unit_phase(int unit) const { return unit >= 1 && unit <= 6 ? units_[static_cast<std::size_t>(unit - 1)] : 0; }
    int load() const { return load_; }
    int discharge() const { return discharge_; }
    int discharge_slow() const { return discharge_slow_; }
    int auger(int i) const { return i == 0 ? auger_[0] : auger_[1]; }

private:
    std::array<int, 6> units_{};
    int load_ = 0, discharge_ = 0, discharge_slow_ = 0, discharge_ticks_ = 0, auger_ticks_ = 0;
    std::array<int, 2> auger_{};
};

// The hourly average of the discharge moisture: a ring of the latest 3600
// one-second samples and a 300-sample warm-up.
class MoistureAverage {
public:
    static constexpr std::size_t kWindow = 3600;
    static constexpr int kWarmUp = 300;
    // add() takes one sample (tenths of a percent).
    void add(unsigned tenths);
    // second_tick() adds moisture_189 while bit 3 of status_171 is set.
    void second_tick(const link::ByteImage& s);
    bool warming_up() const { return warm_up_ > 0; }
    std::size_t count() const { return count_; }
    // average() returns the sum over the samples held divided by their
    // number, in whole tenths; 0 when none is held.
    unsigned average() const { return count_ == 0 ? 0 : static_cast<unsigned>(sum_ / count_); }
    // text() returns "***" during the warm-up, else the average as "%d.%1d%%".
    std::string text() const;

private:
    std::vector<std::uint16_t> ring_ = std::vector<std::uint16_t>(kWindow);
    std::size_t next_ = 0, count_ = 0;
    std::uint64_t sum_ = 0;
    int warm_up_ = kWarmUp;
};

// Value boxes shared by the overlays, each with the number of the language
// text it shows.
struct BoxText {
    std::string text;
    Rgb colour;
    unsigned number = 0;
    Label label() const { return {text, number}; }
};
Label mode_name_box(const link::ByteImage& s, const Texts& t);
BoxText dryer_state_box(const link::ByteImage& s, const Texts& t);
Label control_state_box(const link::ByteImage& s, const Texts& t);
Label throughput_box(const link::ByteImage& s, bool metric, const Texts& t);
Label bushel_total_box(const link::ByteImage& s, bool metric, const Texts& t);
Label unload_figure_box(const link::ByteImage& s, const Texts& t);
std::string grain_temperature_box(const link::ByteImage& s, bool celsius);
std::string discharge_moisture_box(const link::ByteImage& s);
Label sampler_message_box(const link::ByteImage& s, const Texts& t);
std::string batch_value_box(unsigned tenths);
Label setpoint_line_box(const link::ByteImage& s, const Texts& t);

// dryer_picture_scene() returns the whole drawing of the window.
Scene dryer_picture_scene(const link::ByteImage& s, const DryerAnimation& anim, const MoistureAverage& avg,
                          bool celsius, const Texts& t);

}  // namespace dryer::views
