// The base of every status window: builds its Scene on each paint, draws it
// into an off-screen picture and copies that to the window in one step.
#pragma once

#include <cstdint>
#include <functional>

#include <QPixmap>
#include <QWidget>

#include "link/link_state.h"
#include "views/scene/scene.h"
#include "views/scene/scene_painter.h"
#include "views/scene/texts.h"

namespace dryer::views {

class SceneWindow : public QWidget {
    Q_OBJECT
public:
    SceneWindow(QWidget* parent, link::LinkState& state, const Texts& texts, const char* class_name);

    // render_offscreen() shall build the scene and draw it into the window's
    // off-screen picture, and return that picture.
    const QPixmap& render_offscreen();

    // The shell's blink flags (bit 0 the blink phase, bit 2 settled).
    void set_blink_flags(std::uint32_t flags) { blink_flags_ = flags; }
    std::uint32_t blink_flags() const { return blink_source_ ? blink_source_() : blink_flags_; }
    // With a caption bar the window draws a raised frame and a title bar with
    // its caption (windowTitle()) and its picture below them.
    static constexpr int kCaptionHeight = kCaptionBarHeight;
    void set_caption_bar(bool on);
    bool has_caption_bar() const { return caption_bar_; }
    // set_blink_source() shall make the window read the blink flags from
    // `source` (the shell's timers) instead of set_blink_flags().
    void set_blink_source(std::function<std::uint32_t()> source) { blink_source_ = std::move(source); }

    // paint_count() shall return how many times the window has been painted.
    unsigned paint_count() const { return paints_; }

public slots:
    // redraw() shall schedule a repaint of the whole window.
    void redraw() { update(); }

protected:
    virtual Scene build_scene() = 0;
    void paintEvent(QPaintEvent* e) override;
    bool celsius() const { return link::load(state_.values.si_units) != 0; }

    link::LinkState& state_;
    const Texts& texts_;

private:
    QPixmap offscreen_;
    std::uint32_t blink_flags_ = 0;
    unsigned paints_ = 0;
    bool caption_bar_ = false;
    std::function<std::uint32_t()> blink_source_;
};

}  // namespace dryer::views
