// Where the panel program meets the rest of the panel: the panel root, the
// texts, the shutdown history and the built-in controller stand-in.
#pragma once

#include <memory>
#include <string>

namespace dryer::history {
class ShutdownStore;
class ShutdownRecorder;
}  // namespace dryer::history
namespace dryer::logging {
struct DataLogs;
}
namespace dryer::journal {
class SettingsJournal;
}
namespace dryer::link {
struct LinkState;
}
namespace dryer::sim {
class Simulator;
}
namespace dryer::views {
class L10nTexts;
}

namespace dryer::shell {

class PanelServices {
public:
    // Makes `root` the panel root of every panel path.
    PanelServices(link::LinkState& state, const std::string& root);
    ~PanelServices();

    // The localized texts of the current language.
    const views::L10nTexts& texts() const { return *texts_; }
    // Forgets any history store (none is open yet).
    void clear_history_volume();
    // Prepares the shutdown history and the journal of setting changes,
    // hands the decoder its recorder and the settings-edit path its journal,
    // and returns the history store.
    history::ShutdownStore* open_history_database();
    void init_texts();
    // The data logs and stored choices under the panel root.
    logging::DataLogs& logs() { return *logs_; }
    // Reads the stored choices (defaults when the file is missing or
    // unreadable) and hands the 24-hour log its sample time.
    void read_stored_settings();
    // The journal of setting changes (null before open_history_database()).
    journal::SettingsJournal* journal() const { return journal_.get(); }
    // Starts the controller stand-in on a pseudo-terminal pair inside this
    // process and sets `device` to the panel's end; returns false with
    // `error` set when it cannot.
    bool start_simulator(const std::string& scenario, std::string& device, std::string& error);

private:
    link::LinkState& state_;
    std::string root_;
    std::unique_ptr<history::ShutdownStore> store_;
    std::unique_ptr<history::ShutdownRecorder> recorder_;
    std::unique_ptr<journal::SettingsJournal> journal_;
    std::unique_ptr<logging::DataLogs> logs_;
    std::unique_ptr<views::L10nTexts> texts_;
    std::unique_ptr<sim::Simulator> simulator_;
};

}  // namespace dryer::shell
