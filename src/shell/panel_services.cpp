#include "shell/panel_services.h"

#include <QString>

#include "l10n/language.h"
#include "l10n/warnings.h"
#include "link/link_state.h"
#include "logging/data_logs/data_logs.h"
#include "logging/history/shutdown_recorder.h"
#include "logging/history/shutdown_store.h"
#include "logging/journal/settings_journal.h"
#include "platform/panel_paths.h"
#include "sim/scenario.h"
#include "sim/simulator.h"
#include "views/scene/l10n_texts.h"

namespace dryer::shell {

PanelServices::PanelServices(link::LinkState& state, const std::string& root)
    : state_(state), root_(root), texts_(std::make_unique<views::L10nTexts>()) {
    platform::set_panel_root(root);
    logs_ = std::make_unique<logging::DataLogs>();  // paths under the root just set
}

PanelServices::~PanelServices() = default;

void PanelServices::clear_history_volume() {
    state_.shutdown_sink.store(nullptr);
    state_.settings_sink.store(nullptr, std::memory_order_release);
    recorder_.reset();
    store_.reset();
    journal_.reset();
}

history::ShutdownStore* PanelServices::open_history_database() {
    store_ = std::make_unique<history::ShutdownStore>();  // \Hard Disk\ShutdownHistoryDB
    // A store that cannot be prepared still records when the disk comes
    // back; each recording reports its own failure silently.
    store_->prepare();
    recorder_ = std::make_unique<history::ShutdownRecorder>(*store_, [](std::uint8_t node, std::uint8_t warning) {
        return QString::fromStdU16String(l10n::warning_text(node, warning)).toStdString();
    });
    state_.shutdown_sink.store(recorder_.get());
    // \Hard Disk\SettingsJournalDB: who changed which setting, and when.
    // A journal that cannot be prepared counts its failed writes; the
    // settings still go to the controller.
    journal_ = std::make_unique<journal::SettingsJournal>();
    journal_->prepare();
    state_.settings_sink.store(journal_.get(), std::memory_order_release);
    return store_.get();
}

void PanelServices::read_stored_settings() {
    logs_->stored.load();
    logs_->day.set_sample_time(logs_->stored.settings().sample_time_minutes);
}

void PanelServices::init_texts() { l10n::ensure_loaded(); }

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
