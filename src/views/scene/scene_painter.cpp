#include "views/scene/scene_painter.h"

#include <algorithm>

#include <QHash>
#include <QPen>

#include "art/art.h"

namespace dryer::views {
namespace {

// Built-in pictures, drawn once and kept for the program's life (the
// user-interface thread's only).
const QPixmap& picture(int n) {
    static QHash<int, QPixmap> cache;
    auto it = cache.find(n);
    if (it == cache.end()) it = cache.insert(n, QPixmap::fromImage(art::builtin_picture(n)));
    return *it;
}

QRect to_qrect(Rect r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

int alignment(const TextItem& t) {
    int flags = t.vcentre ? Qt::AlignVCenter : Qt::AlignTop;
    flags |= t.align == Align::centre ? Qt::AlignHCenter : t.align == Align::right ? Qt::AlignRight : Qt::AlignLeft;
    if (t.wrap) flags |= Qt::TextWordWrap;
    return flags;
}

struct Painter {
    QPainter& p;
    const Scene& sc;
    void operator()(const FillItem& f) const { p.fillRect(to_qrect(f.rect), to_qcolor(f.colour)); }
    void operator()(const PictureItem& pic) const {
        const QPixmap& pm = picture(pic.number);
        if (!pm.isNull()) p.drawPixmap(pic.x, pic.y, pm);
    }
    void operator()(const LineItem& l) const {
        p.setPen(QPen(to_qcolor(l.colour), l.width, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(l.x1, l.y1, l.x2, l.y2);
    }
    void operator()(const TextItem& t) const {
        if (t.text.empty()) return;
        p.setPen(to_qcolor(t.colour));
        kit::draw_fit(p, scene_text_fit(t, sc), alignment(t));
    }
};

}  // namespace

TextFit scene_text_fit(const TextItem& t, const Scene& sc) {
    const QRect room = kit::room_of(to_qrect(t.rect), 0, sc.width, 0, sc.height, t.wrap);
    const QString text = QString::fromUtf8(t.text.data(), static_cast<qsizetype>(t.text.size()));
    TextFit f = fit_text(text, room, panel_font(t.size, t.weight), t.wrap);
    if (f.fits || !t.abbreviate || t.wrap) return f;
    // Drop letters before the last word's end, marking the cut with a full
    // stop, until the heading fits at the smallest size; a word is cut to no
    // fewer than one letter.
    QString shorter = f.text;
    while (!f.fits && shorter.size() > 1) {
        if (shorter.endsWith(u'.')) shorter.chop(1);
        shorter.chop(1);
        while (shorter.endsWith(u' ')) shorter.chop(1);
        if (shorter.isEmpty()) break;
        f = fit_text(shorter + u'.', room, panel_font(t.size, t.weight), false);
    }
    return f;
}


void paint_scene(QPainter& p, const Scene& sc) {
    p.fillRect(0, 0, sc.width, sc.height, to_qcolor(sc.background));
    const Painter painter{p, sc};
    for (const auto& it : sc.items) std::visit(painter, it);
}

void render_scene(const Scene& sc, QPixmap& pm) {
    if (pm.width() != sc.width || pm.height() != sc.height) pm = QPixmap(sc.width, sc.height);
    QPainter p(&pm);
    paint_scene(p, sc);
}

}  // namespace dryer::views
