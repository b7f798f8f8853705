// The panel's one list of child windows and of the dialogs screens open by
// name. Adding a screen: declare its row in its own folder and add one line
// here.
#pragma once

#include <span>

#include "kit/screen.h"

namespace dryer::shell {

// Returns every child window's row, in the order the windows are created.
std::span<const kit::ScreenRow* const> screen_registry();
// Returns the rows of the dialogs built into the panel.
std::span<const kit::DialogRow* const> dialog_registry();

// The rows of the windows whose screens are not built yet: titled frames.
extern const kit::ScreenRow button_bar_frame;

}  // namespace dryer::shell
