// A plain touch button with a text caption: named (tests and the journal find
// it by its name), never taking keyboard focus, placed, and with the largest
// font at which its caption fits its face.
#pragma once

#include <QPushButton>
#include <QRect>
#include <QString>

namespace dryer::kit {

QPushButton* touch_button(QWidget* parent, const QString& name, const QString& caption, QRect place);

}  // namespace dryer::kit
