// DRYER_RIGHT_STATUS_BAR_WINDOW: the dryer state line at the top right.
#pragma once

#include "kit/screen.h"
#include "views/scene/scene_window.h"

namespace dryer::views {

class StateLineWindow : public SceneWindow {
    Q_OBJECT
public:
    StateLineWindow(QWidget* parent, link::LinkState& state, const Texts& texts);

protected:
    Scene build_scene() override;
};

// DRYER_RIGHT_STATUS_BAR_WINDOW's row of the screen registry.
extern const kit::ScreenRow state_line_screen;

}  // namespace dryer::views
