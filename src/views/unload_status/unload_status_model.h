// UNLOAD_STATUS_WINDOW's drawing: the large figure of 197-198, the unloading
// rate and total bushels on the status button, and the three metering-roll
// speed setpoints on the speed button with the one in use highlighted.
#pragma once

#include <array>
#include <string>

#include "link/images.h"
#include "views/scene/scene.h"
#include "views/scene/texts.h"

namespace dryer::views {

inline constexpr int kUnloadStatusWidth = 240;
inline constexpr int kUnloadStatusHeight = 175;
inline constexpr int kUnloadClientWidth = titled_client_width(kUnloadStatusWidth);
inline constexpr int kUnloadClientHeight = titled_client_height(kUnloadStatusHeight);

// Where the two owner-drawn buttons sit in the client area.
inline constexpr Rect kSpeedButton{124, 2, 232, 72};                                      // 108 x 70
inline constexpr Rect kUnloadButton{0, kUnloadClientHeight - 76, 236, kUnloadClientHeight};  // 236 x 76

inline constexpr Rgb kUnloadDivider{128, 128, 128};
inline constexpr Rgb kButtonFace{0, 0, 150};
inline constexpr Rgb kHighlight{230, 230, 230};

// The labels: the speed lines' "HIGH:", "MED:", "LOW:", then the status
// button's "Bushel/Hour:" and "Total Bushels:".
inline constexpr unsigned kSpeedLabelTexts[3] = {928, 929, 930};
inline constexpr unsigned kRateText = 931;
inline constexpr unsigned kTotalText = 932;

// The three speed lines, high first: " HIGH: 0750 ", " MED:  0500 ",
// " LOW:  0250 " (the setpoints at 156, 157, 158 times ten); the labels are
// padded with blanks to the longest one's length in characters.
std::array<std::string, 3> speed_lines(const link::ByteImage& s, const Texts& t);

// highlighted_speed_line() returns the line of the speed in use by 155
// (2 high, 1 main, 0 low) as 0 high .. 2 low, or -1 for any other value.
int highlighted_speed_line(const link::ByteImage& s);

// unload_figure() returns 197-198 (tenths, high byte first) as "%2d.%d".
std::string unload_figure(const link::ByteImage& s);

// unload_status_scene() returns the window's client drawing.
Scene unload_status_scene(const link::ByteImage& s, const Texts& t);

}  // namespace dryer::views
