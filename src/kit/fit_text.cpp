#include "kit/fit_text.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace dryer::kit {

namespace {
bool has_digit(const QString& s) {
    for (const QChar c : s)
        if (c.isDigit()) return true;
    return false;
}

// Lays text out in lines of at most width pixels, line_gap() apart, aligned
// as flags say; returns the size of the lines (a word longer than width
// makes it wider).
QSize lay_out(QTextLayout& layout, int width, int flags) {
    QTextOption option(Qt::Alignment(flags & Qt::AlignHorizontal_Mask));
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const int gap = line_gap(layout.font());
    qreal y = 0, widest = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height() + gap;
        widest = std::max(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return QSize(static_cast<int>(std::ceil(widest)), std::max(0, static_cast<int>(std::ceil(y)) - gap));
}

QString with_line_separators(QString text) { return text.replace(u'\n', QChar::LineSeparator); }

}  // namespace

int line_gap(const QFont& font) { return (QFontInfo(font).pixelSize() + 4) / 6; }

QSize wrapped_size(const QString& text, int width, const QFont& font) {
    QTextLayout layout(with_line_separators(text), font);
    return lay_out(layout, width, Qt::AlignLeft);
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

void draw_fit(QPainter& p, const TextFit& f, int flags) {
    if (f.room.width() <= 0 || f.room.height() <= 0) return;
    const bool wrap = flags & Qt::TextWordWrap;
    QString text = f.text;
    if (!f.fits && !wrap) {
        if (has_digit(text)) return;
        text = QFontMetrics(f.font).elidedText(text, Qt::ElideRight, f.room.width());
    }
    p.setFont(f.font);
    if (!wrap) {
        p.drawText(f.room, flags | Qt::TextDontClip, text);
        return;
    }
    QTextLayout layout(with_line_separators(text), f.font);
    const QSize need = lay_out(layout, f.room.width(), flags);
    int top = f.room.top();
    if (flags & Qt::AlignVCenter) top += (f.room.height() - need.height()) / 2;
    else if (flags & Qt::AlignBottom) top += f.room.height() - need.height();
    p.save();
    p.setClipRect(f.room, Qt::IntersectClip);
    layout.draw(&p, QPointF(f.room.left(), top));
    p.restore();
}

TextFit fit_text(const QString& text, const QRect& room, const QFont& font, bool wrap) {
    TextFit f{font, text, room, true};
    while (!f.text.isEmpty() && f.text.back().isSpace()) f.text.chop(1);
    auto fits_at = [&](int px) {
        f.font.setPixelSize(px);
        const QFontMetrics fm(f.font);
        if (!wrap) return fm.horizontalAdvance(f.text) <= room.width();
        const QSize need = wrapped_size(f.text, room.width(), f.font);
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

void draw_fitted_text(QPainter& p, const QRect& rect, int flags, const QString& text, const QFont& font) {
    if (text.isEmpty()) return;
    QRect window = rect;
    if (const QPaintDevice* d = p.device()) window = p.worldTransform().inverted().mapRect(QRect(0, 0, d->width(), d->height()));
    const bool wrap = flags & Qt::TextWordWrap;
    const QRect room = room_of(rect, window.left(), window.right() + 1, window.top(), window.bottom() + 1, wrap);
    draw_fit(p, fit_text(text, room, font, wrap), flags);
}

void fit_button_text(QAbstractButton& button) {
    const QRect room = button.rect().adjusted(6, 2, -6, -2);
    // The button's own font is the one it inherits; a shrunk one would not
    // grow back for a shorter caption.
    const QFont nominal = button.parentWidget() ? button.parentWidget()->font() : QFont();
    button.setFont(fit_text(button.text(), room, nominal, false).font);
}

}  // namespace dryer::kit
