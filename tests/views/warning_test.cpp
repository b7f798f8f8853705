// The warning window's figures, the line-split rule, the marker and the help
// text lines.
#include <gtest/gtest.h>

#include "views/warning/warning_model.h"

using namespace dryer;
using namespace dryer::views;
namespace off = link::off;

namespace {

std::string repeat_words(std::size_t length) {
    std::string s;
    while (s.size() < length) s += (s.size() % 7 == 6) ? ' ' : 'x';
    return s;
}

TEST(SplitLine, cuts_at_last_blank_before_half) {
    // 61 characters: the last blank before position 30.
    std::string t = repeat_words(61);
    auto [a, b] = split_line(t);
    EXPECT_EQ(a, t.substr(0, 27));
    EXPECT_EQ(b, t.substr(28));
    // No blank before the middle: empty first line, whole text second.
    auto [c, d] = split_line(std::string(40, 'y') + " tail");
    EXPECT_EQ(c, "");
    EXPECT_EQ(d, std::string(40, 'y') + " tail");
    // Texts are cut to 99 characters first.
    auto [e, f] = split_line(std::string(150, 'z'));
    EXPECT_EQ(f.size(), 99u);
}

TEST(WarningFigure, sixty_characters_on_one_line_sixty_one_on_two) {
    link::ByteImage s;
    s.set(off::shutdown_node, 1);
    s.set(off::shutdown_code, 2);
    for (std::size_t len : {60u, 61u}) {
        TableTexts t;
        t.set_warning(1, 2, repeat_words(len));
        const Scene sc = warning_view(s, true, true, 0, t).scene;
        int white = 0;
        for (const TextItem* x : sc.texts())
            if (x->colour == colour::white) ++white;
        EXPECT_EQ(white, len == 60 ? 1 : 2) << len;
        if (len == 60) {
            EXPECT_EQ(sc.find_text(repeat_words(60))->rect, (Rect{0, 65, 600, 80}));
        }
    }
}

TEST(WarningFigure, fan_heater_warning_5_shows_332_to_334) {
    link::ByteImage s;
    s.set(off::shutdown_node, 3);
    s.set(off::shutdown_code, 5);
    const WarningView v = warning_view(s, true, true, 0, NumberTexts{});
    for (const char* n : {"T330", "T331", "T332", "T333", "T334"}) EXPECT_NE(v.scene.find_text(n), nullptr) << n;
    EXPECT_EQ(v.scene.find_text("T330")->colour, colour::red);
    EXPECT_EQ(v.caption, "T329");
    EXPECT_FALSE(v.link_lost_request);
    EXPECT_EQ(v.scene.pictures(), std::vector<int>{517});
    // Off the blink phase the title is not drawn.
    EXPECT_EQ(warning_view(s, true, false, 0, NumberTexts{}).scene.find_text("T330"), nullptr);
}

TEST(WarningFigure, title_forms) {
    link::ByteImage s;
    s.set(off::shutdown_node, 14);
    s.set(off::shutdown_code, 5);
    s.set(off::status_188, 0x10);
    s.set_u16le(off::value_93, 97);
    Scene sc = warning_view(s, true, true, 0, NumberTexts{}).scene;
    ASSERT_NE(sc.find_text("T339"), nullptr);
    EXPECT_EQ(sc.find_text("T339")->size, 30);
    EXPECT_EQ(sc.find_text("T339")->colour, colour::blue);
    EXPECT_NE(sc.find_text("T927 97 \xC2\xB0 F"), nullptr);
    s.set(off::status_188, 0x02);
    s.set(off::value_267, 3);
    s.set(off::value_267 + 1, 9);
    sc = warning_view(s, true, true, 0, NumberTexts{}).scene;
    ASSERT_NE(sc.find_text("T462: 3:09"), nullptr);
    EXPECT_EQ(sc.find_text("T462: 3:09")->size, 40);
    EXPECT_NE(sc.find_text("T337"), nullptr);
}

TEST(WarningFigure, link_lost_wins_over_a_reported_condition) {
    link::ByteImage s;
    s.set(off::shutdown_node, 3);
    s.set(off::shutdown_code, 5);
    const WarningView v = warning_view(s, false, true, 4, NumberTexts{});
    EXPECT_TRUE(v.link_lost_request);
    EXPECT_EQ(v.caption, kConnectionLostCaption);
    EXPECT_NE(v.scene.find_text("T338"), nullptr);
    EXPECT_EQ(v.scene.find_text("T331"), nullptr);
    EXPECT_EQ(v.scene.pictures(), (std::vector<int>{259, 260}));
    bool marker_found = false;
    for (const auto& it : v.scene.items)
        if (auto* l = std::get_if<LineItem>(&it); l && l->width == 6) marker_found = l->x1 == 145 && l->x2 == 160;
    EXPECT_TRUE(marker_found);
}

TEST(LinkLostMarker, bounces_between_0_and_13) {
    LinkLostMarker m;
    std::vector<int> seen;
    for (int i = 0; i < 28; ++i) {
        m.step();
        seen.push_back(m.position());
    }
    EXPECT_EQ(seen[12], 13);
    EXPECT_EQ(seen[13], 12);
    EXPECT_EQ(seen[25], 0);
    EXPECT_EQ(seen[26], 1);
    for (int p : seen) EXPECT_TRUE(p >= 0 && p <= 13);
}

std::string utf16(const std::u16string& s, bool bom = true) {
    std::string out = bom ? std::string("\xFF\xFE", 2) : std::string("\0\0", 2);
    for (char16_t c : s) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

TEST(HelpLines, split_on_line_feed_tab_to_four_blanks_cr_ends_text) {
    const auto lines = help_lines(utf16(u"Check\tfan\r\nSecond line\rjunk\n\nlast \u00e9"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Check    fan");
    EXPECT_EQ(lines[1], "Second line");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "last \xC3\xA9");
}

TEST(HelpLines, odd_and_oversized_inputs) {
    EXPECT_TRUE(help_lines("").empty());
    EXPECT_TRUE(help_lines("\xFF").empty());
    EXPECT_EQ(help_lines(std::string("\xFF\xFE" "A", 3)).size(), 0u);
    const auto big = help_lines(utf16(std::u16string(20000, u'a')));
    ASSERT_EQ(big.size(), 1u);
    EXPECT_EQ(big[0].size(), (kHelpFileMaxBytes - 2) / 2);
    EXPECT_EQ(help_node(5), 2);
    EXPECT_EQ(help_node(14), 14);
    EXPECT_EQ(next_help_frame(6), 0);
}

}  // namespace
