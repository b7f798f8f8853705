#include "views/scene/scene_painter.h"

#include <QFontMetrics>

#include <QPen>

#include <QHash>

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

struct Painter {
    QPainter& p;
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
        const QString text = QString::fromUtf8(t.text.data(), static_cast<qsizetype>(t.text.size()));
        QFont font = panel_font(t.size, t.weight);
        if (t.fit && !t.wrap) {
            const int room = t.rect.right - t.rect.left;
            // Trailing blanks pad the figure but need not fit.
            const QString shown = text.trimmed();
            for (int size = t.size; size > 8 && QFontMetrics(font).horizontalAdvance(shown) > room; --size) {
                font = panel_font(size - 1, t.weight);
            }
        }
        p.setFont(font);
        p.setPen(to_qcolor(t.colour));
        int flags = t.vcentre ? Qt::AlignVCenter : Qt::AlignTop;
        flags |= t.align == Align::centre ? Qt::AlignHCenter : t.align == Align::right ? Qt::AlignRight : Qt::AlignLeft;
        if (t.wrap) flags |= Qt::TextWordWrap;
        p.drawText(to_qrect(t.rect), flags, t.fit ? text.trimmed() : text);
    }
};

}  // namespace

void paint_scene(QPainter& p, const Scene& sc) {
    p.fillRect(0, 0, sc.width, sc.height, to_qcolor(sc.background));
    const Painter draw{p};
    for (const auto& it : sc.items) std::visit(draw, it);
}

void render_scene(const Scene& sc, QPixmap& pm) {
    if (pm.width() != sc.width || pm.height() != sc.height) pm = QPixmap(sc.width, sc.height);
    QPainter p(&pm);
    paint_scene(p, sc);
}

}  // namespace dryer::views
