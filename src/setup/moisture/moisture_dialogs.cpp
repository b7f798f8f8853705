#include "setup/moisture/moisture_dialogs.h"

#include <QPainter>
#include <QScreen>
#include <QStyle>

#include "kit/fit_text.h"
#include "kit/local_text.h"
#include "kit/message_box.h"
#include "kit/panel_events.h"
#include "kit/panel_style.h"
#include "l10n/resources.h"
#include "link/fields.h"
#include "setup/common/setup_widgets.h"
#include "shell/auto_repeat_widgets.h"
#include "views/scene/texts.h"

namespace dryer::setup {

namespace {

constexpr int kButtonH = 50;

QString qs(const std::string& s) { return QString::fromStdString(s); }

QPushButton* add_button(QWidget* parent, const char* name, const std::string& caption, QRect place) {
    auto* b = new QPushButton(qs(caption), parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setFont(kit::panel_font(16, 700));
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(place);
    kit::fit_button_text(*b);
    return b;
}

QLabel* add_label(QWidget* parent, const char* name, QRect place, int size = 18, int weight = 700) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setFont(kit::panel_font(size, weight));
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(place);
    return l;
}

// Shows text on a label at the largest size, at most its font's, at which it
// fits the label.
void set_fitted(QLabel* l, const QString& text, int size, int weight = 700) {
    const kit::TextFit f = kit::fit_text(text, l->rect(), kit::panel_font(size, weight), l->wordWrap());
    l->setFont(f.font);
    l->setText(text);
}

QRadioButton* add_indicator(QWidget* parent, const char* name, QRect place) {
    auto* r = new QRadioButton(parent);
    r->setObjectName(QString::fromUtf8(name));
    r->setFont(kit::panel_font(16, 700));
    r->setGeometry(place);
    r->setAutoExclusive(false);
    // It shows the controller's state; the dialog's buttons change it.
    r->setAttribute(Qt::WA_TransparentForMouseEvents);
    r->setFocusPolicy(Qt::NoFocus);
    return r;
}

// Shows a caption beside a radio indicator at the largest size, at most the
// indicator's 16 pixels, at which it fits between the indicator and the edge.
void set_radio_text(QRadioButton* r, const QString& text) {
    const QStyle* st = r->style();
    const int indicator = st->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, r) +
                          st->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, r);
    r->setFont(kit::fit_text(text, r->rect().adjusted(indicator + 2, 0, 0, 0), kit::panel_font(16, 700), false).font);
    r->setText(text);
}

void show_help(QWidget* over, const QString& title, const char* file) {
    kit::show_message(over, QMessageBox::Information, title, QString::fromStdU16String(l10n::help_text(file)));
}

bool ask(QWidget* over, const std::string& title, const std::string& text) {
    return kit::ask_yes(over, QMessageBox::Question, qs(title), qs(text));
}

TextFn texts_of(const kit::PanelContext& c) {
    const views::Texts* t = &c.texts;
    return [t](unsigned n) { return t->text(n); };
}

// Runs a dialog modally, refreshed on the decoder's redraw bits given.
template <class D> void run(kit::PanelContext& c, D& dialog, std::uint64_t bits) {
    const auto conn = QObject::connect(&c.events, &kit::PanelEvents::redraw, &dialog, [&dialog, bits](std::uint64_t b) {
        if (b & bits) dialog.refresh();
    });
    dialog.exec();
    QObject::disconnect(conn);
}

}  // namespace

// ---- Moisture setpoint and keypad --------------------------------------------

MoistureKeypadDialog::MoistureKeypadDialog(QWidget* over, std::uint16_t reported, const TextFn& text,
                                           std::function<void(const std::string&)> shown)
    : kit::PanelDialog(over, qs(title_text(text(144), "MODIFY SETPOINT"))), keypad_(reported), shown_(std::move(shown)) {
    setObjectName(QStringLiteral("MODIFY M/C SETPOINT"));
    for (int d = 0; d <= 9; ++d) {
        const int k = d == 0 ? 9 : d - 1;  // 1-9 in rows of three, 0 below
        const QRect place = d == 0 ? QRect(80, 225, 70, 65) : QRect(5 + (k % 3) * 75, 5 + (k / 3) * 73, 70, 65);
        const std::string digit = std::to_string(d);
        auto* b = add_button(this, digit.c_str(), digit, place);
        connect(b, &QPushButton::clicked, this, [this, d] { key(d); });
    }
    auto* del = add_button(this, "DELETE", title_text(text(141), "DELETE"), QRect(235, 5, 130, 65));
    connect(del, &QPushButton::clicked, this, [this] { key(-1); });
    auto* acc = add_button(this, "ACCEPT", title_text(text(4), "ACCEPT"), QRect(235, 151, 130, 65));
    connect(acc, &QPushButton::clicked, this, [this] {
        if (!keypad_.typed()) {
            reject();  // nothing typed: the setpoint stays as it is
            return;
        }
        if (!keypad_.in_range()) {
            show_out_of_range(this);
            return;
        }
        result_ = keypad_.value();
        accept();
    });
    auto* can = add_button(this, "CANCEL", title_text(text(10), "CANCEL"), QRect(235, 225, 130, 65));
    connect(can, &QPushButton::clicked, this, &QDialog::reject);
    place_below_caption(370, 295);
}

void MoistureKeypadDialog::showEvent(QShowEvent* event) {
    kit::PanelDialog::showEvent(event);
    const QWidget* field = over() ? over()->findChild<QLabel*>(QStringLiteral("VALUE")) : nullptr;
    const QScreen* s = screen();
    if (!field || !s) return;
    const int below = field->mapToGlobal(QPoint(0, field->height())).y() + 4;
    move(x(), std::max(0, std::min(below, s->geometry().bottom() + 1 - height())));
}

void MoistureKeypadDialog::key(int k) {
    if (k < 0) {
        keypad_.erase();
    } else {
        keypad_.digit(k);
    }
    shown_(keypad_.display());
}

MoistureSetpointDialog::MoistureSetpointDialog(QWidget* over, link::LinkState& state, TextFn text, int mode)
    : kit::PanelDialog(over, qs(title_text(text(143), "MOISTURE SETPOINT"))),
      state_(state),
      text_(std::move(text)),
      target_(moisture_target(mode)) {
    setObjectName(QStringLiteral(" MOISTURE SETPOINT - 26"));
    value_ = add_label(this, "VALUE", QRect(10, 10, 230, 50), 28);
    auto* modify = add_button(this, "MODIFY SETPOINT", title_text(text_(144), "MODIFY SETPOINT"), QRect(10, 70, 230, kButtonH));
    connect(modify, &QPushButton::clicked, this, &MoistureSetpointDialog::modify);
    auto* exit = add_button(this, "EXIT", title_text(text_(145), "EXIT"), QRect(10, 130, 230, kButtonH));
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    place_below_caption(250, 190);
    refresh();
}

void MoistureSetpointDialog::refresh() {
    if (typing_) return;  // the keypad's entry shows until it closes
    set_fitted(value_, qs(tenths_text(reported_moisture(state_, target_))), 28);
}

void MoistureSetpointDialog::showEvent(QShowEvent* event) {
    kit::PanelDialog::showEvent(event);
    // 200 pixels right of the centre, kept on the screen.
    QPoint p = pos() + QPoint(200, 0);
    if (const QScreen* s = screen()) p.setX(std::max(0, std::min(p.x(), s->geometry().right() + 1 - width())));
    move(p);
}

void MoistureSetpointDialog::modify() {
    typing_ = true;
    MoistureKeypadDialog pad(this, reported_moisture(state_, target_), text_,
                             [this](const std::string& s) { set_fitted(value_, qs(s), 28); });
    pad.exec();
    typing_ = false;
    if (pad.result()) accept_moisture(state_, target_, *pad.result());
    refresh();
}

// ---- Meter roll speed setpoints ------------------------------------------------

void SpeedBars::set_view(const MeterRollView& v) {
    view_ = v;
    update();
}

void SpeedBars::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!view_.note.empty()) {
        const int pitch = height() / static_cast<int>(view_.note.size());
        for (std::size_t i = 0; i < view_.note.size(); ++i) {
            kit::draw_fitted_text(p, QRect(4, static_cast<int>(i) * pitch, width() - 8, pitch), Qt::AlignCenter,
                                  qs(view_.note[i]), kit::panel_font(20, 700));
        }
        return;
    }
    // 0-100 percent on 300 pixels, the scale on the left.
    constexpr int kTop = 10, kScale = 3, kLeft = 60;
    const int base = kTop + 100 * kScale;
    p.setPen(Qt::black);
    p.drawLine(kLeft, kTop, kLeft, base);
    static constexpr std::array<const char*, 4> kMarks{"-100%", "-75%", "-50%", "-25%"};
    for (std::size_t i = 0; i < kMarks.size(); ++i) {
        const int y = kTop + static_cast<int>(i) * 25 * kScale;
        p.drawLine(kLeft - 5, y, kLeft, y);
        kit::draw_fitted_text(p, QRect(0, y - 9, kLeft - 7, 18), Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8(kMarks[i]),
                              kit::panel_font(14));
    }
    p.drawLine(kLeft, base, width() - 5, base);
    const int n = static_cast<int>(view_.bars.size());
    if (n == 0) return;
    const int slot = (width() - kLeft - 10) / n;
    for (int i = 0; i < n; ++i) {
        const SpeedBar& b = view_.bars[static_cast<std::size_t>(i)];
        const int x = kLeft + 10 + i * slot;
        const int h = std::clamp(b.value, 0, 100) * kScale;
        p.fillRect(QRect(x + slot / 4, base - h, slot / 2, h), b.selected ? QColor(255, 0, 0) : QColor(0, 0, 255));
        kit::draw_fitted_text(p, QRect(x, base - h - 20, slot, 18), Qt::AlignCenter, QString::number(b.value) + '%',
                              kit::panel_font(16, 700));
        if (!b.label.empty()) {
            kit::draw_fitted_text(p, QRect(x, base + 4, slot, 20), Qt::AlignCenter, qs(b.label), kit::panel_font(14, 700));
        }
    }
}

MeterRollDialog::MeterRollDialog(QWidget* over, link::LinkState& state, TextFn text)
    : kit::PanelDialog(over, QStringLiteral("MODIFYING METER ROLL SPEED SETPOINTS")),
      state_(state),
      text_(std::move(text)),
      model_(state) {
    setObjectName(QStringLiteral("MODIFYING METER ROLL SPEED SETPOINTS (Use knob on control panel) - 23"));
    bars_ = new SpeedBars(this);
    bars_->setObjectName(QStringLiteral("SPEED_BARS"));
    bars_->setGeometry(5, 5, 330, 335);
    scheme_ = add_button(this, "SCHEME", "", QRect(345, 5, 260, kButtonH));
    connect(scheme_, &QPushButton::clicked, this, &MeterRollDialog::press_scheme);
    radio_[0] = add_indicator(this, "RADIO_FIRST", QRect(350, 60, 125, 30));
    radio_[1] = add_indicator(this, "RADIO_SECOND", QRect(480, 60, 125, 30));
    adjust_ = add_label(this, "Speed Adjust", QRect(345, 95, 260, 25), 16);
    increase_ = add_button(this, "INCREASE", title_text(text_(8), "INCREASE"), QRect(345, 125, 127, kButtonH));
    decrease_ = add_button(this, "DECREASE", title_text(text_(9), "DECREASE"), QRect(478, 125, 127, kButtonH));
    select_ = add_button(this, "SELECT", title_text(text_(20), "SELECT"), QRect(345, 180, 260, kButtonH));
    auto* acc = add_button(this, "ACCEPT / EXIT", title_text(text_(4), "ACCEPT / EXIT"), QRect(345, 290, 127, kButtonH));
    auto* can = add_button(this, "CANCEL / EXIT", title_text(text_(145), "CANCEL / EXIT"), QRect(478, 290, 127, kButtonH));
    connect(increase_, &QPushButton::clicked, this, [this] {
        model_.increase();
        refresh();
    });
    connect(decrease_, &QPushButton::clicked, this, [this] {
        model_.decrease();
        refresh();
    });
    connect(select_, &QPushButton::clicked, this, [this] {
        model_.select();
        refresh();
    });
    connect(acc, &QPushButton::clicked, this, [this] {
        model_.accept();
        accept();
    });
    connect(can, &QPushButton::clicked, this, [this] {
        model_.cancel();
        reject();
    });
    place_below_caption(610, 345);
    shell::register_repeat_buttons(shell::auto_repeat_service(), shell::repeat_group::meter_roll_speed, this,
                                   repeat_buttons());
    refresh();
}

// Closing without a button (the panel shutting down) leaves the screen closed.
MeterRollDialog::~MeterRollDialog() { model_.close(); }

void MeterRollDialog::refresh() {
    link::store(state_.values.meter_roll_refresh, 0);
    const MeterRollView v = model_.view(text_);
    set_caption(qs(v.caption));
    bars_->set_view(v);
    scheme_->setVisible(v.scheme_button);
    scheme_->setText(qs(v.scheme_caption));
    kit::fit_button_text(*scheme_);
    for (std::size_t i = 0; i < radio_.size(); ++i) {
        radio_[i]->setVisible(v.radio);
        set_radio_text(radio_[i], qs(v.radio_text[i]));
        radio_[i]->setChecked((i == 0) == v.radio_first);
    }
    set_fitted(adjust_, qs(title_text(text_(352), "Speed Adjust")), 16);
    for (QWidget* w : {static_cast<QWidget*>(adjust_), static_cast<QWidget*>(increase_), static_cast<QWidget*>(decrease_),
                       static_cast<QWidget*>(select_)}) {
        w->setEnabled(v.adjust);
    }
    select_->setVisible(v.select);
}

void MeterRollDialog::press_scheme() {
    if (model_.scheme_button() == MeterRoll::SchemeAction::ask_tracking) {
        const TrackingQuestion q = tracking_question();
        if (kit::ask_yes(this, QMessageBox::Question, qs(q.title), qs(q.text))) model_.start_tracking();
    }
    refresh();
}

// ---- Unload parameters ----------------------------------------------------------

UnloadDialog::UnloadDialog(QWidget* over, link::LinkState& state, TextFn text, bool& warned)
    : kit::PanelDialog(over, kit::local("Unload Parameters")), state_(state), rates_(state, warned) {
    setObjectName(QStringLiteral("Unload Parameters - 11"));
    static constexpr std::array<const char*, 2> kTitles{l10n::english("MAXIMUM UNLOAD RATE"),
                                                        l10n::english("MINIMUM UNLOAD RATE")};
    static constexpr std::array<std::array<const char*, 2>, 2> kNames{{{"MAX INCREASE", "MAX DECREASE"},
                                                                      {"MIN INCREASE", "MIN DECREASE"}}};
    static constexpr std::array<const char*, 2> kPercent{"MAX_PERCENT", "MIN_PERCENT"};
    static constexpr std::array<const char*, 2> kBph{"MAX_BPH", "MIN_BPH"};
    static constexpr std::array<const char*, 2> kNote{"MAX_NOTE", "MIN_NOTE"};
    for (int g = 0; g < 2; ++g) {
        const int x = 5 + g * 300;
        const auto gi = static_cast<std::size_t>(g);
        auto* title = add_label(this, kTitles[gi], QRect(x, 5, 290, 28), 18);
        set_fitted(title, kit::local(kTitles[gi]), 18);
        percent_[gi] = add_label(this, kPercent[gi], QRect(x, 38, 140, 40), 24);
        bph_[gi] = add_label(this, kBph[gi], QRect(x + 150, 38, 140, 40), 20);
        note_[gi] = add_label(this, kNote[gi], QRect(x, 82, 290, 24), 14, 400);
        auto* up = add_button(this, kNames[gi][0], title_text(text(8), "INCREASE"), QRect(x, 112, 142, kButtonH));
        auto* down = add_button(this, kNames[gi][1], title_text(text(9), "DECREASE"), QRect(x + 148, 112, 142, kButtonH));
        connect(up, &QPushButton::clicked, this, [this, g] { after(g == 0 ? rates_.max_up() : rates_.min_up()); });
        connect(down, &QPushButton::clicked, this, [this, g] { after(g == 0 ? rates_.max_down() : rates_.min_down()); });
    }
    auto* acc = add_button(this, "ACCEPT", title_text(text(4), "ACCEPT"), QRect(5, 180, 190, kButtonH));
    auto* can = add_button(this, "CANCEL", title_text(text(10), "CANCEL"), QRect(205, 180, 190, kButtonH));
    const std::string help_title = title_text(text(3), "HELP");
    auto* help = add_button(this, "HELP", help_title, QRect(405, 180, 190, kButtonH));
    connect(acc, &QPushButton::clicked, this, [this] {
        if (rates_.accept_needs_question()) {
            const Question2 q = unload_accept_question();
            if (!ask(this, q.title, q.text)) {
                reject();  // NO: the stored rates stay
                return;
            }
            rates_.set_defaults();
        }
        rates_.commit(state_);
        accept();
    });
    connect(can, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this, help_title] { show_help(this, qs(help_title), "McExtendedSetupHelp.txt"); });
    place_below_caption(600, 235);
    refresh();
}

void UnloadDialog::after(bool ask_now) {
    if (ask_now) {
        const Question2 q = unload_adjust_question();
        if (ask(this, q.title, q.text)) rates_.set_defaults();
    }
    refresh();
}

void UnloadDialog::refresh() {
    const double capacity = unload_capacity_bph(state_.status);
    const std::array<int, 2> values{rates_.maximum(), rates_.minimum()};
    for (std::size_t g = 0; g < 2; ++g) {
        set_fitted(percent_[g], QStringLiteral("%1 %").arg(values[g]), 24);
        set_fitted(bph_[g], qs(bph_text(values[g], capacity)) + ' ' + kit::local("BPH"), 20);
        set_fitted(note_[g], qs(capacity_note(state_.status)), 14, 400);
    }
}

// ---- Plenum temperature manager ------------------------------------------------

TempManagerDialog::TempManagerDialog(QWidget* over, link::LinkState& state, TextFn text)
    : kit::PanelDialog(over, qs(title_text(text(13), "PLENUM TEMPERATURE MANAGER"))), text_(std::move(text)), model_(state) {
    setObjectName(QStringLiteral("PLENUM TEMPERATURE MANAGER - 12"));
    auto* onoff = add_button(this, "SELECT ON / OFF", title_text(text_(21), "SELECT ON / OFF"), QRect(5, 5, 200, kButtonH));
    radio_[0] = add_indicator(this, "ON", QRect(215, 15, 100, 30));
    radio_[1] = add_indicator(this, "OFF", QRect(320, 15, 100, 30));
    set_radio_text(radio_[0], qs(title_text(text_(14), "ON")));
    set_radio_text(radio_[1], qs(title_text(text_(15), "OFF")));
    auto* time_title = add_label(this, "Time Between Steps", QRect(5, 65, 200, 25), 16);
    set_fitted(time_title, qs(title_text(text_(16), "Time Between Steps")), 16);
    time_ = add_label(this, "TIME", QRect(5, 90, 200, 35), 20);
    auto* step_title = add_label(this, "Step Size", QRect(215, 65, 200, 25), 16);
    set_fitted(step_title, kit::local("Step Size"), 16);
    step_ = add_label(this, "STEP", QRect(215, 90, 200, 35), 20);
    auto* tu = add_button(this, "TIME INCREASE", title_text(text_(8), "INCREASE"), QRect(5, 130, 97, kButtonH));
    auto* td = add_button(this, "TIME DECREASE", title_text(text_(9), "DECREASE"), QRect(108, 130, 97, kButtonH));
    auto* su = add_button(this, "STEP INCREASE", title_text(text_(8), "INCREASE"), QRect(215, 130, 97, kButtonH));
    auto* sd = add_button(this, "STEP DECREASE", title_text(text_(9), "DECREASE"), QRect(318, 130, 97, kButtonH));
    auto* acc = add_button(this, "ACCEPT", title_text(text_(4), "ACCEPT"), QRect(5, 195, 133, kButtonH));
    auto* can = add_button(this, "CANCEL", title_text(text_(10), "CANCEL"), QRect(144, 195, 133, kButtonH));
    auto* help = add_button(this, "HELP", title_text(text_(3), "HELP"), QRect(283, 195, 132, kButtonH));
    const std::array<std::pair<QPushButton*, void (TempManager::*)()>, 5> actions{
        {{onoff, &TempManager::toggle},
         {tu, &TempManager::time_up},
         {td, &TempManager::time_down},
         {su, &TempManager::step_up},
         {sd, &TempManager::step_down}}};
    for (const auto& [b, f] : actions) {
        connect(b, &QPushButton::clicked, this, [this, f = f] {
            (model_.*f)();
            refresh();
        });
    }
    connect(acc, &QPushButton::clicked, this, [this, &state] {
        model_.accept(state);
        accept();
    });
    connect(can, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        show_help(this, qs(title_text(text_(361), "PLENUM TEMPERATURE MANAGER HELP")), "PlenumTempManagerHelp.txt");
    });
    place_below_caption(420, 250);
    refresh();
}

void TempManagerDialog::refresh() {
    radio_[0]->setChecked(model_.on());
    radio_[1]->setChecked(!model_.on());
    set_fitted(time_, qs(model_.time_text(text_)), 20);
    set_fitted(step_, qs(model_.step_text()), 20);
}

// ---- Bracketed five-speed setup ------------------------------------------------

FivePair& five_speed_pair() {
    static FivePair pair = FivePair::outer;
    return pair;
}

FiveSpeedDialog::FiveSpeedDialog(QWidget* over, link::LinkState& state, TextFn text)
    : kit::PanelDialog(over, kit::local("BRACKETED 5 SPEED MOISTURE CONTROL SETUP")), state_(state), model_(state) {
    setObjectName(QStringLiteral("BRACKETED 5 SPEED MOISTURE CONTROL SETUP - 23"));
    static constexpr std::array<const char*, 5> kRowNames{"POSITIVE OUTER LIMIT", "POSITIVE INNER LIMIT", "SETPOINT",
                                                          "NEGATIVE INNER LIMIT", "NEGATIVE OUTER LIMIT"};
    constexpr int kTop = 35, kPitch = 40;
    auto* head_left = add_label(this, "ERROR_HEAD", QRect(5, 5, 320, 26), 16);
    const std::string head = model_.temperature() ? l10n::local("GRAIN TEMPERATURE") : title_text(text(403), "MOISTURE ");
    set_fitted(head_left, qs(head), 16);
    auto* head_speed = add_label(this, "SPEED_HEAD", QRect(330, 5, 180, 26), 16);
    set_fitted(head_speed, qs(title_text(text(402), "METERING SPEED")), 16);
    for (std::size_t i = 0; i < 5; ++i) {
        const int y = kTop + static_cast<int>(i) * kPitch;
        name_[i] = add_label(this, kRowNames[i], QRect(5, y, 210, 36), 14);
        set_fitted(name_[i], qs(title_text(text(395 + static_cast<unsigned>(i)), kRowNames[i])), 14);
        error_[i] = add_label(this, "ERROR", QRect(220, y, 105, 36), 18);
        offset_[i] = add_label(this, "OFFSET", QRect(330, y, 85, 36), 18);
        actual_[i] = add_label(this, "ACTUAL", QRect(420, y, 90, 36), 18);
    }
    auto* off_head = add_label(this, "Offset", QRect(330, kTop + 5 * kPitch, 85, 22), 14);
    set_fitted(off_head, qs(title_text(text(400), "Offset")), 14);
    auto* act_head = add_label(this, "Actual", QRect(420, kTop + 5 * kPitch, 90, 22), 14);
    set_fitted(act_head, qs(title_text(text(401), "Actual")), 14);
    auto* li = add_button(this, "LIMIT INC", l10n::local("INC"), QRect(520, kTop, 95, 45));
    auto* ld = add_button(this, "LIMIT DEC", l10n::local("DEC"), QRect(520, kTop + 50, 95, 45));
    auto* si = add_button(this, "STEP INC", l10n::local("INC"), QRect(520, kTop + 105, 95, 45));
    auto* sd = add_button(this, "STEP DEC", l10n::local("DEC"), QRect(520, kTop + 155, 95, 45));
    const int by = kTop + 5 * kPitch + 28;
    auto* sel = add_button(this, "SELECT", title_text(text(404), "SELECT"), QRect(5, by, 195, kButtonH));
    auto* def = add_button(this, "SELECT DEFAULTS", title_text(text(405), "SELECT DEFAULTS"), QRect(210, by, 195, kButtonH));
    auto* acc = add_button(this, "ACCEPT / EXIT", l10n::local("ACCEPT / EXIT"), QRect(415, by, 200, kButtonH));
    const std::array<std::pair<QPushButton*, void (FiveSpeed::*)(FivePair)>, 4> actions{
        {{li, &FiveSpeed::limit_up}, {ld, &FiveSpeed::limit_down}, {si, &FiveSpeed::step_up}, {sd, &FiveSpeed::step_down}}};
    for (const auto& [b, f] : actions) {
        connect(b, &QPushButton::clicked, this, [this, f = f] {
            (model_.*f)(five_speed_pair());
            refresh();
        });
    }
    connect(sel, &QPushButton::clicked, this, [this] {
        five_speed_pair() = five_speed_pair() == FivePair::outer ? FivePair::inner : FivePair::outer;
        refresh();
    });
    connect(def, &QPushButton::clicked, this, [this] {
        model_.set_defaults();
        refresh();
    });
    connect(acc, &QPushButton::clicked, this, [this] {
        model_.accept(state_);
        accept();
    });
    place_below_caption(620, by + kButtonH + 5);
    refresh();
}

void FiveSpeedDialog::refresh() {
    const FiveSpeed::Rows r = model_.rows(state_);
    const bool outer = five_speed_pair() == FivePair::outer;
    for (std::size_t i = 0; i < 5; ++i) {
        set_fitted(error_[i], qs(r.error[i]), 18);
        set_fitted(offset_[i], qs(r.offset[i]), 18);
        set_fitted(actual_[i], qs(r.actual[i]), 18);
        // The red line marks the rows of the selected pair.
        const bool marked = (i == 0 || i == 4) ? outer : (i == 1 || i == 3) ? !outer : false;
        name_[i]->setStyleSheet(marked ? QStringLiteral("border: 3px solid rgb(255,0,0);") : QString());
    }
}

// ---- Registry rows ---------------------------------------------------------------

namespace {

void open_moisture_setpoint(kit::PanelContext& c, QWidget* over, int mode) {
    MoistureSetpointDialog dialog(over, c.state, texts_of(c), mode);
    run(c, dialog, link::redraw::line_graph | link::redraw::setup_dialogs | link::redraw::autostart);
}

void open_meter_roll_speed(kit::PanelContext& c, QWidget* over, int) {
    // One at a time: the meter roll event may come again while it is open.
    if (link::load(c.state.values.meter_roll_screen_open) != 0) return;
    MeterRollDialog dialog(over, c.state, texts_of(c));
    run(c, dialog, link::redraw::meter_roll_screen | link::redraw::line_graph | link::redraw::setup_dialogs);
}

void open_unload_parameters(kit::PanelContext& c, QWidget* over, int) {
    static bool warned = false;  // the adjustment warning is given once a run
    UnloadDialog dialog(over, c.state, texts_of(c), warned);
    run(c, dialog, link::redraw::setup_dialogs);
}

void open_temp_manager(kit::PanelContext& c, QWidget* over, int) {
    TempManagerDialog dialog(over, c.state, texts_of(c));
    dialog.exec();
}

void open_five_speed(kit::PanelContext& c, QWidget* over, int) {
    FiveSpeedDialog dialog(over, c.state, texts_of(c));
    run(c, dialog, link::redraw::setup_dialogs | link::redraw::meter_roll_screen);
}

}  // namespace

const kit::DialogRow moisture_setpoint_dialog{kit::DialogId::moisture_setpoint, open_moisture_setpoint};
const kit::DialogRow meter_roll_speed_dialog{kit::DialogId::meter_roll_speed, open_meter_roll_speed};
const kit::DialogRow unload_parameters_dialog{kit::DialogId::unload_parameters, open_unload_parameters};
const kit::DialogRow temp_manager_dialog{kit::DialogId::temp_manager, open_temp_manager};
const kit::DialogRow five_speed_dialog{kit::DialogId::five_speed, open_five_speed};

}  // namespace dryer::setup
