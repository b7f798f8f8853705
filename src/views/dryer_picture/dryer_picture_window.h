// DRYER_PIC_WINDOW: the live dryer schematic of the left column.
#pragma once

#include "views/dryer_picture/dryer_picture_model.h"
#include "kit/screen.h"
#include "views/scene/scene_window.h"

namespace dryer::views {

class DryerPictureWindow : public SceneWindow {
    Q_OBJECT
public:
    DryerPictureWindow(QWidget* parent, link::LinkState& state, const Texts& texts);
    const DryerAnimation& animation() const { return animation_; }
    const MoistureAverage& average() const { return average_; }

public slots:
    // advance_phase() is the display timer's (100 ms) share: advance the
    // phase counters and redraw.
    void advance_phase();
    // second_tick() is the one-second timer's share: feed the hourly average.
    void second_tick();

protected:
    Scene build_scene() override;

private:
    DryerAnimation animation_;
    MoistureAverage average_;
};

// DRYER_PIC_WINDOW's row of the screen registry.
extern const kit::ScreenRow dryer_picture_screen;

}  // namespace dryer::views
