#include "kit/touch_button.h"

#include "kit/fit_text.h"

namespace dryer::kit {

QPushButton* touch_button(QWidget* parent, const QString& name, const QString& caption, QRect place) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(place);
    fit_button_text(*b);
    return b;
}

}  // namespace dryer::kit
