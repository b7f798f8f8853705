// DRYER_LEFT_STATUS_BAR_WINDOW (time, date, version or the airflow-test
// banner) and LINE_GRAPH_WINDOW (the readings panel with its two selectors).
#pragma once

#include <ctime>
#include <optional>

#include "kit/screen.h"
#include "views/scene/scene_window.h"
#include "views/status_bars/status_bars_model.h"

class QPushButton;

namespace dryer::views {

class LeftStatusBarWindow : public SceneWindow {
    Q_OBJECT
public:
    LeftStatusBarWindow(QWidget* parent, link::LinkState& state, const Texts& texts);
    // set_fixed_time() makes the bar show t instead of the local time
    // (nullopt: the local time again).
    void set_fixed_time(std::optional<std::tm> t) { fixed_ = t; }

protected:
    Scene build_scene() override;

private:
    std::optional<std::tm> fixed_;
};

class ReadingsWindow : public SceneWindow {
    Q_OBJECT
public:
    ReadingsWindow(QWidget* parent, link::LinkState& state, const Texts& texts);
    const ReadingsSelection& selection() const { return selection_; }

protected:
    Scene build_scene() override;

private:
    ReadingsSelection selection_;
};

// The rows of DRYER_LEFT_STATUS_BAR_WINDOW and LINE_GRAPH_WINDOW in the
// screen registry.
extern const kit::ScreenRow left_status_bar_screen;
extern const kit::ScreenRow readings_screen;

}  // namespace dryer::views
