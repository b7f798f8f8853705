// What the shell takes from the rest of the panel: texts and pictures, the
// windows' own redraw and animation duties, and the dialogs that the main
// window opens. An empty hook means that piece is not part of the program
// (yet) and the shell leaves the duty out.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "shell/misc_command.h"

namespace dryer::shell {

struct ShellHooks {
    // Localized button picture by number (1..77); a null image when missing.
    std::function<QImage(int number)> button_picture;
    // Localized text by number.
    std::function<QString(int number)> text;

    // Timer duties owned by other windows.
    std::function<void()> one_second_housekeeping;
    std::function<void()> redraw_warning_message_line;
    std::function<void()> redraw_shutdown_help_picture;
    std::function<bool()> shutdown_help_opened_from_history;
    std::function<void()> close_shutdown_help;
    std::function<void()> advance_dryer_picture;
    // Redraw bits of the decoder that no child window of the shell takes.
    std::function<void(std::uint64_t bits)> redraw;

    // Dialogs of the main window's commands; `over` is the window they open over.
    std::function<void(QWidget* over)> open_meter_roll_speed;
    std::function<void(QWidget* over, int mode)> open_moisture_setpoint;
    std::function<void(QWidget* over, const TemperatureKeypadRequest&)> open_temperature_keypad;
    std::function<void(QWidget* over)> open_auto_start_status;
    // The "Shutdown History -29" screen (opened from the view selection).
    std::function<void(QWidget* over)> open_shutdown_history;
};

}  // namespace dryer::shell
