// The base of every status window: builds its Scene on each paint, draws it
// into an off-screen picture and copies that to the window's client area in
// one step. The frame and caption bar come from the kit's window base.
#pragma once

#include <cstdint>
#include <functional>

#include <QPixmap>

#include "kit/panel_events.h"
#include "kit/panel_window.h"
#include "kit/screen.h"
#include "link/link_state.h"
#include "views/scene/scene.h"
#include "views/scene/scene_painter.h"
#include "views/scene/texts.h"

namespace dryer::views {

class SceneWindow : public kit::PanelWindow {
    Q_OBJECT
public:
    SceneWindow(QWidget* parent, link::LinkState& state, const Texts& texts, const char* class_name);

    // Builds the scene, draws it into the window's off-screen picture and
    // returns that picture.
    const QPixmap& render_offscreen();

    // The shell's blink flags (bit 0 the blink phase, bit 2 settled).
    void set_blink_flags(std::uint32_t flags) { blink_flags_ = flags; }
    std::uint32_t blink_flags() const { return blink_source_ ? blink_source_() : blink_flags_; }
    static constexpr int kCaptionHeight = kit::kCaptionBarHeight;
    // Makes the window read the blink flags from `source` (the shell's
    // timers) instead of set_blink_flags().
    void set_blink_source(std::function<std::uint32_t()> source) { blink_source_ = std::move(source); }

    // Makes the window take the blink flags from the panel's fast and
    // display ticks.
    void listen(kit::PanelEvents& events);

    // Returns how many times the window has been painted.
    unsigned paint_count() const { return paints_; }

public slots:
    // Schedules a repaint of the whole window.
    void redraw() { update(); }

protected:
    virtual Scene build_scene() = 0;
    void paintEvent(QPaintEvent* e) override;
    void paint_client(QPainter& p) override;
    bool celsius() const { return link::load(state_.values.si_units) != 0; }

    link::LinkState& state_;
    const Texts& texts_;

private:
    QPixmap offscreen_;
    std::uint32_t blink_flags_ = 0;
    unsigned paints_ = 0;
    std::function<std::uint32_t()> blink_source_;
};

// Creates a status window of type W for the screen registry: a child of
// parent that takes its blink flags from the panel's ticks.
template <class W> QWidget* create_scene_window(kit::PanelContext& context, QWidget* parent) {
    auto* w = new W(parent, context.state, context.texts);
    w->listen(context.events);
    return w;
}

}  // namespace dryer::views
