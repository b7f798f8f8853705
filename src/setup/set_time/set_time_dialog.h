// "Set Time / Date - 18": UP and DOWN for month, day, year, day of the week,
// hour and minute, AM and PM, CANCEL and ACCEPT / EXIT, which sets the
// panel's clock and reports a clock the system would not set.
#pragma once

#include <array>
#include <functional>

#include "kit/panel_dialog.h"
#include "kit/screen.h"
#include "setup/set_time/set_time_model.h"

class QLabel;
class QPushButton;

namespace dryer::setup {

class SetTimeDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    using SetClock = std::function<platform::ClockResult(const platform::LocalTime&)>;

    // Edits a copy of `now`; ACCEPT / EXIT hands the edited time to set_clock.
    SetTimeDialog(TextFn text, const platform::LocalTime& now, SetClock set_clock, QWidget* over);

    const ClockEdit& edit() const { return edit_; }

private:
    void show_fields();
    void accept_pressed();

    TextFn text_;
    SetClock set_clock_;
    ClockEdit edit_;
    std::array<QLabel*, kClockFieldCount> values_{};
    QLabel* am_pm_ = nullptr;
};

// The dialog's row of the dialog registry.
extern const kit::DialogRow set_time_dialog;

}  // namespace dryer::setup
