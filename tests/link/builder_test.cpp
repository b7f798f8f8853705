#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "link/crc.h"
#include "link/frames.h"
#include "link/reply_builder.h"
#include "link_test_support.h"

using namespace dryer::link;
using namespace dryer::link::test;

namespace {

std::vector<std::uint8_t> wire(const TransmitBuffer& tx, std::size_t n) { return {tx.begin(), tx.begin() + n}; }

// Splits an item reply into item codes, checking that its length byte,
// count byte and item lengths agree.
std::vector<int> item_codes(const TransmitBuffer& tx) {
    std::vector<int> codes;
    const std::size_t len = tx[0];
    std::size_t at = 2;
    while (at < len - 2) {
        codes.push_back(tx[at] << 8 | tx[at + 1]);
        at += 3 + tx[at + 2];
    }
    EXPECT_EQ(at, len - 2);
    EXPECT_EQ(codes.size(), tx[1]);
    return codes;
}

}  // namespace

TEST(ReplyTable, rows_match_their_settings) {
    EXPECT_EQ(kReplyRows[row::fan_heater_count].code, off::fan_heater_count);
    EXPECT_EQ(kReplyRows[row::clock].n, 5);
    EXPECT_EQ(kReplyRows[plenum_setpoint_row(1)].code, heater_setpoint_offset(1));
    EXPECT_EQ(kReplyRows[plenum_setpoint_row(6)].code, heater_setpoint_offset(6));
    EXPECT_EQ(kReplyRows[burner_diff_row(1)].code, burner_diff_offset(1));
    EXPECT_EQ(kReplyRows[burner_mode_row(6)].code, burner_mode_offset(6));
    EXPECT_EQ(kReplyRows[row::meter_roll_value_back].source, off::value_230);
    EXPECT_EQ(kReplyRows[row::autostart].code, off::autostart_285);
    EXPECT_EQ(kReplyRows[row::hardware_options_2].code, off::options_293);
    // Only rows 1, 21 and 79 are sent regardless of the length limit.
    for (std::size_t r = 1; r <= kReplyRowCount; ++r) {
        EXPECT_EQ(!kReplyRows[r].limited, r == 1 || r == 21 || r == 79) << r;
        EXPECT_GE(kReplyRows[r].n, 1) << r;
        EXPECT_LE(kReplyRows[r].n, 5) << r;
    }
    EXPECT_EQ(row_for_setting(off::options_279), row::hardware_options);
    EXPECT_EQ(row_for_setting(off::meter_roll_control_159), row::meter_roll_control);
    EXPECT_EQ(row_for_setting(161), 0);
}

TEST(ReplyBuilder, nothing_raised_gives_no_items) {
    LinkState s;
    TransmitBuffer tx{};
    EXPECT_FALSE(build_reply(s, tx));
    EXPECT_EQ(tx[0], 4);
    EXPECT_EQ(tx[1], 0);
}

TEST(ReplyBuilder, one_single_byte_item) {
    LinkState s;
    s.settings.set(off::fan_heater_count, 2);
    s.flags.raise(row::fan_heater_count);
    TransmitBuffer tx{};
    ASSERT_TRUE(build_reply(s, tx));
    const std::size_t n = finish_item_reply(tx);
    EXPECT_EQ(wire(tx, n), (std::vector<std::uint8_t>{0x08, 0x01, 0x00, 0x03, 0x01, 0x02, 0x4C, 0xC2}));
    EXPECT_TRUE(s.flags.raised(row::fan_heater_count)) << "only the echo lowers it";
}

TEST(ReplyBuilder, every_flag_raised_gives_rows_1_to_21_and_79) {
    LinkState s;
    for (int r = 1; r <= static_cast<int>(kReplyRowCount); ++r) s.flags.raise(r);
    TransmitBuffer tx{};
    ASSERT_TRUE(build_reply(s, tx));
    EXPECT_EQ(tx[0], 108);
    std::vector<int> expected;
    for (int r = 1; r <= 21; ++r) expected.push_back(kReplyRows[static_cast<std::size_t>(r)].code);
    expected.push_back(off::autostart_285);
    EXPECT_EQ(item_codes(tx), expected);
    EXPECT_FALSE(s.flags.raised(row::clock)) << "one-shot row lowered when appended";
    EXPECT_TRUE(s.flags.raised(row::plenum6_setpoint)) << "rows skipped for length wait";
    EXPECT_EQ(finish_item_reply(tx), 108u);
    EXPECT_TRUE(crc_verify(tx.data(), 106));
}

TEST(ReplyBuilder, status_sourced_rows_hand_back_reported_values) {
    LinkState s;
    for (std::size_t k = 155; k <= 158; ++k) s.status.set(k, static_cast<std::uint8_t>(0x10 + k - 155));
    s.status.set(off::value_230, 0x77);
    s.settings.set(off::value_230, 0x11);
    s.flags.raise(row::meter_roll_speeds_back);
    s.flags.raise(row::meter_roll_value_back);
    s.flags.raise(row::meter_roll_speeds_160_back);
    TransmitBuffer tx{};
    ASSERT_TRUE(build_reply(s, tx));
    const std::vector<std::uint8_t> items(tx.begin() + 2, tx.begin() + tx[0] - 2);
    EXPECT_EQ(items, (std::vector<std::uint8_t>{0, 159, 4, 0x10, 0x11, 0x12, 0x13,  // row 47
                                                0, 161, 1, 0x77,                    // row 48
                                                0, 160, 3, 0x11, 0x12, 0x13}));     // row 51
}

TEST(ReplyBuilder, any_flag_pattern_stays_within_112_bytes) {
    std::mt19937 rng(1234);
    for (int trial = 0; trial < 20000; ++trial) {
        LinkState s;
        // Dense patterns hit the limit; sparse ones check ordinary replies.
        const unsigned density = 1 + rng() % 100;
        for (int r = 1; r <= static_cast<int>(kReplyRowCount); ++r) {
            if (rng() % 100 < density) s.flags.raise(r);
        }
        TransmitBuffer tx{};
        const bool any = build_reply(s, tx);
        ASSERT_LE(tx[0], kMaxReplySize);
        ASSERT_EQ(any, tx[1] > 0);
        const std::vector<int> codes = item_codes(tx);
        ASSERT_EQ(codes.size(), tx[1]);
    }
}

TEST(ReplyBuilder, longest_reply_is_112_bytes) {
    // Rows chosen so that the running length is 99 before row 52 (four value
    // bytes): it still goes in, then the unconditional row 79.
    LinkState s;
    for (int r : {1, 21, 52, 79}) s.flags.raise(r);
    for (int r = 7; r <= 18; ++r) s.flags.raise(r);
    for (int r = 22; r <= 26; ++r) s.flags.raise(r);
    s.flags.raise(row::moisture_setpoint);  // after row 52: skipped for length
    TransmitBuffer tx{};
    ASSERT_TRUE(build_reply(s, tx));
    EXPECT_EQ(tx[0], 112);
    const std::vector<int> codes = item_codes(tx);
    EXPECT_EQ(codes.end()[-2], 159);
    EXPECT_EQ(codes.back(), 285);
    EXPECT_EQ(finish_item_reply(tx), 112u);
}

TEST(Frames, acceptance_needs_exactly_331_bytes_with_matching_check_bytes) {
    LinkState s;
    Frame f = Frame::of(s);
    f.set(40, 0x33);
    std::vector<std::uint8_t> bytes(f.seal().begin(), f.seal().end());
    EXPECT_TRUE(status_frame_accepted(bytes.data(), 331));
    EXPECT_FALSE(status_frame_accepted(bytes.data(), 330));
    bytes.push_back(0);
    EXPECT_FALSE(status_frame_accepted(bytes.data(), 332));
    EXPECT_FALSE(status_frame_accepted(nullptr, 0));
    // 330 bytes whose first 328 check: a frame one byte short is still refused.
    std::vector<std::uint8_t> short_frame(330);
    crc_append(short_frame.data(), 328);
    EXPECT_FALSE(status_frame_accepted(short_frame.data(), short_frame.size()));
    bytes.pop_back();
    bytes[100] ^= 0x04;
    EXPECT_FALSE(status_frame_accepted(bytes.data(), 331));
}

TEST(Frames, fixed_reply_shapes_on_the_wire) {
    TransmitBuffer tx{};
    EXPECT_EQ(wire(tx, put_idle_reply(tx)), kIdle);
    EXPECT_EQ(wire(tx, put_link_lost_reply(tx)), kLinkLost);
}

TEST(ReplyBuilder, panel_clock_goes_out_once) {
    LinkState s;
    queue_panel_clock(s, 7, 16, 8, 12, 2026);
    TransmitBuffer tx{};
    ASSERT_TRUE(build_reply(s, tx));
    EXPECT_EQ(std::vector<std::uint8_t>(tx.begin(), tx.begin() + 10),
              (std::vector<std::uint8_t>{12, 1, 0, 53, 5, 7, 16, 8, 12, 26}));
    EXPECT_FALSE(build_reply(s, tx)) << "one-shot: lowered when appended";
}
