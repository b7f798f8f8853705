// The press-and-hold count shared by the gestures the one-second
// housekeeping watches (the history screen's EXIT, the batch timer buttons).
#pragma once

namespace dryer::housekeeping {

// hold_step() is one second of a press-and-hold count: while the button is
// pressed the count goes down by one until 0; a released button sets it back
// to `released`.
inline void hold_step(int& count, bool pressed, int released) {
    if (!pressed) {
        count = released;
    } else if (count > 0) {
        --count;
    }
}

}  // namespace dryer::housekeeping
