// The table of built-in pictures: number, size and how to draw it.
#include "art/main_screen_pictures.h"

#include <QPainter>

#include "art/main_screen_p.h"

namespace dryer::art {
namespace {

using namespace main_screen;

enum class Kind { tower, column, single_unit, unit, load, auger, flow, mark_off, mark_on, m462, p259, p260, p517 };

struct Entry {
    Kind kind;
    int w, h;
    int state = 0;  // unit state 0..3
    int phase = 0;  // animation phase 0..2
    int family = 0; // unit housing family
};

constexpr int kLoadW = 24, kLoadH = 20, kAugerW = 44, kAugerH = 12;

// A three-phase set of unit pictures starting at first.
bool unit_set(int n, int first, int state, int family, Entry& e) {
    if (n < first || n > first + 2) return false;
    e = {Kind::unit, 44, 45, state, n - first, family};
    return true;
}
bool three(int n, int first, Kind k, int w, int h, Entry& e) {
    if (n < first || n > first + 2) return false;
    e = {k, w, h, 0, n - first, 0};
    return true;
}

bool lookup(int n, Entry& e) {
    switch (n) {
        case 323: e = {Kind::tower, 86, 420}; return true;
        case 324: e = {Kind::tower, 122, 420}; return true;
        case 367: e = {Kind::column, 180, 315}; return true;
        case 406: e = {Kind::single_unit, 150, 360}; return true;
        case 428: case 433: e = {Kind::mark_off, 14, 14}; return true;
        case 429: case 434: e = {Kind::mark_on, 14, 14}; return true;
        case 462: e = {Kind::m462, 25, 25}; return true;
        case 259: e = {Kind::p259, 100, 75}; return true;
        case 260: e = {Kind::p260, 100, 124}; return true;
        case 517: e = {Kind::p517, 100, 92}; return true;
        default: break;
    }
    // Unit sets: pictures 1..4 are states 0..3.
    static constexpr int kSets[3][4] = {{325, 328, 331, 334}, {341, 344, 350, 347}, {292, 295, 304, 301}};
    for (int f = 0; f < 3; ++f)
        for (int st = 0; st < 4; ++st)
            if (unit_set(n, kSets[f][st], st, f, e)) return true;
    if (unit_set(n, 408, 1, 1, e) || unit_set(n, 418, 2, 1, e)) return true;
    for (int first : {354, 360, 310, 422, 425})
        if (three(n, first, Kind::load, kLoadW, kLoadH, e)) return true;
    for (int first : {357, 363, 317})
        if (three(n, first, Kind::auger, kAugerW, kAugerH, e)) return true;
    return three(n, 430, Kind::flow, 24, 40, e);
}

QImage render(const Entry& e) {
    QImage img(e.w, e.h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    static const QColor kHousing[3] = {QColor(190, 60, 40), QColor(200, 200, 205), QColor(70, 110, 180)};
    switch (e.kind) {
        case Kind::tower: draw_tower(p, e.w, e.h); break;
        case Kind::column: draw_column(p, e.w, e.h); break;
        case Kind::single_unit: draw_single_unit_dryer(p, e.w, e.h); break;
        case Kind::unit: draw_unit(p, e.state, e.phase, kHousing[e.family]); break;
        case Kind::load: draw_load_indicator(p, e.w, e.h, e.phase); break;
        case Kind::auger: draw_auger(p, e.w, e.h, e.phase); break;
        case Kind::flow: draw_flow(p, e.w, e.h, e.phase); break;
        case Kind::mark_off: draw_status_mark(p, e.w, e.h, false); break;
        case Kind::mark_on: draw_status_mark(p, e.w, e.h, true); break;
        case Kind::m462: draw_mark_462(p, e.w, e.h); break;
        case Kind::p259: draw_panel_259(p, e.w, e.h); break;
        case Kind::p260: draw_controller_260(p, e.w, e.h); break;
        case Kind::p517: draw_shutdown_517(p, e.w, e.h); break;
    }
    p.end();
    return img;
}

}  // namespace

QSize main_screen_picture_size(int n) {
    Entry e{};
    return lookup(n, e) ? QSize(e.w, e.h) : QSize();
}

QImage main_screen_picture(int n) {
    Entry e{};
    return lookup(n, e) ? render(e) : QImage();
}

}  // namespace dryer::art
