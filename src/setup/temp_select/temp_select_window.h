// The temperature setpoint screen TEMP_SELECT_WINDOW with its plenum and
// grain child windows. The widgets paint what temp_select_view() computes;
// a pressed button opens the temperature keypad for its setting.
#pragma once

#include <array>

#include "kit/screen.h"
#include "setup/common/setup_widgets.h"
#include "setup/temp_select/temp_select_model.h"

namespace dryer::link {
struct LinkState;
}

namespace dryer::setup {

// One child window: its picture buttons and the values beside them.
class TempSetpointChild : public kit::PanelWindow {
public:
    TempSetpointChild(const char* class_name, const char* caption, std::size_t places, QWidget* parent);
    kit::PictureButton* button(std::size_t i) const { return buttons_[i]; }
    std::size_t places() const { return buttons_.size(); }
    // show_places() applies the places of a view: visibility, names,
    // pictures and values.
    void show_places(const TempPlace* places, std::size_t count);
    void set_note(const std::string& heading, const std::vector<std::string>& note);

protected:
    void paint_client(QPainter& p) override;

private:
    std::vector<kit::PictureButton*> buttons_;
    std::vector<QString> values_;
    QString heading_;
    QStringList note_;
};

class TempSelectWindow : public kit::PanelWindow {
    Q_OBJECT
public:
    explicit TempSelectWindow(link::LinkState& state, QWidget* parent = nullptr, TextFn text = panel_texts());

    // refresh() re-reads the status image and show the buttons, values
    // and notes of the current mode (the children repaint when they changed).
    void refresh() override;
    // While the auto-start configuration screen is active, the exit returns
    // to it instead of the main screen.
    void set_auto_start_active(bool active) { autostart_active_ = active; }
    const TempSelectView& view() const { return view_; }
    TempSetpointChild* plenum_window() const { return plenum_; }
    TempSetpointChild* grain_window() const { return grain_; }

signals:
    void exit_to_main();
    void exit_to_auto_start();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void open_keypad(const TempPlace& place);

    link::LinkState& state_;
    TextFn text_;
    TempSelectView view_;
    TempSetpointChild* plenum_;
    TempSetpointChild* grain_;
    kit::PictureButton* exit_;
    bool autostart_active_ = false;
    bool applied_ = false;
};

// TEMP_SELECT_WINDOW's row of the screen registry.
extern const kit::ScreenRow temp_select_screen;

}  // namespace dryer::setup
