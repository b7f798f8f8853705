// The screen registry's vocabulary. Every child window of the main window is
// declared once, by the folder that builds it, as a ScreenRow: its id, its
// window class (the widget's objectName), caption, place, frame, whether it
// starts shown, the decoder's redraw bits it listens to and how it is made.
// The shell lists the rows once (src/shell/screen_registry.cpp) and creates,
// stacks, shows and redraws the windows from that list. Dialogs that screens
// open by name are declared the same way as DialogRows.
#pragma once

#include <QRect>
#include <cstdint>
#include <string_view>

#include "kit/panel_events.h"

class QWidget;

namespace dryer::link {
struct LinkState;
}
namespace dryer::views {
class Texts;
}
namespace dryer::history {
class ShutdownStore;
}
namespace dryer::logging {
struct DataLogs;
}

namespace dryer::kit {

// The main window's child windows, in the order they are created.
enum class WindowId : std::uint8_t {
    view_selection,
    warning,
    line_graph,
    average_values,
    boot_loader,
    custom_view,
    unload_status,
    left_status_bar,
    right_status_bar,
    button_bar,
    timer_select,
    temp_select,
    setup_selection,
    extended_setup_selection,
    graph,
    dryer_picture,
    batch_drying,
    auto_start_config,
};
inline constexpr std::size_t kWindowCount = 18;

// Dialogs a screen or command opens by name; one with no row is not built
// yet, and the buttons that would open it are disabled.
enum class DialogId : std::uint8_t {
    shutdown_history,
    meter_roll_speed,
    moisture_setpoint,
    auto_start_status,
    sample_time,   // the status chart's sample time and CLEAR TABLE
    logger_setup,  // the long-term log's ON/OFF, delete and USB copy
    set_time,      // the panel's clock
    drying_mode,
    burner_mode,
    mc_setup,               // continuous flow or staged batch setup, by the drying mode
    five_speed,             // the bracketed five-speed moisture control setup
    unload_parameters,
    temp_manager,
    dryer_hardware,
    sensor_selection,
    moisture_calibration,
    unload_bushels,
    meter_roll_voltage,
    diagnostics,
    auto_start_setup,       // the setup menu's auto-start button: checks, then the configuration screen
};
inline constexpr std::size_t kDialogCount = 20;

// What a screen asks of the panel around it.
class PanelShell {
public:
    virtual ~PanelShell() = default;
    // Returns the child window with that id (nullptr before it is created).
    virtual QWidget* window(WindowId id) const = 0;
    // Shows the main screen again, as a full-screen screen does when it closes.
    virtual void restore_main_screen() = 0;
    // Returns true when the dialog is built into the panel.
    virtual bool has_dialog(DialogId id) const = 0;
    // Returns true when the window's screen is built (not a titled frame
    // standing in for it).
    virtual bool screen_built(WindowId id) const { return window(id) != nullptr; }
    // Opens the dialog over `over` and returns when it closes; false when it
    // is not built. `arg` is the dialog's mode where it has one.
    virtual bool open_dialog(DialogId id, QWidget* over, int arg = 0) = 0;
    // Asks for the line graph and the plenum view to be drawn again a few
    // seconds later (after a change of the dryer's hardware).
    virtual void request_graph_redraw() {}
};

// What every screen is created with.
struct PanelContext {
    link::LinkState& state;
    const views::Texts& texts;
    PanelEvents& events;
    PanelShell& shell;
    // The shutdown history, once it is opened (null before).
    history::ShutdownStore* shutdown_store = nullptr;
    // The data logs and stored choices (set before the windows are created).
    logging::DataLogs* logs = nullptr;
};

enum class Frame : std::uint8_t { none, caption_bar };

using ScreenFactory = QWidget* (*)(PanelContext& context, QWidget* parent);

struct ScreenRow {
    WindowId id;
    std::string_view class_name;
    std::string_view caption;
    QRect rect;
    Frame frame;
    bool top;      // kept above the other windows while shown
    bool shown;    // at start
    std::uint64_t redraw_bits;
    ScreenFactory create;  // null: a titled frame until the screen is built
};

using DialogOpener = void (*)(PanelContext& context, QWidget* over, int arg);

struct DialogRow {
    DialogId id;
    DialogOpener open;
};

// Returns the class name of a window id as a QString.
QString class_name(const ScreenRow& row);

}  // namespace dryer::kit
