// VIEW_SELECTION_WINDOW: a small menu of picture buttons over the main
// screen. It opens the shutdown history and closes with EXIT; the buttons of
// views and dialogs the panel does not have yet are disabled.
#pragma once

#include <array>

#include "kit/panel_window.h"
#include "kit/picture_button.h"
#include "kit/screen.h"

namespace dryer::views {

class ViewSelectionWindow : public kit::PanelWindow {
    Q_OBJECT
public:
    ViewSelectionWindow(kit::PanelContext& context, QWidget* parent);

    // Takes the caption (text 469) and enables the buttons whose action exists.
    void refresh() override;
    // Returns the button with that window name and picture.
    kit::PictureButton* button(int picture) const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    kit::PanelContext& context_;
    std::array<kit::PictureButton*, 7> buttons_{};
};

// VIEW_SELECTION_WINDOW's row of the screen registry.
extern const kit::ScreenRow view_selection_screen;

}  // namespace dryer::views
