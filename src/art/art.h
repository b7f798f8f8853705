// Built-in pictures (the program's own graphics, not localized), by number.
#pragma once

#include <QImage>

namespace dryer::art {

// builtin_picture() returns the built-in picture `number` at its fixed
// size, or a null image for a number the program has no picture for.
QImage builtin_picture(int number);

}  // namespace dryer::art
