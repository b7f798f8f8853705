#include "logging/history_screen/history_screen_model.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <string>
#include <tuple>
#include <vector>

#include "history_test_support.h"
#include "l10n/texts.h"
#include "l10n/utf16_lines.h"
#include "l10n/utf8.h"

namespace dryer::history {
namespace {

using test::at;

TEST(HelpSelectors, ReadsTwoCapitalHexPairs) {
    const std::vector<std::tuple<std::string, int, int>> cases = {
        {"0E05 REAR DISCHARGE", 0x0E, 0x05}, {"FFFF", 0xFF, 0xFF}, {"0e05", 0x00, 0x05},
        {"G1A2", 0x01, 0xA2},                {"AB", 0xAB, 0x00},   {"1", 0x10, 0x00},
        {"", 0, 0},                          {"\xC3\xA9""12", 0x00, 0x12}};
    for (const auto& [text, first, second] : cases) {
        const HelpSelectors s = help_selectors(text);
        EXPECT_EQ(s.first, first) << text;
        EXPECT_EQ(s.second, second) << text;
    }
}

class ScreenModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(store.prepare());
        clock.now = at(2026, 12, 8, 15, 7);
        store.record("0E05 REAR DISCHARGE", "MAIN I/O");
        clock.now = at(2026, 12, 8, 9, 30);
        store.record("0F03 SENSOR", "MOISTURE CONT");
        model.open();
    }

    test::TempRoot root;
    test::ManualClock clock;
    ShutdownStore store{test::db_file(root), clock.fn()};
    std::vector<int> asked_numbers;
    HistoryScreenModel model{store, [this](int n) {
                                 asked_numbers.push_back(n);
                                 return std::string();
                             }};
};

TEST_F(ScreenModelTest, OpensByDateTimeWithFormattedColumns) {
    EXPECT_EQ(model.record_count(), 2u);
    EXPECT_EQ(model.order(), SortOrder::by_date_time);
    ASSERT_EQ(model.rows().size(), 2u);
    const HistoryRow& r = model.rows()[1];
    EXPECT_EQ(std::tie(r.warning, r.node, r.date, r.time),
              std::make_tuple(std::string("0E05 REAR DISCHARGE"), std::string("MAIN I/O"), std::string("Dec 08, 2026"),
                              std::string("3:07 PM")));
    EXPECT_TRUE(model.indicator_on(SortOrder::by_date_time));
    EXPECT_FALSE(model.indicator_on(SortOrder::by_warning));

    model.sort(SortOrder::by_node);
    EXPECT_TRUE(model.indicator_on(SortOrder::by_node));
    EXPECT_FALSE(model.indicator_on(SortOrder::by_date_time));
}

TEST_F(ScreenModelTest, RowSelectorsAndNoSelection) {
    EXPECT_FALSE(model.selectors_of_row(-1).has_value());
    EXPECT_FALSE(model.selectors_of_row(2).has_value());
    const auto s = model.selectors_of_row(0);  // 09:30, the moisture sensor
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(std::tie(s->first, s->second), std::make_tuple(std::uint8_t{0x0F}, std::uint8_t{0x03}));
}

TEST_F(ScreenModelTest, TextsAreLocalizedWithEnglishDefaults) {
    EXPECT_EQ(model.caption(), "Shutdown History -29");
    EXPECT_EQ(model.text_of(HistoryControl::show_help), "Show Help File");
    EXPECT_EQ(model.text_of(HistoryControl::exit), "EXIT");
    EXPECT_EQ(model.text_of(HistoryControl::sort_by_node), "SORT BY    NODE ID");
    EXPECT_EQ(model.text_of(HistoryControl::copy_to_usb), "COPY TO USB FLASH CARD AS \"DryerShutdownHistory.txt\"");
    asked_numbers.clear();
    (void)model.confirm_clear_box();
    EXPECT_EQ(asked_numbers, (std::vector<int>{437, 436, 134, 135, 10}));
    asked_numbers.clear();
    (void)model.drive_missing_box();
    (void)model.confirm_copy_box();
    (void)model.no_selection_box();
    EXPECT_EQ(asked_numbers, (std::vector<int>{441, 440, 134, 135, 10, 439, 438, 134, 135, 10, 472, 471}));

    HistoryScreenModel localized(store, [](int n) { return "T" + std::to_string(n); });
    EXPECT_EQ(localized.caption(), "T427");
    EXPECT_EQ(localized.text_of(HistoryControl::sorted_by_date_time), "T434");
    EXPECT_EQ(localized.confirm_copy_box().buttons, (std::vector<std::string>{"T134", "T135", "T10"}));
}

// Press-and-hold of EXIT, one entry per housekeeping second (true = held).
struct HoldCase {
    std::vector<bool> ticks;
    ExitAction expected;
};

TEST_F(ScreenModelTest, ExitHeldFiveSecondsOffersToClear) {
    const std::vector<HoldCase> cases = {
        {{}, ExitAction::close},
        {{true, true, true, true}, ExitAction::close},
        {{true, true, true, true, true}, ExitAction::offer_clear},
        {{true, true, true, true, true, true, true}, ExitAction::offer_clear},
        {{true, true, true, true, true, false}, ExitAction::close},
        {{true, true, false, true, true, true}, ExitAction::close},
    };
    for (const HoldCase& c : cases) {
        model.open();
        for (bool held : c.ticks) model.second_tick(held);
        EXPECT_EQ(model.exit_released(), c.expected) << c.ticks.size();
        if (c.expected == ExitAction::offer_clear) {
            EXPECT_EQ(model.hold_count(), 10);
        }
    }
}

TEST_F(ScreenModelTest, ClearEmptiesTheListAndCount) {
    model.sort(SortOrder::by_node);
    model.clear_confirmed();
    EXPECT_TRUE(model.rows().empty());
    EXPECT_EQ(model.record_count(), 0u);
    EXPECT_EQ(model.order(), SortOrder::by_date_time);
    EXPECT_EQ(store.read_info(), 0u);
}

// The USB copy: each case gives the answers to the boxes in turn and whether
// the drive appears while the first box is open.
struct UsbCase {
    const char* name;
    bool drive_at_start;
    bool insert_during_first_box;
    std::vector<Answer> answers;
    std::vector<std::string> boxes;  // captions of the boxes shown
    bool exported;
};

TEST_F(ScreenModelTest, CopyToUsbDialogue) {
    const std::vector<UsbCase> cases = {
        {"present, yes", true, false, {Answer::yes}, {"COPY SHUTDOWN HISTORY"}, true},
        {"present, no", true, false, {Answer::no}, {"COPY SHUTDOWN HISTORY"}, false},
        {"present, cancel", true, false, {Answer::cancel}, {"COPY SHUTDOWN HISTORY"}, false},
        {"missing, no", false, false, {Answer::no}, {"USB FLASH CARD NOT FOUND"}, false},
        {"missing, cancel", false, false, {Answer::cancel}, {"USB FLASH CARD NOT FOUND"}, false},
        {"missing, retry twice",
         false,
         false,
         {Answer::yes, Answer::yes, Answer::no},
         {"USB FLASH CARD NOT FOUND", "USB FLASH CARD NOT FOUND", "USB FLASH CARD NOT FOUND"},
         false},
        {"inserted, yes, yes",
         false,
         true,
         {Answer::yes, Answer::yes},
         {"USB FLASH CARD NOT FOUND", "COPY SHUTDOWN HISTORY"},
         true},
    };
    for (const UsbCase& c : cases) {
        std::filesystem::remove_all(root.usb());
        if (c.drive_at_start) std::filesystem::create_directories(root.usb());
        std::deque<Answer> answers(c.answers.begin(), c.answers.end());
        std::vector<std::string> boxes;
        const auto result = model.copy_to_usb(root.usb(), [&](const HistoryMessage& box) {
            if (boxes.empty() && c.insert_during_first_box) std::filesystem::create_directories(root.usb());
            boxes.push_back(box.caption);
            if (answers.empty()) return Answer::cancel;
            const Answer a = answers.front();
            answers.pop_front();
            return a;
        });
        EXPECT_EQ(boxes, c.boxes) << c.name;
        EXPECT_EQ(result.has_value(), c.exported) << c.name;
        const auto file = root.usb() / "DryerShutdownHistory.txt";
        EXPECT_EQ(std::filesystem::exists(file), c.exported) << c.name;
        if (c.exported) {
            EXPECT_EQ(result->kind, ExportResult::Kind::written);
            EXPECT_EQ(test::read_bytes(file),
                      "0F03 SENSOR;MOISTURE CONT;Dec 08, 2026;9:30 AM;\n"
                      "0E05 REAR DISCHARGE;MAIN I/O;Dec 08, 2026;3:07 PM;\n");
        }
    }
}

// The controls read the English strings file the build lays into the panel
// root, each the text it is named for.
TEST_F(ScreenModelTest, ControlsReadTheirOwnTextsFromTheBuiltEnglishStrings) {
    const char* bin = std::getenv("DRYER_BINARY_DIR");
    const auto file = std::filesystem::path(bin ? bin : ".") / "panel-root" / "Hard Disk" / "Languages" / "EN" /
                      "EnglishStrings.txt";
    const std::string bytes = test::read_bytes(file);
    ASSERT_FALSE(bytes.empty()) << file;
    std::vector<l10n::Slot> slots(l10n::kTextSlots);
    const std::size_t n =
        l10n::load_utf16_lines(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), slots);
    HistoryScreenModel english{store, [&](int number) {
                                   const auto i = static_cast<std::size_t>(number - 1);
                                   return i < n ? l10n::to_utf8(l10n::slot_text(slots[i])) : std::string();
                               }};
    const std::vector<std::pair<HistoryControl, std::string>> cases = {
        {HistoryControl::sort_by_warning, "SORT BY WARNING"},
        {HistoryControl::sort_by_date_time, "SORT BY DATE/TIME"},
        {HistoryControl::sort_by_node, "SORT BY    NODE ID"},
        {HistoryControl::copy_to_usb, "COPY TO USB FLASH CARD AS \"DryerShutdownHistory.txt\""},
        {HistoryControl::sorted_by_warning, "Sorted by warning."},
        {HistoryControl::sorted_by_date_time, "Sorted by date/time."},
        {HistoryControl::sorted_by_node, "Sorted by node id."},
    };
    for (const auto& [control, caption] : cases) EXPECT_EQ(english.text_of(control), caption) << caption;
}

}  // namespace
}  // namespace dryer::history

namespace dryer::history {
namespace {

// Records with ids show the warning text of the language now selected (and
// sort on it); a record without ids keeps its stored text; a language change
// lists the rows again in the same order; the help selectors come from the ids.
TEST(ScreenModelLanguage, RowsFollowTheCurrentLanguage) {
    test::TempRoot root;
    test::ManualClock clock;
    ShutdownStore store{test::db_file(root), clock.fn()};
    ASSERT_TRUE(store.prepare());
    clock.now = at(2026, 12, 8, 9, 0);
    store.record("0E05 REAR DISCHARGE", "MAIN I/O", 0x0E, 0x05);
    clock.now = at(2026, 12, 8, 10, 0);
    store.record("0F03 SENSOR", "MOISTURE CONT", 0x0F, 0x03);
    clock.now = at(2026, 12, 8, 11, 0);
    store.record("0E07 OLD RECORD", "MAIN I/O");  // written without ids
    store.record_event("User Accepted Auto-Start MC Setup");

    const char* language = "EN";
    const WarningTextLookup lookup = [&language](std::uint8_t node, std::uint8_t warning) -> std::string {
        const bool ru = std::string(language) == "RU";
        if (node == 0x0E && warning == 0x05) return ru ? "0E05 \xD0\xA0" "AZGRUZKA" : "0E05 REAR DISCHARGE";
        if (node == 0x0F && warning == 0x03) return ru ? "0F03 \xD0\x94" "ATCHIK" : "";  // no English text: stored one
        return "0E07 NEVER SHOWN";
    };
    HistoryScreenModel model{store, {}, lookup};
    model.open();
    model.sort(SortOrder::by_warning);
    const auto warnings = [&model] {
        std::vector<std::string> out;
        for (const HistoryRow& r : model.rows()) out.push_back(r.warning);
        return out;
    };
    EXPECT_EQ(warnings(), (std::vector<std::string>{"0E05 REAR DISCHARGE", "0E07 OLD RECORD", "0F03 SENSOR",
                                                    "User Accepted Auto-Start MC Setup"}));

    language = "RU";
    model.language_changed();
    EXPECT_EQ(model.order(), SortOrder::by_warning);
    EXPECT_EQ(warnings(), (std::vector<std::string>{"0E05 \xD0\xA0" "AZGRUZKA", "0E07 OLD RECORD", "0F03 \xD0\x94" "ATCHIK",
                                                    "User Accepted Auto-Start MC Setup"}));

    const auto sel = model.selectors_of_row(2);
    ASSERT_TRUE(sel);
    EXPECT_EQ(std::make_tuple(sel->first, sel->second), std::make_tuple(std::uint8_t{0x0F}, std::uint8_t{0x03}));
    EXPECT_EQ(model.selectors_of_row(1)->second, 0x07);  // read from the stored text
}

}  // namespace
}  // namespace dryer::history
