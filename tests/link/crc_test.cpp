#include <gtest/gtest.h>

#include <vector>

#include "link/crc.h"

using namespace dryer::link;

TEST(Crc, standard_check_value_of_nine_digits) {
    const std::uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', 0, 0};
    EXPECT_EQ(crc16(digits, 9), 0x4B37);
    std::uint8_t buf[11];
    std::copy(std::begin(digits), std::end(digits), buf);
    crc_append(buf, 9);
    EXPECT_EQ(buf[9], 0x37);
    EXPECT_EQ(buf[10], 0x4B);
    EXPECT_TRUE(crc_verify(buf, 9));
}

TEST(Crc, table_matches_published_modbus_tables) {
    // First entries of the reference high-byte and low-byte tables.
    EXPECT_EQ(kCrcTable[0], 0x00);
    EXPECT_EQ(kCrcTable[1], 0xC1);
    EXPECT_EQ(kCrcTable[2], 0x81);
    EXPECT_EQ(kCrcTable[3], 0x40);
    EXPECT_EQ(kCrcTable[255], 0x40);
    EXPECT_EQ(kCrcTable[256 + 0], 0x00);
    EXPECT_EQ(kCrcTable[256 + 1], 0xC0);
    EXPECT_EQ(kCrcTable[256 + 2], 0xC1);
    EXPECT_EQ(kCrcTable[256 + 3], 0x01);
    EXPECT_EQ(kCrcTable[511], 0x40);
}

TEST(Crc, fixed_reply_shapes) {
    std::uint8_t idle[7] = {0x07, 0, 0, 0, 0};
    crc_append(idle, 5);
    EXPECT_EQ(idle[5], 0x91);
    EXPECT_EQ(idle[6], 0xC0);
    std::uint8_t lost[4] = {0x06, 0x00};
    crc_append(lost, 2);
    EXPECT_EQ(lost[2], 0x02);
    EXPECT_EQ(lost[3], 0x10);
    std::uint8_t one[8] = {0x08, 0x01, 0x00, 0x03, 0x01, 0x02};
    crc_append(one, 6);
    EXPECT_EQ(one[6], 0x4C);
    EXPECT_EQ(one[7], 0xC2);
}

TEST(Crc, verify_rejects_any_single_flipped_bit) {
    std::vector<std::uint8_t> frame(331);
    for (std::size_t i = 0; i < 329; ++i) frame[i] = static_cast<std::uint8_t>(i * 7);
    crc_append(frame.data(), 329);
    ASSERT_TRUE(crc_verify(frame.data(), 329));
    for (std::size_t byte = 0; byte < 331; byte += 13) {
        for (int b = 0; b < 8; ++b) {
            frame[byte] ^= static_cast<std::uint8_t>(1u << b);
            EXPECT_FALSE(crc_verify(frame.data(), 329)) << byte << ":" << b;
            frame[byte] ^= static_cast<std::uint8_t>(1u << b);
        }
    }
}
