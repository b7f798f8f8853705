// CUSTOM_VIEW_WINDOW: the plenum panel, titled by text 328.
#pragma once

#include "views/scene/scene_window.h"

namespace dryer::views {

class PlenumWindow : public SceneWindow {
    Q_OBJECT
public:
    PlenumWindow(QWidget* parent, link::LinkState& state, const Texts& texts);

protected:
    Scene build_scene() override;
};

}  // namespace dryer::views
