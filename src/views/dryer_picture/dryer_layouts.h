// Internal: the drawings and value overlays of the four dryer layouts.
#pragma once

#include "views/dryer_picture/dryer_picture_model.h"

namespace dryer::views {

struct OverlayInput {
    const link::ByteImage& s;
    const MoistureAverage& avg;
    bool celsius;
    const Texts& t;
};

// draw_dryer_body() adds the layout's drawing, the unit pictures and the
// moving parts at their animation phases.
void draw_dryer_body(Scene& sc, const link::ByteImage& s, const LayoutChoice& choice, const DryerAnimation& anim);

void overlay_column(Scene& sc, const OverlayInput& in);     // overlay 1
void overlay_tower_one(Scene& sc, const OverlayInput& in);  // overlay 2
void overlay_tower_two(Scene& sc, const OverlayInput& in);  // overlay 3
void overlay_406(Scene& sc, const OverlayInput& in);        // overlay 4

// Picture sets (first number; phase p is first + p) of the unit pictures 1..4.
inline constexpr int kTowerTwoUnitSets[4] = {325, 328, 331, 334};
inline constexpr int kLowerUnitSets[4] = {341, 344, 350, 347};
inline constexpr int kUpperUnitSets[4] = {292, 295, 304, 301};

}  // namespace dryer::views
