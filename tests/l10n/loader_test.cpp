// The UTF-16 line loader and the strings table, on real files.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "l10n/panel_texts.h"
#include "l10n/texts.h"
#include "l10n/utf16_lines.h"
#include "test_root.h"

namespace dryer::l10n {
namespace {

using testing::TempRoot;
using testing::utf16;
using testing::widen;
using testing::write_bytes;

std::vector<std::u16string> load(const std::string& bytes, std::size_t slots_n = 8) {
    std::vector<Slot> slots(slots_n);
    const std::size_t n = load_utf16_lines(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), slots);
    std::vector<std::u16string> out;
    for (std::size_t i = 0; i < n; ++i) out.push_back(slot_text(slots[i]));
    return out;
}

struct LoaderCase {
    const char* name;
    std::string bytes;
    std::vector<std::u16string> lines;
};

class LineLoader : public ::testing::TestWithParam<LoaderCase> {};

TEST_P(LineLoader, stores_lines_closed_by_line_feed) { EXPECT_EQ(load(GetParam().bytes), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(
    Cases, LineLoader,
    ::testing::Values(
        LoaderCase{"crlf_stripped", utf16(u"ONE\r\nTWO\r\n"), {u"ONE", u"TWO"}},
        LoaderCase{"last_line_without_lf_dropped", utf16(u"A\r\nB\r\nC"), {u"A", u"B"}},
        LoaderCase{"bom_skipped_unseen", std::string("XY") + utf16(u"T\r\n", false), {u"T"}},
        LoaderCase{"empty_lines_keep_numbers", utf16(u"\r\n\r\nX\r\n"), {u"", u"", u"X"}},
        LoaderCase{"text_after_cr_ignored", utf16(u"AB\rzz\n"), {u"AB"}},
        LoaderCase{"bare_lf_line", utf16(u"LONGER LINE\nab\n"), {u"LONGER LINE", u"ab"}},
        LoaderCase{"odd_trailing_byte", utf16(u"Q\r\n") + "\x41", {u"Q"}},
        LoaderCase{"only_bom", utf16(u""), {}},
        LoaderCase{"one_byte", std::string("\xFF"), {}},
        LoaderCase{"non_ascii_kept", utf16(u"GRÜN \u00B0C\r\n"), {u"GRÜN \u00B0C"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LineLoader, cuts_slot_at_150_and_working_line_at_1000_without_harm) {
    const std::u16string huge(2500, u'x');
    const auto lines = load(utf16(huge + u"\r\nnext\r\n" + std::u16string(160, u'y') + u"\r\n"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::u16string(150, u'x'));
    EXPECT_EQ(lines[1], u"next");
    EXPECT_EQ(lines[2], std::u16string(150, u'y'));
}

TEST(LineLoader, stops_at_slot_count) {
    std::u16string text;
    for (int i = 1; i <= 1001; ++i) text += u"L" + widen(std::to_string(i)) + u"\r\n";
    const auto lines = load(utf16(text), 1000);
    ASSERT_EQ(lines.size(), 1000u);
    EXPECT_EQ(lines.back(), u"L1000");
}

class StringsTable : public ::testing::Test {
protected:
    TempRoot root;
    std::filesystem::path english() const { return root.lang("EN") / "EnglishStrings.txt"; }
};

TEST_F(StringsTable, text_one_is_first_line_and_lookup_cuts_at_100) {
    root.write_lines(english(), {u"FIRST", std::u16string(120, u'z'), u"THIRD"});
    EXPECT_EQ(text(1), u"FIRST");
    EXPECT_EQ(text(2), std::u16string(100, u'z'));
    EXPECT_EQ(text(3), u"THIRD");
    EXPECT_EQ(text(4), u"");
    EXPECT_EQ(text(1001), u"");
    EXPECT_EQ(text(0xFFFFFFFFu), u"");
}

TEST_F(StringsTable, number_zero_leaves_destination_untouched) {
    root.write_lines(english(), {u"FIRST"});
    std::array<char16_t, kTextBufferChars> buf;
    buf.fill(u'#');
    get_text(0, buf.data());
    for (char16_t c : buf) EXPECT_EQ(c, u'#');
    get_text(1, buf.data());
    EXPECT_EQ(std::u16string(buf.data()), u"FIRST");
}

TEST_F(StringsTable, line_1001_is_ignored) {
    std::u16string all;
    for (int i = 1; i <= 1001; ++i) all += u"T" + widen(std::to_string(i)) + u"\r\n";
    write_bytes(english(), utf16(all));
    EXPECT_EQ(text(1000), u"T1000");
    EXPECT_EQ(text(999), u"T999");
}

TEST_F(StringsTable, only_first_32768_bytes_count) {
    // 16383 characters fit after the mark; a line that ends beyond them is lost.
    std::u16string all = std::u16string(16380, u'a') + u"\r\n" + u"LATE\r\n";
    write_bytes(english(), utf16(all));
    EXPECT_EQ(text(1), std::u16string(100, u'a'));
    EXPECT_EQ(text(2), u"");
}

TEST_F(StringsTable, shorter_language_keeps_previous_texts_above_its_end) {
    std::u16string en, de;
    for (int i = 1; i <= 500; ++i) en += u"en" + widen(std::to_string(i)) + u"\r\n";
    for (int i = 1; i <= 400; ++i) de += u"de" + widen(std::to_string(i)) + u"\r\n";
    write_bytes(english(), utf16(en));
    write_bytes(root.lang("DE") / "GermanStrings.txt", utf16(de));
    EXPECT_EQ(text(500), u"en500");
    set_language(6);
    EXPECT_EQ(text(400), u"de400");
    EXPECT_EQ(text(401), u"en401");
    EXPECT_EQ(text(500), u"en500");
}

TEST_F(StringsTable, missing_language_file_falls_back_to_english) {
    root.write_lines(english(), {u"ENGLISH ONE"});
    set_language(3);
    EXPECT_EQ(current_language(), 3);
    EXPECT_EQ(text(1), u"ENGLISH ONE");
}

TEST_F(StringsTable, no_files_at_all_gives_empty_texts) {
    EXPECT_EQ(text(1), u"");
    set_language(6);
    EXPECT_EQ(text(477), u"");
}

TEST_F(StringsTable, first_lookup_loads_the_configured_language) {
    root.write_lines(english(), {u"ENGLISH"});
    root.write_lines(root.lang("FR") / "FrenchStrings.txt", {u"FRANCAIS"});
    write_bytes(root.hard_disk() / "TavrinLangConfig.txt", "French");
    EXPECT_EQ(text(1), u"FRANCAIS");
    EXPECT_EQ(current_language(), 5);
    EXPECT_EQ(text_utf8(1), "FRANCAIS");
}

// The panel's own texts: a line is used only when it is whole and formats
// the same values as its English key; everything else shows English.
TEST(PanelTexts, use_sound_lines_and_fall_back_to_english) {
    TempRoot root;
    const auto dir = root.lang("DE") / "PanelTexts";
    write_bytes(dir / "a.txt",
                "# comment\n"
                "EXIT\tENDE\r\n"
                "%d MIN\t%d MIN.\n"
                "%02d:%02d\t%02d.%02d\n"
                "ONE\tEINS\tZWEI\n"              // two tabs
                "NO TAB\n"
                "BAD\tUNG\xC3\x28LTIG\n"        // broken UTF-8
                "%d BPH\t%s BPH\n"                // another conversion
                "%s of %s\t%s\n"                  // one fewer
                "100%\t100 % %d\n"                 // one more
                "TWO\\nLINES\tZWEI\\nZEILEN\n"
                "LATER\tFIRST\n");
    write_bytes(dir / "b.txt", "LATER\tSECOND\n");
    write_bytes(dir / "c.bak", "EXIT\tSTALE\n");
    const std::map<std::string, std::string> want{{"EXIT", "ENDE"},           {"%d MIN", "%d MIN."},
                                                  {"%02d:%02d", "%02d.%02d"}, {"TWO\nLINES", "ZWEI\nZEILEN"},
                                                  {"LATER", "SECOND"}};
    EXPECT_EQ(read_panel_texts(dir), want);

    EXPECT_EQ(local("EXIT"), "EXIT");  // English selected
    set_language(6);
    EXPECT_EQ(local("EXIT"), "ENDE");
    EXPECT_EQ(local("%d BPH"), "%d BPH");
    EXPECT_EQ(local("NOT THERE"), "NOT THERE");
}

}  // namespace
}  // namespace dryer::l10n
