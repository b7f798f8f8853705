#include "shell/panel_services.h"

#include "l10n/language.h"
#include "l10n/qt/pictures.h"
#include "l10n/texts.h"
#include "l10n/warnings.h"
#include "link/link_state.h"
#include "logging/history/shutdown_recorder.h"
#include "logging/history/localized_texts.h"
#include "logging/history/shutdown_store.h"
#include "logging/history_screen/history_screen.h"
#include "platform/panel_paths.h"
#include "setup/keypads/keypad_dialogs.h"
#include "setup/screens/setup_screens.h"
#include "shell/main_window.h"
#include "sim/scenario.h"
#include "sim/simulator.h"
#include "views/main_screen/main_screen_views.h"
#include "views/scene/l10n_texts.h"
#include "views/warning/warning_window.h"

namespace dryer::shell {

PanelServices::PanelServices(const std::string& root)
    : root_(root),
      texts_(std::make_unique<views::L10nTexts>()),
      views_(std::make_unique<views::MainScreenViews>(link::link_state(), *texts_)) {
    platform::set_panel_root(root);
}

PanelServices::~PanelServices() = default;

ShellHooks PanelServices::hooks() {
    ShellHooks h;
    h.button_picture = [](int n) { return l10n::qt::load_button_picture(n).toImage(); };
    h.text = [](int n) { return QString::fromStdU16String(l10n::text(static_cast<unsigned>(n))); };
    // The main screen's status windows take their share of the timers.
    views::MainScreenViews* v = views_.get();
    h.advance_dryer_picture = [v] { v->advance_dryer_picture(); };
    h.redraw_warning_message_line = [v] { v->warning_message_line_tick(); };
    h.redraw_shutdown_help_picture = [v] { v->shutdown_help_tick(); };
    h.shutdown_help_opened_from_history = [v] { return v->help_opened_from_history(); };
    h.close_shutdown_help = [v] { v->close_help(); };
    h.one_second_housekeeping = [this, v] {
        v->second_tick();
        if (history_screen_ && history_screen_->isVisible()) history_screen_->housekeeping_tick();
    };
    h.open_shutdown_history = [this](QWidget* over) { open_shutdown_history(over); };
    h.open_temperature_keypad = [](QWidget* over, const TemperatureKeypadRequest& r) {
        setup::run_temperature_keypad(over, link::link_state(), {r.target, {r.minimum, r.maximum, r.fallback}}, "MISC grain setpoint");
    };
    return h;
}

void PanelServices::clear_history_volume() {
    link::link_state().shutdown_sink.store(nullptr);
    recorder_.reset();
    store_.reset();
}

// The stored view settings come with the data-logger setup.
void PanelServices::read_view_settings() {}

void PanelServices::open_history_database() {
    store_ = std::make_unique<history::ShutdownStore>();  // \Hard Disk\ShutdownHistoryDB
    // A store that cannot be prepared still records when the disk comes
    // back; each recording reports its own failure silently.
    store_->prepare();
    recorder_ = std::make_unique<history::ShutdownRecorder>(*store_, [](std::uint8_t node, std::uint8_t warning) {
        return QString::fromStdU16String(l10n::warning_text(node, warning)).toStdString();
    });
    link::link_state().shutdown_sink.store(recorder_.get());
}

void PanelServices::open_shutdown_history(QWidget* over) {
    if (!store_ || history_screen_) return;
    views::WarningWindow* warning = views_->warning();
    history::HistoryScreen::Hooks hooks;
    hooks.text = [](int n) { return history::localized_text(n); };
    // Each warning text starts with its node id and warning id as two
    // hexadecimal pairs; the help dialog shows that condition.
    hooks.open_help = [this, warning](history::HelpSelectors sel) {
        if (warning) warning->open_help_for(history_screen_, sel.first, sel.second, true);
    };
    history::HistoryScreen screen(*store_, std::move(hooks), over);
    history_screen_ = &screen;
    screen.exec();
    history_screen_ = nullptr;
}

void PanelServices::init_texts() { l10n::ensure_loaded(); }

void PanelServices::install_screens(MainWindow& window) {
    views::MainScreenViews* v = views_.get();
    for (std::string_view name : views::MainScreenViews::kClassNames)
        window.set_child_factory(std::string(name), [v, name](QWidget* parent) { return v->create_window(name, parent); });
    v->set_blink_source([&window] { return window.timers().blink_flags(); });
    setup::register_setup_screens(
        link::link_state(),
        [&window](const std::string& cls, setup::ScreenFactory f) { window.set_child_factory(cls, std::move(f)); },
        [&window] { window.restore_main_screen(); });
}

bool PanelServices::start_simulator(const std::string& scenario, std::string& device, std::string& error) {
    sim::PeerOptions options;
    // Without a scenario the stand-in's dryer reports a warning or a
    // shutdown now and then by itself; with one, only what it scripts.
    options.unscripted_events = scenario.empty();
    if (!scenario.empty()) {
        sim::ScenarioResult r = sim::load_scenario(scenario);
        if (!r.ok) {
            error = scenario + ": " + r.error;
            return false;
        }
        options.scenario = std::move(r.actions);
    }
    simulator_ = std::make_unique<sim::Simulator>(std::move(options));
    device = simulator_->start_pty(&error);
    return !device.empty();
}

}  // namespace dryer::shell
