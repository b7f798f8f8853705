// What the "Shutdown History -29" screen shows and decides, without Qt: the
// list rows in the chosen order, the captions (localized texts with English
// defaults), the sort indicators, the help selectors of a row, the USB copy
// dialogue, and the press-and-hold of EXIT that offers to clear the history.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "l10n/panel_texts.h"
#include "logging/history/shutdown_store.h"

namespace dryer::history {

// Localized text by number; an empty result means "no text" and the screen
// uses its built-in English text.
using TextLookup = std::function<std::string(int number)>;

struct ListColumn {
    const char* title;
    int width;
};
inline constexpr std::array<ListColumn, 4> kHistoryColumns = {
    ListColumn{l10n::english("Shutdown ID"), 325}, ListColumn{l10n::english("Node ID"), 90},
    ListColumn{l10n::english("Date"), 90}, ListColumn{l10n::english("Time"), 90}};

struct HistoryRow {
    std::string warning;  // in the current language when the record has ids
    std::string node;
    std::string date;  // "MMM dd',' yyy"
    std::string time;  // "h':'mm tt"
    std::uint8_t node_id = 0;
    std::uint8_t warning_id = 0;  // 0: no ids kept (events, older records)
};

// The screen's controls that carry a text.
enum class HistoryControl {
    sort_by_warning,
    sort_by_date_time,
    sort_by_node,
    copy_to_usb,
    sorted_by_warning,    // indicator
    sorted_by_date_time,  // indicator
    sorted_by_node,       // indicator
    show_help,
    exit,
};

// A question box: caption, text and the buttons' texts in order (Yes, No,
// Cancel or OK, Cancel).
struct HistoryMessage {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;
};
enum class Answer { yes, no, cancel, ok };

// The two selectors of the shutdown help dialog read from the start of a
// warning text: two hexadecimal pairs.
struct HelpSelectors {
    std::uint8_t first = 0;
    std::uint8_t second = 0;
};

// help_selectors() reads the first four characters of the text as two
// hexadecimal pairs (0-9 and capital A-F; any other character, and a missing
// one in a shorter text, counts 0).
HelpSelectors help_selectors(const std::string& warning_text);

// What releasing EXIT does.
enum class ExitAction { close, offer_clear };

class HistoryScreenModel {
public:
    // warning_text gives the current language's warning texts; the rows of
    // records with ids show them (and sort on them), others their stored text.
    HistoryScreenModel(ShutdownStore& store, TextLookup text, WarningTextLookup warning_text = {});
    // Not copied: the hold counter may point into the model itself.
    HistoryScreenModel(const HistoryScreenModel&) = delete;
    HistoryScreenModel& operator=(const HistoryScreenModel&) = delete;

    // open() reads the record count and fill the list by date and time.
    void open();
    // sort() refills the list in the order and mark its indicator only.
    void sort(SortOrder order);
    // language_changed() lists the rows again in the language now selected,
    // in the same order.
    void language_changed() { fill(order_); }
    SortOrder order() const { return order_; }
    bool indicator_on(SortOrder o) const { return order_ == o; }
    const std::vector<HistoryRow>& rows() const { return rows_; }
    // The count read when the screen was opened or cleared; it bounds the export.
    std::size_t record_count() const { return count_; }

    std::string caption() const;
    std::string text_of(HistoryControl c) const;

    // The boxes of the screen.
    HistoryMessage no_selection_box() const;   // OK, Cancel
    HistoryMessage confirm_copy_box() const;   // Yes, No, Cancel
    HistoryMessage drive_missing_box() const;  // Yes, No, Cancel
    HistoryMessage confirm_clear_box() const;  // Yes, No, Cancel

    // selectors_of_row() returns the help selectors of a list row (its ids,
    // or for a record without ids the start of its text), or nothing when
    // the row does not exist (no selection).
    std::optional<HelpSelectors> selectors_of_row(int row) const;

    // copy_to_usb() runs the copy command: while the drive is missing ask
    // drive_missing_box (Yes looks again, anything else ends); with the drive
    // present ask confirm_copy_box and export on Yes, in the code page.
    // Returns the export's result, or nothing when no export was made.
    std::optional<ExportResult> copy_to_usb(const std::filesystem::path& usb_folder,
                                            const std::function<Answer(const HistoryMessage&)>& ask,
                                            CodePage page = CodePage::windows_1252);

    // clear_confirmed() clears the store, read the count again and fill
    // the list by date and time.
    void clear_confirmed();

    // second_tick() is one second's look at EXIT while the screen is visible:
    // pressed counts the hold down toward 0, released sets it back to 5. In
    // the panel the one-second housekeeping counts instead, on the counter
    // given to use_hold_counter().
    void second_tick(bool exit_pressed);
    // use_hold_counter() makes the model count in `count` (the housekeeping's
    // EXIT hold) instead of its own; `count` outlives the model.
    void use_hold_counter(int& count) { hold_ = &count; }
    // exit_released() returns offer_clear (and set the count to 10)
    // when EXIT was held until the count reached 0, otherwise close.
    ExitAction exit_released();
    int hold_count() const { return *hold_; }

private:
    std::string text(int number, const char* fallback) const;
    void fill(SortOrder order);

    ShutdownStore& store_;
    TextLookup lookup_;
    WarningTextLookup warning_text_;
    SortOrder order_ = SortOrder::by_date_time;
    std::vector<HistoryRow> rows_;
    std::size_t count_ = 0;
    int own_hold_ = 5;
    int* hold_ = &own_hold_;
};

}  // namespace dryer::history
