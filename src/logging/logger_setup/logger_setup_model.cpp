#include "logging/logger_setup/logger_setup_model.h"

#include <cstdio>

#include "l10n/panel_texts.h"
#include "link/fields.h"
#include "link/link_state.h"
#include "link/settings_edit.h"
#include "logging/journal/settings_journal.h"

namespace dryer::logging {
namespace {

constexpr const char* kSource = "day data logger setup";

std::string text_or(const LoggerTextFn& text, unsigned n, const char* fallback) {
    std::string s = text ? text(n) : std::string();
    return s.empty() ? std::string(fallback) : s;
}

// "yy_MM_dd_HH_mm_ss" of the local time.
std::string stamp(const platform::LocalTime& t) {
    return platform::format_picture("yy'_'MM'_'dd'_'", t) + platform::format_picture("HH'_'mm'_'ss", t);
}

}  // namespace

LoggerSetupView logger_setup_view(const link::ByteImage& status, int fill_level, bool log_exists,
                                  const LoggerTextFn& text) {
    LoggerSetupView v;
    v.caption = text_or(text, 376, "DAY DATA LOGGER SETUP - 19");
    v.on = text_or(text, 14, "ON");
    v.off = text_or(text, 15, "OFF");
    v.used_space_title = text_or(text, 377, "Used Space:");
    char used[32];
    std::snprintf(used, sizeof used, "%d %%", log_exists ? fill_level : 0);
    v.used_space = used;
    v.delete_file = text_or(text, 378, "DELETE DATA LOG FILE");
    v.send_to_usb = text_or(text, 379, "SEND DATA LOG FILES TO USB FLASH CARD");
    v.exit = text_or(text, 145, "EXIT");
    v.on_checked = status.get(link::off::day_logger_289) == 1;
    return v;
}

void begin_logger_setup(link::LinkState& state) { link::begin_edit(state, link::off::day_logger_289, 1); }

void commit_logging(link::LinkState& state, bool on) {
    link::commit_u8(state, link::off::day_logger_289, on ? 1 : 0, kSource);
}

std::string log_copy_name(const platform::LocalTime& t) { return "LongTermDataLog" + stamp(t) + ".CSV"; }

std::string journal_copy_name(const platform::LocalTime& t) {
    // The journal's own export name without its extension, then the stamp.
    std::string_view base = journal::kCsvFileName;
    base = base.substr(0, base.rfind('.'));
    return std::string(base) + stamp(t) + ".CSV";
}

std::optional<std::string> journal_csv(journal::SettingsJournal& journal) {
    const std::optional<std::size_t> n = journal.count();
    if (!n) return std::nullopt;
    const std::vector<journal::JournalEntry> rows = journal.newest(*n);
    if (rows.size() != *n) return std::nullopt;
    std::string csv(journal::kCsvHeader);
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) csv += journal::csv_line(*it);
    return csv;
}

LoggerBox delete_question() {
    return {l10n::local("DELETE?"), l10n::local("Delete data log file?"), BoxButtons::yes_no, BoxIcon::question};
}

UsbCopyOutcome run_usb_copy(const UsbCopyPorts& ports) {
    UsbCopyOutcome out;
    while (!ports.stick_present()) {
        const LoggerBox insert{l10n::local("USB FLASH CARD NOT PRESENT"),
                               l10n::local("Please instert flash card into USB port."), BoxButtons::retry_cancel,
                               BoxIcon::stop};
        if (ports.ask(insert) != Answer::retry) return out;
    }
    const LoggerBox confirm{l10n::local("DATA LOG FILE TO USB FLASH CARD"),
                            l10n::local("Copy dryer data log file to usb flash drive as DryerDataLog.csv"),
                            BoxButtons::yes_no_cancel, BoxIcon::information};
    if (ports.ask(confirm) != Answer::yes) return out;

    const platform::LocalTime now = ports.now();
    const std::string name = log_copy_name(now);
    out.log_copied = ports.copy_log(name);
    if (!out.log_copied) {
        ports.ask({l10n::local("FAILED TO COPY"), l10n::local("Could not copy file to flashdrive."), BoxButtons::ok,
                   BoxIcon::stop});
        return out;
    }
    out.journal_copied = ports.copy_journal(journal_copy_name(now));
    ports.ask({l10n::local("Successfully copied following file to USB Flash Drive."), name, BoxButtons::ok,
               BoxIcon::information});
    if (!out.journal_copied) {
        ports.ask({l10n::local("FAILED TO COPY"), l10n::local("Could not copy settings journal file to flashdrive."),
                   BoxButtons::ok, BoxIcon::stop});
    }
    if (ports.ask({l10n::local("DELETE?"), l10n::local("Copy successful.  Delete old data log file?"),
                   BoxButtons::yes_no, BoxIcon::question}) == Answer::yes) {
        ports.delete_log();
        out.log_deleted = true;
    }
    return out;
}

}  // namespace dryer::logging
