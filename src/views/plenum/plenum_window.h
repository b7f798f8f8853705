// CUSTOM_VIEW_WINDOW: the plenum panel, titled by text 328.
#pragma once

#include "kit/screen.h"
#include "views/scene/scene_window.h"

namespace dryer::views {

class PlenumWindow : public SceneWindow {
    Q_OBJECT
public:
    PlenumWindow(QWidget* parent, link::LinkState& state, const Texts& texts);

protected:
    Scene build_scene() override;
};

// CUSTOM_VIEW_WINDOW's row of the screen registry.
extern const kit::ScreenRow plenum_screen;

}  // namespace dryer::views
