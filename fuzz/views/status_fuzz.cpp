// Every byte value from the controller: the main screen's models build their
// drawings from any status image (the input's first 331 bytes, the next four
// the blink flags, link state and unit switch).
#include <cstddef>
#include <cstdint>
#include <ctime>

#include "views/dryer_picture/dryer_picture_model.h"
#include "views/plenum/plenum_model.h"
#include "views/state_line/state_line_model.h"
#include "views/status_bars/status_bars_model.h"
#include "views/warning/warning_model.h"

using namespace dryer;
using namespace dryer::views;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    link::ByteImage s;
    for (std::size_t i = 0; i < link::kImageSize && i < size; ++i) s.set(i, data[i]);
    auto extra = [&](std::size_t i) { return link::kImageSize + i < size ? data[link::kImageSize + i] : 0; };
    const std::uint32_t blink_flags = extra(0);
    const bool alive = extra(1) & 1, celsius = extra(2) & 1;
    const NumberTexts t;
    DryerAnimation anim;
    MoistureAverage avg;
    for (int i = 0; i < 7; ++i) {
        anim.tick(s);
        avg.second_tick(s);
    }
    (void)dryer_picture_scene(s, anim, avg, celsius, t);
    (void)plenum_scene(s, celsius, t);
    (void)state_line_scene(state_line(s, blink_flags, celsius, t));
    std::tm now{};
    now.tm_wday = extra(3);
    now.tm_mon = extra(3);
    (void)status_bar_scene(s, blink_flags & 1, now, t);
    ReadingsSelection sel;
    sel.temperature = extra(3) % 3;
    (void)readings_scene(s, sel, t);
    (void)warning_view(s, alive, blink_flags & 1, extra(3) % 14, t);
    return 0;
}
