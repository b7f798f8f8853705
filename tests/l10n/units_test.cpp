// Unit conversions and number formats.
#include <gtest/gtest.h>

#include "views/units/units.h"

namespace dryer::units {
namespace {

TEST(Units, fahrenheit_to_celsius_truncates_toward_zero) {
    struct Case {
        int f, c;
    };
    for (Case k : {Case{212, 100}, Case{100, 37}, Case{33, 0}, Case{32, 0}, Case{31, 0}, Case{0, -17},
                   Case{-40, -40}, Case{-41, -40}, Case{23, -5}, Case{32767, 18186}, Case{-32768, -18222}}) {
        EXPECT_EQ(fahrenheit_to_celsius(static_cast<std::int16_t>(k.f)), k.c) << k.f;
    }
}

TEST(Units, raw_values_from_0x8000_are_negative) {
    EXPECT_EQ(as_signed16(0x8000), -32768);
    EXPECT_EQ(as_signed16(0xFFFF), -1);
    EXPECT_EQ(as_signed16(0x7FFF), 32767);
    EXPECT_EQ(fahrenheit_to_celsius(as_signed16(0xFFD8)), -40);  // -40 F
    EXPECT_EQ(fahrenheit_to_celsius(as_signed16(0xFFFF)), -18);
}

TEST(Units, tenths_are_truncated_to_whole_degrees_first) {
    EXPECT_EQ(tenths_fahrenheit_to_celsius(1000), 37);
    EXPECT_EQ(tenths_fahrenheit_to_celsius(2129), 100);
    EXPECT_EQ(tenths_fahrenheit_to_celsius(-405), -40);
    EXPECT_EQ(tenths_fahrenheit_to_celsius(319), 0);
}

TEST(Units, temperature_text_by_switches) {
    struct Case {
        int f;
        bool celsius, degree, unit;
        std::u16string text;
    };
    const Case cases[] = {
        {212, false, true, true, u"212\u00B0F"}, {212, true, true, true, u"100\u00B0C"},
        {212, false, false, true, u"212F"},      {212, true, false, true, u"100C"},
        {212, false, true, false, u"212"},       {212, true, true, false, u"100"},
        {-40, true, true, true, u"-40\u00B0C"},  {0, true, false, true, u"-17C"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(temperature_text(static_cast<std::int16_t>(c.f), c.celsius, c.degree, c.unit), c.text);
    }
}

TEST(Units, switch_off_converts_nothing) {
    EXPECT_FALSE(celsius_selected(0x7F));
    EXPECT_TRUE(celsius_selected(0x80));
    EXPECT_EQ(display_temperature(31, false), 31);
    EXPECT_EQ(display_quantity(1000, false), 1000);
    EXPECT_EQ(unit_letter(false), u'F');
    EXPECT_EQ(unit_letter(true), u'C');
}

TEST(Units, tenths_and_hundredths_formats) {
    EXPECT_EQ(tenths_text(155, false), u"15.5");
    EXPECT_EQ(tenths_text(155, true), u"15.5%");
    EXPECT_EQ(tenths_text(7, true), u"0.7%");
    EXPECT_EQ(tenths_text(65535, false), u"6553.5");
    EXPECT_EQ(hundredths_text(705), u"7.05");
    EXPECT_EQ(hundredths_text(0), u"0.00");
}

TEST(Units, bushels_to_metric_tons_truncates) {
    EXPECT_EQ(bushels_to_metric_tons(1000), 25);
    EXPECT_EQ(bushels_to_metric_tons(39), 0);
    EXPECT_EQ(bushels_to_metric_tons(40), 1);
    EXPECT_EQ(bushels_to_metric_tons(0), 0);
    EXPECT_EQ(display_quantity(3938, true), 100);
}

}  // namespace
}  // namespace dryer::units
