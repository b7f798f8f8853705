// A blinking strip over the caption bar of a full-screen screen that names
// an active shutdown, warning or lost link. The full-screen screens cover
// the warning window; the strip makes sure the operator still sees that the
// dryer needs attention while he works in them.
#pragma once

#include <QWidget>

#include "kit/screen.h"

namespace dryer::shell {

class ConditionStrip : public QWidget {
    Q_OBJECT
public:
    ConditionStrip(kit::PanelContext& context, QWidget* main_window);

    // Whether a condition is reported (the display timer's warning rule);
    // the strip shows while one is and the main screen is covered.
    void set_condition(bool active);
    // Returns the text the strip shows now (empty when hidden).
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void update_shown(std::uint32_t blink);
    bool covered() const;

    kit::PanelContext& context_;
    QString text_;
    bool active_ = false;
    bool lit_ = false;
};

}  // namespace dryer::shell
