#include "views/dryer_picture/dryer_picture_model.h"

#include "views/dryer_picture/dryer_layouts.h"
#include "views/scene/format.h"
#include "views/scene/status.h"
#include "views/scene/temperature.h"

namespace dryer::views {
namespace {

namespace off = link::off;
using st::bit;

int wrap3(int v) { return ((v % 3) + 3) % 3; }

}  // namespace

LayoutChoice dryer_layout(const link::ByteImage& s) {
    if (st::module_count(s) == 1) return {DryerLayout::tower_one, 324, 2};
    if (st::module_count(s) == 2) return {DryerLayout::tower_two, 323, 3};
    if (bit(s, off::options_225, 7)) return {DryerLayout::column, 367, 1};
    if (bit(s, off::options_225, 5)) return {DryerLayout::column_406, 406, 4};
    return {DryerLayout::column, 367, 1};
}

std::vector<int> units_in_use(const link::ByteImage& s) {
    static constexpr int kFirstUnit[] = {6, 5, 4, 3, 1};
    const unsigned code = st::fan_heater_count(s);
    std::vector<int> units;
    if (code >= std::size(kFirstUnit)) return units;
    for (int k = kFirstUnit[code]; k <= 6; ++k) units.push_back(k);
    return units;
}

int unit_picture_index(const link::ByteImage& s, int unit) {
    const std::uint8_t a = st::byte_a(s, unit), b = st::byte_b(s, unit);
    if (b & 0x02) return (a & 0x04) ? 3 : 2;
    if (b & 0x01) return 1;
    return 0;
}

void DryerAnimation::tick(const link::ByteImage& s) {
    for (int k = 1; k <= 6; ++k) {
        auto& p = units_[static_cast<std::size_t>(k - 1)];
        if (st::byte_a(s, k) & 0x01) p = wrap3(p + 1);
    }
    if (!bit(s, off::status_171, 7)) load_ = wrap3(load_ - 1);
    if (bit(s, off::status_172, 0) || bit(s, off::status_171, 6)) {
        discharge_ = wrap3(discharge_ + 1);
        if (++discharge_ticks_ >= 5) {
            discharge_ticks_ = 0;
            discharge_slow_ = wrap3(discharge_slow_ + 1);
        }
    }
    if (bit(s, off::load_flags, 3)) {
        if (++auger_ticks_ >= 3) {
            auger_ticks_ = 0;
            const int dir = bit(s, off::load_flags, 2) ? 1 : -1;
            auger_[0] = wrap3(auger_[0] + dir);
            auger_[1] = wrap3(auger_[1] - dir);
        }
    }
}

void MoistureAverage::add(unsigned tenths) {
    const auto v = static_cast<std::uint16_t>(tenths);
    if (count_ == kWindow) {
        sum_ -= ring_[next_];
    } else {
        ++count_;
    }
    ring_[next_] = v;
    sum_ += v;
    next_ = (next_ + 1) % kWindow;
    if (warm_up_ > 0) --warm_up_;
}

void MoistureAverage::second_tick(const link::ByteImage& s) {
    if (bit(s, off::status_171, 3)) add(st::moisture_189(s));
}

std::string MoistureAverage::text() const {
    if (warming_up()) return "***";
    const unsigned a = average();
    return fmt("%u.%1u%%", a / 10, a % 10);
}

Label mode_name_box(const link::ByteImage& s, const Texts& t) {
    const int dm = st::drying_mode(s);
    if (dm == 1) return t.label(291);
    if (dm != 0) return t.label(292);
    switch (st::mc_mode(s)) {
        case 2: return t.label(kThreeSpeedText);
        case 4: return t.label(77);
        case 3: return t.label(79);
        case 1: return t.label(265);
        case 5: return t.label(289);
        default: return t.label(290);
    }
}

BoxText dryer_state_box(const link::ByteImage& s, const Texts& t) {
    const int dm = st::drying_mode(s);
    const int mode = st::mc_mode(s);
    const bool auto_on = bit(s, off::mc_mode_flags, 7);
    const int m201 = s.get(off::moisture_201);
    auto box = [&](unsigned n, Rgb c) { return BoxText{t.text(n), c, n}; };
    const BoxText stopped = box(270, colour::red);
    const BoxText running = box(34, colour::green);
    if (dm == 1) {
        const int f = s.get(off::system_flags_257);
        unsigned n = 268;
        if ((f & 0x30) == 0x30) n = 264;
        else if (f & 0x20) n = 265;
        else if (f & 0x10) n = 266;
        else if (f & 0x40) n = 267;
        return box(n, colour::green);
    }
    switch (mode) {
        case 1:
            if (!auto_on) return stopped;
            return box(bit(s, off::mc_mode_flags, 6) ? 33 : 269, colour::green);
        case 4:
        case 5:
            if (!auto_on) return stopped;
            if (mode == 4 && bit(s, off::mode_224, 7)) return box(271, colour::green);
            return running;
        case 2: return (m201 >= 5 && m201 <= 7) ? running : stopped;
        default: break;
    }
    if (dm & 1) return bit(s, off::mode_flags_179, 1) ? stopped : running;
    return m201 == 3 ? running : stopped;
}

Label control_state_box(const link::ByteImage& s, const Texts& t) {
    const int pct = s.get(off::meter_roll_speed_pct);
    if (bit(s, off::status_280, 1)) return {fmt("%s %d", t.text(kAutoStartShortText).c_str(), pct), kAutoStartShortText};
    const int mode = st::mc_mode(s);
    unsigned label = 273;
    if (mode == 2) {
        const int m201 = s.get(off::moisture_201);
        label = m201 == 5 ? 272 : m201 == 6 ? 274 : 273;
    } else if (mode == 4 || mode == 5) {
        if (!bit(s, off::mc_mode_flags, 7)) {
            label = 274;
        } else {
            switch (s.get(off::status_220) & 0x07) {
                case 4: label = 272; break;
                case 3: label = 275; break;
                case 1: label = 276; break;
                case 0: label = 274; break;
                default: label = 273; break;
            }
        }
    } else {
        const int speed = s.get(off::meter_roll_speeds_155);
        if (speed == 2) {
            label = 272;
        } else if (speed == 0) {
            if (bit(s, off::mc_mode_flags, 6)) return t.label(277);
            label = 278;
        } else {
            return {fmt("%s %d.%d", t.text(273).c_str(), pct, static_cast<int>(s.get(off::status_223))), 273};
        }
    }
    return {fmt("%s %d", t.text(label).c_str(), pct), label};
}

Label throughput_box(const link::ByteImage& s, bool metric, const Texts& t) {
    const int v = st::value_173(s);
    if (metric) return {fmt("%s %lld", t.text(279).c_str(), static_cast<long long>(bushels_to_tons(v))), 279};
    return {fmt("%s %d", t.text(280).c_str(), v), 280};
}

Label bushel_total_box(const link::ByteImage& s, bool metric, const Texts& t) {
    const std::uint32_t c = st::unload_counter(s);
    if (metric) return {fmt("%s %lld", t.text(283).c_str(), static_cast<long long>(bushels_to_tons(c) / 3600)), 283};
    return {fmt("%s %u", t.text(284).c_str(), c / 3600u), 284};
}

Label unload_figure_box(const link::ByteImage& s, const Texts& t) {
    if (bit(s, off::meter_roll_reverse, 5)) return t.label(281);
    const unsigned v = st::value_197(s);
    if (bit(s, off::options_225, 5)) return {fmt("%s %u.%02u", t.text(282).c_str(), v / 100, v % 100), 282};
    return {fmt("%s %u.%01u", t.text(282).c_str(), v / 10, v % 10), 282};
}

std::string grain_temperature_box(const link::ByteImage& s, bool celsius) {
    const int f = static_cast<std::int16_t>(st::grain_temp_193(s)) / 10;
    return fmt("%d %s%s", display_temp(f, celsius), kDegree, unit_letter(celsius));
}

std::string discharge_moisture_box(const link::ByteImage& s) {
    const unsigned m = st::moisture_189(s);
    if (m == 0) return "***";
    return fmt("%u.%u%%", m / 10, m % 10);
}

Label sampler_message_box(const link::ByteImage& s, const Texts& t) {
    if (!bit(s, off::status_171, 3)) return {};
    auto pick = [&](unsigned n, unsigned fallback) {
        Label x = t.label(n);
        return x.empty() ? t.label(fallback) : x;
    };
    if (bit(s, off::status_292, 0)) return pick(520, 285);
    if (bit(s, off::status_292, 1)) return pick(519, 286);
    return pick(521, 287);
}

std::string batch_value_box(unsigned tenths) { return fmt("%u.%u%%", tenths / 10, tenths % 10); }

Label setpoint_line_box(const link::ByteImage& s, const Texts& t) {
    const unsigned sp = st::moisture_setpoint(s);
    return {fmt("%s: %u.%1u%%", t.text(288).c_str(), sp / 10, sp % 10), 288};
}

Scene dryer_picture_scene(const link::ByteImage& s, const DryerAnimation& anim, const MoistureAverage& avg,
                          bool celsius, const Texts& t) {
    Scene sc{kDryerPicWidth, kDryerPicHeight, colour::black, {}};
    const LayoutChoice choice = dryer_layout(s);
    draw_dryer_body(sc, s, choice, anim);
    const OverlayInput in{s, avg, celsius, t};
    switch (choice.overlay) {
        case 1: overlay_column(sc, in); break;
        case 2: overlay_tower_one(sc, in); break;
        case 3: overlay_tower_two(sc, in); break;
        default: overlay_406(sc, in); break;
    }
    sc.text({3, 395, 103, 415}, avg.text(), 16, 400, colour::green);
    if (bit(s, off::status_188, 7)) sc.picture(kMarkPicture, 0, 0);
    return sc;
}

}  // namespace dryer::views
