// AVERAGE_VALUES_WINDOW, the status chart: the newest records of the 24-hour
// data log as a table (drawn from chart_scene()), the sample-time button that
// opens the sample-time dialog and the scroll bar with its hold. It reads the
// log on every second tick while shown, after every scroll and when it is
// shown; the decoder's unit switch only repaints it.
#pragma once

#include <vector>

#include "kit/screen.h"
#include "logging/day_log/day_log.h"
#include "views/scene/scene_window.h"

class QPushButton;
class QScrollBar;

namespace dryer::views {

class StatusChartWindow : public SceneWindow {
    Q_OBJECT
public:
    // Reads the logs of context (nothing is shown without them).
    StatusChartWindow(QWidget* parent, kit::PanelContext& context);

    // Reads the record count and the page at the scroll position (the newest
    // page once the hold has run out), relabels the sample-time button and
    // schedules a repaint.
    void reload();

    // The page shown, oldest first (empty after a read error).
    const std::vector<logging::SampleRecord>& records() const { return records_; }
    std::size_t record_count() const { return count_; }
    std::size_t position() const { return position_; }
    QPushButton* sample_time_button() const { return button_; }
    QScrollBar* scroll_bar() const { return scroll_; }

protected:
    Scene build_scene() override;
    void showEvent(QShowEvent* e) override;

private:
    void scrolled(int value);
    void read_page();

    kit::PanelContext& context_;
    QPushButton* button_;
    QScrollBar* scroll_;
    std::vector<logging::SampleRecord> records_;
    std::size_t count_ = 0;
    std::size_t position_ = 0;
};

// AVERAGE_VALUES_WINDOW's row of the screen registry.
extern const kit::ScreenRow status_chart_screen;

}  // namespace dryer::views
