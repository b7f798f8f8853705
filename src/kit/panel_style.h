// The panel's look, shared by every window and dialog: its font (Tahoma, or
// DejaVu Sans where Tahoma is missing), the raised frame with its dark blue
// caption bar, and the size of touch buttons.
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>

namespace dryer::kit {

// Loads the free Tahoma when the system has it; calling it again does nothing.
void load_panel_fonts();

// Returns the panel font at the pixel size and weight (100..900).
QFont panel_font(int pixel_size, int weight = 400);

// Height of the caption bar of titled windows and dialogs.
inline constexpr int kCaptionBarHeight = 20;
// The smallest height of a button a finger presses.
inline constexpr int kTouchButtonHeight = 40;

// How a titled window looks below its caption bar: status windows are black
// inside a raised frame; setup screens are grey with the bar along the top.
enum class Look { status, setup };

// Returns the margins of the client area below the caption bar of a window
// of that look (zero without a caption bar).
QMargins caption_margins(Look look);

// Draws the raised edge of a status window or dialog along r.
void paint_raised_edge(QPainter& p, const QRect& r);
// Draws a dark blue caption bar with its caption in white, shortened with
// an ellipsis if it is wider than the bar.
void paint_caption_bar(QPainter& p, const QRect& bar, const QString& caption);

// Fills r and draws the frame and the caption bar of a titled window.
void paint_window_frame(QPainter& p, const QRect& r, const QString& caption, Look look = Look::status);

}  // namespace dryer::kit
