// The plant behind the stand-in: a small model of a running grain dryer that
// keeps the controller's status image alive. Burners cycle around their
// setpoints, grain dries and flows, loads come and go, staged batches run
// their stage timers, auto-start runs its plan, and scripted (or, in the
// default demo, occasional unscripted) warnings and shutdowns appear.
// Single-threaded: the peer that owns it serialises every call.
#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "link/fields.h"
#include "sim/scenario.h"

namespace dryer::sim {

using Image = std::array<std::uint8_t, link::kImageSize>;

// Ambient air and grain temperature of the model, whole degrees F.
inline constexpr double kAmbientF = 60.0;
// Plan length of an auto-start run, seconds of plant time.
inline constexpr std::uint32_t kAutoStartSeconds = 1200;

// A warning or shutdown the stand-in raises by itself: node id, warning id,
// whether it stops the dryer, and the words of the module text it stands for
// (in the English warning tables).
struct UnscriptedEvent {
    std::uint8_t node, warning;
    bool stops;
    const char* meaning;
};
// The occasional events of the default demo, and the shutdown of a load that
// outlasts the out-of-grain timer.
extern const std::array<UnscriptedEvent, 5> kUnscriptedEvents;
extern const UnscriptedEvent kOutOfGrainShutdown;

class Plant {
public:
    // A plant with the default configuration: a running continuous-flow
    // dryer with two fan/heaters. unscripted_events turns on the occasional
    // warning or shutdown that clears by itself.
    Plant(std::uint32_t seed, bool unscripted_events);

    const Image& image() const { return image_; }

    // step() advances the model by dt_ms of plant time and write every
    // reading it keeps into the image. Any dt is stable (large steps are
    // split into whole seconds).
    void step(std::uint32_t dt_ms);

    // write() stores n bytes (1..5) from the panel or a scenario at
    // offset (offset + n <= 329) and react to them: byte 279 keeps only the
    // bits the controller knows (mask 0x8F), bit 0 of 279 starts or cancels
    // an auto-start plan, bit 3 of 238 zeroes the bushel counter, a new
    // drying mode restarts the batch cycle. Other offsets are plain stores.
    void write(std::size_t offset, const std::uint8_t* bytes, std::size_t n);

    // apply() carries out a plant action of a scenario (everything but
    // silent, corrupt, split, refuse and accept, which belong to the peer).
    void apply(const Action& action);

    bool running() const { return running_; }
    bool autostart_active() const { return plan_active_; }
    bool loading() const { return loading_; }
    std::uint64_t now_ms() const { return now_ms_; }

    // Number of fan/heater units the count code at offset 3 stands for (0 for
    // a code the panel should never send).
    static int unit_count(std::uint8_t code);

private:
    void set_defaults();
    void one_second();
    void continuous(double dt_s);
    void update_running_bits();
    void update_units(double dt_s);
    void update_grain(double dt_s);
    void update_flow(double dt_s);
    void tick_load();
    void tick_batch();
    void tick_learning();
    void tick_sampler();
    void tick_plan();
    void tick_events();
    void start_plan();
    void stop_plan();
    void report(std::uint8_t node, std::uint8_t warning, bool stops);
    void clear_report();
    bool discharging() const;
    bool unit_heats(int unit) const;
    double noise(double amplitude, double dt_s);
    void put16le(std::size_t at, std::uint32_t v);
    void put16be(std::size_t at, std::uint32_t v);
    void put_min_sec(std::size_t at, std::uint32_t seconds);
    void set_bit(std::size_t at, int bit, bool on);

    Image image_{};
    std::mt19937 rng_;
    bool events_;
    std::uint64_t now_ms_ = 0;
    std::uint32_t second_acc_ms_ = 0;
    std::uint32_t seconds_ = 0;

    bool running_ = true;
    bool stopped_by_shutdown_ = false;
    std::array<double, 7> plenum_{};  // unit 1..6
    std::array<bool, 7> flame_{};
    double grain_col_ = kAmbientF;
    double grain_out_ = kAmbientF;
    double grain_in_ = kAmbientF - 5;
    double moisture_in_ = 22.0;
    double moisture_out_ = 16.0;
    double speed_ = 40.0;
    double counter_ = 0;  // bushel-seconds, with fractions

    bool loading_ = false;
    std::uint32_t next_load_s_ = 90;
    std::uint32_t load_left_s_ = 0;

    enum class Stage : std::uint8_t { fill, heat, low_heat, cool, unload };
    Stage stage_ = Stage::fill;

    std::uint32_t learning_left_s_ = 0;

    bool plan_active_ = false;
    std::uint32_t plan_elapsed_s_ = 0;

    std::uint32_t next_event_s_ = 240;
    std::uint32_t event_left_s_ = 0;
};

}  // namespace dryer::sim
