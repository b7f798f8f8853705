// The language configuration file, the current language and the
// two-line captions of the language dialog.
#include <gtest/gtest.h>

#include <string>

#include "l10n/language.h"
#include "l10n/texts.h"
#include "test_root.h"

namespace dryer::l10n {
namespace {

using testing::read_bytes;
using testing::TempRoot;
using testing::write_bytes;

struct ConfigCase {
    const char* name;
    std::string content;
    int index;
};

class ConfigContent : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigContent, selects_language_by_whole_case_sensitive_name) {
    TempRoot root;
    write_bytes(root.hard_disk() / "TavrinLangConfig.txt", GetParam().content);
    EXPECT_EQ(read_language_config(), GetParam().index);
    EXPECT_EQ(current_language(), GetParam().index);
    // An unknown content is left as it is.
    EXPECT_EQ(read_bytes(root.hard_disk() / "TavrinLangConfig.txt"), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigContent,
    ::testing::Values(ConfigCase{"german", "German", 6}, ConfigCase{"german_crlf", "German\r\n", 0},
                      ConfigCase{"lower_case", "german", 0}, ConfigCase{"dutch", "Dutch", 4},
                      ConfigCase{"spanish_last", "Spanish", 12}, ConfigCase{"empty", "", 0},
                      ConfigCase{"leading_blank", " German", 0}, ConfigCase{"prefix_only", "Germ", 0},
                      ConfigCase{"nul_ends_content", std::string("Polish\0xyz", 10), 8},
                      ConfigCase{"binary", std::string("\xFF\xFE\x00\x01", 4), 0},
                      ConfigCase{"over_200_bytes", "German" + std::string(195, ' '), 0},
                      ConfigCase{"nul_padding_past_200", "Russian" + std::string(194, '\0'), 11}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LanguageConfig, missing_file_selects_english_and_creates_it) {
    TempRoot root;
    EXPECT_EQ(read_language_config(), kEnglish);
    EXPECT_EQ(read_bytes(root.hard_disk() / "TavrinLangConfig.txt"), "English");
}

TEST(LanguageConfig, without_hard_disk_everything_is_at_the_root) {
    TempRoot root(false);
    write_bytes(root.path() / "TavrinLangConfig.txt", "German");
    root.write_lines(root.path() / "Languages" / "DE" / "GermanStrings.txt", {u"DEUTSCH"});
    EXPECT_EQ(text(1), u"DEUTSCH");
    EXPECT_EQ(current_language(), 6);
    set_language(4);
    EXPECT_EQ(read_bytes(root.path() / "TavrinLangConfig.txt"), "Dutch");
    EXPECT_FALSE(std::filesystem::exists(root.hard_disk()));
}

TEST(LanguageConfig, set_language_writes_name_and_out_of_range_writes_english) {
    TempRoot root;
    set_language(kDutch);
    EXPECT_EQ(current_language(), 4);
    EXPECT_EQ(read_bytes(root.hard_disk() / "TavrinLangConfig.txt"), "Dutch");
    set_language(13);
    EXPECT_EQ(current_language(), kEnglish);
    EXPECT_EQ(read_bytes(root.hard_disk() / "TavrinLangConfig.txt"), "English");
    set_language(-1);
    EXPECT_EQ(current_language(), kEnglish);
}

TEST(LanguageConfig, unwritable_file_is_skipped_and_the_choice_holds) {
    TempRoot root;
    // A folder in place of the file cannot be opened for writing.
    std::filesystem::create_directories(root.hard_disk() / "TavrinLangConfig.txt");
    EXPECT_FALSE(write_language_config("German"));
    set_language(6);
    EXPECT_EQ(current_language(), 6);
    EXPECT_EQ(read_language_config(), kEnglish);  // unreadable: English
}

TEST(LanguageConfig, language_row_clamps_outside_one_to_twelve) {
    EXPECT_EQ(language(0).folder, "EN");
    EXPECT_EQ(language(12).folder, "ES");
    EXPECT_EQ(language(13).folder, "EN");
    EXPECT_EQ(language(-5).folder, "EN");
    EXPECT_EQ(language(255).strings_file, "EnglishStrings.txt");
}

TEST(LanguageConfig, names_are_texts_473_to_485_in_alphabetical_order) {
    for (int i = 0; i < kLanguageCount; ++i) {
        const unsigned n = kLanguages[static_cast<std::size_t>(i)].name_text;
        EXPECT_GE(n, 473u);
        EXPECT_LE(n, 485u);
        for (int j = 0; j < kLanguageCount; ++j) {
            const auto& other = kLanguages[static_cast<std::size_t>(j)];
            if (other.config_name < kLanguages[static_cast<std::size_t>(i)].config_name) {
                EXPECT_LT(other.name_text, n) << other.config_name;
            }
        }
    }
}

TEST(LanguageConfig, button_caption_is_local_name_over_english_name) {
    TempRoot root;
    std::vector<std::u16string> lines(485);
    lines[479 - 1] = u"DEUTSCH";
    lines[476 - 1] = u"NEDERLANDS";
    std::u16string all;
    for (const auto& l : lines) all += l + u"\r\n";
    testing::write_bytes(root.lang("DE") / "GermanStrings.txt", testing::utf16(all));
    set_language(6);
    EXPECT_EQ(language_button_caption(6), u"DEUTSCH\n(German)");
    EXPECT_EQ(language_button_caption(4), u"NEDERLANDS\n(Dutch)");
    EXPECT_EQ(language_button_caption(0), u"\n(English)");
}

}  // namespace
}  // namespace dryer::l10n
