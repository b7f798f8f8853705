#include "views/scene/scene_painter.h"

#include <algorithm>

#include <QFontInfo>
#include <QFontMetrics>
#include <QPen>

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

bool has_digit(const QString& s) {
    for (const QChar c : s)
        if (c.isDigit()) return true;
    return false;
}

// Across the part of rect between left and right, a line keeps rect's
// height (it is never clipped to a rectangle lower than its font); wrapped
// text keeps only the part between top and bottom as well.
QRect room_of(const QRect& rect, int left, int right, int top, int bottom, bool wrap) {
    const int l = std::max(rect.left(), left), r = std::min(rect.right() + 1, right);
    if (!wrap) return QRect(l, rect.top(), r - l, rect.height());
    const int t = std::max(rect.top(), top), b = std::min(rect.bottom() + 1, bottom);
    return QRect(l, t, r - l, b - t);
}

void draw(QPainter& p, const TextFit& f, int flags) {
    if (f.room.width() <= 0 || f.room.height() <= 0) return;
    const bool wrap = flags & Qt::TextWordWrap;
    QString text = f.text;
    if (!f.fits && !wrap) {
        if (has_digit(text)) return;
        text = QFontMetrics(f.font).elidedText(text, Qt::ElideRight, f.room.width());
    }
    p.setFont(f.font);
    p.drawText(f.room, wrap ? flags : flags | Qt::TextDontClip, text);
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
        draw(p, scene_text_fit(t, sc), alignment(t));
    }
};

}  // namespace

TextFit fit_text(const QString& text, const QRect& room, const QFont& font, bool wrap) {
    TextFit f{font, text, room, true};
    while (!f.text.isEmpty() && f.text.back().isSpace()) f.text.chop(1);
    auto fits_at = [&](int px) {
        f.font.setPixelSize(px);
        const QFontMetrics fm(f.font);
        if (!wrap) return fm.horizontalAdvance(f.text) <= room.width();
        const QRect need = fm.boundingRect(room, Qt::TextWordWrap, f.text);
        return need.width() <= room.width() && need.height() <= room.height();
    };
    const int size = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    if (fits_at(size)) return f;
    if (size <= kMinTextSize) {
        f.fits = false;
        return f;
    }
    // A line's width grows about in step with the size: start near the size
    // that fits, then take the largest one that really does.
    int px = size - 1;
    if (!wrap && room.width() > 0) {
        const int width = QFontMetrics(f.font).horizontalAdvance(f.text);
        px = std::clamp(size * room.width() / std::max(width, 1), kMinTextSize, size - 1);
        while (px + 1 < size && fits_at(px + 1)) ++px;
    }
    for (; px >= kMinTextSize; --px)
        if (fits_at(px)) return f;
    f.font.setPixelSize(std::min(size, kMinTextSize));
    f.fits = false;
    return f;
}

TextFit scene_text_fit(const TextItem& t, const Scene& sc) {
    const QRect room = room_of(to_qrect(t.rect), 0, sc.width, 0, sc.height, t.wrap);
    const QString text = QString::fromUtf8(t.text.data(), static_cast<qsizetype>(t.text.size()));
    return fit_text(text, room, panel_font(t.size, t.weight), t.wrap);
}

void draw_fitted_text(QPainter& p, const QRect& rect, int flags, const QString& text, const QFont& font) {
    if (text.isEmpty()) return;
    QRect window = rect;
    if (const QPaintDevice* d = p.device()) window = p.worldTransform().inverted().mapRect(QRect(0, 0, d->width(), d->height()));
    const bool wrap = flags & Qt::TextWordWrap;
    const QRect room = room_of(rect, window.left(), window.right() + 1, window.top(), window.bottom() + 1, wrap);
    draw(p, fit_text(text, room, font, wrap), flags);
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
