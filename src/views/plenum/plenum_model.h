// The plenum panel: one box per plenum (fan/heater unit in use) with its
// temperature, setpoint and state, or the one-box form.
#pragma once

#include <string>
#include <vector>

#include "link/images.h"
#include "views/scene/scene.h"
#include "views/scene/texts.h"

namespace dryer::views {

// The window; its client area below the caption bar holds the panel's
// drawing, divided into the boxes.
inline constexpr int kPlenumWidth = 400;
inline constexpr int kPlenumHeight = 175;
inline constexpr int kPlenumClientWidth = titled_client_width(kPlenumWidth);
inline constexpr int kPlenumBoxesHeight = titled_client_height(kPlenumHeight);
inline constexpr Rgb kOrange{200, 100, 0};
inline constexpr Rgb kDividerGrey{128, 128, 128};
// The label before a box's setpoint ("SP:  180 °F "), in every form but the one-box form.
inline constexpr unsigned kSetpointPrefixText = 910;

// plenum_box_count() returns the number of boxes for the status image:
// fan_heater_count 0..3 give 1..4, 4 gives 6, any other value 0; bit 5 of
// options_225 always gives the one-box form (1).
int plenum_box_count(const link::ByteImage& s);

struct PlenumState {
    unsigned text = 0;  // text number
    Rgb colour;
};

// plenum_state() returns the state line of unit 1..6 by the first
// matching row of the state table; one_box selects the one-box form's row.
PlenumState plenum_state(const link::ByteImage& s, int unit, bool one_box);

// plenum_box_rect() returns box i (0-based) of n in the client area.
Rect plenum_box_rect(int i, int n);

// plenum_scene() returns the panel's drawing.
Scene plenum_scene(const link::ByteImage& s, bool celsius, const Texts& t);

}  // namespace dryer::views
