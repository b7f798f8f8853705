// The batch drying timers window BATCH_DRYING_WINDOW: the stage buttons that
// open the timer keypad, the batch diagram with the time left in each stage,
// and the press-and-hold stage reset question.
#pragma once

#include <array>

#include <QPushButton>

#include "setup/batch_timers/batch_timers_model.h"
#include "setup/common/setup_widgets.h"

class QTimer;

namespace dryer::link {
struct LinkState;
}

namespace dryer::setup {

class BatchDryingWindow : public CaptionedWindow {
    Q_OBJECT
public:
    explicit BatchDryingWindow(link::LinkState& state, QWidget* parent = nullptr, TextFn text = panel_texts());

    // refresh() shall re-read the status image, apply the heat buttons'
    // visibility and repaint the diagram.
    void refresh();
    // holdTick() shall run one second of the press-and-hold confirmations:
    // while the window is visible, a group held for its second tick asks its
    // question, and Yes restarts the stage. A tick arriving while a question
    // is open is skipped. The window's own one-second timer calls it.
    void holdTick();
    QPushButton* button(BatchButton b) const { return buttons_[static_cast<std::size_t>(b)]; }
    const BatchView& view() const { return view_; }

protected:
    void showEvent(QShowEvent* e) override;
    // Every drawing re-reads the status image, so a redraw request is enough.
    void paintEvent(QPaintEvent* e) override;
    void paintContent(QPainter& p) override;

private:
    void place_buttons();

    link::LinkState& state_;
    TextFn text_;
    BatchView view_;
    BatchHoldTracker hold_;
    std::array<QPushButton*, kBatchButtonCount> buttons_{};
    QTimer* tick_;
    bool asking_ = false;
    bool applied_ = false;
};

}  // namespace dryer::setup
