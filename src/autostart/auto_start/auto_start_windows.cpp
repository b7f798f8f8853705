#include "autostart/auto_start/auto_start_windows.h"

#include <QPainter>
#include <QPushButton>

#include "kit/fit_text.h"
#include "kit/local_text.h"
#include "kit/message_box.h"
#include "kit/panel_style.h"
#include "kit/touch_button.h"
#include "link/fields.h"
#include "setup/common/screen_text.h"
#include "setup/setup_dialogs/setup_dialogs.h"
#include "setup/setup_selection/setup_selection_model.h"
#include "views/scene/scene_painter.h"

namespace dryer::autostart {

namespace {

namespace rd = link::redraw;
using kit::WindowId;

constexpr int kAutoStartPicture = 6;
constexpr int kExitPicture = 41;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The configuration screen's caption in the current language.
QString caption_now() { return kit::local(" SELECT HARDWARE SETUP PARAMETER TO MODIFY - 03"); }

QString text_or(const kit::PanelContext& c, unsigned n, const char* fallback) {
    return qs(setup::title_text(c.texts.text(n), fallback));
}

// The status dialog's drawing area: the scene of the current status image.
class TimelineCanvas : public QWidget {
public:
    TimelineCanvas(kit::PanelContext& c, QWidget* parent) : QWidget(parent), context_(c) {
        setObjectName(QStringLiteral("AUTO_START_TIMELINE"));
        setFixedSize(640, kTimelineHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        views::paint_scene(p, status_scene(context_.state.status, context_.texts));
    }

private:
    kit::PanelContext& context_;
};

}  // namespace

// ---- the configuration screen ----------------------------------------------

AutoStartWindow::AutoStartWindow(kit::PanelContext& context, QWidget* parent)
    : kit::PanelWindow(parent, QStringLiteral("AUTO_START_CONFIG_WINDOW"), caption_now(), true),
      context_(context) {
    resize(640, 475);
    const QPoint o = contentsRect().topLeft();
    const auto at = [o](int x, int y, int w, int h) { return QRect(o.x() + x, o.y() + y, w, h); };
    auto* grain_page = new kit::PictureButton(QStringLiteral("Grain Select"), this, 48);
    grain_page->setGeometry(at(5, 5, 120, 60));
    connect(grain_page, &QPushButton::clicked, this, [this] { set_page(Page::grain); });
    auto* moisture_page = new kit::PictureButton(QStringLiteral("Moisture Settings"), this, 49);
    moisture_page->setGeometry(at(5, 75, 120, 60));
    connect(moisture_page, &QPushButton::clicked, this, [this] { set_page(Page::moisture); });
    // CONTINUE lies under INITIATE in the same place; INITIATE takes the touch.
    auto* cont = new kit::PictureButton(QStringLiteral("CONTINUE"), this, kAutoStartPicture);
    cont->setGeometry(at(439, 395, 159, 41));
    connect(cont, &QPushButton::clicked, this, [this] { close_screen(false); });
    auto* initiate_button = new kit::PictureButton(QStringLiteral("INITIATE"), this, kAutoStartPicture);
    initiate_button->setGeometry(at(439, 395, 160, 47));
    connect(initiate_button, &QPushButton::clicked, this, [this] { initiate(); });
    auto* exit = new kit::PictureButton(QStringLiteral("EXIT"), this, kExitPicture);
    exit->setGeometry(at(240, 395, 160, 47));
    connect(exit, &QPushButton::clicked, this, [this] { close_screen(true); });
    for (std::size_t i = 0; i < kGrains.size(); ++i) {
        const Grain& g = kGrains[i];
        auto* b = new kit::PictureButton(QString::fromLatin1(g.name), this, g.picture);
        b->setGeometry(at(g.x, g.y, kGrainButtonW, kGrainButtonH));
        connect(b, &QPushButton::clicked, this, [this, v = g.value] {
            choose_grain(context_.state, v);
            update();
        });
        grains_[i] = b;
    }
    moisture_[0] = kit::touch_button(this, QStringLiteral("MOISTURE VALUE CONTINUE"), kit::local("CONTINUE"),
                                at(210, 100, 200, 60));
    connect(moisture_[0], &QPushButton::clicked, this, [this] { edit_moisture(4); });
    moisture_[1] = kit::touch_button(this, QStringLiteral("MOISTURE SETPOINT CONTINUE"), kit::local("CONTINUE"),
                                at(210, 250, 200, 60));
    connect(moisture_[1], &QPushButton::clicked, this, [this] { edit_moisture(3); });
    connect(&context_.events, &kit::PanelEvents::language_changed, this, [this] {
        for (auto* b : findChildren<kit::PictureButton*>()) b->reload_picture();
        set_caption(caption_now());
        for (auto* b : moisture_) {
            b->setText(kit::local("CONTINUE"));
            kit::fit_button_text(*b);
        }
    });
    set_page(page_);
}

void AutoStartWindow::open_screen() {
    open_configuration(context_.state);
    open_ = true;
    set_page(page_);
    show();
    raise();
}

void AutoStartWindow::set_page(Page page) {
    page_ = page;
    for (auto* b : grains_) b->setVisible(page_ == Page::grain);
    for (auto* b : moisture_) b->setVisible(page_ == Page::moisture);
    refresh();
}

void AutoStartWindow::refresh() {
    const bool editable = context_.shell.has_dialog(kit::DialogId::moisture_setpoint);
    for (auto* b : moisture_) b->setEnabled(editable);
    update();
}

void AutoStartWindow::paint_client(QPainter& p) {
    views::paint_scene(p, configuration_scene(context_.state.status, context_.state.settings, page_));
}

void AutoStartWindow::close_screen(bool send_grain) {
    leave_configuration(context_.state, send_grain);
    open_ = false;
    hide();
    // The screen was opened from the hardware setup menu; it returns to the
    // main screen as that menu's EXIT does.
    setup::leave_setup_menu(context_.state);
    context_.shell.restore_main_screen();
}

void AutoStartWindow::initiate() {
    const Outcome out = run_confirmation(context_, this);
    if (out.close_screen) {
        open_ = false;
        hide();
        setup::leave_setup_menu(context_.state);
        context_.shell.restore_main_screen();
        return;
    }
    update();
}

void AutoStartWindow::edit_moisture(int mode) {
    context_.shell.open_dialog(kit::DialogId::moisture_setpoint, this, mode);
    update();
}

// ---- the confirmation and the notice ---------------------------------------

Outcome run_confirmation(kit::PanelContext& c, QWidget* over) {
    const setup::Question q{setup::title_text(c.texts.text(301), "Auto-Start"),
                            c.texts.text(confirmation_question(c.state.status))};
    const views::Texts* texts = &c.texts;
    setup::QuestionDialog dialog(over, QStringLiteral("Auto-Start"), q, [texts](unsigned n) { return texts->text(n); });
    const int answer = dialog.exec();
    const Answer a = answer == setup::QuestionDialog::yes  ? Answer::yes
                     : answer == setup::QuestionDialog::no ? Answer::no
                                                           : Answer::cancel;
    const Outcome out = confirm(c.state, a);
    if (out.refused)
        kit::show_message(over, QMessageBox::Warning, kit::local(kRefusalTitle), kit::local(kRefusalText));
    return out;
}

namespace {

void show_switch_requirements(kit::PanelContext& c, QWidget* over) {
    kit::PanelDialog d(over, text_or(c, 491, "Auto-Start Control Panel Switch Requirements"));
    d.setObjectName(QStringLiteral("Auto-Start Control Panel Switch Requirements"));
    auto* lines = new setup::FittedLines(&d, 16, false);
    lines->setGeometry(10, 10, 500, 330);
    QStringList l;
    for (unsigned n = 492; n <= 502; ++n) l << qs(c.texts.text(n));
    lines->set_lines(l);
    auto* ok = kit::touch_button(&d, QStringLiteral("OK"), text_or(c, 145, "OK"), QRect(195, 350, 130, 50));
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    d.place_below_caption(520, 410);
    d.exec();
}

AutoStartWindow* config_window(kit::PanelContext& c) {
    if (!c.shell.screen_built(WindowId::auto_start_config)) return nullptr;
    return qobject_cast<AutoStartWindow*>(c.shell.window(WindowId::auto_start_config));
}

// The setup menu's auto-start button.
void open_setup(kit::PanelContext& c, QWidget* over, int) {
    static bool busy = false;
    if (busy) return;
    busy = true;
    if (setup_route(c.state.status) != SetupRoute::status) show_switch_requirements(c, over);
    // Read again: the notice is modal and the controller goes on reporting.
    switch (setup_route(c.state.status)) {
        case SetupRoute::status: c.shell.open_dialog(kit::DialogId::auto_start_status, over); break;
        case SetupRoute::refuse:
            kit::show_message(over, QMessageBox::Warning, kit::local(kRefusalTitle), kit::local(kRefusalText));
            break;
        case SetupRoute::configure:
            if (AutoStartWindow* w = config_window(c)) {
                for (WindowId id : {WindowId::setup_selection, WindowId::extended_setup_selection})
                    if (QWidget* menu = c.shell.window(id)) menu->hide();
                w->open_screen();
            }
            break;
    }
    busy = false;
}

void open_status(kit::PanelContext& c, QWidget* over, int) {
    static bool busy = false;
    if (busy) return;
    busy = true;
    AutoStartStatusDialog d(c, over);
    d.exec();
    busy = false;
}

QWidget* create_config(kit::PanelContext& c, QWidget* parent) {
    auto* w = new AutoStartWindow(c, parent);
    QObject::connect(&c.events, &kit::PanelEvents::second_tick, w, [w] {
        if (w->isVisible()) w->refresh();
    });
    return w;
}

}  // namespace

// ---- the status dialog -----------------------------------------------------

AutoStartStatusDialog::AutoStartStatusDialog(kit::PanelContext& context, QWidget* over)
    : kit::PanelDialog(over, qs(setup::title_text(context.texts.text(507), "Auto-Start Status")), kit::Look::status),
      context_(context),
      canvas_(new TimelineCanvas(context, this)) {
    setObjectName(QStringLiteral("Auto-Start Status"));
    canvas_->move(0, 0);
    cancel_ = kit::touch_button(this, QStringLiteral("Cancel   Auto-Start"), text_or(context, 508, "Cancel   Auto-Start"),
                           QRect(150, kTimelineHeight + 5, 200, 50));
    auto* minimize =
        kit::touch_button(this, QStringLiteral("Minimize"), text_or(context, 145, "Minimize"), QRect(370, kTimelineHeight + 5, 120, 50));
    connect(cancel_, &QPushButton::clicked, this, [this] {
        run_confirmation(context_, this);
        accept();
    });
    connect(minimize, &QPushButton::clicked, this, &QDialog::accept);
    connect(&context_.events, &kit::PanelEvents::redraw, this, [this](std::uint64_t bits) {
        if (bits & (rd::autostart | rd::setup_dialogs)) refresh();
    });
    connect(&context_.events, &kit::PanelEvents::second_tick, this, &AutoStartStatusDialog::refresh);
    place_below_caption(640, kTimelineHeight + 60);
    refresh();
}

void AutoStartStatusDialog::refresh() {
    // Only a run can be cancelled from here; starting one goes through the
    // configuration screen and its checks.
    cancel_->setEnabled(auto_start_active(context_.state.status));
    canvas_->update();
}

const kit::DialogRow auto_start_setup_dialog{kit::DialogId::auto_start_setup, open_setup};
const kit::DialogRow auto_start_status_dialog{kit::DialogId::auto_start_status, open_status};
const kit::ScreenRow auto_start_config_screen{WindowId::auto_start_config,
                                              "AUTO_START_CONFIG_WINDOW",
                                              " SELECT HARDWARE SETUP PARAMETER TO MODIFY - 03",
                                              {0, 0, 640, 475},
                                              kit::Frame::caption_bar,
                                              true,
                                              false,
                                              rd::autostart,
                                              create_config};

}  // namespace dryer::autostart
