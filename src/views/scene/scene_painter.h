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

// panel_font() shall return Tahoma at the pixel size and weight (100..900).
QFont panel_font(int pixel_size, int weight);

inline QColor to_qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

// paint_scene() shall fill the picture with the scene's background and draw
// its items in order.
void paint_scene(QPainter& p, const Scene& sc);

// render_scene() shall draw the scene into pm, (re)sizing pm to the scene's
// size when it differs.
void render_scene(const Scene& sc, QPixmap& pm);

}  // namespace dryer::views
