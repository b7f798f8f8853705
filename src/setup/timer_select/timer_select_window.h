// The timer selection screen TIMER_SELECT_WINDOW with its four child
// windows. The widgets paint what timer_select_view() computes; a pressed
// timer button opens the timer keypad for its timer.
#pragma once

#include <array>
#include <vector>

#include "kit/screen.h"
#include "setup/common/setup_widgets.h"
#include "setup/timer_select/timer_select_model.h"

namespace dryer::link {
struct LinkState;
}

namespace dryer::setup {

// One child window: its timer buttons (one, or two for the fan setup), the
// value lines beside each and the explanatory lines below.
class TimerChildWindow : public kit::PanelWindow {
public:
    TimerChildWindow(const TimerChildView& view, QWidget* parent);
    void show_view(const TimerChildView& view);
    kit::PictureButton* button(std::size_t i) const { return buttons_.at(i); }
    std::size_t button_count() const { return buttons_.size(); }

protected:
    void paint_client(QPainter& p) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    std::vector<kit::PictureButton*> buttons_;
    TimerChildView view_;
};

class TimerSelectWindow : public kit::PanelWindow {
    Q_OBJECT
public:
    explicit TimerSelectWindow(link::LinkState& state, QWidget* parent = nullptr, TextFn text = panel_texts());

    // refresh() re-reads the status image and the previous-load time and
    // repaint the four children.
    void refresh() override;
    const TimerSelectView& view() const { return view_; }
    TimerChildWindow* child(std::size_t i) const { return children_.at(i); }

signals:
    void exit_to_main();

protected:
    void showEvent(QShowEvent* e) override;

private:
    link::LinkState& state_;
    TextFn text_;
    TimerSelectView view_;
    std::array<TimerChildWindow*, 4> children_{};
};

// TIMER_SELECT_WINDOW's row of the screen registry.
extern const kit::ScreenRow timer_select_screen;

}  // namespace dryer::setup
