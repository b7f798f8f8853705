// "DAY DATA LOGGER SETUP - 19": the long-term log's ON/OFF (setting 289 and
// its echo), its used space, DELETE, the verified copy to the USB flash drive
// with the settings journal beside it, and EXIT.
#pragma once

#include <functional>

#include "kit/panel_dialog.h"
#include "kit/screen.h"
#include "logging/logger_setup/logger_setup_model.h"
#include "platform/usb_copy.h"

class QLabel;
class QPushButton;

namespace dryer::logging {

class LongTermLog;

class LoggerSetupDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    struct Options {
        platform::UsbTarget usb;                      // the stick
        journal::SettingsJournal* journal = nullptr;  // copied beside the log when set
        std::function<platform::LocalTime()> now = platform::local_time_now;
    };

    // Sets the settings byte of the data-logging setting to the echoed
    // value and shows the dialog's state.
    LoggerSetupDialog(link::LinkState& state, LongTermLog& log, LoggerTextFn text, Options options, QWidget* over);

    // Shows the texts, the indicators from the echo and the used space.
    void refresh();

    // What the last USB copy did.
    const UsbCopyOutcome& last_copy() const { return last_copy_; }

private:
    void set_logging(bool on);
    void delete_log();
    void send_to_usb();
    Answer ask(const LoggerBox& box);

    link::LinkState& state_;
    LongTermLog& log_;
    LoggerTextFn text_;
    Options options_;
    UsbCopyOutcome last_copy_;
    QPushButton* on_ = nullptr;
    QPushButton* off_ = nullptr;
    QLabel* used_title_ = nullptr;
    QLabel* used_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* send_ = nullptr;
    QPushButton* exit_ = nullptr;
};

// The dialog's row of the dialog registry.
extern const kit::DialogRow logger_setup_dialog;

}  // namespace dryer::logging
