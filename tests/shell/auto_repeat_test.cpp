#include <gtest/gtest.h>

#include "shell/auto_repeat.h"

namespace dryer::shell {
namespace {

struct Fixture {
    AutoRepeat repeat;
    bool shown = true;
    bool held[2] = {false, false};
    int fired[2] = {0, 0};
    void register_meter_roll() {
        repeat.register_group(
            repeat_group::meter_roll_speed, [this] { return shown; },
            {{[this] { return held[0]; }, [this] { ++fired[0]; }}, {[this] { return held[1]; }, [this] { ++fired[1]; }}});
    }
};

TEST(AutoRepeat, held_button_repeats_every_tick_after_five_quiet_ticks) {
    Fixture f;
    f.register_meter_roll();
    f.held[0] = true;  // the press itself sent one command (the click)
    for (int tick = 1; tick <= 5; ++tick) {
        f.repeat.tick();
        EXPECT_EQ(f.fired[0], 0) << "tick " << tick;  // nothing for 500 ms
    }
    for (int tick = 6; tick <= 10; ++tick) {
        f.repeat.tick();
        EXPECT_EQ(f.fired[0], tick - 5);  // then one every 100 ms
    }
    f.held[0] = false;
    f.repeat.tick();
    EXPECT_EQ(f.repeat.delay(repeat_group::meter_roll_speed), AutoRepeat::kDelay);
    f.held[0] = true;
    f.repeat.tick();
    EXPECT_EQ(f.fired[0], 5);  // a new press waits again
}

TEST(AutoRepeat, first_pressed_button_in_test_order_wins) {
    Fixture f;
    f.register_meter_roll();
    f.held[0] = f.held[1] = true;
    for (int i = 0; i < 7; ++i) f.repeat.tick();
    EXPECT_EQ(f.fired[0], 2);
    EXPECT_EQ(f.fired[1], 0);
}

TEST(AutoRepeat, hidden_window_is_not_served_and_keeps_its_delay) {
    Fixture f;
    f.register_meter_roll();
    f.held[1] = true;
    f.repeat.tick();
    f.repeat.tick();
    f.shown = false;
    for (int i = 0; i < 10; ++i) f.repeat.tick();
    EXPECT_EQ(f.fired[1], 0);
    EXPECT_EQ(f.repeat.delay(repeat_group::meter_roll_speed), 3u);
}

TEST(AutoRepeat, groups_are_independent_and_bad_numbers_refused) {
    Fixture f;
    f.register_meter_roll();
    int other = 0;
    bool other_held = true;
    EXPECT_TRUE(f.repeat.register_group(repeat_group::unload_bushels, [] { return true; },
                                        {{[&] { return other_held; }, [&] { ++other; }}}));
    EXPECT_FALSE(f.repeat.register_group(0, [] { return true; }, {}));
    EXPECT_FALSE(f.repeat.register_group(4, [] { return true; }, {}));
    for (int i = 0; i < 6; ++i) f.repeat.tick();
    EXPECT_EQ(other, 1);
    EXPECT_EQ(f.fired[0] + f.fired[1], 0);
    f.repeat.unregister_group(repeat_group::unload_bushels);
    f.repeat.tick();
    EXPECT_EQ(other, 1);
}

TEST(AutoRepeat, a_command_that_unregisters_its_own_group_is_safe) {
    AutoRepeat repeat;
    int fired = 0;
    repeat.register_group(1, [] { return true; }, {{[] { return true; }, [&] {
                                                        ++fired;
                                                        repeat.unregister_group(1);
                                                    }}});
    for (int i = 0; i < 10; ++i) repeat.tick();
    EXPECT_EQ(fired, 1);
}

}  // namespace
}  // namespace dryer::shell
