#include "setup/modes/modes_dialogs.h"

#include <QFrame>
#include <QPainter>
#include <QPushButton>

#include "kit/fit_text.h"
#include "kit/local_text.h"
#include "kit/message_box.h"
#include "kit/picture_button.h"
#include "l10n/resources.h"
#include "link/fields.h"
#include "setup/keypads/keypad_dialogs.h"
#include "setup/setup_dialogs/setup_dialogs.h"
#include "views/scene/texts.h"

namespace dryer::setup {

namespace {

constexpr int kMcSetupPicture = 24;  // GRAPHIC_024_MC_SETUP_BUTTON.BMP

QString qs(const std::string& s) { return QString::fromStdString(s); }

TextFn texts_of(kit::PanelContext& c) {
    const views::Texts& texts = c.texts;
    return [&texts](unsigned n) { return texts.text(n); };
}

// A localized caption, or the English one where the language has none.
QString caption(const TextFn& text, unsigned n, const char* english) { return qs(title_text(text(n), english)); }

// A touch-sized push button; a checkable one is its own indicator, lit
// green while its choice is the working one.
QPushButton* push(QWidget* parent, const QString& name, const QString& text, QRect place, bool checkable = false) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFont(kit::panel_font(15, 700));
    b->setGeometry(place);
    if (checkable) {
        b->setCheckable(true);
        b->setStyleSheet(QStringLiteral("QPushButton:checked { background-color: rgb(0, 160, 0); color: white; }"
                                        "QPushButton:checked:disabled { background-color: rgb(150, 190, 150); }"));
    }
    kit::fit_button_text(*b);
    return b;
}

// Shows the working state on a checkable button; a click never toggles it
// on its own, the model decides.
void show_checked(QPushButton* b, bool on) { b->setChecked(on); }

FittedLines* heading(QWidget* parent, const QString& text, QRect place, bool wrap = false, int size = 14) {
    auto* l = new FittedLines(parent, size, wrap);
    l->setGeometry(place);
    l->set_lines({text});
    return l;
}

void show_help(QWidget* over, const QString& title, const char* file, std::size_t capacity = l10n::kHelpCapacity) {
    kit::show_message(over, QMessageBox::Information, title, QString::fromStdU16String(l10n::help_text(file, capacity)));
}

void panel_look(kit::PanelDialog& d, const char* name) {
    d.setObjectName(QString::fromUtf8(name));
    d.setFont(kit::panel_font(15, 700));
}

// Runs act on a click of b, then shows the dialog's new state.
template <class Dialog, class Act> void on_click(Dialog* d, QPushButton* b, Act act) {
    QObject::connect(b, &QPushButton::clicked, d, [d, act] {
        act();
        d->refresh();
    });
}

// Opens the temperature keypad on the working maximum grain temperature
// and keeps an accepted value in the working copy (sent on ACCEPT).
void edit_max_grain_temp(QWidget* over, link::LinkState& state) {
    const bool celsius = link::load(state.values.si_units) != 0;
    TempKeypadDialog keypad(TempKeypad(max_grain_temp(state), kMaxGrainTempLimits, celsius), over);
    if (keypad.exec() == QDialog::Accepted && keypad.result_f()) set_max_grain_temp(state, *keypad.result_f());
}

}  // namespace

// ---- Lamp ----------------------------------------------------------------------

Lamp::Lamp(QWidget* parent, const QString& name, const QString& text, QRect place) : QWidget(parent), text_(text) {
    setObjectName(name);
    setGeometry(place);
}

void Lamp::set_lit(bool lit) {
    lit_ = lit;
    update();
}

void Lamp::set_text(const QString& text) {
    text_ = text;
    update();
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(QColor(0, 0, 0));
    p.setBrush(lit_ ? QColor(0, 160, 0) : QColor(255, 255, 255));
    p.drawRect(r);
    p.setPen(!isEnabled() ? QColor(128, 128, 128) : lit_ ? QColor(255, 255, 255) : QColor(0, 0, 0));
    kit::draw_fitted_text(p, r.adjusted(3, 1, -3, -1), Qt::AlignCenter, text_, kit::panel_font(15, 700));
}

// ---- Drying mode selection -------------------------------------------------------

DryingModeDialog::DryingModeDialog(kit::PanelContext& context, QWidget* over)
    : kit::PanelDialog(over, caption(texts_of(context), 5, "Drying Mode Selection - 07")),
      context_(context),
      text_(texts_of(context)) {
    panel_look(*this, "Drying Mode Selection - 07");
    begin_drying_mode(context_.state);
    const QString cf = caption(text_, 1, "CONTINUOUS FLOW");
    const QString sb = caption(text_, 2, "STAGED BATCH");
    continuous_ = push(this, QStringLiteral("CONTINUOUS FLOW"), cf, {10, 10, 210, 50});
    continuous_lamp_ = new Lamp(this, QStringLiteral("CONTINUOUS FLOW INDICATOR"), cf, {240, 10, 210, 50});
    staged_ = push(this, QStringLiteral("STAGED BATCH"), sb, {10, 70, 210, 50});
    staged_lamp_ = new Lamp(this, QStringLiteral("STAGED BATCH INDICATOR"), sb, {240, 70, 210, 50});
    auto* mc_setup = new kit::PictureButton(QStringLiteral("MOISTURE CONTROL SETUP"), this, kMcSetupPicture);
    mc_setup->setGeometry(130, 130, 200, 50);
    auto* help = push(this, QStringLiteral("HELP"), caption(text_, 3, "HELP"), {10, 190, 210, 50});
    auto* accept_button = push(this, QStringLiteral("ACCEPT"), caption(text_, 4, "ACCEPT"), {240, 190, 210, 50});
    place_below_caption(460, 250);

    on_click(this, continuous_, [this] { choose_drying_mode(context_.state, DryingMode::continuous_flow); });
    on_click(this, staged_, [this] { choose_drying_mode(context_.state, DryingMode::staged_batch); });
    connect(mc_setup, &QPushButton::clicked, this, [this] {
        commit_drying_mode(context_.state);
        if (run_mc_setup(context_, this, drying_mode_view(context_.state).mode)) accept();
    });
    connect(help, &QPushButton::clicked, this,
            [this] { show_help(this, caption(text_, 358, "DRYING MODE HELP"), "DryingModeSelectionHelp.txt"); });
    connect(accept_button, &QPushButton::clicked, this, [this] {
        commit_drying_mode(context_.state);
        accept();
    });
    refresh();
}

void DryingModeDialog::refresh() {
    const DryingModeView v = drying_mode_view(context_.state);
    const bool cf = v.mode == DryingMode::continuous_flow;
    continuous_lamp_->set_lit(cf);
    staged_lamp_->set_lit(!cf);
    staged_->setEnabled(v.staged_offered);
    staged_lamp_->setEnabled(v.staged_offered);
}

// ---- Continuous flow setup -------------------------------------------------------

ContinuousFlowDialog::ContinuousFlowDialog(kit::PanelContext& context, QWidget* over)
    : kit::PanelDialog(over, kit::local("CONTINUOUS FLOW SETUP")), context_(context) {
    panel_look(*this, "CONTINUOUS FLOW SETUP");
    begin_continuous_flow(context_.state);
    // A caption is text `number` of the language, or the panel's own text
    // `text` when number is 0.
    struct SchemeButton {
        const char* name;
        unsigned number;
        const char* text;
        QRect place;
        Scheme scheme;
    };
    static constexpr std::array<SchemeButton, 6> kSchemes{{
        {"TEMPERATURE", 265, "TEMPERATURE", {10, 10, 190, 46}, Scheme::temperature_two_speed},
        {"MOISTURE", 267, "MOISTURE", {210, 10, 190, 46}, Scheme::moisture_five_speed},
        {"2 SPEED", 0, l10n::english("2 SPEED"), {10, 62, 92, 46}, Scheme::temperature_two_speed},
        {"TEMPERATURE 5 SPEED", 0, l10n::english("5 SPEED"), {108, 62, 92, 46}, Scheme::temperature_five_speed},
        {"VARIABLE", 0, l10n::english("VARIABLE"), {210, 62, 92, 46}, Scheme::moisture_variable},
        {"MOISTURE 5 SPEED", 0, l10n::english("5 SPEED"), {308, 62, 92, 46}, Scheme::moisture_five_speed},
    }};
    const TextFn text = texts_of(context_);
    for (std::size_t i = 0; i < kSchemes.size(); ++i) {
        const SchemeButton& s = kSchemes[i];
        const QString shown = s.number ? caption(text, s.number, s.text) : kit::local(s.text);
        scheme_[i] = push(this, QString::fromLatin1(s.name), shown, s.place, true);
        const Scheme scheme = s.scheme;
        on_click(this, scheme_[i], [this, scheme] { choose_scheme(context_.state, scheme); });
    }
    auto_centering_ = push(this, QStringLiteral("AUTO CENTERING"), kit::local("AUTO CENTERING"), {420, 10, 190, 46});
    auto_centering_lamp_ = new Lamp(this, QStringLiteral("AUTO CENTERING ENABLED"), kit::local("ENABLED"),
                                    {420, 62, 190, 30});
    five_speed_setup_ = push(this, QStringLiteral("5 SPEED SETUP"), kit::local("5 SPEED SETUP"), {420, 100, 190, 46});
    heading(this, kit::local("UPPER MOISTURE SENSOR"), {10, 150, 390, 24});
    auto* sensor = push(this, QStringLiteral("SELECT"), caption(text, 20, "SELECT"), {10, 178, 140, 46});
    upper_sensor_lamp_ = new Lamp(this, QStringLiteral("UPPER SENSOR"), QString(), {160, 178, 140, 46});
    max_grain_ = push(this, QStringLiteral("MAX GRAIN TEMP"), kit::local("MAX GRAIN TEMP"), {10, 250, 190, 46});
    max_grain_field_ = new Lamp(this, QStringLiteral("MAX GRAIN TEMP VALUE"), QString(), {210, 250, 100, 46});
    safety_ = push(this, QStringLiteral("SAFETY"), kit::local("DISABLE"), {320, 250, 140, 46});
    auto* help = push(this, QStringLiteral("HELP"), caption(text, 3, "HELP"), {10, 320, 190, 50});
    auto* accept_button = push(this, QStringLiteral("ACCEPT"), caption(text, 4, "ACCEPT"), {420, 320, 190, 50});
    place_below_caption(620, 380);

    link::LinkState& s = context_.state;
    on_click(this, auto_centering_, [&s] { toggle_auto_centering(s); });
    connect(five_speed_setup_, &QPushButton::clicked, this,
            [this] { context_.shell.open_dialog(kit::DialogId::five_speed, this); });
    on_click(this, sensor, [&s] { toggle_upper_sensor(s); });
    on_click(this, max_grain_, [this, &s] { edit_max_grain_temp(this, s); });
    on_click(this, safety_, [&s] { toggle_safety(s); });
    connect(help, &QPushButton::clicked, this, [this] {
        show_help(this, caption(texts_of(context_), 359, "DRYING CRITERIA HELP"), "SelectDryingCriteriaHelp.txt",
                  l10n::kLongHelpCapacity);
    });
    connect(accept_button, &QPushButton::clicked, this, [this, &s] {
        accept_continuous_flow(s);
        accept();
    });
    refresh();
}

void ContinuousFlowDialog::refresh() {
    const ContinuousFlowView v = continuous_flow_view(context_.state);
    show_checked(scheme_[0], v.temperature);
    show_checked(scheme_[1], !v.temperature);
    show_checked(scheme_[2], v.scheme == Scheme::temperature_two_speed);
    show_checked(scheme_[3], v.scheme == Scheme::temperature_five_speed);
    show_checked(scheme_[4], v.scheme == Scheme::moisture_variable);
    show_checked(scheme_[5], v.scheme == Scheme::moisture_five_speed);
    scheme_[2]->setEnabled(v.temperature);
    scheme_[3]->setEnabled(v.temperature);
    scheme_[4]->setEnabled(!v.temperature);
    scheme_[5]->setEnabled(!v.temperature);
    auto_centering_->setVisible(v.five_speed_group);
    auto_centering_lamp_->setVisible(v.five_speed_group);
    auto_centering_lamp_->set_lit(v.auto_centering);
    five_speed_setup_->setVisible(v.five_speed_group);
    five_speed_setup_->setEnabled(context_.shell.has_dialog(kit::DialogId::five_speed));
    upper_sensor_lamp_->set_text(v.upper_sensor ? kit::local("ENABLED") : kit::local("DISABLED"));
    upper_sensor_lamp_->set_lit(v.upper_sensor);
    max_grain_field_->set_text(qs(v.max_grain_temp));
    max_grain_->setEnabled(v.safety);
    max_grain_field_->setEnabled(v.safety);
    max_grain_field_->set_lit(false);
    safety_->setText(v.safety ? kit::local("DISABLE") : kit::local("ENABLE"));
    kit::fit_button_text(*safety_);
}

// ---- Staged batch setup ----------------------------------------------------------

StagedBatchDialog::StagedBatchDialog(kit::PanelContext& context, QWidget* over)
    : kit::PanelDialog(over, kit::local("STAGED BATCH SETUP - 09")), context_(context) {
    panel_look(*this, "STAGED BATCH SETUP - 09");
    begin_staged_batch(context_.state);
    link::LinkState& s = context_.state;
    const TextFn text = texts_of(context_);
    heading(this, kit::local("DRYING CRITERIA"), {10, 4, 600, 22});
    struct CriterionRow {
        const char* name;
        unsigned number;  // the caption's text number
        const char* line;
        Criterion criterion;
    };
    static constexpr std::array<CriterionRow, 3> kCriteria{{
        {"TIME", 266, l10n::english("TIME - Dry Timer(s) must expire before drying is complete"), Criterion::time},
        {"TEMPERATURE", 265,
         l10n::english("TEMPERATURE - Grain Temp must reach setpoint before drying is complete"),
         Criterion::temperature},
        {"MOISTURE", 267, l10n::english("MOISTURE - Batch automatic moisture control selected"), Criterion::moisture},
    }};
    for (std::size_t i = 0; i < kCriteria.size(); ++i) {
        const int y = 30 + static_cast<int>(i) * 50;
        criteria_[i] = push(this, QString::fromLatin1(kCriteria[i].name),
                            caption(text, kCriteria[i].number, kCriteria[i].name), {10, y, 170, 44}, true);
        heading(this, kit::local(kCriteria[i].line), {190, y, 420, 44}, true, 15);
        const Criterion c = kCriteria[i].criterion;
        on_click(this, criteria_[i], [&s, c] { choose_criterion(s, c); });
    }
    heading(this, caption(text, 312, "PLENUM TEMPERATURE"), {10, 182, 290, 22});
    plenum_[0] = push(this, QStringLiteral("SINGLE"), kit::local("SINGLE"), {10, 206, 140, 44}, true);
    plenum_[1] = push(this, QStringLiteral("DUAL *"), kit::local("DUAL *"), {160, 206, 140, 44}, true);
    heading(this, kit::local("* single fan/heater models only"), {10, 254, 290, 22}, false, 13);
    on_click(this, plenum_[0], [&s] { choose_plenum(s, false); });
    on_click(this, plenum_[1], [this, &s] {
        if (!choose_plenum(s, true)) {
            kit::show_message(this, QMessageBox::Warning, kit::local("INVALID SELECTION"),
                              kit::local("Dual-Plenum Temperature Mode is only available on single fan/heater "
                                         "models."));
        }
    });
    heading(this, kit::local("HEAT"), {320, 182, 290, 22});
    // The splits' captions: FULL is a word, the others are fractions.
    static constexpr std::array<const char*, 3> kSplits{l10n::english("FULL"), "1/3 - 2/3", "1/2 - 1/2"};
    static constexpr std::array<const char*, 3> kSplitLamps{l10n::english("FULL HEAT"), l10n::english("2/3 HEAT"),
                                                            l10n::english("1/2 HEAT")};
    for (std::size_t i = 0; i < kSplits.size(); ++i) {
        const int x = 320 + static_cast<int>(i) * 98;
        split_[i] = push(this, QString::fromLatin1(kSplits[i]), kit::local(kSplits[i]), {x, 206, 94, 44});
        split_lamp_[i] = new Lamp(this, QString::fromLatin1(kSplitLamps[i]), kit::local(kSplitLamps[i]),
                                  {x, 254, 94, 26});
        const auto split = static_cast<HeatSplit>(i);
        on_click(this, split_[i], [&s, split] { choose_heat_split(s, split); });
    }
    max_time_ = push(this, QStringLiteral("MAX TIME"), kit::local("MAX TIME"), {10, 290, 120, 44});
    max_time_field_ = new Lamp(this, QStringLiteral("MAX TIME VALUE"), QString(), {135, 290, 100, 44});
    max_grain_ = push(this, QStringLiteral("MAX GRAIN TEMP"), kit::local("MAX GRAIN TEMP"), {245, 290, 170, 44});
    max_grain_field_ = new Lamp(this, QStringLiteral("MAX GRAIN TEMP VALUE"), QString(), {420, 290, 90, 44});
    safety_ = push(this, QStringLiteral("SAFETY"), kit::local("DISABLE"), {515, 290, 95, 44});
    auto* help = push(this, QStringLiteral("HELP"), caption(text, 3, "HELP"), {10, 346, 190, 50});
    auto* accept_button = push(this, QStringLiteral("ACCEPT"), caption(text, 4, "ACCEPT"), {420, 346, 190, 50});
    place_below_caption(620, 406);

    on_click(this, max_time_, [this, &s] {
        TimerKeypadDialog keypad(TimerKeypad(max_time(s), kMaxTimeLimits), this);
        if (keypad.exec() == QDialog::Accepted && keypad.result()) set_max_time(s, *keypad.result());
    });
    on_click(this, max_grain_, [this, &s] { edit_max_grain_temp(this, s); });
    on_click(this, safety_, [&s] { toggle_safety(s); });
    connect(help, &QPushButton::clicked, this, [this] {
        show_help(this, caption(texts_of(context_), 360, "AVAILABLE DRYING MODES HELP"), "AvailableDryingModesHelp.txt");
    });
    connect(accept_button, &QPushButton::clicked, this, &StagedBatchDialog::accept_pressed);
    refresh();
}

void StagedBatchDialog::accept_pressed() {
    if (!accept_staged_batch(context_.state)) {
        show_help(this, kit::local("NO DRYING CRITERIA SELECTED"), "NoDryingCriteriaSelectedHelp.txt");
        return;
    }
    accept();
}

void StagedBatchDialog::refresh() {
    const StagedBatchView v = staged_batch_view(context_.state);
    show_checked(criteria_[0], v.time);
    show_checked(criteria_[1], v.temperature);
    show_checked(criteria_[2], v.moisture);
    show_checked(plenum_[0], !v.dual);
    show_checked(plenum_[1], v.dual);
    for (QPushButton* b : plenum_) b->setEnabled(v.temperature_group);
    for (std::size_t i = 0; i < split_.size(); ++i) {
        split_[i]->setEnabled(v.moisture_group);
        split_lamp_[i]->setEnabled(v.moisture_group);
        split_lamp_[i]->set_lit(v.heat_split && static_cast<std::size_t>(*v.heat_split) == i);
    }
    max_time_->setEnabled(v.max_time_enabled);
    max_time_field_->setEnabled(v.max_time_enabled);
    max_time_field_->set_text(qs(v.max_time));
    max_grain_->setEnabled(v.safety);
    max_grain_field_->setEnabled(v.safety);
    max_grain_field_->set_text(qs(v.max_grain_temp));
    safety_->setText(v.safety ? kit::local("DISABLE") : kit::local("ENABLE"));
    kit::fit_button_text(*safety_);
}

// ---- Burner modes ----------------------------------------------------------------

BurnerModeDialog::BurnerModeDialog(kit::PanelContext& context, QWidget* over)
    : kit::PanelDialog(over, caption(texts_of(context), 22, "Select Burner Mode - 10")),
      context_(context),
      model_(context.state) {
    panel_look(*this, "Select Burner Mode - 10");
    const TextFn text = texts_of(context_);
    static constexpr std::array<BurnerChoice, 3> kChoices{BurnerChoice::hi_lo, BurnerChoice::on_off,
                                                          BurnerChoice::automatic};
    static constexpr std::array<const char*, 3> kChoiceNames{"HI / LO", "ON / OFF", "AUTO"};
    for (int f = 1; f <= 6; ++f) {
        // #1 to #3 from the bottom up on the left, #4 to #6 on the right.
        const int x = f <= 3 ? 10 : 315;
        const int y = 10 + (2 - (f - 1) % 3) * 108;
        auto* box = new QFrame(this);
        box->setFrameShape(QFrame::Box);
        box->setGeometry(x, y, 295, 100);
        const QString name = QStringLiteral("Fan/Heater #%1").arg(f);
        heading(this, caption(text, 22 + static_cast<unsigned>(f), name.toLatin1().constData()), {x + 6, y + 4, 283, 22});
        for (std::size_t k = 0; k < kChoices.size(); ++k) {
            QPushButton* b = push(this, name + QLatin1Char(' ') + QString::fromLatin1(kChoiceNames[k]),
                                  caption(text, 32 + static_cast<unsigned>(k), kChoiceNames[k]),
                                  {x + 6 + static_cast<int>(k) * 70, y + 32, 66, 60}, true);
            const BurnerChoice c = kChoices[k];
            on_click(this, b, [this, f, c] { model_.set(f, c); });
            choice_[static_cast<std::size_t>(f - 1)][k] = b;
        }
        auto* select = push(this, name + QStringLiteral(" SELECT"), caption(text, 20, "SELECT"), {x + 216, y + 32, 73, 60});
        on_click(this, select, [this, f] { model_.select(f); });
    }
    static constexpr std::array<const char*, 3> kAll{"ALL HI/LO", "ALL ON/OFF", "ALL AUTO"};
    for (std::size_t k = 0; k < kAll.size(); ++k) {
        QPushButton* b = push(this, QString::fromLatin1(kAll[k]), caption(text, 29 + static_cast<unsigned>(k), kAll[k]),
                              {10 + static_cast<int>(k) * 121, 336, 116, 50});
        const BurnerChoice c = kChoices[k];
        on_click(this, b, [this, c] { model_.set_all(c); });
    }
    auto* accept_button = push(this, QStringLiteral("ACCEPT"), caption(text, 4, "ACCEPT"), {373, 336, 116, 50});
    auto* cancel = push(this, QStringLiteral("CANCEL"), caption(text, 10, "CANCEL"), {494, 336, 116, 50});
    place_below_caption(620, 396);
    connect(accept_button, &QPushButton::clicked, this, [this] {
        model_.accept(context_.state);
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

void BurnerModeDialog::refresh() {
    static constexpr std::array<BurnerChoice, 3> kChoices{BurnerChoice::hi_lo, BurnerChoice::on_off,
                                                          BurnerChoice::automatic};
    for (int f = 1; f <= 6; ++f) {
        for (std::size_t k = 0; k < kChoices.size(); ++k) {
            show_checked(choice_[static_cast<std::size_t>(f - 1)][k], model_.choice(f) == kChoices[k]);
        }
    }
}

// ---- Opening ---------------------------------------------------------------------

bool run_mc_setup(kit::PanelContext& context, QWidget* over, DryingMode mode) {
    if (mode == DryingMode::continuous_flow) {
        ContinuousFlowDialog d(context, over);
        return d.exec() == QDialog::Accepted;
    }
    StagedBatchDialog d(context, over);
    return d.exec() == QDialog::Accepted;
}

namespace {

// Each dialog opens once at a time: a second press while it is open (a
// queued click) does nothing.
template <class Run> void open_once(bool& open, Run run) {
    if (open) return;
    open = true;
    run();
    open = false;
}

void open_drying_mode(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    open_once(open, [&] {
        DryingModeDialog d(c, over);
        d.exec();
    });
}

void open_mc_setup(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    const DryingMode reported =
        c.state.status.get(link::off::drying_mode) == 0 ? DryingMode::continuous_flow : DryingMode::staged_batch;
    open_once(open, [&] { run_mc_setup(c, over, reported); });
}

void open_burner_mode(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    open_once(open, [&] {
        BurnerModeDialog d(c, over);
        d.exec();
    });
}

}  // namespace

const kit::DialogRow drying_mode_dialog{kit::DialogId::drying_mode, open_drying_mode};
const kit::DialogRow mc_setup_dialog{kit::DialogId::mc_setup, open_mc_setup};
const kit::DialogRow burner_mode_dialog{kit::DialogId::burner_mode, open_burner_mode};

}  // namespace dryer::setup
