#include "logging/history_screen/history_dialog.h"

#include "l10n/language.h"
#include "logging/data_logs/data_logs.h"
#include "logging/history/localized_texts.h"
#include "logging/history_screen/history_screen.h"
#include "views/warning/warning_window.h"

namespace dryer::history {

namespace {

// Runs the history screen modally over `over`; while it is open the
// one-second housekeeping watches its EXIT button (exit_down()) for the
// press-and-hold clear. Without a store (the disk is not prepared) nothing opens.
void open(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    if (!c.shutdown_store || open) return;
    open = true;
    auto* warning = qobject_cast<views::WarningWindow*>(c.shell.window(kit::WindowId::warning));
    HistoryScreen::Hooks hooks;
    hooks.text = [](int n) { return localized_text(n); };
    hooks.warning_text = localized_warning_text();
    hooks.events = &c.events;
    // The export's code page follows the language selected when it is made.
    hooks.export_code_page = [] { return code_page_of_language(l10n::language(l10n::current_language()).folder); };
    HistoryScreen* screen_ptr = nullptr;
    // Each warning text starts with its node id and warning id as two
    // hexadecimal pairs; the help dialog shows that condition.
    hooks.open_help = [warning, &screen_ptr](HelpSelectors sel) {
        if (warning) warning->open_help_for(screen_ptr, sel.first, sel.second, true);
    };
    // The one-second housekeeping counts the EXIT hold on the shared count.
    if (c.logs) hooks.exit_hold = &c.logs->history_exit_hold;
    HistoryScreen screen(*c.shutdown_store, std::move(hooks), over);
    screen_ptr = &screen;
    screen.exec();
    open = false;
}

}  // namespace

const kit::DialogRow shutdown_history_dialog{kit::DialogId::shutdown_history, open};

}  // namespace dryer::history
