// One drawing function per built-in picture; art.cpp maps numbers to them.
#pragma once

#include <QImage>

namespace dryer::art {

QImage picture_254();  // the defaults dipswitch on the switch input/output board
QImage picture_595();  // the "QS" quick-start button

}  // namespace dryer::art
