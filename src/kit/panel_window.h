// The base of every child window of the main window and of every screen: a
// widget named by its window class, with an optional caption bar drawn in
// the panel's style. Screens draw their client area in paint_client() and
// bring their contents up to date in refresh(), which the main window calls
// when the decoder's redraw bits of the window arrive.
#pragma once

#include <QWidget>

#include "kit/panel_style.h"

namespace dryer::kit {

class PanelWindow : public QWidget {
    Q_OBJECT
public:
    PanelWindow(QWidget* parent, const QString& class_name, const QString& caption, bool caption_bar,
                Look look = Look::status);

    // The caption is the window title.
    QString caption() const { return windowTitle(); }
    // Changes the caption and redraws the caption bar when it differs.
    void set_caption(const QString& caption);
    bool has_caption_bar() const { return caption_bar_; }
    // Shows or hides the caption bar; the client area follows.
    void set_caption_bar(bool on);
    Look look() const { return look_; }

    // Re-reads what the window shows and schedules a repaint. The default
    // only schedules the repaint (the window draws from the status image).
    virtual void refresh() { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Draws the client area; the painter's origin is its top left corner and
    // it is clipped to it. The default leaves it as the frame filled it.
    virtual void paint_client(QPainter&) {}

private:
    bool caption_bar_;
    Look look_;
};

}  // namespace dryer::kit
