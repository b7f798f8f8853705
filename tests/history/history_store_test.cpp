#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <tuple>
#include <vector>

#include "history_test_support.h"
#include "logging/history/shutdown_recorder.h"
#include "logging/history/shutdown_store.h"
#include "logging/history/single_byte.h"

namespace dryer::history {
namespace {

using test::at;

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store.prepare()); }

    void add(const char* warning, const char* node, std::int64_t when) {
        clock.now = when;
        ASSERT_EQ(store.record(warning, node), RecordOutcome::stored);
    }
    std::vector<std::string> warnings(SortOrder order) {
        std::vector<std::string> out;
        for (const HistoryRecord& r : store.fill_list(order)) out.push_back(r.warning + "|" + r.node);
        return out;
    }

    test::TempRoot root;
    test::ManualClock clock;
    ShutdownStore store{test::db_file(root), clock.fn()};
};

// Records that tie on the first key (and on the first two) come out ordered by
// the next key; upper case sorts before lower case.
TEST_F(StoreTest, ThreeOrdersBreakTiesOnTheNextKeys) {
    const std::int64_t t1 = at(2026, 3, 1, 8, 0), t2 = at(2026, 3, 1, 9, 0), t3 = at(2026, 3, 2, 7, 0);
    add("B", "MAIN I/O", t2);
    add("A", "MAIN I/O", t3);
    add("A", "DISPLAY I/O", t3);
    add("A", "DISPLAY I/O", t1);
    add("a", "DISPLAY I/O", t1);
    add("A", "Global", t2);

    EXPECT_EQ(warnings(SortOrder::by_warning),
              (std::vector<std::string>{"A|DISPLAY I/O", "A|DISPLAY I/O", "A|Global", "A|MAIN I/O", "B|MAIN I/O",
                                        "a|DISPLAY I/O"}));
    const auto by_warning = store.fill_list(SortOrder::by_warning);
    EXPECT_EQ(by_warning[0].recorded, t1);  // the first two tie on warning and node
    EXPECT_EQ(by_warning[1].recorded, t3);

    EXPECT_EQ(warnings(SortOrder::by_node),
              (std::vector<std::string>{"A|DISPLAY I/O", "A|DISPLAY I/O", "a|DISPLAY I/O", "A|Global", "A|MAIN I/O",
                                        "B|MAIN I/O"}));
    EXPECT_EQ(warnings(SortOrder::by_date_time),
              (std::vector<std::string>{"A|DISPLAY I/O", "a|DISPLAY I/O", "A|Global", "B|MAIN I/O", "A|DISPLAY I/O",
                                        "A|MAIN I/O"}));
    EXPECT_EQ(store.read_info(), 6u);
}

TEST_F(StoreTest, ExportWritesTheExactBytesOldestFirst) {
    add("AUGER MOTOR OVERLOAD", "MAIN I/O", at(2026, 12, 8, 15, 7));
    add("FLAME FAILURE", "FAN/HEATER #2", at(2026, 12, 8, 0, 5));
    add("Caf\xC3\xA9 \xE2\x82\xAC \xE2\x9C\x93", "", at(2027, 1, 2, 12, 0));  // é, €, a tick
    store.record_event("User Accepted Auto-Start MC Setup");                     // clock still at 2027-01-02 12:00
    std::filesystem::create_directories(root.usb());
    test::write_bytes(root.usb() / "DryerShutdownHistory.txt", std::string(4000, 'x'));

    const ExportResult r = store.export_text(4, root.usb());
    EXPECT_EQ(r.kind, ExportResult::Kind::written);
    EXPECT_EQ(test::read_bytes(root.usb() / "DryerShutdownHistory.txt"),
              "FLAME FAILURE;FAN/HEATER #2;Dec 08, 2026;12:05 AM;\n"
              "AUGER MOTOR OVERLOAD;MAIN I/O;Dec 08, 2026;3:07 PM;\n"
              "Caf\xE9 \x80 ?;;Jan 02, 2027;12:00 PM;\n"
              "User Accepted Auto-Start MC Setup;Global;Jan 02, 2027;12:00 PM;\n");

    // Only as many records as the screen counted when it opened.
    EXPECT_EQ(store.export_text(1, root.usb()).kind, ExportResult::Kind::written);
    EXPECT_EQ(test::read_bytes(root.usb() / "DryerShutdownHistory.txt"),
              "FLAME FAILURE;FAN/HEATER #2;Dec 08, 2026;12:05 AM;\n");

    // After clearing, an export writes an empty file.
    ASSERT_TRUE(store.clear());
    EXPECT_EQ(store.read_info(), 0u);
    EXPECT_EQ(store.export_text(0, root.usb()).kind, ExportResult::Kind::written);
    EXPECT_EQ(test::read_bytes(root.usb() / "DryerShutdownHistory.txt"), "");
}

// The export's code page follows the language: a Czech and a Russian record
// end-to-end, then single texts per page (Romanian comma-below letters take
// the cedilla forms of 1250; a character outside the page becomes '?').
TEST_F(StoreTest, ExportUsesTheLanguagesCodePage) {
    std::filesystem::create_directories(root.usb());
    add("0102 P\xC5\x98" "EH\xC5\x98\xC3\x81T\xC3\x8D MOTORU", "MAIN I/O", at(2026, 12, 8, 15, 7));  // PŘEHŘÁTÍ
    ASSERT_EQ(store.export_text(1, root.usb(), code_page_of_language("CS")).kind, ExportResult::Kind::written);
    EXPECT_EQ(test::read_bytes(root.usb() / "DryerShutdownHistory.txt"),
              "0102 P\xD8" "EH\xD8\xC1T\xCD MOTORU;MAIN I/O;Dec 08, 2026;3:07 PM;\n");
    ASSERT_TRUE(store.clear());
    add("\xD0\x9F\xD0\xBB\xD0\xB0\xD0\xBC\xD1\x8F \xD1\x91", "Global", at(2026, 12, 8, 15, 7));  // Пламя ё
    ASSERT_EQ(store.export_text(1, root.usb(), code_page_of_language("RU")).kind, ExportResult::Kind::written);
    EXPECT_EQ(test::read_bytes(root.usb() / "DryerShutdownHistory.txt"),
              "\xCF\xEB\xE0\xEC\xFF \xB8;Global;Dec 08, 2026;3:07 PM;\n");

    struct Row {
        const char* language;
        const char* utf8;
        const char* bytes;
    };
    const Row rows[] = {
        {"RO", "\xC8\x98\xC8\x99\xC8\x9A\xC8\x9B \xC4\x83", "\xAA\xBA\xDE\xFE \xE3"},  // ȘșȚț ă
        {"HU", "\xC5\x90\xC5\xB1 \xE2\x82\xAC", "\xD5\xFB \x80"},                        // Őű €
        {"PL", "\xC5\x81\xC3\xB3" "d\xC5\xBA \xD0\x96", "\xA3\xF3" "d\x9F ?"},              // Łódź Ж
        {"BG", "\xD0\xA9 \xC3\xA9", "\xD9 ?"},                                                // Щ é
        {"DE", "\xC3\x9F\xC5\x81 \xC5\x92", "\xDF? \x8C"},                                  // ßŁ Œ
        {"EN", "\xC8\x99", "?"},                                                                 // ș outside 1252
        {"XX", "\xC3\xA9", "\xE9"},                                                             // unknown: 1252
    };
    for (const Row& r : rows) {
        EXPECT_EQ(to_single_byte(r.utf8, code_page_of_language(r.language)), r.bytes) << r.language;
    }
}

// A history written before the ids were kept: the file gains the two
// columns in place, its records read back whole with no ids (and show their
// stored text), and new records keep their ids beside them.
TEST(StoreMigration, OldFileGainsIdColumnsAndKeepsItsRecords) {
    test::TempRoot root;
    test::ManualClock clock;
    const std::filesystem::path file = test::db_file(root);
    std::filesystem::create_directories(file.parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE shutdowns(id INTEGER PRIMARY KEY, warning TEXT NOT NULL, node TEXT NOT NULL,"
                           " recorded INTEGER NOT NULL);"
                           "CREATE INDEX by_warning ON shutdowns(warning, node, recorded, id);"
                           "CREATE INDEX by_node ON shutdowns(node, warning, recorded, id);"
                           "CREATE INDEX by_date_time ON shutdowns(recorded, warning, node, id);"
                           "INSERT INTO shutdowns(warning, node, recorded) VALUES('0E05 ALTE STOERUNG', 'MAIN I/O', 5);"
                           "PRAGMA application_id=1146247496;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    ShutdownStore store{file, clock.fn()};
    ASSERT_TRUE(store.prepare());
    clock.now = 9;
    ASSERT_EQ(store.record("0102 NEW", "DISPLAY I/O", 0x01, 0x02), RecordOutcome::stored);
    const std::vector<HistoryRecord> rows = store.fill_list(SortOrder::by_date_time);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::tie(rows[0].warning, rows[0].node, rows[0].recorded, rows[0].node_id, rows[0].warning_id),
              std::make_tuple(std::string("0E05 ALTE STOERUNG"), std::string("MAIN I/O"), std::int64_t{5},
                              std::uint8_t{0}, std::uint8_t{0}));
    EXPECT_EQ(std::tie(rows[1].node_id, rows[1].warning_id), std::make_tuple(std::uint8_t{1}, std::uint8_t{2}));
    EXPECT_TRUE(store.set_aside_files().empty());

    // The export shows the current language's text for the new record only.
    const WarningTextLookup english = [](std::uint8_t, std::uint8_t w) { return w == 2 ? "0102 NOW ENGLISH" : ""; };
    std::filesystem::create_directories(root.usb());
    ASSERT_EQ(store.export_text(2, root.usb(), CodePage::windows_1252, english).kind, ExportResult::Kind::written);
    EXPECT_EQ(test::read_bytes(root.usb() / "DryerShutdownHistory.txt"),
              "0E05 ALTE STOERUNG;MAIN I/O;Jan 01, 1601;12:00 AM;\n"
              "0102 NOW ENGLISH;DISPLAY I/O;Jan 01, 1601;12:00 AM;\n");
}

TEST_F(StoreTest, ExportWithoutDriveWritesNothing) {
    add("X", "MAIN I/O", 1);
    EXPECT_EQ(store.export_text(1, root.usb()).kind, ExportResult::Kind::not_written);
    EXPECT_FALSE(std::filesystem::exists(root.usb()));
}

TEST_F(StoreTest, ExportThatCannotReadTheHistoryKeepsTheEarlierFile) {
    std::filesystem::create_directories(root.usb());
    test::write_bytes(root.usb() / "DryerShutdownHistory.txt", "earlier export\n");
    std::filesystem::remove_all(root.hard_disk());  // the store cannot even be opened
    const ExportResult r = store.export_text(5, root.usb());
    EXPECT_EQ(r.kind, ExportResult::Kind::message);
    EXPECT_EQ(r.message.rfind("ERROR: CeMountDBVol failed (", 0), 0u) << r.message;
    EXPECT_EQ(test::read_bytes(root.usb() / "DryerShutdownHistory.txt"), "earlier export\n");
}

TEST_F(StoreTest, NothingButTheOneFileAtRest) {
    add("A", "MAIN I/O", 1);
    store.record_event("E");
    (void)store.fill_list(SortOrder::by_node);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(root.hard_disk())) names.push_back(e.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"ShutdownHistoryDB"});
}

// --- Recording from the status decoding ----------------------------------

struct RecorderCase {
    int node;
    int warning;
    std::string lookup;    // what the warning-text lookup returns
    bool recorded;
    std::string warning_text;
    std::string node_text;
};

class RecorderTest : public StoreTest, public ::testing::WithParamInterface<RecorderCase> {};

TEST_P(RecorderTest, StoresTextAndNodeName) {
    const RecorderCase& c = GetParam();
    int calls = 0;
    ShutdownRecorder rec(store, [&](std::uint8_t n, std::uint8_t w) {
        ++calls;
        EXPECT_EQ(n, c.node);
        EXPECT_EQ(w, c.warning);
        return c.lookup;
    });
    rec.record_shutdown(static_cast<std::uint8_t>(c.node), static_cast<std::uint8_t>(c.warning));
    const auto rows = store.fill_list(SortOrder::by_date_time);
    ASSERT_EQ(rows.size(), c.recorded ? 1u : 0u);
    if (!c.recorded) {
        EXPECT_EQ(calls, 0);
        return;
    }
    EXPECT_EQ(rows[0].warning, c.warning_text);
    EXPECT_EQ(rows[0].node, c.node_text);
}

const std::string k200(200, 'W');
const std::string kUmlauts = std::string(148, 'u') + "\xC3\xBC\xC3\xBC";  // 150 characters, the last two two-byte

INSTANTIATE_TEST_SUITE_P(
    Cases, RecorderTest,
    ::testing::Values(RecorderCase{14, 5, "REAR DISCHARGE", true, "REAR DISCHARGE", "MAIN I/O"},
                      RecorderCase{1, 2, "DOOR OPEN", true, "DOOR OPEN", "DISPLAY I/O"},
                      RecorderCase{15, 3, "SENSOR", true, "SENSOR", "MOISTURE CONT"},
                      RecorderCase{9, 2, "", true, "", "FAN/HEATER INT #2"},
                      RecorderCase{255, 255, "T", true, "T", ""},
                      RecorderCase{14, 0, "never asked", false, "", ""},
                      RecorderCase{14, 7, k200, true, std::string(149, 'W'), "MAIN I/O"},
                      RecorderCase{14, 7, kUmlauts, true, std::string(148, 'u') + "\xC3\xBC", "MAIN I/O"}));

TEST_F(StoreTest, ThrowingLookupStillRecords) {
    ShutdownRecorder rec(store, [](std::uint8_t, std::uint8_t) -> std::string { throw std::runtime_error("x"); });
    rec.record_shutdown(14, 5);
    EXPECT_EQ(rec.last_outcome(), RecordOutcome::stored);
    ASSERT_EQ(store.read_info(), 1u);
    EXPECT_EQ(store.fill_list(SortOrder::by_node)[0].node, "MAIN I/O");
}

}  // namespace
}  // namespace dryer::history
