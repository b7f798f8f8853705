#include "shell/main_window.h"

#include <QPalette>
#include <ctime>
#include <utility>

#include "art/art.h"
#include "kit/local_text.h"
#include "kit/message_box.h"
#include "kit/panel_window.h"
#include "link/fields.h"
#include "link/link_cycle.h"
#include "logging/data_logs/data_logs.h"
#include "logging/history/shutdown_store.h"
#include "logging/history_screen/history_screen.h"
#include "setup/batch_timers/batch_drying_window.h"
#include "setup/keypads/keypad_dialogs.h"
#include "shell/condition_strip.h"
#include "shell/dipswitch_dialog.h"
#include "shell/event_bytes.h"
#include "shell/main_buttons.h"
#include "shell/misc_command.h"
#include "shell/rules.h"
#include "views/dryer_picture/dryer_picture_window.h"
#include "views/status_bars/status_bars_model.h"
#include "views/view_selection/system_information_dialog.h"
#include "views/warning/warning_window.h"

namespace dryer::shell {

namespace off = link::off;
using kit::WindowId;

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString qs(const std::string& s) { return QString::fromStdString(s); }

// "MISC"'s questions and dialogs on the real widgets.
class WidgetMiscActions : public MiscActions {
public:
    WidgetMiscActions(MainWindow& w, const views::Texts& texts) : w_(w), texts_(texts) {}
    bool ask_local_mode() override {
        return ask_yes_no_cancel(QMessageBox::Question, texts_.text(299), texts_.text(300));
    }
    bool ask_learning_period() override {
        const LearningPeriodQuestion q = learning_period_question([this](unsigned n) { return texts_.text(n); });
        return ask_yes_no_cancel(QMessageBox::Warning, q.title, q.body);
    }
    void open_meter_roll_speed() override { w_.open_dialog(kit::DialogId::meter_roll_speed, &w_); }
    void open_moisture_setpoint(int mode) override {
        w_.open_dialog(kit::DialogId::moisture_setpoint, w_.window(WindowId::line_graph), mode);
    }
    void act_as_temps() override { w_.command(command::temps); }
    void open_temperature_keypad(const TemperatureKeypadRequest& r) override {
        setup::run_temperature_keypad(&w_, w_.context().state, {r.target, {r.minimum, r.maximum, r.fallback}},
                                      "MISC grain setpoint");
    }

private:
    // Asks the question with Yes, No and Cancel in the current language
    // (texts 134, 135 and 10; English where a text is missing); true on Yes.
    bool ask_yes_no_cancel(QMessageBox::Icon icon, const std::string& title, const std::string& body) {
        kit::MessageBox box(icon, qs(title), qs(body), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, &w_);
        const std::pair<QMessageBox::StandardButton, unsigned> names[] = {
            {QMessageBox::Yes, 134}, {QMessageBox::No, 135}, {QMessageBox::Cancel, 10}};
        for (const auto& [button, n] : names)
            if (const std::string t = texts_.text(n); !t.empty()) box.button(button)->setText(qs(t));
        return box.exec() == QMessageBox::Yes;
    }

    MainWindow& w_;
    const views::Texts& texts_;
};

// Runs a timer body unless the same body is already running further up the
// stack (a modal box opened from it runs its own event loop).
template <class F> void guarded(bool& busy, F&& body) {
    if (busy) return;
    busy = true;
    body();
    busy = false;
}

// The screen or dialog a main button opens; a button whose screen is not
// built is disabled, so no press leads to a dead end.
bool button_has_screen(const MainWindow& w, int command) {
    switch (command) {
        case command::timers: return w.screen_built(WindowId::timer_select);
        case command::temps: return w.screen_built(WindowId::temp_select);
        case command::setup: return w.screen_built(WindowId::setup_selection);
        case command::view: return w.screen_built(WindowId::view_selection);
        case command::quick_start: return w.has_dialog(kit::DialogId::auto_start_status);
        default: return true;
    }
}

}  // namespace

MainWindow::MainWindow(link::LinkState& state, const views::Texts& texts,
                       std::span<const kit::ScreenRow* const> screens, std::span<const kit::DialogRow* const> dialogs,
                       QWidget* parent)
    : QWidget(parent),
      state_(state),
      context_{state, texts, events_, *this},
      screens_(screens),
      timers_(state, *this, auto_repeat_service()) {
    setObjectName(QStringLiteral("DRYER_PANEL_MAIN_WINDOW"));
    setWindowTitle(QStringLiteral("Dryer panel"));
    setFixedSize(640, 480);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    for (const kit::DialogRow* d : dialogs)
        if (d) dialogs_[static_cast<std::size_t>(d->id)] = d;
    create_buttons();

    fast_timer_.setTimerType(Qt::PreciseTimer);
    second_timer_.setTimerType(Qt::PreciseTimer);
    display_timer_.setTimerType(Qt::PreciseTimer);
    connect(&fast_timer_, &QTimer::timeout, this, &MainWindow::on_fast_timer);
    connect(&second_timer_, &QTimer::timeout, this, &MainWindow::on_second_timer);
    connect(&display_timer_, &QTimer::timeout, this, &MainWindow::on_display_timer);
    connect(&events_, &kit::PanelEvents::language_changed, this, &MainWindow::reload_button_pictures);

    // The decoder's redraw requests and event bytes arrive on the receive
    // thread; they are carried out on this thread through a queued call.
    wake_ = [this] { QMetaObject::invokeMethod(this, &MainWindow::serve_redraws, Qt::QueuedConnection); };
    state_.redraw.set_wake(&wake_);
}

MainWindow::~MainWindow() { state_.redraw.set_wake(nullptr); }

void MainWindow::create_buttons() {
    for (const MainButton& entry : kMainButtons) {
        auto* b = new kit::PictureButton(qs(entry.name), this);
        const bool qs_button = entry.command == command::quick_start;
        b->setGeometry(qs_button ? kQsX : 0, kButtonY, qs_button ? kQsW : kButtonW, kButtonH);
        b->setVisible(!qs_button);
        const int id = entry.command;
        connect(b, &QAbstractButton::clicked, this, [this, id] {
            // Presses right after a full-screen screen closed belong to it.
            if (!main_buttons_ready()) return;
            command(id);
        });
        buttons_[entry.command] = b;
    }
    const ButtonBarLayout normal = button_bar_layout(0);
    for (std::size_t i = 0; i < normal.x.size(); ++i) buttons_[kMainButtons[i].command]->move(normal.x[i], kButtonY);
    reload_button_pictures();
}

void MainWindow::reload_button_pictures() {
    for (const MainButton& entry : kMainButtons) {
        kit::PictureButton* b = buttons_[entry.command];
        if (entry.command == command::quick_start) {
            b->set_image(art::builtin_picture(entry.picture));
        } else {
            b->set_image(kit::button_picture(entry.picture));
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
    buttons_[command::misc]->set_image(kit::button_picture(picture));
}

void MainWindow::create_child_windows() {
    for (const kit::ScreenRow* r : screens_) {
        QWidget* w = r->create ? r->create(context_, this) : nullptr;
        const bool bar = r->frame == kit::Frame::caption_bar;
        if (!w) w = new kit::PanelWindow(this, kit::class_name(*r), qs(r->caption), bar);
        w->setParent(this);
        w->setObjectName(kit::class_name(*r));
        // A built screen may already carry its caption in the current
        // language; the row's English caption only names the others.
        if (w->windowTitle().isEmpty()) w->setWindowTitle(qs(r->caption));
        if (auto* pw = qobject_cast<kit::PanelWindow*>(w); pw && pw->has_caption_bar() != bar) pw->set_caption_bar(bar);
        w->setGeometry(r->rect);
        w->setVisible(r->shown);
        windows_[static_cast<std::size_t>(r->id)] = w;
    }
    strip_ = new ConditionStrip(context_, this);
    // The buttons lie above the button bar window.
    for (auto& [id, b] : buttons_) {
        b->raise();
        b->setEnabled(button_has_screen(*this, id));
    }
    apply_right_hand_view_rule();
}

void MainWindow::start_timers() {
    fast_timer_.start(175);
    second_timer_.start(1000);
    display_timer_.start(100);
}

QWidget* MainWindow::window(WindowId id) const { return windows_[static_cast<std::size_t>(id)]; }

bool MainWindow::screen_built(WindowId id) const {
    for (const kit::ScreenRow* r : screens_)
        if (r->id == id) return r->create != nullptr;
    return false;
}

bool MainWindow::has_dialog(kit::DialogId id) const { return dialogs_[static_cast<std::size_t>(id)] != nullptr; }

bool MainWindow::open_dialog(kit::DialogId id, QWidget* over, int arg) {
    const kit::DialogRow* d = dialogs_[static_cast<std::size_t>(id)];
    if (!d) return false;
    d->open(context_, over ? over : this, arg);
    return true;
}

kit::PictureButton* MainWindow::button(int id) const {
    auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

void MainWindow::set_shown(WindowId id, bool shown) {
    if (QWidget* w = window(id)) w->setVisible(shown);
}

void MainWindow::keep_top_windows_above() {
    for (const kit::ScreenRow* r : screens_) {
        QWidget* w = window(r->id);
        if (r->top && w && w->isVisible()) w->raise();
    }
    if (strip_) strip_->raise();
}

void MainWindow::command(int id) {
    switch (id) {
        case command::timers:
            hide_main_screen();
            set_shown(WindowId::timer_select, true);
            break;
        case command::temps:
            hide_main_screen();
            set_shown(WindowId::temp_select, true);
            break;
        case command::setup:
            hide_main_screen();
            set_shown(WindowId::warning, false);
            set_shown(WindowId::setup_selection, true);
            link::store(state_.values.view_switching_enabled, 0);
            break;
        case command::view:
            set_shown(WindowId::view_selection, true);
            if (QWidget* w = window(WindowId::view_selection)) w->raise();
            break;
        case command::misc: run_misc_command(); break;
        case command::meter_roll_event: run_meter_roll_command(); break;
        case command::dipswitch_event: open_defaults_dipswitch_dialog(); break;
        case command::quick_start: open_dialog(kit::DialogId::auto_start_status, this); break;
        default: return;
    }
    keep_top_windows_above();
}

void MainWindow::run_misc_command() {
    WidgetMiscActions actions(*this, context_.texts);
    run_misc(state_, actions);
}

void MainWindow::run_meter_roll_command() {
    WidgetMiscActions actions(*this, context_.texts);
    run_meter_roll_event(state_, actions);
}

void MainWindow::open_defaults_dipswitch_dialog() {
    // One dialog at a time: the event can come again while it is open.
    if (dipswitch_open_ || link::load(state_.values.dipswitch_latch) != 0) return;
    dipswitch_open_ = true;
    QWidget* over = window(WindowId::line_graph);
    DefaultsDipswitchDialog dialog(state_.values, over ? over : this);
    dialog.exec();
    dipswitch_open_ = false;
}

void MainWindow::run_event_commands() {
    const EventCommands c = take_event_commands(state_.values);
    for (std::size_t i = 0; i < c.count; ++i) command(c.commands[i]);
}

void MainWindow::hide_main_screen() {
    for (WindowId id : kMainScreenWindows) set_shown(id, false);
    for (auto& [id, b] : buttons_) b->hide();
    if (graph_companion_) graph_companion_->hide();
    main_screen_shown_ = false;
    update_left_status_bar();
}

void MainWindow::restore_main_screen() {
    for (const kit::ScreenRow* r : screens_)
        if (r->shown) set_shown(r->id, true);
    for (std::size_t i = 0; i < 5; ++i) buttons_[kMainButtons[i].command]->show();
    main_screen_shown_ = true;
    restored_.start();
    apply_button_bar_layout();
    apply_right_hand_view_rule();
    update_left_status_bar();
    for (auto& [id, b] : buttons_) b->raise();
    keep_top_windows_above();
}

void MainWindow::apply_button_bar_layout() {
    const ButtonBarLayout layout = button_bar_layout(state_.status.get(off::options_279));
    for (std::size_t i = 0; i < layout.x.size(); ++i) buttons_[kMainButtons[i].command]->move(layout.x[i], kButtonY);
    buttons_[command::quick_start]->setVisible(layout.qs_shown && main_screen_shown_);
}

void MainWindow::apply_batch_button_rule() {
    QWidget* batch = window(WindowId::batch_drying);
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
    std::optional<std::uint8_t> pending;
    if (state_.flags.raised(link::row::display_options)) pending = state_.settings.get(off::display_options_266);
    const bool heard = link::load(state_.stats.frames_accepted) > 0;
    const bool stored_graph = context_.logs && context_.logs->stored.settings().alternative_view;
    const std::uint8_t options =
        view_rule_options(state_.status.get(off::display_options_266), pending, heard, stored_graph);
    const RightHandViews v = right_hand_views(state_.status.get(off::drying_mode), options);
    set_shown(WindowId::graph, v.graph);
    if (graph_companion_) graph_companion_->setVisible(v.graph);
    set_shown(WindowId::average_values, v.averages);
    set_shown(WindowId::custom_view, v.custom_view);
    set_shown(WindowId::batch_drying, v.batch_drying);
    keep_top_windows_above();
}

// The airflow-test banner is a safety message: the left status bar lies over
// the top of the dryer picture while any unit's air-switch test is off.
void MainWindow::update_left_status_bar() {
    const bool banner = main_screen_shown_ && views::airflow_testing_disabled(state_.status);
    QWidget* bar = window(WindowId::left_status_bar);
    if (!bar || bar->isVisible() == banner) return;
    bar->setVisible(banner);
    if (banner) bar->raise();
    keep_top_windows_above();
}

void MainWindow::serve_redraws() {
    // The controller's first frame ends the stored view choice's say.
    if (!controller_reported_ && link::load(state_.stats.frames_accepted) > 0) {
        controller_reported_ = true;
        apply_right_hand_view_rule();
    }
    const std::uint64_t bits = state_.redraw.take();
    if (bits == 0) return;
    if (bits & link::redraw::right_hand_view_rule) {
        apply_right_hand_view_rule();
    } else if (bits & link::redraw::batch_button_rule) {
        apply_batch_button_rule();
    }
    if (bits & link::redraw::button_bar) update_misc_picture();
    for (const kit::ScreenRow* r : screens_) {
        if (!(bits & r->redraw_bits)) continue;
        QWidget* w = window(r->id);
        if (auto* pw = qobject_cast<kit::PanelWindow*>(w)) {
            pw->refresh();
        } else if (w) {
            w->update();
        }
    }
    emit events_.redraw(bits);
    if (bits & link::redraw::panel_event) run_event_commands();
}

void MainWindow::on_fast_timer() {
    guarded(in_fast_, [this] {
        timers_.fast_tick();
        update_misc_picture();
        update_left_status_bar();
        emit events_.fast_tick(timers_.blink_flags());
        // An event the decoder raised without a wake-up is never left waiting.
        run_event_commands();
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
    if (QWidget* w = window(WindowId::right_status_bar)) w->update();
    if (QWidget* w = window(WindowId::left_status_bar); w && w->isVisible()) w->update();
}

void MainWindow::redraw_warning_window() {
    if (QWidget* w = window(WindowId::warning)) w->update();
}

void MainWindow::link_cycle_tick() {
    if (driver_) {
        driver_->cycle_tick();
    } else {
        (void)link::link_cycle_tick_on(state_);
    }
}

void MainWindow::redraw_graph_and_plenum() {
    if (QWidget* w = window(WindowId::line_graph)) w->update();
    if (QWidget* w = window(WindowId::custom_view)) w->update();
}

void MainWindow::set_data_logs(logging::DataLogs* logs) {
    context_.logs = logs;
    housekeeping::HousekeepingDuties& duties = *this;
    housekeeping_ = logs ? std::make_unique<housekeeping::Housekeeping>(state_, *logs, duties) : nullptr;
}

void MainWindow::one_second_housekeeping(const std::tm& now) {
    if (housekeeping_) (void)housekeeping_->tick(platform::local_time_of(now));
}

void MainWindow::show_warning_window(bool shown) {
    if (strip_) strip_->set_condition(shown);
    QWidget* w = window(WindowId::warning);
    // Under a full-screen screen the strip in its caption bar names the
    // condition; the warning window waits for the main screen.
    if (!w || w->isVisible() == shown) return;
    w->setVisible(shown);
    if (shown) {
        w->raise();
        keep_top_windows_above();
    }
}

void MainWindow::redraw_shutdown_help_picture() { emit events_.help_animation_tick(); }

bool MainWindow::shutdown_help_opened_from_history() {
    auto* w = qobject_cast<views::WarningWindow*>(window(WindowId::warning));
    return w && w->help_dialog() && w->help_dialog()->owned_by_history();
}

void MainWindow::close_shutdown_help() { emit events_.condition_cleared(); }

void MainWindow::redraw_warning_message_line() { emit events_.message_line_tick(); }

// The screens' share of the display tick (the dryer picture's animation
// among them) runs here, in its place in the tick's order.
void MainWindow::advance_dryer_picture() { emit events_.display_tick(timers_.blink_flags()); }

// --- housekeeping duties ----------------------------------------------------

void MainWindow::feed_hourly_average() {
    if (auto* w = qobject_cast<views::DryerPictureWindow*>(window(WindowId::dryer_picture))) w->second_tick();
}

void MainWindow::ask_open_logger_setup() {
    const bool yes = kit::ask_yes(this, QMessageBox::Warning, kit::local("DATA LOG FILE SIZE WARNING"),
                                  kit::local("Data Logger close to full.  Do you wish to open Data Logger \n"
                                             " Setup Window?"));
    // Without the setup dialog built into the panel the answer opens nothing.
    if (yes) open_dialog(kit::DialogId::logger_setup, this);
}

// The status chart and the other screens redraw on the one-second tick.
void MainWindow::redraw_status_chart() { emit events_.second_tick(); }

bool MainWindow::graph_sampling_step(const logging::SampleRecord& record, const platform::LocalTime& now) {
    if (!context_.logs || !context_.logs->graph.sampling_step(record, now)) return false;
    // A new record: the graph shows it now, not a second later.
    if (auto* graph = dynamic_cast<kit::PanelWindow*>(window(WindowId::graph)); graph && graph->isVisible())
        graph->refresh();
    return true;
}

void MainWindow::redraw_system_information_exit() {
    for (auto* d : findChildren<views::SystemInformationDialog*>())
        if (d->isVisible()) d->redraw_exit();
}

std::optional<bool> MainWindow::history_exit_pressed() {
    for (auto* screen : findChildren<history::HistoryScreen*>())
        if (screen->isVisible()) return screen->exit_down();
    return std::nullopt;
}

std::optional<housekeeping::BatchTimerPress> MainWindow::batch_timer_buttons() {
    auto* w = qobject_cast<setup::BatchDryingWindow*>(window(WindowId::batch_drying));
    if (!w || !w->isVisible()) return std::nullopt;
    return housekeeping::BatchTimerPress{w->pressed_groups(), w->single_heat_pressed()};
}

void MainWindow::ask_stage_reset(std::size_t group, bool single_heat) {
    if (auto* w = qobject_cast<setup::BatchDryingWindow*>(window(WindowId::batch_drying)))
        w->ask_stage_reset(group, single_heat);
}

bool MainWindow::show_auto_start_finished(const std::u16string& text) {
    return kit::show_message(this, QMessageBox::NoIcon, kit::local(housekeeping::kAutoStartFinishedTitle),
                             QString::fromStdU16String(text), QMessageBox::Ok) == QMessageBox::Ok;
}

void MainWindow::record_history_event(std::string_view text) {
    if (context_.shutdown_store) (void)context_.shutdown_store->record_event(text);
}

}  // namespace dryer::shell
