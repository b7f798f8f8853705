// Painting a Scene with Qt: the one place where the status windows' drawing
// items become pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

#include "kit/panel_style.h"
#include "views/scene/scene.h"

namespace dryer::views {

// The panel's font and titled-window frame (the widget kit's).
using kit::load_panel_fonts;
using kit::panel_font;
using kit::paint_window_frame;
inline constexpr int kCaptionBarHeight = kit::kCaptionBarHeight;

// Height of the caption bar of the panel's titled windows.
// The smallest pixel size a text is shrunk to.
inline constexpr int kMinTextSize = 7;

// How a text is drawn so that it is never cut: the font really used, the
// text drawn (trailing blanks dropped: they show no ink) and the room it has
// (its rectangle within the window). fits is false when the text does not fit
// even at kMinTextSize: such a text is not drawn when it holds a digit (a
// number is shown whole or not at all), else drawn shortened with an ellipsis.
struct TextFit {
    QFont font;
    QString text;
    QRect room;
    bool fits = true;
};

// fit_text() returns the fit of text in room: the largest pixel size, at most
// font's, at which the line's advance width fits room's width, or, with wrap,
// at which the word-wrapped text fits room's width and height.
TextFit fit_text(const QString& text, const QRect& room, const QFont& font, bool wrap);

// draw_fitted_text() draws text into rect with the alignment flags (and
// Qt::TextWordWrap for wrapped text), shrunk by fit_text() to the part of rect
// that the painter's device shows. The setup screens draw their texts with it.
void draw_fitted_text(QPainter& p, const QRect& rect, int flags, const QString& text, const QFont& font);

// scene_text_fit() returns how the scene painter draws a text item of sc.
TextFit scene_text_fit(const TextItem& t, const Scene& sc);


inline QColor to_qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

// paint_scene() shall fill the picture with the scene's background and draw
// its items in order.
void paint_scene(QPainter& p, const Scene& sc);

// render_scene() shall draw the scene into pm, (re)sizing pm to the scene's
// size when it differs.
void render_scene(const Scene& sc, QPixmap& pm);

}  // namespace dryer::views
