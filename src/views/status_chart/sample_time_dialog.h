// "Select Data Log Sample Time - 35": four minute choices (a radio button and
// a touch button each), CLEAR TABLE under OPTIONS, and ACCEPT / EXIT, which
// is the only way out. Opened by name from the status chart's sample-time
// button and from the batch drying timers window.
#pragma once

#include <array>
#include <optional>

#include "kit/panel_dialog.h"
#include "kit/screen.h"

class QPushButton;
class QRadioButton;

namespace dryer::views {

class SampleTimeDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    // Applies the opening rules to context's logs (a stored value that is not
    // a choice is stored again as 5).
    SampleTimeDialog(kit::PanelContext& context, QWidget* over);

    // Returns the minutes whose radio button is checked, if any.
    std::optional<unsigned> checked() const;
    QRadioButton* radio(std::size_t i) const { return radios_[i]; }
    QPushButton* minute_button(std::size_t i) const { return minutes_[i]; }
    QPushButton* clear_button() const { return clear_; }
    QPushButton* accept_button() const { return accept_; }

protected:
    void reject() override {}  // ACCEPT / EXIT closes it

private:
    void accept_and_close();
    void clear_table();

    kit::PanelContext& context_;
    bool cycled_ = false;
    std::array<QRadioButton*, 4> radios_{};
    std::array<QPushButton*, 4> minutes_{};
    QPushButton* clear_ = nullptr;
    QPushButton* accept_ = nullptr;
};

// The sample-time dialog's row of the dialog registry: runs the dialog over
// `over` and then has the status chart read the log and relabel its button.
extern const kit::DialogRow sample_time_dialog;

}  // namespace dryer::views
