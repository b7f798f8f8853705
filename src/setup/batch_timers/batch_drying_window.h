// The batch drying timers window BATCH_DRYING_WINDOW: the stage buttons that
// open the timer keypad, the batch diagram with the time left in each stage,
// and the press-and-hold stage reset question.
#pragma once

#include <array>

#include <QPushButton>

#include "setup/batch_timers/batch_timers_model.h"
#include "kit/screen.h"
#include "setup/common/setup_widgets.h"

namespace dryer::link {
struct LinkState;
}

namespace dryer::setup {

class BatchDryingWindow : public kit::PanelWindow {
    Q_OBJECT
public:
    explicit BatchDryingWindow(link::LinkState& state, QWidget* parent = nullptr, TextFn text = panel_texts());

    // refresh() re-reads the status image, apply the heat buttons'
    // visibility and repaint the diagram.
    void refresh() override;
    // The press-and-hold stage reset: the one-second housekeeping counts how
    // long a group is held, reading pressed_groups() while the window is
    // shown, and calls ask_stage_reset() when a group is due.
    // pressed_groups() returns, per hold group, whether a shown button of the
    // group is down.
    std::array<bool, kHoldGroupCount> pressed_groups() const;
    // Returns whether the single heat button is the one down.
    bool single_heat_pressed() const;
    // ask_stage_reset() lets the group's buttons up (no keypad opens on
    // their release), asks the group's question (title text 515) and on
    // Yes restarts the stage.
    void ask_stage_reset(std::size_t group, bool single_heat);
    QPushButton* button(BatchButton b) const { return buttons_[static_cast<std::size_t>(b)]; }
    // Lets the window open the data log's sample-time dialog through the
    // panel; without a shell that has the dialog its button is disabled.
    void set_shell(kit::PanelShell* shell);
    QPushButton* sample_time_button() const { return sample_time_; }
    const BatchView& view() const { return view_; }

protected:
    void showEvent(QShowEvent* e) override;
    void paint_client(QPainter& p) override;

private:
    void place_buttons();

    link::LinkState& state_;
    TextFn text_;
    BatchView view_;
    std::array<QPushButton*, kBatchButtonCount> buttons_{};
    QPushButton* sample_time_;
    kit::PanelShell* shell_ = nullptr;
    bool applied_ = false;
};

// BATCH_DRYING_WINDOW's row of the screen registry.
extern const kit::ScreenRow batch_drying_screen;

}  // namespace dryer::setup
