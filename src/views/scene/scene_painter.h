// Painting a Scene with Qt: the one place where the status windows' drawing
// items become pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

#include "views/scene/scene.h"

namespace dryer::views {

// load_panel_fonts() makes the Tahoma font available to the program (from
// the system's free Tahoma when present); calling it again does nothing.
void load_panel_fonts();

// panel_font() returns Tahoma (DejaVu Sans where it is missing) at the pixel
// size and weight (100..900).
QFont panel_font(int pixel_size, int weight = 400);

// Height of the caption bar of the panel's titled windows.
inline constexpr int kCaptionBarHeight = kTitledCaption;

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

// paint_window_frame() shall fill r black and draw the raised frame and the
// dark blue caption bar of a titled panel window with its caption.
void paint_window_frame(QPainter& p, const QRect& r, const QString& caption);

inline QColor to_qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

// paint_scene() shall fill the picture with the scene's background and draw
// its items in order.
void paint_scene(QPainter& p, const Scene& sc);

// render_scene() shall draw the scene into pm, (re)sizing pm to the scene's
// size when it differs.
void render_scene(const Scene& sc, QPixmap& pm);

}  // namespace dryer::views
