// The shutdown record from status frame to history file: the status decoder
// decides when a shutdown pair is new (re-record countdown, last pair) and the
// recorder stores exactly what it is handed.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "history_test_support.h"
#include "link/decoder.h"
#include "link/frames.h"
#include "link/link_state.h"
#include "logging/history/shutdown_recorder.h"
#include "logging/history/shutdown_store.h"

namespace dryer::history {
namespace {

struct Frame {
    int node;
    int warning;
};
struct Seconds {
    int n;
};
using Step = std::variant<Frame, Seconds>;

struct RuleCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::string> recorded;  // "warning text|node name", oldest first
};

class RecordingRuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RecordingRuleTest, DecoderAndRecorderStoreEachNewShutdownOnce) {
    test::TempRoot root;
    test::ManualClock clock;
    ShutdownStore store(test::db_file(root), clock.fn());
    ASSERT_TRUE(store.prepare());
    ShutdownRecorder recorder(store, [](std::uint8_t n, std::uint8_t w) {
        return "W" + std::to_string(w) + "@" + std::to_string(n);
    });
    link::LinkState state;
    state.shutdown_sink.store(&recorder);

    for (const Step& step : GetParam().steps) {
        if (const auto* f = std::get_if<Frame>(&step)) {
            link::StatusFrame frame{};
            frame[link::off::shutdown_code] = static_cast<std::uint8_t>(f->warning);
            frame[link::off::shutdown_node] = static_cast<std::uint8_t>(f->node);
            link::decode_status_frame(state, frame);
            clock.now += 3'500'000;  // 350 ms per link cycle
        } else {
            for (int i = 0; i < std::get<Seconds>(step).n; ++i) {
                link::decoder_second_tick(state);
                clock.now += 10'000'000;
            }
        }
    }
    std::vector<std::string> got;
    for (const HistoryRecord& r : store.fill_list(SortOrder::by_date_time)) {
        got.push_back(r.warning + "|" + r.node);
        // The ids are kept beside the text they were looked up from.
        EXPECT_EQ(r.warning, "W" + std::to_string(r.warning_id) + "@" + std::to_string(r.node_id));
    }
    EXPECT_EQ(got, GetParam().recorded);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, RecordingRuleTest,
    ::testing::Values(
        RuleCase{"PairThatStays", {Frame{14, 5}, Frame{14, 5}, Seconds{200}, Frame{14, 5}}, {"W5@14|MAIN I/O"}},
        RuleCase{"ClearedAndBackWithin100s",
                 {Frame{14, 5}, Seconds{50}, Frame{0, 0}, Seconds{49}, Frame{14, 5}},
                 {"W5@14|MAIN I/O"}},
        RuleCase{"ClearedAndBackAfter100s",
                 {Frame{14, 5}, Seconds{50}, Frame{0, 0}, Seconds{50}, Frame{14, 5}},
                 {"W5@14|MAIN I/O", "W5@14|MAIN I/O"}},
        RuleCase{"DifferentPairAlwaysRecorded",
                 {Frame{14, 5}, Frame{14, 6}, Frame{3, 6}, Frame{14, 5}},
                 {"W5@14|MAIN I/O", "W6@14|MAIN I/O", "W6@3|FAN/HEATER #2", "W5@14|MAIN I/O"}},
        RuleCase{"WarningZeroNever", {Frame{14, 0}, Frame{3, 0}, Frame{0, 0}, Frame{255, 0}}, {}},
        RuleCase{"NodeOutsideTheTableHasNoName",
                 {Frame{0, 3}, Frame{16, 3}, Frame{255, 9}},
                 {"W3@0|", "W3@16|", "W9@255|"}}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace dryer::history
