// The history's plug into the current language and the panel's paths.
#include <gtest/gtest.h>

#include <string>

#include "history_test_support.h"
#include "l10n/language.h"
#include "logging/history/localized_texts.h"
#include "logging/history/shutdown_recorder.h"
#include "logging/history/shutdown_store.h"
#include "platform/panel_paths.h"

namespace dryer::history {
namespace {

// UTF-16 LE with a byte-order mark, lines ended by CR LF.
std::string utf16_file(std::u16string_view lines) {
    std::string out = "\xFF\xFE";
    for (char16_t c : lines) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

TEST(LocalizedHistory, RecordsTheCurrentLanguagesWarningTextUnderThePanelRoot) {
    test::TempRoot root;
    platform::set_panel_root(root.path());
    l10n::reset_localization();
    std::filesystem::create_directories(root.hard_disk() / "Languages" / "EN");
    test::write_bytes(root.hard_disk() / "Languages" / "EN" / "WarningsMIO.txt",
                      utf16_file(u"HEADING\r\nONE\r\nTWO\r\nTHREE\r\nFOUR\r\nREAR DISCHARGE \u00C9\r\n"));

    ShutdownStore store;  // \Hard Disk\ShutdownHistoryDB under the panel root
    EXPECT_EQ(store.file(), test::db_file(root));
    EXPECT_EQ(usb_drive_folder(), root.usb());
    ASSERT_TRUE(store.prepare());
    ShutdownRecorder recorder(store, localized_warning_text());
    recorder.record_shutdown(14, 5);
    recorder.record_shutdown(10, 1);  // no table for the interface boards
    const auto rows = store.fill_list(SortOrder::by_date_time);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].warning, "REAR DISCHARGE \xC3\x89");
    EXPECT_EQ(rows[0].node, "MAIN I/O");
    EXPECT_EQ(rows[1].warning, "");
    EXPECT_EQ(rows[1].node, "FAN/HEATER INT #3");
    l10n::reset_localization();
}

TEST(LocalizedHistory, Utf16ToUtf8) {
    EXPECT_EQ(utf16_to_utf8(u"A\u00E9\u20AC"), "A\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(utf16_to_utf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    const char16_t lone[] = {u'x', 0xD800, u'y', 0};
    EXPECT_EQ(utf16_to_utf8(lone), "x\xEF\xBF\xBDy");
}

}  // namespace
}  // namespace dryer::history
