// The warnings and shutdowns the stand-in raises name, in the English module
// tables the build lays into the panel root, the condition they stand for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../l10n/test_root.h"
#include "l10n/utf8.h"
#include "l10n/warnings.h"
#include "sim/plant.h"
#include "sim/scenario.h"

namespace dryer::sim {
namespace {

std::filesystem::path env_dir(const char* name) {
    const char* dir = std::getenv(name);
    return dir ? dir : ".";
}

TEST(StandInWarnings, EachUnscriptedEventShowsTheTextItMeans) {
    // A throw-away root whose language folders are the built ones, so the
    // language file the first lookup writes stays out of the build tree.
    l10n::testing::TempRoot temp;
    const auto built = env_dir("DRYER_BINARY_DIR") / "panel-root" / "Hard Disk" / "Languages";
    ASSERT_TRUE(std::filesystem::is_directory(built / "EN")) << built;
    std::filesystem::create_directory_symlink(built, temp.hard_disk() / "Languages");

    std::vector<UnscriptedEvent> events(kUnscriptedEvents.begin(), kUnscriptedEvents.end());
    events.push_back(kOutOfGrainShutdown);
    for (const UnscriptedEvent& e : events) {
        const std::string text = l10n::to_utf8(l10n::warning_text(e.node, e.warning));
        EXPECT_NE(text.find(e.meaning), std::string::npos)
            << "node " << int{e.node} << " warning " << int{e.warning} << " reads \"" << text << "\"";
    }
    // The shipped scenarios raise only conditions the tables know.
    for (const auto& f : std::filesystem::directory_iterator(env_dir("DRYER_SOURCE_DIR") / "sim" / "scenarios")) {
        for (const Action& a : load_scenario(f.path().string()).actions) {
            if (a.kind != ActionKind::shutdown && a.kind != ActionKind::warning) continue;
            EXPECT_FALSE(l10n::warning_text(static_cast<int>(a.a), static_cast<int>(a.b)).empty())
                << f.path() << ": node " << a.a << " warning " << a.b;
        }
    }
}

}  // namespace
}  // namespace dryer::sim
