#include "shell/condition_strip.h"

#include <QPainter>

#include "kit/panel_style.h"
#include "l10n/panel_texts.h"
#include "link/fields.h"
#include "link/link_state.h"
#include "shell/timers.h"
#include "views/scene/texts.h"

namespace dryer::shell {

namespace {
constexpr int kHeight = kit::kCaptionBarHeight;
}

ConditionStrip::ConditionStrip(kit::PanelContext& context, QWidget* main_window)
    : QWidget(main_window), context_(context) {
    setObjectName(QStringLiteral("CONDITION_STRIP"));
    setGeometry(0, 0, main_window->width(), kHeight);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    connect(&context_.events, &kit::PanelEvents::fast_tick, this, &ConditionStrip::update_shown);
}

bool ConditionStrip::covered() const {
    // A full-screen screen is up when a window kept above the others is shown.
    using kit::WindowId;
    for (WindowId id : {WindowId::timer_select, WindowId::temp_select, WindowId::setup_selection,
                        WindowId::extended_setup_selection, WindowId::auto_start_config}) {
        if (QWidget* w = context_.shell.window(id); w && w->isVisible()) return true;
    }
    return false;
}

void ConditionStrip::set_condition(bool active) {
    if (active == active_) return;
    active_ = active;
    if (!active_) hide();
}

void ConditionStrip::update_shown(std::uint32_t blink) {
    if (!active_ || !covered()) {
        hide();
        return;
    }
    const link::ByteImage& s = context_.state.status;
    const int node = s.get(link::off::shutdown_node);
    const int code = s.get(link::off::shutdown_code);
    std::string t;
    if (node != 0 || code != 0) t = context_.texts.warning_text(node, code);
    if (t.empty() && link::load(context_.state.link_alive) == 0) t = context_.texts.text(338);
    if (t.empty()) t = l10n::local("WARNING");
    text_ = QString::fromStdString(t).trimmed();
    // It blinks: over the caption in one half of the blink period, the
    // screen's own caption in the other.
    lit_ = (blink & blink::phase) != 0;
    if (!lit_) {
        hide();
        return;
    }
    raise();
    show();
    update();
}

void ConditionStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(255, 0, 0));
    QFont f = kit::panel_font(14, 700);
    // The whole text is shown: it shrinks until it fits the strip.
    for (int size = 14; size > 8 && QFontMetrics(f).horizontalAdvance(text_) > width() - 8; --size)
        f = kit::panel_font(size - 1, 700);
    p.setFont(f);
    p.setPen(QColor(255, 255, 0));
    p.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignCenter, text_);
}

}  // namespace dryer::shell
