// The "Shutdown History -29" dialog: a report list of the stored shutdowns
// with sort buttons and their indicators, "Show Help File", the copy to the
// USB flash card and EXIT (held about five seconds it offers to clear the
// history). Opened modally from the view selection window; everything it
// shows comes from HistoryScreenModel.
#pragma once

#include "kit/panel_dialog.h"
#include "kit/panel_events.h"

#include <filesystem>
#include <functional>

#include "logging/history_screen/history_screen_model.h"

class QTreeWidget;
class QPushButton;
class QRadioButton;

namespace dryer::history {

class HistoryScreen : public kit::PanelDialog {
    Q_OBJECT
public:
    struct Hooks {
        TextLookup text;                                   // localized texts by number
        WarningTextLookup warning_text;                    // localized warning texts by ids
        kit::PanelEvents* events = nullptr;                // language changes re-render the list
        std::function<void(HelpSelectors)> open_help;      // the shutdown help dialog, modal
        std::function<void(bool)> set_opened_from_history; // the help dialog's flag
        std::filesystem::path usb_folder;                  // empty: \Hard Disk2
        int* exit_hold = nullptr;  // the housekeeping's EXIT hold count; null: the screen's own
        std::function<CodePage()> export_code_page;        // the export's code page; null: Windows-1252
    };

    // The screen reads the count and lists the history by date and time.
    HistoryScreen(ShutdownStore& store, Hooks hooks, QWidget* parent = nullptr);

    // housekeeping_tick() counts one second of the EXIT hold while the
    // screen is visible (in the panel the one-second housekeeping counts on
    // the hook's exit_hold, reading exit_down()).
    void housekeeping_tick();
    // Returns whether EXIT is held down.
    bool exit_down() const;

    const HistoryScreenModel& model() const { return model_; }

private:
    void build();
    void refresh();
    void sort(SortOrder order);
    void show_help();
    void copy_to_usb();
    void exit_pressed();
    void clear_history();
    Answer ask(const HistoryMessage& message);

    HistoryScreenModel model_;
    Hooks hooks_;
    QTreeWidget* list_ = nullptr;
    QPushButton* sort_buttons_[3] = {};   // indexed by SortOrder
    QRadioButton* indicators_[3] = {};    // indexed by SortOrder
    QPushButton* help_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* exit_ = nullptr;
};

}  // namespace dryer::history
