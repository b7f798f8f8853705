// Painting a Scene with Qt: the one place where the status windows' drawing
// items become pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

#include "kit/fit_text.h"
#include "kit/panel_style.h"
#include "views/scene/scene.h"

namespace dryer::views {

// The panel's font and titled-window frame (the widget kit's).
using kit::load_panel_fonts;
using kit::panel_font;
using kit::paint_window_frame;
inline constexpr int kCaptionBarHeight = kit::kCaptionBarHeight;

// Height of the caption bar of the panel's titled windows.
// Shrinking texts to fit (the widget kit's).
using kit::draw_fitted_text;
using kit::fit_text;
using kit::kMinTextSize;
using kit::TextFit;

// scene_text_fit() returns how the scene painter draws a text item of sc.
TextFit scene_text_fit(const TextItem& t, const Scene& sc);


inline QColor to_qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

// paint_scene() fills the picture with the scene's background and draw
// its items in order.
void paint_scene(QPainter& p, const Scene& sc);

// render_scene() draws the scene into pm, (re)sizing pm to the scene's
// size when it differs.
void render_scene(const Scene& sc, QPixmap& pm);

}  // namespace dryer::views
