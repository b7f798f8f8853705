#include "views/dryer_picture/dryer_layouts.h"
#include "views/scene/status.h"

namespace dryer::views {
namespace {

namespace off = link::off;

struct BodyGeometry {
    int x, y;            // drawing position
    int unit_x;          // left edge of the unit pictures
    int unit_top;        // first unit slot
    int unit_span;       // height over which the units are spread
    int min_unit;        // lowest unit number the drawing has room for
    int load_set, auger_set;
    int load_x, load_top_y, load_bottom_y;
    int auger_x, auger_top_y, auger_bottom_y;
};

BodyGeometry geometry(DryerLayout l) {
    switch (l) {
        case DryerLayout::tower_one: return {8, 0, 47, 70, 270, 3, 360, 363, 53, 2, 396, 14, 36, 364};
        case DryerLayout::tower_two: return {28, 0, 49, 50, 320, 1, 354, 357, 55, 2, 396, 20, 36, 364};
        default: return {0, 28, 68, 70, 250, 1, 310, 317, 74, 30, 322, 30, 52, 300};
    }
}

void unit_picture(Scene& sc, const link::ByteImage& s, const DryerAnimation& anim, const int* sets, int unit, int x,
                  int y) {
    sc.picture(sets[unit_picture_index(s, unit)] + anim.unit_phase(unit), x, y);
}

void body_406(Scene& sc, const link::ByteImage& s, const DryerAnimation& anim) {
    sc.picture(406, 15, 0);
    const int unit = 6;
    const bool burning = st::byte_b(s, unit) & 0x02;
    sc.picture((burning ? 418 : 408) + anim.unit_phase(unit), 68, 150);
    sc.picture(422 + anim.load(), 70, 4);
    sc.picture(430 + anim.discharge_slow(), 70, 96);
    sc.picture(425 + anim.discharge(), 70, 330);
    sc.picture(st::bit(s, off::status_168, 3) ? 429 : 428, 24, 60);
    sc.picture(st::bit(s, off::status_168 + 1, 2) ? 434 : 433, 24, 300);
}

}  // namespace

void draw_dryer_body(Scene& sc, const link::ByteImage& s, const LayoutChoice& choice, const DryerAnimation& anim) {
    if (choice.layout == DryerLayout::column_406) {
        body_406(sc, s, anim);
        return;
    }
    const BodyGeometry g = geometry(choice.layout);
    sc.picture(choice.drawing, g.x, g.y);

    std::vector<int> units;
    for (int k : units_in_use(s))
        if (k >= g.min_unit) units.push_back(k);
    const int n = static_cast<int>(units.size());
    for (int i = 0; i < n; ++i) {
        const int unit = units[static_cast<std::size_t>(i)];
        // Spread the units over the drawing's height, the first at the top.
        const int y = g.unit_top + (n > 1 ? i * (g.unit_span - 45) / (n - 1) : (g.unit_span - 45) / 2);
        const int* sets = kLowerUnitSets;
        if (choice.layout == DryerLayout::tower_two) sets = kTowerTwoUnitSets;
        if (choice.layout == DryerLayout::column && i < (n + 1) / 2 && n > 1) sets = kUpperUnitSets;
        unit_picture(sc, s, anim, sets, unit, g.unit_x, y);
    }

    sc.picture(g.load_set + anim.load(), g.load_x, g.load_top_y);
    sc.picture(g.load_set + anim.discharge(), g.load_x, g.load_bottom_y);
    sc.picture(g.auger_set + anim.auger(0), g.auger_x, g.auger_top_y);
    sc.picture(g.auger_set + anim.auger(1), g.auger_x, g.auger_bottom_y);
}

}  // namespace dryer::views
