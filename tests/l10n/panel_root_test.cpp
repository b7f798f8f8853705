// The panel root the build lays out: the files the panel reads, in their
// exact formats, with the English texts in place.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "l10n/language.h"
#include "l10n/resources.h"
#include "l10n/texts.h"
#include "l10n/utf16_lines.h"
#include "l10n/warnings.h"
#include "platform/panel_paths.h"
#include "test_root.h"

namespace dryer::l10n {
namespace {

std::filesystem::path built_root() {
    const char* dir = std::getenv("DRYER_BINARY_DIR");
    return std::filesystem::path(dir ? dir : ".") / "panel-root";
}

// Looks at the built root through a temporary root whose language and
// manuals folders link to it, so the configuration file the first lookup
// creates never lands in the build tree.
class BuiltRoot : public ::testing::Test {
protected:
    void SetUp() override {
        built = built_root() / "Hard Disk";
        ASSERT_TRUE(std::filesystem::is_directory(built / "Languages" / "EN")) << built;
        std::filesystem::create_directory_symlink(built / "Languages", temp.hard_disk() / "Languages");
        std::filesystem::create_directory_symlink(built / "manuals", temp.hard_disk() / "manuals");
        root = temp.path();
    }
    testing::TempRoot temp;
    std::filesystem::path built;
    std::filesystem::path root;
    std::filesystem::path en() const { return built / "Languages" / "EN"; }
};

TEST_F(BuiltRoot, english_strings_file_is_utf16_with_mark_and_crlf_lines) {
    const std::string bytes = testing::read_bytes(en() / "EnglishStrings.txt");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    ASSERT_EQ(bytes.size() % 2, 0u);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\r\0\n\0", 4));
    std::size_t lines = 0;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        if (bytes[i] == '\n' && bytes[i + 1] == 0) {
            ++lines;
            ASSERT_EQ(bytes[i - 2], '\r') << "line " << lines;
        }
    }
    EXPECT_GE(lines, 522u);
    EXPECT_LE(lines, 1000u);
    EXPECT_LE(bytes.size(), 32768u);
}

TEST_F(BuiltRoot, texts_carry_their_meaning_and_fit_a_lookup) {
    EXPECT_EQ(text(1), u"CONTINUOUS FLOW");
    EXPECT_EQ(text(145), u"EXIT");
    EXPECT_EQ(text(338), u"CONNECTION TO DRYER LOST!");
    for (int i = 0; i < kLanguageCount; ++i) {
        const auto& lang = kLanguages[static_cast<std::size_t>(i)];
        EXPECT_EQ(text_utf8(lang.name_text), std::string(lang.caption));
    }
    // Every text shown fits the 100 characters of a lookup.
    std::vector<Slot> slots(kTextSlots);
    const std::string bytes = testing::read_bytes(en() / "EnglishStrings.txt");
    const std::size_t n = load_utf16_lines(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), slots);
    for (std::size_t i = 0; i < n; ++i) EXPECT_LE(slot_text(slots[i]).size(), kTextMaxChars) << "text " << i + 1;
}

TEST_F(BuiltRoot, every_module_kind_has_a_heading_and_warnings) {
    for (int node : {1, 2, 3, 4, 5, 6, 7, 14, 15}) {
        EXPECT_FALSE(warning_text(node, 1).empty()) << node;
        EXPECT_FALSE(warning_text(node, 5).empty()) << node;
    }
    EXPECT_EQ(warning_text(10, 1), u"");
    EXPECT_NE(warning_text(14, 5).find(u"REAR DISCHARGE"), std::u16string::npos);
    EXPECT_TRUE(std::filesystem::is_regular_file(warning_text_path(15, 3)));
    EXPECT_TRUE(std::filesystem::is_regular_file(warning_text_path(5, 5)));
    EXPECT_TRUE(std::filesystem::is_regular_file(warning_text_path(14, 5)));
}

// Every condition the warning window can show has its illustration and its
// help text: each warning the module tables define, and the lost link (the
// pair 0, 0). Pictures are rendered by the Qt build only.
TEST_F(BuiltRoot, every_condition_has_its_picture_and_help_text) {
    struct Condition {
        int node, warning;
    };
    std::vector<Condition> conditions{{0, 0}};
    for (int node : {1, 2, 3, 4, 5, 6, 7, 14, 15})
        for (int w = 1; w < 1000; ++w)
            if (!warning_text(node, w).empty()) conditions.push_back({node, w});
    ASSERT_GT(conditions.size(), 60u);
    for (const Condition& c : conditions) {
        const auto text = warning_text_path(c.node, c.warning);
        EXPECT_GT(std::filesystem::exists(text) ? std::filesystem::file_size(text) : 0u, 20u)
            << c.node << "/" << c.warning << " " << text;
#ifdef DRYER_WITH_QT
        for (int frame : {0, 3}) {
            const auto picture = warning_illustration_picture_path(c.node, c.warning, frame);
            EXPECT_TRUE(std::filesystem::is_regular_file(picture)) << c.node << "/" << c.warning << " " << picture;
        }
#endif
    }
}

TEST_F(BuiltRoot, help_files_fit_their_capacity) {
    struct Case {
        const char* name;
        std::size_t capacity;
    };
    for (Case c : {Case{"DiagnosticScreenHelp.txt", kHelpCapacity}, Case{"CheckLightOutputsHelp.txt", kHelpCapacity},
                   Case{"PlenumDiffHelp.txt", kHelpCapacity}, Case{"McExtendedSetupHelp.txt", kHelpCapacity},
                   Case{"MoistSensorCalibHelp.txt", kHelpCapacity}, Case{"BphCalibHelp.txt", kHelpCapacity},
                   Case{"DryingModeSelectionHelp.txt", kHelpCapacity},
                   Case{"PlenumTempManagerHelp.txt", kHelpCapacity},
                   Case{"SelectDryingCriteriaHelp.txt", kLongHelpCapacity},
                   Case{"NoDryingCriteriaSelectedHelp.txt", kHelpCapacity},
                   Case{"AvailableDryingModesHelp.txt", kHelpCapacity},
                   Case{"AutoStartFinishedMessageC.txt", kHelpCapacity},
                   Case{"AutoStartFinishedMessageF.txt", kHelpCapacity}}) {
        const auto size = std::filesystem::file_size(en() / c.name);
        EXPECT_GT(size, 40u) << c.name;
        EXPECT_LE(size, c.capacity) << c.name;
        EXPECT_FALSE(help_text(c.name, c.capacity).empty()) << c.name;
    }
}

TEST_F(BuiltRoot, manuals_folder_holds_a_document) {
    const auto manuals = platform::map_panel_path("\\hard disk\\manuals");
    ASSERT_TRUE(std::filesystem::is_directory(manuals));
    EXPECT_FALSE(std::filesystem::is_empty(manuals));
}

TEST_F(BuiltRoot, every_language_has_its_folder) {
    for (const auto& lang : kLanguages) {
        EXPECT_TRUE(std::filesystem::is_directory(built / "Languages" / std::string(lang.folder) / "Bitmaps"))
            << lang.folder;
    }
}

}  // namespace
}  // namespace dryer::l10n
