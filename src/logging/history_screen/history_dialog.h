// The shutdown history as a dialog of the panel: opened by name from the
// view selection window.
#pragma once

#include "kit/screen.h"

namespace dryer::history {

// "Shutdown History -29"'s row of the dialog registry.
extern const kit::DialogRow shutdown_history_dialog;

}  // namespace dryer::history
