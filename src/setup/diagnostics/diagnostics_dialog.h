// "System Diagnostics - 14" and what it opens: the light-outputs and
// switch-test dialogs and its three questions, on the widget kit; and the
// full-screen BOOT_LOADER_WINDOW shown while the controller is reprogrammed.
// What they show comes from diagnostics_model.h; they follow the status
// image through the decoder's redraw bits.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "kit/panel_dialog.h"
#include "kit/panel_window.h"
#include "kit/screen.h"
#include "setup/diagnostics/diagnostics_model.h"

class QPushButton;

namespace dryer::setup {

// A read-only check mark with a label fitted beside it.
class CheckMark : public QWidget {
public:
    CheckMark(QWidget* parent, const QString& name, const QString& label);
    void set_checked(bool on);
    bool checked() const { return checked_; }
    void set_label(const QString& label);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString label_;
    bool checked_ = false;
};

class DiagnosticsDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    // Marks the diagnostics mode and takes the working copies.
    DiagnosticsDialog(kit::PanelContext& context, QWidget* over);
    // Clears the mark however the dialog ends.
    ~DiagnosticsDialog() override;

    // Shows the captions and the live state (and lets the panel re-enable
    // the air-switch test when the controller's state asks for it).
    void refresh();

    const DiagnosticsView& view() const { return view_; }

private:
    void ask_set_speed();
    void ask_sensor_shutdown();
    void ask_air_switch();
    void open_lights();
    void open_switches();

    kit::PanelContext& context_;
    TextFn text_;
    DiagnosticsView view_;
    std::vector<std::pair<QWidget*, unsigned>> captioned_;  // controls captioned by text number
    CheckMark* air_switch_mark_;
    QPushButton* air_switch_button_;
    QPushButton* set_speed_;
    QPushButton* setup_rolls_;
    QPushButton* calibrate_;
};

// "Display I/O Switch Light Outputs - 28".
class LightOutputsDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    LightOutputsDialog(kit::PanelContext& context, QWidget* over);
    void refresh();

protected:
    // Centred over its parent, then 20 pixels to the right.
    void showEvent(QShowEvent* event) override;

private:
    kit::PanelContext& context_;
    std::array<std::array<CheckMark*, 2>, 16> marks_{};  // [row][0 activated, 1 shorted]
};

// "Display I/O Switch Test - 31".
class SwitchTestDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    SwitchTestDialog(kit::PanelContext& context, QWidget* over);
    void refresh();

private:
    kit::PanelContext& context_;
    std::vector<CheckMark*> marks_;  // in switch_groups() order
};

// BOOT_LOADER_WINDOW: " UPDATE DRYER PROGRAMMING", full screen.
class BootLoaderWindow : public kit::PanelWindow {
    Q_OBJECT
public:
    BootLoaderWindow(kit::PanelContext& context, QWidget* parent);

protected:
    void paint_client(QPainter& p) override;

private:
    kit::PanelContext& context_;
};

// The pictures of EXIT_BOOTLOADER_BUTTON (159 by 41) with caption fitted
// on them: 137 released, 136 pressed.
QImage boot_loader_exit_picture(bool pressed, const QString& caption);

extern const kit::DialogRow diagnostics_dialog;
extern const kit::ScreenRow boot_loader_screen;

}  // namespace dryer::setup
