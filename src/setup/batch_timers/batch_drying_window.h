// The batch drying timers window BATCH_DRYING_WINDOW: the stage buttons that
// open the timer keypad, the batch diagram with the time left in each stage,
// and the press-and-hold stage reset question.
#pragma once

#include <array>

#include <QPushButton>

#include "setup/batch_timers/batch_timers_model.h"
#include "kit/screen.h"
#include "setup/common/setup_widgets.h"

class QTimer;

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
    // hold_tick() runs one second of the press-and-hold confirmations:
    // while the window is visible, a group held for its second tick asks its
    // question, and Yes restarts the stage. A tick arriving while a question
    // is open is skipped. The window's own one-second timer calls it.
    void hold_tick();
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
    BatchHoldTracker hold_;
    std::array<QPushButton*, kBatchButtonCount> buttons_{};
    QPushButton* sample_time_;
    kit::PanelShell* shell_ = nullptr;
    QTimer* tick_;
    bool asking_ = false;
    bool applied_ = false;
};

// BATCH_DRYING_WINDOW's row of the screen registry.
extern const kit::ScreenRow batch_drying_screen;

}  // namespace dryer::setup
