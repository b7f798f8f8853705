#include "sim/scenario.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace dryer::sim {
namespace {

TEST(Scenario, ReadsEveryActionOfTheGrammar) {
    const char* text =
        "# a scenario\n"
        "\n"
        "at 30s shutdown node 14 warning 5   # main I/O\n"
        "at 60s clear shutdown\n"
        "at 90s silent 15s\n"
        "at 100s corrupt 3\n"
        "at 110s split\n"
        "at 120s set 266 0x80\n"
        "at 130s set16le 318 3600\n"
        "at 2m10s set16be 199 155\n"
        "at 250ms warning node 15 warning 3\n"
        "at 1h start\r\n"
        "at 0s fans 6\n"
        "at 0s mode batch\n"
        "at 0s learning 8\n"
        "at 0s dipswitch on\n"
        "at 0s sampler off\n"
        "at 0s metric on\n"
        "at 0s dual-plenum on\n"
        "at 0s refuse 199\n"
        "at 0s accept 199\n"
        "at 0s events off\n"
        "at 0s load\n"
        "at 0s stop";
    const ScenarioResult r = parse_scenario(text);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.actions.size(), 22u);
    // Sorted by time, file order kept among equal times.
    EXPECT_EQ(r.actions[0].kind, ActionKind::fans);
    EXPECT_EQ(r.actions[0].a, 6u);
    EXPECT_EQ(r.actions[1].a, 1u);  // mode batch
    EXPECT_EQ(r.actions[11].kind, ActionKind::stop);
    EXPECT_EQ(r.actions[12].kind, ActionKind::warning);
    EXPECT_EQ(r.actions[12].at_ms, 250u);
    const Action& shutdown = r.actions[13];
    EXPECT_EQ(shutdown.kind, ActionKind::shutdown);
    EXPECT_EQ(shutdown.at_ms, 30000u);
    EXPECT_EQ(shutdown.a, 14u);
    EXPECT_EQ(shutdown.b, 5u);
    EXPECT_EQ(shutdown.line, 3);
    EXPECT_EQ(r.actions[15].duration_ms, 15000u);
    EXPECT_EQ(r.actions[18].b, 0x80u);
    EXPECT_EQ(r.actions[19].kind, ActionKind::set16le);
    EXPECT_EQ(r.actions[19].b, 3600u);
    EXPECT_EQ(r.actions[20].kind, ActionKind::set16be);
    EXPECT_EQ(r.actions[20].at_ms, 130000u);
    EXPECT_EQ(r.actions[21].kind, ActionKind::start);
    EXPECT_EQ(r.actions[21].at_ms, 3600000u);
    EXPECT_EQ(describe(shutdown), "at 30s shutdown node 14 warning 5");
}

TEST(Scenario, EmptyTextHasNoActions) {
    const ScenarioResult r = parse_scenario("# nothing\n\n   \n");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.actions.empty());
}

struct BadLine {
    const char* name;
    const char* text;
    const char* error_start;
};

class BadScenario : public ::testing::TestWithParam<BadLine> {};

TEST_P(BadScenario, NamesTheLine) {
    const ScenarioResult r = parse_scenario(GetParam().text);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.actions.empty());
    EXPECT_EQ(r.error.rfind(GetParam().error_start, 0), 0u) << r.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadScenario,
    ::testing::Values(BadLine{"no_at", "split\n", "line 1:"},
                      BadLine{"no_action", "# c\nat 5s\n", "line 2:"},
                      BadLine{"time_without_unit", "at 5 split\n", "line 1: bad time"},
                      BadLine{"time_bad_unit", "at 5d split\n", "line 1: bad time"},
                      BadLine{"unknown_action", "at 1s split\nat 2s explode\n", "line 2: unknown action"},
                      BadLine{"shutdown_misspelt", "at 1s shutdown node 14 warn 5\n", "line 1: expected"},
                      BadLine{"node_zero", "at 1s shutdown node 0 warning 5\n", "line 1: node 0"},
                      BadLine{"warning_too_big", "at 1s warning node 2 warning 256\n", "line 1: bad warning id"},
                      BadLine{"set_offset_past_payload", "at 1s set 329 1\n", "line 1: bad offset"},
                      BadLine{"set_value_too_big", "at 1s set 266 256\n", "line 1: bad value"},
                      BadLine{"set16_offset_past_payload", "at 1s set16le 328 1\n", "line 1: bad offset"},
                      BadLine{"set_negative", "at 1s set 266 -1\n", "line 1: bad value"},
                      BadLine{"split_with_argument", "at 1s split 2\n", "line 1:"},
                      BadLine{"fans_five", "at 1s fans 5\n", "line 1: fans"},
                      BadLine{"mode_two", "at 1s mode 2\n", "line 1: mode"},
                      BadLine{"on_off", "at 1s metric yes\n", "line 1: expected 'on'"},
                      BadLine{"silent_no_unit", "\n\n\nat 1s silent 15\n", "line 4: bad duration"},
                      BadLine{"huge_time", "at 99999999999s split\n", "line 1: bad time"},
                      BadLine{"clear_what", "at 1s clear all\n", "line 1:"}),
    [](const auto& row) { return std::string(row.param.name); });

// The example scenarios shipped with the stand-in stay valid.
TEST(Scenario, ShippedExamplesParse) {
    const char* root = std::getenv("DRYER_SOURCE_DIR");
    ASSERT_NE(root, nullptr);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(root) / "sim" / "scenarios")) {
        const ScenarioResult r = load_scenario(e.path().string());
        EXPECT_TRUE(r.ok) << e.path() << ": " << r.error;
        EXPECT_FALSE(r.actions.empty()) << e.path();
        ++files;
    }
    EXPECT_GE(files, 4);
}

}  // namespace
}  // namespace dryer::sim
