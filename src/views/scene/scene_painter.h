// Painting a Scene with Qt: the one place where the status windows' drawing
// items become pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

#include "views/scene/scene.h"

namespace dryer::views {

// load_panel_fonts() shall make the Tahoma font available to the program
// (from the system's free Tahoma when present); calling it again does nothing.
void load_panel_fonts();

// panel_font() shall return Tahoma (DejaVu Sans where it is missing) at the
// pixel size and weight (100..900).
QFont panel_font(int pixel_size, int weight = 400);

// Height of the caption bar of the panel's titled windows.
inline constexpr int kCaptionBarHeight = 20;

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
