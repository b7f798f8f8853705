// The state folder prepared from the installed template: what the template
// brings is copied or refreshed, what the panel or the dealer wrote stays.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/panel_install.h"
#include "tests/support/temp_root.h"

namespace fs = std::filesystem;
using dryer::platform::prepare_panel_root;
using dryer::test_support::TempRoot;

namespace {

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A template with one strings file and one manual, an update of it, and a
// state folder next to it.
struct Install {
    TempRoot dir{false};
    fs::path templ = dir.path() / "share";
    fs::path state = dir.path() / "state";
    const char* strings = "Hard Disk/Languages/EN/EnglishStrings.txt";
    const char* manual = "Hard Disk/manuals/dryer.txt";

    Install() {
        write(templ / strings, "texts 1");
        write(templ / manual, "manual 1");
    }
    // A newer package: other content, a later time.
    void update(const char* rel, const std::string& text) {
        const auto before = fs::last_write_time(templ / rel);
        write(templ / rel, text);
        fs::last_write_time(templ / rel, before + std::chrono::seconds(60));
    }
};

TEST(PrepareRoot, first_start_copies_the_template_and_a_second_start_copies_nothing) {
    Install in;
    const auto first = prepare_panel_root(in.templ, in.state);
    EXPECT_EQ(first.copied, 2);
    EXPECT_EQ(first.failed, 0) << first.error;
    EXPECT_EQ(read(in.state / in.strings), "texts 1");
    const auto second = prepare_panel_root(in.templ, in.state);
    EXPECT_EQ(second.copied + second.refreshed, 0);
    EXPECT_EQ(second.kept, 2);
}

// What happens to one file of the state folder when an update's template
// arrives, by what happened to it in the state folder before.
struct UpdateRow {
    const char* name;
    bool edited_here;      // changed in the state folder after the first start
    bool there_before;     // already in the state folder before the first start
    bool manifest_broken;  // the list of copies is unreadable
    bool refreshed;        // the update's file replaces it
};

class PrepareUpdate : public ::testing::TestWithParam<UpdateRow> {};

TEST_P(PrepareUpdate, only_untouched_copies_take_the_new_template) {
    const UpdateRow row = GetParam();
    Install in;
    if (row.there_before) write(in.state / in.strings, "dealer's texts");
    prepare_panel_root(in.templ, in.state);
    if (row.edited_here) write(in.state / in.strings, "edited here");
    if (row.manifest_broken) write(in.state / dryer::platform::kTemplateManifest, "\x01garbage\nno numbers here\n");
    const std::string before = read(in.state / in.strings);
    // Files only the panel writes: never in the template.
    write(in.state / "Registry/TavrinDryer.txt", "GRAPH_HORIZONTAL_SCALE=3\n");
    write(in.state / "Hard Disk/TavrinLangConfig.txt", "German");

    in.update(in.strings, "texts 2");
    fs::remove(in.state / in.manual);  // a file deleted here comes back
    const auto r = prepare_panel_root(in.templ, in.state);

    EXPECT_EQ(r.failed, 0) << r.error;
    EXPECT_EQ(r.refreshed, row.refreshed ? 1 : 0);
    EXPECT_EQ(read(in.state / in.strings), row.refreshed ? "texts 2" : before);
    EXPECT_EQ(read(in.state / in.manual), "manual 1");
    EXPECT_EQ(read(in.state / "Registry/TavrinDryer.txt"), "GRAPH_HORIZONTAL_SCALE=3\n");
    EXPECT_EQ(read(in.state / "Hard Disk/TavrinLangConfig.txt"), "German");
    // The next start after the update has nothing left to do.
    const auto again = prepare_panel_root(in.templ, in.state);
    EXPECT_EQ(again.copied + again.refreshed, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, PrepareUpdate,
                         ::testing::Values(UpdateRow{"untouched_copy", false, false, false, true},
                                           UpdateRow{"edited_in_the_state_folder", true, false, false, false},
                                           UpdateRow{"the_dealers_file_from_before", false, true, false, false},
                                           UpdateRow{"unreadable_manifest", false, false, true, false}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(PrepareRoot, copies_cut_short_by_a_power_loss_are_made_again) {
    Install in;
    prepare_panel_root(in.templ, in.state);
    // What a power loss before the copies reached storage can leave: the
    // manifest still pending, a copy empty.
    const fs::path manifest = in.state / dryer::platform::kTemplateManifest;
    write(manifest, "pending\n" + read(manifest));
    write(in.state / in.strings, "");
    const auto r = prepare_panel_root(in.templ, in.state);
    EXPECT_EQ(r.refreshed, 1);
    EXPECT_EQ(read(in.state / in.strings), "texts 1");
    EXPECT_EQ(read(manifest).find("pending"), std::string::npos);
}

TEST(PrepareRoot, an_unwritable_state_folder_is_reported_not_hidden) {
    Install in;
    write(in.dir.path() / "file", "x");
    const auto r = prepare_panel_root(in.templ, in.dir.path() / "file" / "state");
    EXPECT_GT(r.failed, 0);
    EXPECT_FALSE(r.error.empty());
}

}  // namespace
