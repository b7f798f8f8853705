#include "views/status_bars/status_bars_windows.h"

#include <QPushButton>

#include "views/scene/blink.h"

namespace dryer::views {
namespace {

// A selector: a flat, see-through push button over its part of the panel;
// the panel draws its face.
QPushButton* selector(QWidget* parent, const char* name, Rect r) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFlat(true);
    b->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    const QPoint o = parent->contentsRect().topLeft();
    b->setGeometry(o.x() + r.left, o.y() + r.top, r.right - r.left, r.bottom - r.top);
    return b;
}

}  // namespace

LeftStatusBarWindow::LeftStatusBarWindow(QWidget* parent, link::LinkState& state, const Texts& texts)
    : SceneWindow(parent, state, texts, "DRYER_LEFT_STATUS_BAR_WINDOW") {
    setWindowTitle(QStringLiteral(" DRYER BAR STATUS"));
    resize(kStatusBarWidth, kStatusBarHeight);
}

Scene LeftStatusBarWindow::build_scene() {
    std::tm now{};
    if (fixed_) {
        now = *fixed_;
    } else {
        const std::time_t t = std::time(nullptr);
        localtime_r(&t, &now);
    }
    return status_bar_scene(state_.status, blink_flags() & blink::phase, now, texts_);
}

ReadingsWindow::ReadingsWindow(QWidget* parent, link::LinkState& state, const Texts& texts)
    : SceneWindow(parent, state, texts, "LINE_GRAPH_WINDOW") {
    setWindowTitle(QStringLiteral(" GRAIN TEMPERATURE / MOISTURE"));
    resize(kReadingsWidth, kReadingsHeight);
    set_caption_bar(true);
    connect(selector(this, "GRAIN_TEMP_SELECT_BUTTON", kTemperatureButton), &QPushButton::clicked, this, [this] {
        selection_.press_temperature();
        update();
    });
    connect(selector(this, "MOISTURE_VIEW_SELECT_BUTTON", kMoistureButton), &QPushButton::clicked, this, [this] {
        selection_.press_moisture();
        update();
    });
}

Scene ReadingsWindow::build_scene() { return readings_scene(state_.status, selection_, texts_); }

// Shown by the main window while the airflow-test banner's condition holds.
const kit::ScreenRow left_status_bar_screen{kit::WindowId::left_status_bar,
                                            "DRYER_LEFT_STATUS_BAR_WINDOW",
                                            " DRYER BAR STATUS",
                                            {0, 0, 240, 40},
                                            kit::Frame::none,
                                            false,
                                            false,
                                            link::redraw::left_status_bar,
                                            create_scene_window<LeftStatusBarWindow>};

const kit::ScreenRow readings_screen{kit::WindowId::line_graph,
                                     "LINE_GRAPH_WINDOW",
                                     " GRAIN TEMPERATURE / MOISTURE",
                                     {0, 40, 240, 205},
                                     kit::Frame::caption_bar,
                                     false,
                                     false,
                                     link::redraw::line_graph,
                                     create_scene_window<ReadingsWindow>};

}  // namespace dryer::views
