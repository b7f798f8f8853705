// The timer selection screen TIMER_SELECT_WINDOW with its four child
// windows. The widgets paint what timer_select_view() computes; a pressed
// timer button opens the timer keypad for its timer.
#pragma once

#include <array>
#include <vector>

#include "setup/common/setup_widgets.h"
#include "setup/timer_select/timer_select_model.h"

namespace dryer::link {
struct LinkState;
}

namespace dryer::setup {

// One child window: its timer buttons (one, or two for the fan setup), the
// value lines beside each and the explanatory lines below.
class TimerChildWindow : public CaptionedWindow {
public:
    TimerChildWindow(const TimerChildView& view, QWidget* parent);
    void show_view(const TimerChildView& view);
    PictureButton* button(std::size_t i) const { return buttons_.at(i); }
    std::size_t buttonCount() const { return buttons_.size(); }

protected:
    void paintContent(QPainter& p) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    std::vector<PictureButton*> buttons_;
    TimerChildView view_;
};

class TimerSelectWindow : public CaptionedWindow {
    Q_OBJECT
public:
    explicit TimerSelectWindow(link::LinkState& state, QWidget* parent = nullptr, TextFn text = panel_texts());

    // refresh() shall re-read the status image and the previous-load time and
    // repaint the four children.
    void refresh();
    const TimerSelectView& view() const { return view_; }
    TimerChildWindow* child(std::size_t i) const { return children_.at(i); }

signals:
    void exitToMain();

protected:
    void showEvent(QShowEvent* e) override;
    // Every drawing re-reads the status image, so a redraw request is enough.
    void paintEvent(QPaintEvent* e) override;

private:
    link::LinkState& state_;
    TextFn text_;
    TimerSelectView view_;
    std::array<TimerChildWindow*, 4> children_{};
};

}  // namespace dryer::setup
