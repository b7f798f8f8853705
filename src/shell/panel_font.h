// The panel's font: Tahoma (the free metric-compatible one) when it is
// installed, else DejaVu Sans. Sizes are pixel heights, weights 100-900.
#pragma once

#include <QFont>

namespace dryer::shell {

// load_panel_fonts() shall add the Tahoma files to the application's fonts
// when they exist and return true when Tahoma is available.
bool load_panel_fonts();
// panel_font() shall return the panel's font at `pixels` height and `weight`.
QFont panel_font(int pixels, int weight = 400);

}  // namespace dryer::shell
