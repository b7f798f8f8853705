#include "sim/reply_parser.h"

#include <gtest/gtest.h>

#include "test_frames.h"

namespace dryer::sim {
namespace {

using test::Bytes;

TEST(ReplyParser, RecognisesTheFixedShapes) {
    EXPECT_EQ(parse_reply(test::kIdle.data(), test::kIdle.size()).kind, ReplyKind::idle);
    EXPECT_EQ(parse_reply(test::kLinkLost.data(), test::kLinkLost.size()).kind, ReplyKind::link_lost);
}

TEST(ReplyParser, ReadsTheShortestItemReply) {
    const Bytes wire{0x08, 0x01, 0x00, 0x03, 0x01, 0x02, 0x4C, 0xC2};
    const Reply r = parse_reply(wire.data(), wire.size());
    ASSERT_EQ(r.kind, ReplyKind::items) << r.error;
    ASSERT_EQ(r.items.size(), 1u);
    EXPECT_EQ(r.items[0].code, 3);
    EXPECT_EQ(r.items[0].size, 1);
    EXPECT_EQ(r.items[0].bytes[0], 2);
}

TEST(ReplyParser, ReadsItemsOfEveryLengthInOrder) {
    // The three shapes of code 159 and the five-byte clock block.
    const Bytes wire = test::item_reply({{159, {0x03}},
                                         {159, {1, 30, 50, 70}},
                                         {160, {30, 50, 70}},
                                         {53, {15, 10, 8, 12, 26}},
                                         {324, {1, 2, 3, 4, 5}}});
    const Reply r = parse_reply(wire.data(), wire.size());
    ASSERT_EQ(r.kind, ReplyKind::items) << r.error;
    ASSERT_EQ(r.items.size(), 5u);
    EXPECT_EQ(r.items[1].size, 4);
    EXPECT_EQ(r.items[1].bytes[3], 70);
    EXPECT_EQ(r.items[3].code, 53);
    EXPECT_EQ(r.items[4].code, 324);  // last writable bytes 324..328
}

struct BadReply {
    const char* name;
    Bytes wire;
};

class MalformedReply : public ::testing::TestWithParam<BadReply> {};

TEST_P(MalformedReply, IsRefusedWithAReason) {
    const Bytes& w = GetParam().wire;
    const Reply r = parse_reply(w.data(), w.size());
    EXPECT_EQ(r.kind, ReplyKind::malformed);
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(r.items.empty());
}

Bytes flip(Bytes b, std::size_t at) {
    b[at] ^= 0x01;
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedReply,
    ::testing::Values(
        BadReply{"empty", {}},
        BadReply{"one_byte", {0x08}},
        BadReply{"link_lost_with_wrong_crc", {0x06, 0x00, 0x02, 0x11}},
        BadReply{"idle_with_wrong_crc", {0x07, 0x00, 0x00, 0x00, 0x00, 0x91, 0xC1}},
        BadReply{"idle_with_padding_set", test::with_crc({0x07, 0x00, 0x00, 0x01, 0x00})},
        BadReply{"bad_check_bytes", flip(test::item_reply({{69, {0xD2, 0x00}}}), 4)},
        BadReply{"length_byte_too_big", test::with_crc({0x0A, 0x01, 0x00, 0x03, 0x01, 0x02})},
        BadReply{"length_byte_too_small", test::with_crc({0x07, 0x01, 0x00, 0x03, 0x01, 0x02})},
        BadReply{"count_zero", test::with_crc({0x08, 0x00, 0x00, 0x03, 0x01, 0x02})},
        BadReply{"count_too_high", test::with_crc({0x08, 0x02, 0x00, 0x03, 0x01, 0x02})},
        BadReply{"count_too_low", test::with_crc({0x0C, 0x01, 0x00, 0x03, 0x01, 0x02, 0x00, 0x04, 0x01, 0x02})},
        BadReply{"value_size_zero", test::with_crc({0x08, 0x01, 0x00, 0x03, 0x00, 0x02})},
        BadReply{"value_size_six", test::with_crc({0x0D, 0x01, 0x00, 0x03, 0x06, 1, 2, 3, 4, 5, 6})},
        BadReply{"item_runs_past_frame", test::with_crc({0x09, 0x01, 0x00, 0x03, 0x04, 0x02, 0x03})},
        BadReply{"item_past_payload", test::item_reply({{326, {1, 2, 3, 4}}})},
        BadReply{"item_on_check_bytes", test::item_reply({{329, {1}}})},
        BadReply{"code_far_out", test::item_reply({{0xFFFF, {1}}})}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ReplyParser, FrameLengthOfTheLinkLostShapeIsFourBytes) {
    EXPECT_EQ(reply_frame_length(test::kLinkLost.data(), test::kLinkLost.size()), 4u);
    EXPECT_EQ(reply_frame_length(test::kIdle.data(), test::kIdle.size()), 7u);
    const std::uint8_t lone = 0x06;
    EXPECT_EQ(reply_frame_length(&lone, 1), 6u);  // not yet known to be the link-lost shape
}

}  // namespace
}  // namespace dryer::sim
