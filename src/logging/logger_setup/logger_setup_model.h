// What the day data logger setup dialog shows and what its commands do,
// without Qt: the texts and indicators from the controller's echo of the
// data-logging setting, the names of the copies on the USB flash drive, and
// the road of "SEND DATA LOG FILES TO USB FLASH CARD" with its message boxes.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "link/images.h"
#include "platform/time_format.h"

namespace dryer::link {
struct LinkState;
}
namespace dryer::journal {
class SettingsJournal;
}

namespace dryer::logging {

// Returns text n of the current language in UTF-8 (empty when there is none).
using LoggerTextFn = std::function<std::string(unsigned)>;

struct LoggerSetupView {
    std::string caption;           // text 376
    std::string on;                // text 14
    std::string off;               // text 15
    std::string used_space_title;  // text 377
    std::string used_space;        // "%d %%" of the fill level
    std::string delete_file;       // text 378
    std::string send_to_usb;       // text 379
    std::string exit;              // text 145
    bool on_checked = false;       // the echoed data-logging value is 1
    bool operator==(const LoggerSetupView&) const = default;
};

// Returns the dialog's view: texts of the language (the English caption of
// each control where the language has none) and the indicators from the
// data-logging value echoed at status 289. `fill_level` is the long-term
// log's, shown as 0 when `log_exists` is false (just deleted).
LoggerSetupView logger_setup_view(const link::ByteImage& status, int fill_level, bool log_exists,
                                  const LoggerTextFn& text);

// Opening the dialog: the settings byte of the data-logging setting takes
// the echoed value, unless a change of it is still waiting for its echo.
void begin_logger_setup(link::LinkState& state);

// "ON" / "OFF": commits the data-logging setting 1 / 0 through the
// settings-edit path (value first, change flag second, journaled).
void commit_logging(link::LinkState& state, bool on);

// The copies' names on the stick, from one local time:
// "LongTermDataLog26_12_09_14_03_07.CSV" and
// "DryerSettingsJournal26_12_09_14_03_07.CSV".
std::string log_copy_name(const platform::LocalTime& t);
std::string journal_copy_name(const platform::LocalTime& t);

// Returns the journal's CSV export (header and every kept entry, oldest
// first, in the journal's export format), or nothing when the journal
// cannot be read.
std::optional<std::string> journal_csv(journal::SettingsJournal& journal);

// A message box of the copy road.
enum class BoxIcon { stop, information, question };
enum class BoxButtons { ok, retry_cancel, yes_no_cancel, yes_no };
enum class Answer { ok, retry, yes, no, cancel };

struct LoggerBox {
    std::string title;
    std::string text;
    BoxButtons buttons;
    BoxIcon icon;
    bool operator==(const LoggerBox&) const = default;
};

// "DELETE DATA LOG FILE"'s question.
LoggerBox delete_question();

// What the copy road needs from the panel.
struct UsbCopyPorts {
    std::function<bool()> stick_present;
    std::function<Answer(const LoggerBox&)> ask;
    std::function<platform::LocalTime()> now;
    // Copy the long-term log / the journal's CSV to the stick under the
    // name; true when the copy is verified on the stick.
    std::function<bool(const std::string& name)> copy_log;
    std::function<bool(const std::string& name)> copy_journal;
    std::function<void()> delete_log;
};

// What the road did, for the dialog's redraw and for tests.
struct UsbCopyOutcome {
    bool log_copied = false;
    bool journal_copied = false;
    bool log_deleted = false;
};

// "SEND DATA LOG FILES TO USB FLASH CARD": asks for the stick until it is
// present (Retry) or the operator gives up (Cancel), asks before copying,
// copies the log and then the journal under names of the same date and
// time, reports the log copy (failure box, or the success box with its
// name), reports a journal copy that failed, and offers to delete the log
// only after its copy is verified.
UsbCopyOutcome run_usb_copy(const UsbCopyPorts& ports);

}  // namespace dryer::logging
