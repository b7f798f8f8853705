#include <gtest/gtest.h>

#include "shell/options.h"

namespace dryer::shell {
namespace {

TEST(Options, defaults) {
    const ParseResult r = parse_options({});
    EXPECT_TRUE(r.error.empty());
    EXPECT_EQ(r.options.port, "/dev/ttyS0");
    EXPECT_FALSE(r.options.simulate);
    EXPECT_FALSE(r.options.windowed);
    EXPECT_TRUE(r.options.screenshot.empty());
}

TEST(Options, all_of_ours_with_qt_options_passed_through) {
    const ParseResult r = parse_options({"-platform", "offscreen", "--root", "/tmp/r", "--port", "/dev/pts/3",
                                         "--screenshot", "a.png", "--after", "2.5", "--windowed", "-reverse"});
    ASSERT_TRUE(r.error.empty()) << r.error;
    EXPECT_EQ(r.options.root, "/tmp/r");
    EXPECT_EQ(r.options.port, "/dev/pts/3");
    EXPECT_EQ(r.options.screenshot, "a.png");
    EXPECT_DOUBLE_EQ(r.options.after, 2.5);
    EXPECT_TRUE(r.options.windowed);
}

TEST(Options, simulate_takes_an_optional_scenario) {
    EXPECT_EQ(parse_options({"--simulate"}).options.scenario, "");
    EXPECT_TRUE(parse_options({"--simulate", "--windowed"}).options.windowed);
    const ParseResult r = parse_options({"--simulate", "shutdown.txt", "-platform", "offscreen"});
    EXPECT_TRUE(r.options.simulate);
    EXPECT_EQ(r.options.scenario, "shutdown.txt");
}

TEST(Options, bad_command_lines_are_errors) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--root"}, {"--port", "--windowed"}, {"--after", "soon"}, {"--after", "-1"}, {"--after", "1e9"},
             {"--after", "nan"}, {"--frobnicate"}, {"--screenshot"}, {"--language"}, {"--language", "Klingon"},
             {"--language", "EN"}}) {
        EXPECT_FALSE(parse_options(args).error.empty()) << args[0];
    }
    EXPECT_TRUE(parse_options({"--help"}).options.help);
}

TEST(Options, language_by_its_configuration_name) {
    EXPECT_EQ(parse_options({}).options.language, -1);
    EXPECT_EQ(parse_options({"--language", "English"}).options.language, 0);
    EXPECT_EQ(parse_options({"--language", "German"}).options.language, 6);
    EXPECT_EQ(parse_options({"--language", "russian"}).options.language, 11);
    EXPECT_EQ(parse_options({"--language", "Spanish"}).options.language, 12);
}

}  // namespace
}  // namespace dryer::shell
