// UNLOAD_STATUS_WINDOW: the unload status of the main screen. Its speed
// button opens the metering-roll speed dialog when the panel has it.
#pragma once

#include "kit/screen.h"
#include "views/scene/scene_window.h"

class QPushButton;

namespace dryer::views {

class UnloadStatusWindow : public SceneWindow {
    Q_OBJECT
public:
    UnloadStatusWindow(QWidget* parent, kit::PanelContext& context);

protected:
    Scene build_scene() override;
    void showEvent(QShowEvent* e) override;

private:
    kit::PanelContext& context_;
    QPushButton* speed_;
};

// UNLOAD_STATUS_WINDOW's row of the screen registry.
extern const kit::ScreenRow unload_status_screen;

}  // namespace dryer::views
