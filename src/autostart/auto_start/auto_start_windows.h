// AUTO_START_CONFIG_WINDOW (grain and moisture pages, INITIATE, EXIT,
// CONTINUE), the "Auto-Start Status" dialog with the plan's timeline, the
// confirmation both of them ask, and the switch requirements notice. The
// widgets paint what auto_start_model.h computes.
#pragma once

#include <QWidget>
#include <array>

#include "autostart/auto_start/auto_start_model.h"
#include "kit/panel_dialog.h"
#include "kit/panel_window.h"
#include "kit/picture_button.h"
#include "kit/screen.h"

class QPushButton;

namespace dryer::autostart {

class AutoStartWindow : public kit::PanelWindow {
    Q_OBJECT
public:
    AutoStartWindow(kit::PanelContext& context, QWidget* parent);

    // Opens the screen over the hidden main screen: takes the reported
    // request bytes into the settings image and shows the current page.
    void open_screen();
    // Returns true while this screen, or a dialog opened from it, is in use.
    bool screen_open() const { return open_; }
    Page page() const { return page_; }
    void set_page(Page page);
    void refresh() override;

protected:
    void paint_client(QPainter& p) override;

private:
    void close_screen(bool send_grain);
    void initiate();
    void edit_moisture(int mode);

    kit::PanelContext& context_;
    Page page_ = Page::grain;
    bool open_ = false;
    std::array<kit::PictureButton*, kGrains.size()> grains_{};
    std::array<QPushButton*, 2> moisture_{};  // the value at 281 (mode 4), the setpoint (mode 3)
};

// The status dialog: the title line, one bar per unit, the unload row, the
// time axis and the elapsed-time marker.
class AutoStartStatusDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    AutoStartStatusDialog(kit::PanelContext& context, QWidget* over);
    QPushButton* cancel_button() const { return cancel_; }
    // Repaints the timeline and enables "Cancel   Auto-Start" while a run is active.
    void refresh();

private:
    kit::PanelContext& context_;
    QWidget* canvas_;
    QPushButton* cancel_;
};

// Asks "Auto-Start" (start, or cancel a run) over `over` and carries out the answer.
Outcome run_confirmation(kit::PanelContext& context, QWidget* over);

// The dialog rows: the setup menu's auto-start button and "QS".
extern const kit::DialogRow auto_start_setup_dialog;
extern const kit::DialogRow auto_start_status_dialog;
extern const kit::ScreenRow auto_start_config_screen;

}  // namespace dryer::autostart
