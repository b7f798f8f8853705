// "Please turn off DEFAULTS dipswitch! - 33": four fixed lines, the picture
// of the dipswitch and "EXIT", which sets the dipswitch latch so that the
// dialog is not offered again while the panel runs.
#pragma once

#include "kit/panel_dialog.h"

#include "link/link_state.h"

namespace dryer::shell {

class DefaultsDipswitchDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 290;

    DefaultsDipswitchDialog(link::PanelValues& values, QWidget* over);

private:
    link::PanelValues& values_;
};

}  // namespace dryer::shell
