// The built-in pictures of the main screen and the warning window: dryer
// bodies (323, 324, 367, 406), fan/heater units in four states and three
// animation phases, load, auger and flow indicators, status marks, the mark
// 462 and the warning window's pictures 259, 260 and 517.
#pragma once

#include <QImage>
#include <QSize>

namespace dryer::art {

// main_screen_picture_size() returns the size of picture n, or an empty
// size when n is not one of the main screen's pictures.
QSize main_screen_picture_size(int n);

// main_screen_picture() draws picture n on a transparent background, or
// return a null image when n is not one of the main screen's pictures.
QImage main_screen_picture(int n);

}  // namespace dryer::art
