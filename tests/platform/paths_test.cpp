// Mapping of the panel's paths onto the panel root.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/panel_paths.h"
#include "tests/support/temp_root.h"

namespace dryer::platform {
namespace {

// A temporary root made the panel root of every path.
struct TempRoot : test_support::TempRoot {
    explicit TempRoot(bool with_hard_disk = true) : test_support::TempRoot(with_hard_disk) { set_panel_root(path()); }
};

TEST(PanelPaths, maps_hard_disk_usb_and_root_names) {
    TempRoot t;
    const auto& r = t.path();
    struct Case {
        const char* in;
        std::filesystem::path out;
    };
    const Case cases[] = {
        {"\\Hard Disk\\DataLog\\LongTermDataLog.csv", r / "Hard Disk" / "DataLog" / "LongTermDataLog.csv"},
        {"\\hard disk\\manuals", r / "Hard Disk" / "manuals"},
        {"\\HARD DISK", r / "Hard Disk"},
        {"\\Hard Disk2\\DryerShutdownHistory.txt", r / "Hard Disk2" / "DryerShutdownHistory.txt"},
        {"\\hard disk2", r / "Hard Disk2"},
        {"TavrinLangConfig.txt", r / "TavrinLangConfig.txt"},
        {"Languages\\EN\\Bitmaps\\X.BMP", r / "Languages" / "EN" / "Bitmaps" / "X.BMP"},
        {"/Hard Disk/GraphDataLog", r / "Hard Disk" / "GraphDataLog"},
        {"\\Hard Disk\\..\\..\\etc\\passwd", r / "Hard Disk" / "etc" / "passwd"},
        {"\\\\Hard Disk\\\\.\\x", r / "Hard Disk" / "x"},
        {"", r},
        {"\\Hard Disk Extra\\y", r / "Hard Disk Extra" / "y"},
    };
    for (const Case& c : cases) EXPECT_EQ(map_panel_path(c.in), c.out) << c.in;
}

TEST(PanelPaths, later_names_take_the_spelling_found_on_disk) {
    TempRoot t;
    std::filesystem::create_directories(t.hard_disk() / "Manuals");
    EXPECT_EQ(map_panel_path("\\hard disk\\manuals\\guide.txt"), t.hard_disk() / "Manuals" / "guide.txt");
}

TEST(PanelPaths, storage_root_rule_is_evaluated_on_every_call) {
    TempRoot t(false);
    EXPECT_FALSE(hard_disk_present());
    EXPECT_EQ(storage_path("ShortTermDataLog\\a.DAT"), t.path() / "ShortTermDataLog" / "a.DAT");
    std::filesystem::create_directories(t.hard_disk());
    EXPECT_TRUE(hard_disk_present());
    EXPECT_EQ(storage_path("ShortTermDataLog\\a.DAT"), t.hard_disk() / "ShortTermDataLog" / "a.DAT");
    // A plain file named "Hard Disk" is not the hard disk.
    std::filesystem::remove(t.hard_disk());
    std::ofstream(t.hard_disk()) << "x";
    EXPECT_FALSE(hard_disk_present());
}

TEST(PanelPaths, usb_drive_present_follows_the_folder) {
    TempRoot t;
    EXPECT_FALSE(usb_drive_present());
    std::filesystem::create_directories(t.path() / "Hard Disk2");
    EXPECT_TRUE(usb_drive_present());
}

}  // namespace
}  // namespace dryer::platform
