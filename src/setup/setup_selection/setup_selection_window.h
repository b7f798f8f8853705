// The two setup menus, SETUP_SELECTION_WINDOW (the main screen's SETUP) and
// EXTENDED_SETUP_SELECTION_WINDOW_NEW (its EXTENDED SETUP button): one
// widget, a grid of the menu's buttons with EXIT at the bottom centre. What
// the buttons show and open comes from setup_selection_model.h.
#pragma once

#include <vector>

#include "kit/screen.h"
#include "setup/common/setup_widgets.h"
#include "setup/setup_selection/setup_selection_model.h"

namespace dryer::setup {

class SetupMenuWindow : public kit::PanelWindow {
    Q_OBJECT
public:
    SetupMenuWindow(kit::PanelContext& context, SetupMenu menu, QWidget* parent = nullptr);

    // Re-reads the status image: the caption, and which buttons are shown
    // and enabled.
    void refresh() override;
    SetupMenu menu() const { return menu_; }
    // Returns the grid button with that objectName, or nullptr.
    kit::PictureButton* button(const QString& name) const;
    kit::PictureButton* exit_button() const { return exit_; }

    // The place of grid button i of n below the caption bar and above EXIT:
    // three columns of 200 x 50.
    static QRect grid_place(std::size_t i, std::size_t n);

signals:
    // EXIT was pressed (the window has hidden itself).
    void exit_pressed();
    // The hardware menu's EXTENDED SETUP was pressed (the window has hidden itself).
    void extended_pressed();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void run(SetupAction action);

    kit::PanelContext& context_;
    SetupMenu menu_;
    TextFn text_;
    std::vector<kit::PictureButton*> buttons_;
    kit::PictureButton* exit_;
};

// The two rows of the screen registry.
extern const kit::ScreenRow setup_selection_screen;
extern const kit::ScreenRow extended_setup_selection_screen;

}  // namespace dryer::setup
