#include "platform/time_format.h"

#include <gtest/gtest.h>

#include <tuple>

namespace dryer::platform {
namespace {

LocalTime make(int y, int mo, int d, int h, int mi, int s = 0) {
    LocalTime t;
    t.year = y;
    t.month = mo;
    t.day = d;
    t.hour = h;
    t.minute = mi;
    t.second = s;
    // The day of the week comes from the calendar, as from the clock.
    t.day_of_week = from_file_time(to_file_time(t)).day_of_week;
    return t;
}

struct PictureCase {
    const char* picture;
    LocalTime time;
    const char* expected;
};

class PictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureTest, FormatsLikeWindowsPictures) {
    const PictureCase& c = GetParam();
    EXPECT_EQ(format_picture(c.picture, c.time), c.expected) << c.picture;
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureTest,
    ::testing::Values(
        // The history list's time: 12-hour clock without a leading zero.
        PictureCase{"h':'mm tt", make(2026, 12, 8, 15, 7), "3:07 PM"},
        PictureCase{"h':'mm tt", make(2026, 12, 8, 0, 5), "12:05 AM"},
        PictureCase{"h':'mm tt", make(2026, 12, 8, 12, 0), "12:00 PM"},
        PictureCase{"h':'mm tt", make(2026, 12, 8, 11, 59), "11:59 AM"},
        // The list's date: three letters of y give the full year.
        PictureCase{"MMM dd',' yyy", make(2026, 12, 8, 9, 0), "Dec 08, 2026"},
        PictureCase{"MMM dd',' yyy", make(2031, 1, 31, 9, 0), "Jan 31, 2031"},
        PictureCase{"dddd  MMM dd',' yyy", make(2026, 12, 8, 9, 0), "Tuesday  Dec 08, 2026"},
        PictureCase{"dddd  MMM dd',' yyy", make(2024, 2, 29, 9, 0), "Thursday  Feb 29, 2024"},
        // The other elements and the quoting rules.
        PictureCase{"d/M/yy H:mm:ss t", make(2009, 3, 5, 7, 4, 9), "5/3/09 7:04:09 A"},
        PictureCase{"dd.MM.yyyy HH:mm", make(2009, 3, 5, 7, 4), "05.03.2009 07:04"},
        PictureCase{"MMMM dddd ddd", make(2026, 12, 8, 0, 0), "December Tuesday Tue"},
        PictureCase{"hh 'o''clock' y", make(2026, 12, 8, 15, 0), "03 o'clock 26"},
        PictureCase{"'unterminated", make(2026, 12, 8, 15, 0), "unterminated"},
        PictureCase{"", make(2026, 12, 8, 15, 0), ""}));

TEST(PictureTest, NamesOutOfRangeAreEmpty) {
    LocalTime t = make(2026, 12, 8, 15, 7);
    t.month = 13;
    t.day_of_week = 9;
    EXPECT_EQ(format_picture("[MMM][dddd]", t), "[][]");
}

TEST(FileTimeTest, RoundTripsAndKnowsTheWeekday) {
    for (const LocalTime& t : {make(1601, 1, 1, 0, 0), make(1970, 1, 1, 0, 0), make(2024, 2, 29, 23, 59, 59),
                               make(2026, 12, 8, 15, 7, 30), make(9999, 12, 31, 23, 59, 59)}) {
        const LocalTime back = from_file_time(to_file_time(t));
        EXPECT_EQ(std::tie(back.year, back.month, back.day, back.hour, back.minute, back.second),
                  std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second));
    }
    EXPECT_EQ(to_file_time(make(1601, 1, 1, 0, 0)), 0);
    EXPECT_EQ(from_file_time(0).day_of_week, 1);  // 1601-01-01 was a Monday
    EXPECT_EQ(to_file_time(make(1970, 1, 1, 0, 0)), 116'444'736'000'000'000);
    EXPECT_EQ(from_file_time(-5).year, 1601);
}

}  // namespace
}  // namespace dryer::platform
