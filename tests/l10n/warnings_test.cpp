// Warning tables, illustration paths, help texts and picture paths.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "l10n/resources.h"
#include "l10n/texts.h"
#include "l10n/warnings.h"
#include "test_root.h"

namespace dryer::l10n {
namespace {

using testing::TempRoot;
using testing::utf16;
using testing::widen;
using testing::write_bytes;

class Warnings : public ::testing::Test {
protected:
    void SetUp() override {
        root.write_lines(root.lang("EN") / "WarningsMC.txt", {u"MC HEADING", u"MC ONE", u"MC TWO", u"MC THREE"});
        root.write_lines(root.lang("EN") / "WarningsFH4.txt", {u"FH4 HEADING", u"FH4 ONE"});
        root.write_lines(root.lang("EN") / "WarningsMIO.txt", {u"MIO HEADING", u"E1", u"E2", u"E3", u"E4", u"E5"});
    }
    TempRoot root;
};

TEST_F(Warnings, warning_id_w_is_line_w_plus_one) {
    EXPECT_EQ(warning_text(15, 3), u"MC THREE");
    EXPECT_EQ(warning_text(15, 1), u"MC ONE");
    EXPECT_EQ(warning_text(5, 1), u"FH4 ONE");
    EXPECT_EQ(warning_text(14, 5), u"E5");
    EXPECT_EQ(warning_text(15, 4), u"");
}

TEST_F(Warnings, nodes_without_table_and_zero_ids_leave_destination_alone) {
    struct Case {
        int node, warning;
    };
    for (Case c : {Case{10, 1}, Case{8, 1}, Case{13, 2}, Case{16, 1}, Case{0, 1}, Case{15, 0}, Case{-1, 3},
                   Case{15, -2}, Case{255, 255}}) {
        std::array<char16_t, kWarningBufferChars> buf;
        buf.fill(u'#');
        get_warning_text(c.node, c.warning, buf.data());
        for (char16_t ch : buf) ASSERT_EQ(ch, u'#') << c.node << "/" << c.warning;
    }
}

TEST_F(Warnings, ids_beyond_the_table_give_empty_text) {
    EXPECT_EQ(warning_text(15, 1000), u"");
    EXPECT_EQ(warning_text(15, 1001), u"");
    EXPECT_EQ(warning_text(15, 1 << 30), u"");
}

TEST_F(Warnings, text_is_cut_to_149_characters) {
    root.write_lines(root.lang("EN") / "WarningsDIO.txt", {u"H", std::u16string(200, u'w')});
    load_warning_tables();
    EXPECT_EQ(warning_text(1, 1), std::u16string(149, u'w'));
}

TEST_F(Warnings, language_without_warning_files_uses_english_ones) {
    root.write_lines(root.lang("DE") / "WarningsMIO.txt", {u"KOPF", u"DE EINS"});
    EXPECT_EQ(warning_text(14, 1), u"E1");
    set_language(6);
    EXPECT_EQ(warning_text(14, 1), u"DE EINS");
    EXPECT_EQ(warning_text(14, 2), u"E2");  // kept from the load before: not cleared
    EXPECT_EQ(warning_text(15, 3), u"MC THREE");
}

TEST_F(Warnings, only_first_26000_bytes_are_read) {
    std::u16string all = u"H\r\n" + std::u16string(12990, u'p') + u"\r\nLATE\r\n";
    write_bytes(root.lang("EN") / "WarningsDIO.txt", utf16(all));
    load_warning_tables();
    EXPECT_EQ(warning_text(1, 1), std::u16string(149, u'p'));
    EXPECT_EQ(warning_text(1, 2), u"");
}

TEST_F(Warnings, illustration_of_fan_heater_nodes_uses_node_two) {
    set_language(6);
    const auto dir = root.lang("DE") / "WarningBitmaps";
    EXPECT_EQ(warning_picture_path(5, 7), dir / "NID_02_WARNING_ID_07.bmp");
    EXPECT_EQ(warning_text_path(7, 12), dir / "NID_02_WARNING_ID_12.txt");
    EXPECT_EQ(warning_text_path(8, 1), dir / "NID_08_WARNING_ID_01.txt");
    EXPECT_EQ(warning_picture_path(15, 3), dir / "NID_15_WARNING_ID_03.bmp");
    EXPECT_EQ(warning_picture_path(1, 123), dir / "NID_01_WARNING_ID_123.bmp");
}

TEST_F(Warnings, rear_discharge_views_come_from_english_by_frame) {
    set_language(6);
    const auto bitmaps = root.hard_disk() / "Languages" / "EN" / "Bitmaps";
    const std::array<const char*, 8> expected{
        "GRAPHIC_077_REAR_DISCHARGE_IMAGE_4.BMP", "GRAPHIC_074_REAR_DISCHARGE_IMAGE_1.BMP",
        "GRAPHIC_075_REAR_DISCHARGE_IMAGE_2.BMP", "GRAPHIC_076_REAR_DISCHARGE_IMAGE_3.BMP",
        "GRAPHIC_077_REAR_DISCHARGE_IMAGE_4.BMP", "GRAPHIC_077_REAR_DISCHARGE_IMAGE_4.BMP",
        "GRAPHIC_077_REAR_DISCHARGE_IMAGE_4.BMP", "GRAPHIC_077_REAR_DISCHARGE_IMAGE_4.BMP"};
    for (int frame = -1; frame <= 6; ++frame) {
        EXPECT_EQ(warning_illustration_picture_path(14, 5, frame), bitmaps / expected[static_cast<std::size_t>(frame + 1)])
            << frame;
    }
    EXPECT_EQ(warning_illustration_picture_path(14, 4, 5),
              root.lang("DE") / "WarningBitmaps" / "NID_14_WARNING_ID_04.bmp");
}

TEST(WarningsNoDisk, rear_discharge_path_names_hard_disk_even_without_it) {
    TempRoot root(false);
    EXPECT_EQ(rear_discharge_picture_path(2),
              root.hard_disk() / "Languages" / "EN" / "Bitmaps" / "GRAPHIC_076_REAR_DISCHARGE_IMAGE_3.BMP");
}

TEST(Pictures, path_is_in_current_language_bitmaps_without_fallback) {
    TempRoot root;
    set_language(12);
    EXPECT_EQ(button_picture_path(41), root.lang("ES") / "Bitmaps" / "GRAPHIC_041_SCREEN_EXIT_BUTTON.BMP");
    EXPECT_TRUE(button_picture_path(0).empty());
    EXPECT_TRUE(button_picture_path(78).empty());
    EXPECT_TRUE(button_picture_path(-3).empty());
    EXPECT_EQ(button_picture_name(0), "PLACE HOLDER");
    EXPECT_EQ(button_picture_name(77), "GRAPHIC_077_REAR_DISCHARGE_IMAGE_4.BMP");
    EXPECT_TRUE(button_picture_name(78).empty());
    for (int n = 1; n <= 77; ++n) {
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, "GRAPHIC_%03d_", n);
        EXPECT_EQ(button_picture_name(n).substr(0, 12), prefix);
    }
}

TEST(Help, capacity_counts_bytes_and_keeps_the_mark) {
    TempRoot root;
    write_bytes(root.lang("EN") / "BphCalibHelp.txt", utf16(std::u16string(3000, u'h')));
    std::vector<char16_t> buf(kHelpCapacity + 1, u'#');
    EXPECT_EQ(read_help_text("BphCalibHelp.txt", buf.data(), kHelpCapacity), 999u);
    EXPECT_EQ(buf[0], u'\uFEFF');
    EXPECT_EQ(buf[998], u'h');
    EXPECT_EQ(buf[999], u'\0');
    EXPECT_EQ(buf[kHelpCapacity], u'\0');
    EXPECT_EQ(help_text("BphCalibHelp.txt", kLongHelpCapacity), std::u16string(1498, u'h'));
}

TEST(Help, missing_file_gives_empty_text_without_english_fallback) {
    TempRoot root;
    write_bytes(root.lang("EN") / "PlenumDiffHelp.txt", utf16(u"english help\r\n"));
    EXPECT_EQ(help_text("PlenumDiffHelp.txt"), u"english help\r\n");
    set_language(2);
    EXPECT_EQ(help_text("PlenumDiffHelp.txt"), u"");
    std::vector<char16_t> buf(10, u'#');
    EXPECT_EQ(read_help_text("PlenumDiffHelp.txt", buf.data(), 9), 0u);
    for (char16_t c : buf) EXPECT_EQ(c, u'\0');
}

}  // namespace
}  // namespace dryer::l10n
