#include "shell/main_window.h"

#include <QMessageBox>
#include <QPalette>
#include <array>
#include <utility>

#include "art/art.h"
#include "link/fields.h"
#include "link/link_driver.h"
#include "shell/child_windows.h"
#include "shell/dipswitch_dialog.h"
#include "shell/panel_window.h"
#include "shell/rules.h"

namespace dryer::shell {

namespace off = link::off;

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Which child window shows what a redraw bit names.
struct RedrawTarget {
    std::uint64_t bits;
    std::string_view window;
};
constexpr std::uint64_t kPlenumBits = link::redraw::plenum_view | (0x3Full * link::redraw::plenum_box_first);
constexpr std::array<RedrawTarget, 13> kRedrawTargets{{
    {link::redraw::dryer_picture, "DRYER_PIC_WINDOW"},
    {kPlenumBits, "CUSTOM_VIEW_WINDOW"},
    {link::redraw::batch_drying, "BATCH_DRYING_WINDOW"},
    {link::redraw::left_status_bar, "DRYER_LEFT_STATUS_BAR_WINDOW"},
    {link::redraw::right_status_bar | link::redraw::dryer_state_line, "DRYER_RIGHT_STATUS_BAR_WINDOW"},
    {link::redraw::unload_status, "UNLOAD_STATUS_WINDOW"},
    {link::redraw::line_graph, "LINE_GRAPH_WINDOW"},
    {link::redraw::timer_select | link::redraw::out_of_grain_timer, "TIMER_SELECT_WINDOW"},
    {link::redraw::temp_select, "TEMP_SELECT_WINDOW"},
    {link::redraw::setup_selection, "SETUP_SELECTION_WINDOW"},
    {link::redraw::button_bar, "BUTTON_BAR_WINDOW"},
    {link::redraw::warning_window, "WARNING_WINDOW"},
    {link::redraw::autostart, "AUTO_START_CONFIG_WINDOW"},
}};

// "MISC"'s questions and dialogs on the real widgets.
class WidgetMiscActions : public MiscActions {
public:
    WidgetMiscActions(MainWindow& w, const ShellHooks& hooks) : w_(w), hooks_(hooks) {}
    bool ask_local_mode() override {
        const QString title = hooks_.text ? hooks_.text(299) : QString();
        const QString body = hooks_.text ? hooks_.text(300) : QString();
        return QMessageBox::question(&w_, title, body, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) ==
               QMessageBox::Yes;
    }
    bool ask_learning_period() override {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("MOISTURE CONTROL LEARNING PERIOD STILL ACTIVE"),
                        QStringLiteral("The Moisture Control learning period has not expired.  Modifying the MC "
                                       "Setpoint is not recommended until the learning period is complete.  Do wish "
                                       "to modify the moisture control setpoint?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, &w_);
        return box.exec() == QMessageBox::Yes;
    }
    void open_meter_roll_speed() override {
        if (hooks_.open_meter_roll_speed) hooks_.open_meter_roll_speed(&w_);
    }
    void open_moisture_setpoint(int mode) override {
        if (hooks_.open_moisture_setpoint) hooks_.open_moisture_setpoint(w_.child("LINE_GRAPH_WINDOW"), mode);
    }
    void act_as_temps() override { w_.command(command::temps); }
    void open_temperature_keypad(const TemperatureKeypadRequest& r) override {
        if (hooks_.open_temperature_keypad) hooks_.open_temperature_keypad(&w_, r);
    }

private:
    MainWindow& w_;
    const ShellHooks& hooks_;
};

// Runs a timer body unless the same body is already running further up the
// stack (a modal box opened from it runs its own event loop).
template <class F> void guarded(bool& busy, F&& body) {
    if (busy) return;
    busy = true;
    body();
    busy = false;
}

}  // namespace

MainWindow::MainWindow(link::LinkState& state, ShellHooks hooks, QWidget* parent)
    : QWidget(parent), state_(state), hooks_(std::move(hooks)), timers_(state, *this, auto_repeat_service()) {
    setObjectName(QStringLiteral("DRYER_PANEL_MAIN_WINDOW"));
    setWindowTitle(QStringLiteral("Dryer panel"));
    setFixedSize(640, 480);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    create_buttons();

    fast_timer_.setTimerType(Qt::PreciseTimer);
    second_timer_.setTimerType(Qt::PreciseTimer);
    display_timer_.setTimerType(Qt::PreciseTimer);
    connect(&fast_timer_, &QTimer::timeout, this, &MainWindow::on_fast_timer);
    connect(&second_timer_, &QTimer::timeout, this, &MainWindow::on_second_timer);
    connect(&display_timer_, &QTimer::timeout, this, &MainWindow::on_display_timer);

    // The decoder's redraw requests arrive on the receive thread; they are
    // carried out on this thread through a queued call.
    wake_ = [this] { QMetaObject::invokeMethod(this, &MainWindow::serve_redraws, Qt::QueuedConnection); };
    state_.redraw.set_wake(&wake_);
}

MainWindow::~MainWindow() { state_.redraw.set_wake(nullptr); }

void MainWindow::create_buttons() {
    for (const MainButtonSpec& entry : kMainButtons) {
        auto* b = new PictureButton(qs(entry.name), entry.command, this);
        const bool qs_button = entry.command == command::quick_start;
        b->setGeometry(qs_button ? kQsX : 0, kButtonY, qs_button ? kQsW : kButtonW, kButtonH);
        b->setVisible(!qs_button);
        const int id = entry.command;
        connect(b, &QAbstractButton::clicked, this, [this, id] { command(id); });
        buttons_[entry.command] = b;
    }
    const ButtonBarLayout normal = button_bar_layout(0);
    for (std::size_t i = 0; i < normal.x.size(); ++i) buttons_[kMainButtons[i].command]->move(normal.x[i], kButtonY);
    reload_button_pictures();
}

void MainWindow::reload_button_pictures() {
    for (const MainButtonSpec& entry : kMainButtons) {
        PictureButton* b = buttons_[entry.command];
        if (entry.command == command::quick_start) {
            b->set_picture(art::builtin_picture(entry.picture));
        } else {
            b->set_picture(hooks_.button_picture ? hooks_.button_picture(entry.picture) : QImage());
        }
    }
    misc_batch_picture_ = false;
    update_misc_picture();
}

void MainWindow::update_misc_picture() {
    const bool batch = link::load(state_.values.batch_mode) != 0;
    if (batch == misc_batch_picture_) return;
    misc_batch_picture_ = batch;
    const int picture = batch ? kMiscBatchPicture : kMainButtons[4].picture;
    buttons_[command::misc]->set_picture(hooks_.button_picture ? hooks_.button_picture(picture) : QImage());
}

void MainWindow::set_child_factory(const std::string& class_name, ChildWindowFactory factory) {
    factories_[class_name] = std::move(factory);
}

void MainWindow::create_child_windows() {
    for (const ChildWindowSpec& entry : kChildWindows) {
        QWidget* w = nullptr;
        if (auto f = factories_.find(entry.class_name); f != factories_.end() && f->second) w = f->second(this);
        if (!w) w = new PanelWindow(qs(entry.class_name), qs(entry.caption), entry.caption_bar, this);
        w->setParent(this);
        w->setObjectName(qs(entry.class_name));
        w->setWindowTitle(qs(entry.caption));
        w->setGeometry(entry.x, entry.y, entry.w, entry.h);
        w->setVisible(entry.shown);
        children_[std::string(entry.class_name)] = w;
    }
    // The buttons lie above the button bar window.
    for (auto& [id, b] : buttons_) b->raise();
    apply_right_hand_view_rule();
}

void MainWindow::start_timers() {
    fast_timer_.start(175);
    second_timer_.start(1000);
    display_timer_.start(100);
}

QWidget* MainWindow::child(std::string_view class_name) const {
    auto it = children_.find(class_name);
    return it == children_.end() ? nullptr : it->second;
}

PictureButton* MainWindow::button(int id) const {
    auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

void MainWindow::set_shown(std::string_view class_name, bool shown) {
    if (QWidget* w = child(class_name)) w->setVisible(shown);
}

void MainWindow::keep_top_windows_above() {
    for (const ChildWindowSpec& entry : kChildWindows) {
        QWidget* w = child(entry.class_name);
        if (entry.top && w && w->isVisible()) w->raise();
    }
}

void MainWindow::command(int id) {
    switch (id) {
        case command::timers:
            hide_main_screen();
            set_shown("TIMER_SELECT_WINDOW", true);
            break;
        case command::temps:
            hide_main_screen();
            set_shown("TEMP_SELECT_WINDOW", true);
            break;
        case command::setup:
            hide_main_screen();
            set_shown("WARNING_WINDOW", false);
            set_shown("SETUP_SELECTION_WINDOW", true);
            link::store(state_.values.view_switching_enabled, 0);
            break;
        case command::view:
            set_shown("VIEW_SELECTION_WINDOW", true);
            if (QWidget* w = child("VIEW_SELECTION_WINDOW")) w->raise();
            break;
        case command::misc: run_misc_command(); break;
        case command::meter_roll_event: run_meter_roll_command(); break;
        case command::dipswitch_event: open_defaults_dipswitch_dialog(); break;
        case command::quick_start:
            if (hooks_.open_auto_start_status) hooks_.open_auto_start_status(this);
            break;
        default: return;
    }
    keep_top_windows_above();
}

void MainWindow::run_misc_command() {
    WidgetMiscActions actions(*this, hooks_);
    run_misc(state_, actions);
}

void MainWindow::run_meter_roll_command() {
    WidgetMiscActions actions(*this, hooks_);
    run_meter_roll_event(state_, actions);
}

void MainWindow::open_defaults_dipswitch_dialog() {
    // One dialog at a time: the event can come again while it is open.
    if (dipswitch_open_ || link::load(state_.values.dipswitch_latch) != 0) return;
    dipswitch_open_ = true;
    DefaultsDipswitchDialog dialog(state_.values, child("LINE_GRAPH_WINDOW") ? child("LINE_GRAPH_WINDOW") : this);
    dialog.exec();
    dipswitch_open_ = false;
}

void MainWindow::hide_main_screen() {
    for (std::string_view name : kMainScreenWindows) set_shown(name, false);
    for (auto& [id, b] : buttons_) b->hide();
    if (graph_companion_) graph_companion_->hide();
    main_screen_shown_ = false;
}

void MainWindow::restore_main_screen() {
    for (const ChildWindowSpec& entry : kChildWindows) {
        if (entry.shown) set_shown(entry.class_name, true);
    }
    for (std::size_t i = 0; i < 5; ++i) buttons_[kMainButtons[i].command]->show();
    main_screen_shown_ = true;
    apply_button_bar_layout();
    apply_right_hand_view_rule();
    for (auto& [id, b] : buttons_) b->raise();
    keep_top_windows_above();
}

void MainWindow::apply_button_bar_layout() {
    const ButtonBarLayout layout = button_bar_layout(state_.status.get(off::options_279));
    for (std::size_t i = 0; i < layout.x.size(); ++i) buttons_[kMainButtons[i].command]->move(layout.x[i], kButtonY);
    buttons_[command::quick_start]->setVisible(layout.qs_shown && main_screen_shown_);
}

void MainWindow::apply_batch_button_rule() {
    QWidget* batch = child("BATCH_DRYING_WINDOW");
    if (!batch) return;
    const BatchButtons b = batch_buttons(state_.status.get(off::drying_mode), state_.status.get(off::system_flags_257));
    QWidget* single = batch->findChild<QWidget*>(QString::fromLatin1(kSingleHeatButton));
    QWidget* high = batch->findChild<QWidget*>(QString::fromLatin1(kHighHeatButton));
    QWidget* low = batch->findChild<QWidget*>(QString::fromLatin1(kLowHeatButton));
    if (single) {
        single->setVisible(b.single);
        single->setEnabled(true);
    }
    if (high) high->setVisible(b.high);
    if (low) low->setVisible(b.low);
}

void MainWindow::apply_right_hand_view_rule() {
    apply_batch_button_rule();
    // While a selection screen covers the main screen the rule waits for
    // the screen to bring the main screen back.
    if (!main_screen_shown_) return;
    const RightHandViews v =
        right_hand_views(state_.status.get(off::drying_mode), state_.status.get(off::display_options_266));
    set_shown("GRAPH_WINDOW", v.graph);
    if (graph_companion_) graph_companion_->setVisible(v.graph);
    set_shown("AVERAGE_VALUES_WINDOW", v.averages);
    set_shown("CUSTOM_VIEW_WINDOW", v.custom_view);
    set_shown("BATCH_DRYING_WINDOW", v.batch_drying);
    keep_top_windows_above();
}

void MainWindow::serve_redraws() {
    const std::uint64_t bits = state_.redraw.take();
    if (bits == 0) return;
    if (bits & link::redraw::right_hand_view_rule) {
        apply_right_hand_view_rule();
    } else if (bits & link::redraw::batch_button_rule) {
        apply_batch_button_rule();
    }
    if (bits & link::redraw::button_bar) update_misc_picture();
    for (const RedrawTarget& t : kRedrawTargets) {
        if (bits & t.bits)
            if (QWidget* w = child(t.window)) w->update();
    }
    if (hooks_.redraw) hooks_.redraw(bits);
}

void MainWindow::on_fast_timer() {
    guarded(in_fast_, [this] {
        timers_.fast_tick();
        update_misc_picture();
    });
}

void MainWindow::on_second_timer() {
    guarded(in_second_, [this] {
        const std::time_t t = std::time(nullptr);
        std::tm now{};
        localtime_r(&t, &now);
        timers_.second_tick(now);
    });
}

void MainWindow::on_display_timer() {
    guarded(in_display_, [this] { timers_.display_tick(); });
}

// --- timer duties -----------------------------------------------------------

void MainWindow::redraw_status_line() {
    if (QWidget* w = child("DRYER_RIGHT_STATUS_BAR_WINDOW")) w->update();
}

void MainWindow::redraw_warning_window() {
    if (QWidget* w = child("WARNING_WINDOW")) w->update();
}

void MainWindow::link_cycle_tick() { link::link_cycle_tick(); }

void MainWindow::redraw_graph_and_plenum() {
    if (QWidget* w = child("LINE_GRAPH_WINDOW")) w->update();
    if (QWidget* w = child("CUSTOM_VIEW_WINDOW")) w->update();
}

void MainWindow::link_second_tick() { link::link_second_tick(); }

void MainWindow::one_second_housekeeping() {
    if (hooks_.one_second_housekeeping) hooks_.one_second_housekeeping();
}

void MainWindow::show_warning_window(bool shown) {
    QWidget* w = child("WARNING_WINDOW");
    if (!w || w->isVisible() == shown) return;
    w->setVisible(shown);
    if (shown) {
        w->raise();
        keep_top_windows_above();
    }
}

void MainWindow::redraw_shutdown_help_picture() {
    if (hooks_.redraw_shutdown_help_picture) hooks_.redraw_shutdown_help_picture();
}

bool MainWindow::shutdown_help_opened_from_history() {
    return hooks_.shutdown_help_opened_from_history && hooks_.shutdown_help_opened_from_history();
}

void MainWindow::close_shutdown_help() {
    if (hooks_.close_shutdown_help) hooks_.close_shutdown_help();
}

void MainWindow::redraw_warning_message_line() {
    if (hooks_.redraw_warning_message_line) hooks_.redraw_warning_message_line();
}

void MainWindow::advance_dryer_picture() {
    if (hooks_.advance_dryer_picture) hooks_.advance_dryer_picture();
    if (QWidget* w = child("DRYER_PIC_WINDOW")) w->update();
}

}  // namespace dryer::shell
