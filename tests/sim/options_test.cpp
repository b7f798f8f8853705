#include "sim/options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace dryer::sim {
namespace {

bool parse(std::vector<const char*> args, CommandLine& cmd, std::string& error) {
    args.insert(args.begin(), "dryer-sim");
    return parse_command_line(static_cast<int>(args.size()), args.data(), cmd, error);
}

class TempFile {
public:
    explicit TempFile(const std::string& text)
        : path_(std::filesystem::temp_directory_path() / ("dryer-sim-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                          std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".txt")) {
        std::ofstream(path_) << text;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

TEST(CommandLine, ReadsEveryOption) {
    TempFile scenario("at 30s shutdown node 14 warning 5\n");
    CommandLine cmd;
    std::string error;
    ASSERT_TRUE(parse({"--pty", "--scenario", scenario.path().c_str(), "--refuse", "199,0x10A", "--seed", "42", "--log",
                       "--period", "50", "--speed", "10"},
                      cmd, error))
        << error;
    EXPECT_TRUE(cmd.pty);
    EXPECT_TRUE(cmd.log);
    EXPECT_TRUE(cmd.peer.refused.test(199));
    EXPECT_TRUE(cmd.peer.refused.test(266));
    EXPECT_EQ(cmd.peer.refused.count(), 2u);
    EXPECT_EQ(cmd.peer.seed, 42u);
    EXPECT_EQ(cmd.peer.period_ms, 50u);
    EXPECT_DOUBLE_EQ(cmd.peer.speed, 10.0);
    ASSERT_EQ(cmd.peer.scenario.size(), 1u);
    EXPECT_FALSE(cmd.peer.unscripted_events) << "a scenario replaces the unscripted events";
}

TEST(CommandLine, DefaultDemoHasUnscriptedEvents) {
    CommandLine cmd;
    std::string error;
    ASSERT_TRUE(parse({"--port", "/dev/ttyUSB0"}, cmd, error));
    EXPECT_EQ(cmd.port, "/dev/ttyUSB0");
    EXPECT_TRUE(cmd.peer.unscripted_events);
    EXPECT_EQ(cmd.peer.period_ms, 350u);
}

TEST(CommandLine, ABadScenarioLineIsRefusedWithItsNumber) {
    TempFile scenario("# demo\nat 30s shutdown node 14 warning 5\nat 40s shutdown node 14\n");
    CommandLine cmd;
    std::string error;
    EXPECT_FALSE(parse({"--pty", "--scenario", scenario.path().c_str()}, cmd, error));
    EXPECT_NE(error.find(scenario.path() + ": line 3:"), std::string::npos) << error;
}

struct BadArgs {
    const char* name;
    std::vector<const char*> args;
};

class BadCommandLine : public ::testing::TestWithParam<BadArgs> {};

TEST_P(BadCommandLine, IsRefused) {
    CommandLine cmd;
    std::string error;
    EXPECT_FALSE(parse(GetParam().args, cmd, error));
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadCommandLine,
    ::testing::Values(BadArgs{"nothing", {}}, BadArgs{"both", {"--pty", "--port", "/dev/ttyS0"}},
                      BadArgs{"unknown", {"--pty", "--fast"}}, BadArgs{"port_without_device", {"--port"}},
                      BadArgs{"refuse_past_payload", {"--pty", "--refuse", "329"}},
                      BadArgs{"refuse_empty_element", {"--pty", "--refuse", "199,"}},
                      BadArgs{"seed_not_a_number", {"--pty", "--seed", "x"}},
                      BadArgs{"period_zero", {"--pty", "--period", "0"}},
                      BadArgs{"speed_negative", {"--pty", "--speed", "-1"}},
                      BadArgs{"missing_scenario_file", {"--pty", "--scenario", "/nonexistent/scenario.txt"}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace dryer::sim
