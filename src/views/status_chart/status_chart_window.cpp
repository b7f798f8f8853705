#include "views/status_chart/status_chart_window.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "kit/fit_text.h"
#include "logging/data_logs/data_logs.h"
#include "views/status_chart/status_chart_model.h"

namespace dryer::views {

namespace {
QRect client_rect(const Rect& r, const QPoint& origin) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top).translated(origin);
}
}  // namespace

StatusChartWindow::StatusChartWindow(QWidget* parent, kit::PanelContext& context)
    : SceneWindow(parent, context.state, context.texts, "AVERAGE_VALUES_WINDOW"),
      context_(context),
      button_(new QPushButton(this)),
      scroll_(new QScrollBar(Qt::Vertical, this)) {
    setWindowTitle(QStringLiteral(" DRYER STATUS CHART"));
    resize(kChartWidth, kChartHeight);
    set_caption_bar(true);
    const QPoint origin = contentsRect().topLeft();
    button_->setObjectName(QStringLiteral("SAMPLE TIME"));
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setGeometry(client_rect(kSampleTimeButton, origin));
    scroll_->setObjectName(QStringLiteral("CHART SCROLL"));
    scroll_->setGeometry(client_rect(kChartScrollBar, origin));
    scroll_->setSingleStep(1);
    scroll_->setPageStep(static_cast<int>(kChartRows));
    scroll_->hide();
    connect(button_, &QPushButton::clicked, this,
            [this] { context_.shell.open_dialog(kit::DialogId::sample_time, this); });
    button_->setEnabled(context_.shell.has_dialog(kit::DialogId::sample_time));
    connect(scroll_, &QScrollBar::valueChanged, this, &StatusChartWindow::scrolled);
    connect(&context_.events, &kit::PanelEvents::second_tick, this, [this] {
        if (isVisible()) reload();
    });
    // A new language brings the caption, the button's label and the headings.
    connect(&context_.events, &kit::PanelEvents::language_changed, this, &StatusChartWindow::reload);
    listen(context_.events);
    reload();
}

void StatusChartWindow::reload() {
    const QString title = QString::fromStdString(texts_.text(340));
    if (!title.isEmpty()) set_caption(title);
    const logging::DataLogs* logs = context_.logs;
    const unsigned minutes = logs ? logs->day.sample_time() : 10;
    const QString label = QString::fromStdString(sample_time_label(texts_, minutes));
    if (button_->text() != label) {
        button_->setText(label);
        button_->setFont(kit::fit_text(label, button_->rect().adjusted(4, 1, -4, -1), kit::panel_font(12, 700), true).font);
    }
    if (!logs) {
        records_.clear();
        update();
        return;
    }
    count_ = context_.logs->day.record_count();
    position_ = chart_settle_position(position_, count_, logs->chart_scroll_hold);
    {
        const QSignalBlocker quiet(scroll_);
        scroll_->setRange(0, static_cast<int>(chart_newest_position(count_)));
        scroll_->setValue(static_cast<int>(position_));
        scroll_->setVisible(chart_scroll_shown(count_));
    }
    read_page();
}

void StatusChartWindow::read_page() {
    const logging::DayPage page = context_.logs->day.read_page(kChartRows, chart_page_skip(count_, position_));
    if (page.status == logging::PageStatus::ok) {
        records_ = page.records;
    } else {
        records_.clear();
    }
    update();
}

void StatusChartWindow::scrolled(int value) {
    if (!context_.logs || value < 0) return;
    position_ = static_cast<std::size_t>(value);
    context_.logs->chart_scroll_hold = chart_hold_after_scroll(position_, count_);
    read_page();
}

Scene StatusChartWindow::build_scene() {
    ChartInput in;
    in.records = records_;
    in.running = logging::dryer_running(state_.status);
    in.fill_level = context_.logs ? context_.logs->long_term.fill_level() : 0;
    in.celsius = celsius();
    return chart_scene(in, texts_);
}

void StatusChartWindow::showEvent(QShowEvent* e) {
    SceneWindow::showEvent(e);
    reload();
}

namespace {
QWidget* create(kit::PanelContext& c, QWidget* parent) { return new StatusChartWindow(parent, c); }
}  // namespace

// The decoder's plenum-view bit comes with a change of the unit switch
// (display_options_266); the records themselves are read on the second tick.
const kit::ScreenRow status_chart_screen{kit::WindowId::average_values,
                                         "AVERAGE_VALUES_WINDOW",
                                         " DRYER STATUS CHART",
                                         {240, 40, kChartWidth, kChartHeight},
                                         kit::Frame::caption_bar,
                                         false,
                                         false,
                                         link::redraw::plenum_view,
                                         create};

}  // namespace dryer::views
