// VIEW_SELECTION_WINDOW: a small menu of picture buttons over the main
// screen: the status chart or the graph on the right-hand side, the owner's
// manuals in the desktop's file browser, the shutdown history and the system
// information. Buttons whose view or dialog the panel does not have are
// disabled.
#pragma once

#include <QString>
#include <array>
#include <functional>

#include "kit/panel_window.h"
#include "kit/picture_button.h"
#include "kit/screen.h"
#include "views/view_selection/view_selection_model.h"

namespace dryer::views {

// Opens a folder in the desktop's file browser; returns false when the
// browser cannot be started.
using FolderOpener = std::function<bool(const QString& folder)>;

class ViewSelectionWindow : public kit::PanelWindow {
    Q_OBJECT
public:
    ViewSelectionWindow(kit::PanelContext& context, QWidget* parent);

    // Takes the caption (text 469) and enables the buttons whose action exists.
    void refresh() override;
    // Returns the button with that window name and picture.
    kit::PictureButton* button(int picture) const;

    // The chart or graph choice: sends it to the controller, then either
    // refuses it (batch drying; the window stays open) or hides the window,
    // applies the right-hand view rule and stores the choice.
    void choose(MainView view);
    // Hides the window and opens the manuals folder; a browser that cannot
    // be started gives the failure box.
    void open_manuals();
    // Replaces how the manuals folder is opened (xdg-open by default).
    void set_folder_opener(FolderOpener opener) { opener_ = std::move(opener); }

protected:
    void showEvent(QShowEvent* e) override;

private:
    kit::PanelContext& context_;
    std::array<kit::PictureButton*, 7> buttons_{};
    FolderOpener opener_;
};

// Opens the system information dialog modally over `over`.
void open_system_information(kit::PanelContext& context, QWidget* over);

// VIEW_SELECTION_WINDOW's row of the screen registry.
extern const kit::ScreenRow view_selection_screen;

}  // namespace dryer::views
