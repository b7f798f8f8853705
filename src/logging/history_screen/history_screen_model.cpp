#include "logging/history_screen/history_screen_model.h"

#include "l10n/panel_texts.h"
#include "logging/housekeeping/hold.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace dryer::history {
namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

int hex_pair(const std::string& s, std::size_t at) {
    const int hi = at < s.size() ? hex_digit(s[at]) : 0;
    const int lo = at + 1 < s.size() ? hex_digit(s[at + 1]) : 0;
    return hi * 16 + lo;
}

}  // namespace

HelpSelectors help_selectors(const std::string& warning_text) {
    return {static_cast<std::uint8_t>(hex_pair(warning_text, 0)), static_cast<std::uint8_t>(hex_pair(warning_text, 2))};
}

HistoryScreenModel::HistoryScreenModel(ShutdownStore& store, TextLookup text, WarningTextLookup warning_text)
    : store_(store), lookup_(std::move(text)), warning_text_(std::move(warning_text)) {}

std::string HistoryScreenModel::text(int number, const char* fallback) const {
    std::string s = lookup_ ? lookup_(number) : std::string();
    return s.empty() ? std::string(fallback) : s;
}

void HistoryScreenModel::fill(SortOrder order) {
    order_ = order;
    rows_.clear();
    std::vector<HistoryRecord> records = store_.fill_list(order);
    for (HistoryRecord& r : records) r.warning = shown_warning(r, warning_text_);
    // The store sorts on the stored texts; the shown texts may differ, so
    // the two text orders are applied again (stable: ties keep the store's
    // time and recording order).
    if (order == SortOrder::by_warning) {
        std::stable_sort(records.begin(), records.end(), [](const HistoryRecord& a, const HistoryRecord& b) {
            return std::tie(a.warning, a.node, a.recorded) < std::tie(b.warning, b.node, b.recorded);
        });
    } else if (order == SortOrder::by_node) {
        std::stable_sort(records.begin(), records.end(), [](const HistoryRecord& a, const HistoryRecord& b) {
            return std::tie(a.node, a.warning, a.recorded) < std::tie(b.node, b.warning, b.recorded);
        });
    }
    for (HistoryRecord& r : records)
        rows_.push_back({std::move(r.warning), std::move(r.node), date_text(r.recorded), time_text(r.recorded),
                         r.node_id, r.warning_id});
}

void HistoryScreenModel::open() {
    count_ = store_.read_info().value_or(0);
    fill(SortOrder::by_date_time);
    *hold_ = 5;
}

void HistoryScreenModel::sort(SortOrder order) { fill(order); }

std::string HistoryScreenModel::caption() const { return text(427, "Shutdown History -29"); }

std::string HistoryScreenModel::text_of(HistoryControl c) const {
    switch (c) {
    case HistoryControl::sort_by_warning: return text(429, "SORT BY WARNING");
    case HistoryControl::sort_by_date_time: return text(430, "SORT BY DATE/TIME");
    case HistoryControl::sort_by_node: return text(431, "SORT BY    NODE ID");
    case HistoryControl::copy_to_usb: return text(432, "COPY TO USB FLASH CARD AS \"DryerShutdownHistory.txt\"");
    case HistoryControl::sorted_by_warning: return text(433, "Sorted by warning.");
    case HistoryControl::sorted_by_date_time: return text(434, "Sorted by date/time.");
    case HistoryControl::sorted_by_node: return text(435, "Sorted by node id.");
    case HistoryControl::show_help: return text(3, "Show Help File");
    case HistoryControl::exit: return text(145, "EXIT");
    }
    return {};
}

HistoryMessage HistoryScreenModel::no_selection_box() const {
    return {text(472, "SHUTDOWN HISTORY"), text(471, "Please select a shutdown in the list first."),
            {l10n::local("OK"), l10n::local("Cancel")}};
}

HistoryMessage HistoryScreenModel::confirm_copy_box() const {
    return {text(439, "COPY SHUTDOWN HISTORY"),
            text(438, "Copy the shutdown history to the USB flash card?"),
            {text(134, "Yes"), text(135, "No"), text(10, "Cancel")}};
}

HistoryMessage HistoryScreenModel::drive_missing_box() const {
    return {text(441, "USB FLASH CARD NOT FOUND"),
            text(440, "No USB flash card found. Insert one and press Yes to try again."),
            {text(134, "Yes"), text(135, "No"), text(10, "Cancel")}};
}

HistoryMessage HistoryScreenModel::confirm_clear_box() const {
    return {text(437, "CLEAR HISTORY"), text(436, "Delete every record of the shutdown history?"),
            {text(134, "Yes"), text(135, "No"), text(10, "Cancel")}};
}

std::optional<HelpSelectors> HistoryScreenModel::selectors_of_row(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return std::nullopt;
    const HistoryRow& r = rows_[static_cast<std::size_t>(row)];
    if (r.warning_id != 0) return HelpSelectors{r.node_id, r.warning_id};
    return help_selectors(r.warning);
}

std::optional<ExportResult> HistoryScreenModel::copy_to_usb(const std::filesystem::path& usb_folder,
                                                            const std::function<Answer(const HistoryMessage&)>& ask,
                                                            CodePage page) {
    for (;;) {
        std::error_code ec;
        if (std::filesystem::is_directory(usb_folder, ec)) break;
        if (ask(drive_missing_box()) != Answer::yes) return std::nullopt;
    }
    if (ask(confirm_copy_box()) != Answer::yes) return std::nullopt;
    return store_.export_text(count_, usb_folder, page, warning_text_);
}

void HistoryScreenModel::clear_confirmed() {
    store_.clear();
    count_ = store_.read_info().value_or(0);
    fill(SortOrder::by_date_time);
}

void HistoryScreenModel::second_tick(bool exit_pressed) { housekeeping::hold_step(*hold_, exit_pressed, 5); }

ExitAction HistoryScreenModel::exit_released() {
    if (*hold_ == 0) {
        *hold_ = 10;
        return ExitAction::offer_clear;
    }
    return ExitAction::close;
}

}  // namespace dryer::history
