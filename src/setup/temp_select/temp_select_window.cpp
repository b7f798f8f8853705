#include "setup/temp_select/temp_select_window.h"

#include <QPainter>

#include "link/link_state.h"
#include "setup/keypads/keypad_dialogs.h"
#include "views/scene/scene_painter.h"

namespace dryer::setup {

namespace {
constexpr int kTop = kit::kCaptionBarHeight;
constexpr int kExitW = 158;  // the exit picture's own size
constexpr int kExitH = 41;

// Places of the plenum window: two columns of three, 180 x 50.
QRect plenum_place(std::size_t i) {
    const int column = static_cast<int>(i / 3);
    const int row = static_cast<int>(i % 3);
    return {10 + column * 320, kTop + 15 + row * 65, 180, 50};
}
QRect grain_place(std::size_t i) { return {10, kTop + 10 + static_cast<int>(i) * 65, 180, 50}; }

QFont value_font() { return views::panel_font(30, 700); }
}  // namespace

TempSetpointChild::TempSetpointChild(const char* class_name, const char* caption, std::size_t places, QWidget* parent)
    : kit::PanelWindow(parent, QString::fromUtf8(class_name), QString::fromUtf8(caption), true, kit::Look::setup), values_(places) {
    const bool plenum = places == 6;
    for (std::size_t i = 0; i < places; ++i) {
        auto* b = new kit::PictureButton(QString(), this, 0);
        b->setGeometry(plenum ? plenum_place(i) : grain_place(i));
        b->hide();
        buttons_.push_back(b);
    }
}

void TempSetpointChild::show_places(const TempPlace* places, std::size_t count) {
    for (std::size_t i = 0; i < buttons_.size() && i < count; ++i) {
        kit::PictureButton* b = buttons_[i];
        const TempPlace& p = places[i];
        const QString name = QString::fromUtf8(p.button.name);
        b->setObjectName(name);
        b->setText(name);
        if (b->picture() != p.button.picture) b->set_picture(p.button.picture);
        b->setVisible(p.shown);
        values_[i] = QString::fromStdString(p.value_text);
    }
    update();
}

void TempSetpointChild::set_note(const std::string& heading, const std::vector<std::string>& note) {
    heading_ = QString::fromStdString(heading);
    note_.clear();
    for (const auto& l : note) note_ << QString::fromStdString(l);
    update();
}

void TempSetpointChild::paint_client(QPainter& p) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (!buttons_[i]->isVisible() || values_[i].isEmpty()) continue;
        const QRect b = buttons_[i]->geometry().translated(0, -kTop);
        const QRect r(b.right() + 10, b.top(), 120, b.height());
        p.fillRect(r, QColor(192, 192, 192));
        p.setPen(Qt::blue);
        views::draw_fitted_text(p, r, Qt::AlignVCenter | Qt::AlignLeft, values_[i], value_font());
    }
    if (heading_.isEmpty() && note_.isEmpty()) return;
    p.setPen(Qt::black);
    int y = 10;
    views::draw_fitted_text(p, QRect(330, y, width() - 335, 16), Qt::AlignLeft, heading_, views::panel_font(13, 700));
    for (const QString& line : note_) {
        y += 16;
        views::draw_fitted_text(p, QRect(330, y, width() - 335, 16), Qt::AlignLeft, line, views::panel_font(12));
    }
}

TempSelectWindow::TempSelectWindow(link::LinkState& state, QWidget* parent, TextFn text)
    : kit::PanelWindow(parent, QString::fromUtf8("TEMP_SELECT_WINDOW"), QString::fromUtf8(" SELECT TEMPERATURE SETPOINT TO MODIFY - 02"), true, kit::Look::setup),
      state_(state),
      text_(std::move(text)),
      plenum_(new TempSetpointChild("PLENUM_SETPOINT_CHILD_WINDOW",
                                    " Plenum Temperature Setpoint Adjustment (Range = 50 to 250 F -> 10 to 120 C)", 6,
                                    this)),
      grain_(new TempSetpointChild("GRAIN_TEMP_SETPOINT_CHILD_WINDOW",
                                   " Grain Temperature Setpoint Adjustment (Range = 50 to 160 F -> 10 to 71 C)", 2,
                                   this)),
      exit_(new kit::PictureButton(QStringLiteral("EXIT"), this, 41)) {
    resize(640, 475);
    plenum_->setGeometry(0, kTop, 640, 240);
    grain_->setGeometry(0, kTop + 240, 640, 475 - kTop - 240 - 60);
    exit_->setGeometry((640 - kExitW) / 2, 475 - 51, kExitW, kExitH);
    for (std::size_t i = 0; i < plenum_->places(); ++i) {
        connect(plenum_->button(i), &QPushButton::clicked, this, [this, i] { open_keypad(view_.plenum[i]); });
    }
    for (std::size_t i = 0; i < grain_->places(); ++i) {
        connect(grain_->button(i), &QPushButton::clicked, this, [this, i] { open_keypad(view_.grain[i]); });
    }
    connect(exit_, &QPushButton::clicked, this, [this] {
        hide();
        if (autostart_active_) emit exit_to_auto_start();
        else emit exit_to_main();
    });
    refresh();
}

void TempSelectWindow::refresh() {
    set_caption(caption_text(text_, 193, " SELECT TEMPERATURE SETPOINT TO MODIFY - 02"));
    plenum_->set_caption(
        caption_text(text_, 194, " Plenum Temperature Setpoint Adjustment (Range = 50 to 250 F -> 10 to 120 C)"));
    grain_->set_caption(
        caption_text(text_, 195, " Grain Temperature Setpoint Adjustment (Range = 50 to 160 F -> 10 to 71 C)"));
    const bool celsius = link::load(state_.values.si_units) != 0;
    TempSelectView v = temp_select_view(state_.status, celsius, text_);
    if (applied_ && v == view_) return;
    applied_ = true;
    view_ = std::move(v);
    plenum_->show_places(view_.plenum.data(), view_.plenum.size());
    grain_->show_places(view_.grain.data(), view_.grain.size());
    grain_->set_note(view_.heading, view_.note);
}

void TempSelectWindow::showEvent(QShowEvent* e) {
    kit::PanelWindow::showEvent(e);
    refresh();
}

void TempSelectWindow::open_keypad(const TempPlace& place) {
    if (!place.shown) return;  // a hidden place ignores presses
    const TempTarget target = place.button.target;
    run_temperature_keypad(this, state_, target, "temperature setpoints");
    refresh();
}


namespace {
QWidget* create(kit::PanelContext& c, QWidget* parent) {
    auto* w = new TempSelectWindow(c.state, parent);
    kit::PanelShell* shell = &c.shell;
    QObject::connect(w, &TempSelectWindow::exit_to_main, w, [shell] { shell->restore_main_screen(); });
    // The auto-start configuration screen takes this exit once it exists;
    // until then the main screen comes back.
    QObject::connect(w, &TempSelectWindow::exit_to_auto_start, w, [shell] { shell->restore_main_screen(); });
    QObject::connect(&c.events, &kit::PanelEvents::second_tick, w, [w] {
        if (w->isVisible()) w->refresh();
    });
    // A new language brings its button pictures, caption and texts at once.
    QObject::connect(&c.events, &kit::PanelEvents::language_changed, w, [w] {
        kit::reload_pictures(*w);
        w->refresh();
        w->update();
    });
    return w;
}
}  // namespace

const kit::ScreenRow temp_select_screen{kit::WindowId::temp_select,
                                        "TEMP_SELECT_WINDOW",
                                        " SELECT TEMPERATURE SETPOINT TO MODIFY - 02",
                                        {0, 0, 640, 475},
                                        kit::Frame::caption_bar,
                                        true,
                                        false,
                                        link::redraw::temp_select,
                                        create};

}  // namespace dryer::setup
