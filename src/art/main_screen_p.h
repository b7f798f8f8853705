// Internal: drawing routines of the main screen's picture families.
#pragma once

#include <QColor>
#include <QPainter>

namespace dryer::art::main_screen {

QColor steel();
QColor steel_dark();

// Dryer bodies.
void draw_tower(QPainter& p, int w, int h);          // 323, 324
void draw_column(QPainter& p, int w, int h);         // 367
void draw_single_unit_dryer(QPainter& p, int w, int h);  // 406

// A fan/heater unit: state 0 off, 1 fan, 2 fan and burner, 3 burner high;
// phase 0..2; tint picks the family's housing colour.
void draw_unit(QPainter& p, int state, int phase, QColor housing);

// Moving parts, phase 0..2.
void draw_load_indicator(QPainter& p, int w, int h, int phase);
void draw_auger(QPainter& p, int w, int h, int phase);
void draw_flow(QPainter& p, int w, int h, int phase);
void draw_status_mark(QPainter& p, int w, int h, bool on);

// Warning window pictures and the mark.
void draw_mark_462(QPainter& p, int w, int h);
void draw_panel_259(QPainter& p, int w, int h);
void draw_controller_260(QPainter& p, int w, int h);
void draw_shutdown_517(QPainter& p, int w, int h);

}  // namespace dryer::art::main_screen
