// The built-in pictures of the main screen and the warning window, drawn in
// code at their fixed sizes: dryer bodies, fan/heater units in four states
// and three animation phases, load, auger and flow indicators, status marks.
#pragma once

#include <QPixmap>
#include <QSize>

namespace dryer::art {

// builtin_picture_size() shall return the size of picture n, or an empty
// size when the program has no picture n.
QSize builtin_picture_size(int n);

// builtin_picture() shall return picture n (cached after the first use on
// the user-interface thread), or a null pixmap when there is none.
const QPixmap& builtin_picture(int n);

}  // namespace dryer::art
