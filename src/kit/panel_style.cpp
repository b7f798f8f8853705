#include "kit/panel_style.h"

#include <QFile>
#include <QFontDatabase>

#include "kit/fit_text.h"

namespace dryer::kit {

void load_panel_fonts() {
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    for (const char* f : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(f)) QFontDatabase::addApplicationFont(f);
}

QFont panel_font(int pixel_size, int weight) {
    QFont f(QStringLiteral("Tahoma"));
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixel_size > 0 ? pixel_size : 1);
    f.setWeight(static_cast<QFont::Weight>(weight < 1 ? 400 : weight > 1000 ? 1000 : weight));
    return f;
}

QMargins caption_margins(Look look) {
    return look == Look::status ? QMargins(2, kCaptionBarHeight + 2, 2, 2) : QMargins(0, kCaptionBarHeight, 0, 0);
}

void paint_raised_edge(QPainter& p, const QRect& r) {
    p.setPen(QColor(223, 223, 223));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(128, 128, 128));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void paint_caption_bar(QPainter& p, const QRect& bar, const QString& caption) {
    p.fillRect(bar, QColor(0, 0, 128));
    p.setPen(Qt::white);
    // A long caption (a translated one) shrinks rather than being cut.
    draw_fitted_text(p, bar.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, caption, panel_font(13, 700));
}

void paint_window_frame(QPainter& p, const QRect& r, const QString& caption, Look look) {
    QRect bar;
    if (look == Look::status) {
        p.fillRect(r, Qt::black);
        paint_raised_edge(p, r);
        bar = QRect(r.left() + 2, r.top() + 2, r.width() - 4, kCaptionBarHeight);
    } else {
        p.fillRect(r, QColor(192, 192, 192));
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        bar = QRect(r.left(), r.top(), r.width(), kCaptionBarHeight);
    }
    paint_caption_bar(p, bar, caption);
}

}  // namespace dryer::kit
