// The graph screen GRAPH_WINDOW: the drawing area DRAW_GRAPH_WINDOW, the
// horizontal scroll bar that moves the window back in hours, six trace
// buttons and the setup button that opens "GRAPH SETUP - 25".
//
// The time and offset labels along the bottom of the drawing are the graph's
// label area; it is part of GRAPH_WINDOW (there is no separate companion
// window), so it shows and hides with it and is redrawn with the drawing.
#pragma once

#include <array>
#include <cstdint>

#include <QImage>
#include <QWidget>

#include "kit/panel_dialog.h"
#include "kit/panel_window.h"
#include "kit/picture_button.h"
#include "kit/screen.h"
#include "views/graph/graph_model.h"

class QButtonGroup;
class QPushButton;
class QScrollBar;

namespace dryer::logging {
class SettingsStore;
}

namespace dryer::views {

class Texts;

// Paints a scene into a 380 x 220 image: black ground, the dotted grid and
// base line, value labels, traces, the grey frame, time and offset labels.
void paint_graph(QImage& image, const GraphScene& scene);

// The drawing area: shows the last painted image.
class DrawGraphWindow : public QWidget {
    Q_OBJECT
public:
    explicit DrawGraphWindow(QWidget* parent);
    void set_image(const QImage& image);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// A trace button: its localized picture is the same whether the trace is on
// or off, so an "on" trace gets a frame in its line colour.
class GraphTraceButton : public kit::PictureButton {
    Q_OBJECT
public:
    GraphTraceButton(const QString& name, QWidget* parent, int picture, GraphRgb colour);
    void set_on(bool on);
    bool is_on() const { return on_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    GraphRgb colour_;
    bool on_ = false;
};

// "GRAPH SETUP - 25": four hour buttons, each with a radio beside it, and
// ACCEPT/EXIT. Accepting gives the checked scale.
class GraphSetupDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    GraphSetupDialog(QWidget* over, const Texts& texts, unsigned scale);
    // Returns the scale of the checked radio (0 when none).
    unsigned chosen_scale() const;
    QPushButton* hour_button(int i) const { return hours_[static_cast<std::size_t>(i)]; }
    QPushButton* accept_button() const { return accept_; }

private:
    QButtonGroup* radios_;
    std::array<QPushButton*, 4> hours_{};
    QPushButton* accept_;
};

class GraphScreen : public kit::PanelWindow {
    Q_OBJECT
public:
    GraphScreen(logging::GraphLog& log, logging::SettingsStore& stored, const Texts& texts, kit::PanelEvents* events,
                QWidget* parent = nullptr);

    // Reads the window (the log's cache decides whether files are read) and
    // repaints the drawing when anything it shows changed.
    void refresh() override;

    unsigned offset() const { return offset_; }
    unsigned scale() const { return scale_; }
    std::uint8_t traces() const { return traces_; }
    DrawGraphWindow* drawing() const { return drawing_; }
    QScrollBar* scroll_bar() const { return scroll_; }
    GraphTraceButton* trace_button(logging::GraphTrace t) const { return buttons_[static_cast<std::size_t>(t)]; }
    QPushButton* setup_button() const { return setup_; }

    // Scrolls one hour back (left) or forward (right), as the scroll bar does.
    void scroll_back();
    void scroll_forward();
    void toggle_trace(logging::GraphTrace trace);
    // Takes a new scale, stores it and redraws (the setup dialog's accept).
    void set_scale(unsigned scale);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void open_setup();
    void load_texts();
    void on_scroll_action(int action);

    logging::GraphLog& log_;
    logging::SettingsStore& stored_;
    const Texts& texts_;
    DrawGraphWindow* drawing_;
    QScrollBar* scroll_;
    std::array<GraphTraceButton*, logging::kGraphTraceCount> buttons_{};
    QPushButton* setup_;
    unsigned scale_ = 0;
    unsigned offset_ = 0;
    std::uint8_t traces_ = 0;
    std::string hours_text_;
    // What the drawing shows: the window's generation, traces and offset.
    std::uint64_t drawn_generation_ = ~std::uint64_t{0};
    std::uint8_t drawn_traces_ = 0;
    unsigned drawn_offset_ = 0;
    unsigned max_offset_ = 0;
    unsigned hours_available_ = 0;
    QImage image_;
};

// GRAPH_WINDOW's row of the screen registry.
extern const kit::ScreenRow graph_screen;

}  // namespace dryer::views
