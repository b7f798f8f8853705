// The dryer state line: the one phrase at the top right of the main screen
// that says what the dryer is doing or waiting for. A priority list of eleven
// rows; the first row whose condition holds picks text, colour and font.
#pragma once

#include <cstdint>
#include <string>

#include "link/images.h"
#include "views/scene/blink.h"
#include "views/scene/scene.h"
#include "views/scene/texts.h"

namespace dryer::views {

inline constexpr int kStateLineWidth = 400;
inline constexpr int kStateLineHeight = 40;
inline constexpr const char* kBlinkOff = "        ";  // eight blanks
// The unit after the learning period's minutes ("MC LEARNING 12 Minutes").
inline constexpr unsigned kMinutesText = 901;

namespace state_colour {
inline constexpr Rgb lime{100, 255, 0};
inline constexpr Rgb dark_red{200, 0, 0};
}  // namespace state_colour

struct StateLine {
    int row = 11;          // 1..11, the row of the priority list that won
    std::string text;      // as drawn (eight blanks outside the blink phase)
    Rgb colour = colour::green;
    int size = 28;
    int weight = 700;
    unsigned number = 0;   // the language text of the phrase
};

// out_of_grain_fraction() returns remaining / setting as a fraction,
// and 0 when the setting is 0 (an unset timer reads as run out).
double out_of_grain_fraction(std::uint32_t remaining, std::uint32_t setting);

// state_line() returns the phrase of the first row of the priority list
// that holds for the status image, the shell's blink flags and the Celsius flag.
StateLine state_line(const link::ByteImage& s, std::uint32_t blink_flags, bool celsius, const Texts& t);

// state_line_scene() returns the window's drawing: a black 400 by 40
// picture with the line in (5, 0)-(390, 45).
Scene state_line_scene(const StateLine& line);

}  // namespace dryer::views
