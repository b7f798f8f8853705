// The "Select Language to Use" dialog and the localized button pictures,
// as real widgets and real BMP files (offscreen platform).
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>

#include <cstdlib>

#include "l10n/language.h"
#include "l10n/qt/language_dialog.h"
#include "l10n/qt/pictures.h"
#include "l10n/resources.h"
#include "test_root.h"

namespace dryer::l10n::qt {
namespace {

using testing::TempRoot;

std::filesystem::path built_languages() {
    const char* dir = std::getenv("DRYER_BINARY_DIR");
    return std::filesystem::path(dir ? dir : ".") / "panel-root" / "Hard Disk" / "Languages";
}

class LanguageDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::u16string> en(485), de(485);
        for (int i = 0; i < kLanguageCount; ++i) {
            const auto& lang = kLanguages[static_cast<std::size_t>(i)];
            en[lang.name_text - 1] = testing::widen(lang.caption);
            de[lang.name_text - 1] = u"DE-" + testing::widen(lang.caption);
        }
        write(root.lang("EN") / "EnglishStrings.txt", en);
        write(root.lang("DE") / "GermanStrings.txt", de);
    }
    static void write(const std::filesystem::path& p, const std::vector<std::u16string>& lines) {
        std::u16string all;
        for (const auto& l : lines) all += l + u"\r\n";
        testing::write_bytes(p, testing::utf16(all));
    }
    static int checked_count(const LanguageDialog& d) {
        int n = 0;
        for (int i = 0; i < kLanguageCount; ++i) n += d.button(i)->isChecked() ? 1 : 0;
        return n;
    }
    TempRoot root;
};

TEST_F(LanguageDialogTest, thirteen_buttons_in_three_columns_of_four_and_dutch_below) {
    LanguageDialog d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Select Language to Use"));
    const char* columns[3][4] = {{"ENGLISH", "BULGARIAN", "CZECH", "DANISH"},
                                 {"FRENCH", "GERMAN", "HUNGARIAN", "POLISH"},
                                 {"PORTUGUESE", "ROMANIAN", "RUSSIAN", "SPANISH"}};
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 4; ++r) {
            auto* b = d.findChild<QPushButton*>(QString::fromLatin1(columns[c][r]));
            ASSERT_NE(b, nullptr) << columns[c][r];
            auto* first = d.findChild<QPushButton*>(QString::fromLatin1(columns[c][0]));
            auto* left = d.findChild<QPushButton*>(QString::fromLatin1(columns[0][r]));
            EXPECT_EQ(b->x(), first->x());
            EXPECT_EQ(b->y(), left->y());
            if (c > 0) {
                EXPECT_GT(b->x(), d.findChild<QPushButton*>(QString::fromLatin1(columns[c - 1][r]))->x());
            }
        }
    }
    auto* dutch = d.findChild<QPushButton*>(QStringLiteral("DUTCH"));
    auto* danish = d.findChild<QPushButton*>(QStringLiteral("DANISH"));
    ASSERT_NE(dutch, nullptr);
    EXPECT_EQ(dutch->x(), danish->x());
    EXPECT_GT(dutch->y(), danish->y());
    EXPECT_EQ(d.findChildren<QPushButton*>().size(), kLanguageCount);
}

TEST_F(LanguageDialogTest, captions_are_two_lines_and_only_current_is_pressed) {
    testing::write_bytes(root.hard_disk() / "TavrinLangConfig.txt", "German");
    LanguageDialog d;
    d.show();
    EXPECT_EQ(d.button(6)->text(), QStringLiteral("DE-GERMAN\n(German)"));
    EXPECT_EQ(d.button(4)->text(), QStringLiteral("DE-DUTCH\n(Dutch)"));
    EXPECT_EQ(checked_count(d), 1);
    EXPECT_TRUE(d.button(6)->isChecked());
}

TEST_F(LanguageDialogTest, choosing_dutch_sets_index_four_writes_file_and_closes) {
    LanguageDialog d;
    int signalled = -1;
    QObject::connect(&d, &LanguageDialog::language_chosen, [&](int i) { signalled = i; });
    d.show();
    ASSERT_TRUE(d.isVisible());
    QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("DUTCH")), Qt::LeftButton);
    EXPECT_EQ(current_language(), kDutch);
    EXPECT_EQ(testing::read_bytes(root.hard_disk() / "TavrinLangConfig.txt"), "Dutch");
    EXPECT_EQ(d.chosen(), kDutch);
    EXPECT_EQ(signalled, kDutch);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(checked_count(d), 1);
    EXPECT_TRUE(d.button(kDutch)->isChecked());
}

TEST_F(LanguageDialogTest, choosing_the_current_language_keeps_it_pressed) {
    LanguageDialog d;
    d.show();
    QTest::mouseClick(d.button(kEnglish), Qt::LeftButton);
    EXPECT_EQ(current_language(), kEnglish);
    EXPECT_TRUE(d.button(kEnglish)->isChecked());
    EXPECT_EQ(checked_count(d), 1);
}

TEST_F(LanguageDialogTest, centres_over_parent_clamping_negative_to_zero) {
    QWidget parent;
    parent.setGeometry(0, 0, 100, 80);
    parent.show();
    LanguageDialog d(&parent);
    d.show();
    EXPECT_EQ(d.pos(), QPoint(0, 0));
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::is_directory(built_languages() / "EN" / "Bitmaps"));
        std::filesystem::create_directory_symlink(built_languages(), root.hard_disk() / "Languages");
    }
    TempRoot root;
};

QSize expected_size(int n) {
    if (n <= 6) return {105, 40};
    if ((n >= 12 && n <= 22) || n == 70 || n == 71) return {180, 50};
    if (n == 41) return {158, 41};
    if (n == 48 || n == 49) return {120, 60};
    if (n >= 50 && n <= 61) return {100, 40};
    if (n == 62) return {160, 47};
    if (n >= 64 && n <= 69) return {110, 33};
    if (n >= 74) return {500, 400};
    return {200, 50};
}

TEST_F(Pictures, all_77_load_in_every_language_at_their_button_sizes) {
    for (int lang = 0; lang < kLanguageCount; ++lang) {
        set_language(lang);
        for (int n = 1; n <= 77; ++n) {
            const QPixmap p = load_button_picture(n);
            ASSERT_FALSE(p.isNull()) << lang << "/" << n;
            EXPECT_EQ(p.size(), expected_size(n)) << n;
        }
    }
}

TEST_F(Pictures, buttons_carry_dark_caption_pixels_on_a_light_face) {
    for (int n : {1, 41, 50, 65}) {
        const QImage img = load_button_picture(n).toImage();
        int dark = 0;
        for (int y = 4; y < img.height() - 4; ++y) {
            for (int x = 4; x < img.width() - 4; ++x) dark += qGray(img.pixel(x, y)) < 100 ? 1 : 0;
        }
        EXPECT_GT(dark, 20) << n;
        EXPECT_GT(qGray(img.pixel(3, img.height() / 2)), 150) << n;
    }
}

TEST_F(Pictures, missing_picture_gives_none_and_pressed_look_keeps_size) {
    EXPECT_TRUE(load_button_picture(0).isNull());
    EXPECT_TRUE(load_button_picture(78).isNull());
    EXPECT_TRUE(load_picture_file(root.path() / "nothing.bmp").isNull());
    EXPECT_TRUE(pressed_look(QPixmap()).isNull());
    const QPixmap up = load_button_picture(1);
    const QPixmap down = pressed_look(up);
    EXPECT_EQ(down.size(), up.size());
    EXPECT_NE(down.toImage(), up.toImage());
}

TEST(PicturesNoFiles, language_without_bitmaps_has_no_fallback) {
    TempRoot root;
    std::filesystem::create_directories(root.lang("EN") / "Bitmaps");
    EXPECT_TRUE(load_button_picture(41).isNull());
}

}  // namespace
}  // namespace dryer::l10n::qt
