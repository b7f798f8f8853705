#include "setup/calibration/calibration_dialogs.h"

#include <QPushButton>

#include "kit/fit_text.h"
#include "kit/local_text.h"
#include "kit/message_box.h"
#include "kit/panel_style.h"
#include "kit/touch_button.h"
#include "l10n/resources.h"
#include "setup/setup_dialogs/setup_dialogs.h"
#include "shell/auto_repeat_widgets.h"
#include "views/scene/texts.h"

namespace dryer::setup {
namespace {

constexpr int kButtonH = 50;

QString qs(const std::string& s) { return QString::fromStdString(s); }

FittedLines* add_lines(QWidget* parent, const QString& name, QRect place, int pixel_size) {
    auto* l = new FittedLines(parent, pixel_size, false);
    l->setObjectName(name);
    l->setGeometry(place);
    return l;
}

void panel_look(kit::PanelDialog& d, const char* name) {
    d.setObjectName(QString::fromLatin1(name));
    d.setFont(kit::panel_font(16, 700));
}

struct HelpFile {
    unsigned title;        // text number of the box's title
    const char* fallback;  // its English title
    const char* file;
};

// HELP at the left and ACCEPT at accept_x along the row at y: HELP shows
// the help file in a message box, ACCEPT runs on_accept and closes.
template <class OnAccept>
void add_help_and_accept(kit::PanelDialog* d, const TextFn& text, int y, int accept_x, HelpFile help, OnAccept on_accept) {
    auto* help_button = kit::touch_button(d, QStringLiteral("HELP"), qs(title_text(text(3), "HELP")), {10, y, 140, kButtonH});
    QObject::connect(help_button, &QPushButton::clicked, d, [d, text, help] {
        kit::show_message(d, QMessageBox::Information, qs(title_text(text(help.title), help.fallback)),
                          QString::fromStdU16String(l10n::help_text(help.file)));
    });
    auto* accept_button =
        kit::touch_button(d, QStringLiteral("ACCEPT"), qs(title_text(text(4), "ACCEPT")), {accept_x, y, 140, kButtonH});
    QObject::connect(accept_button, &QPushButton::clicked, d, [d, on_accept] {
        on_accept();
        d->accept();
    });
}

struct TrimRow {
    Trim trim;
    unsigned label;
    const char* name;
};
constexpr std::array<TrimRow, 4> kTrimRows{{
    {Trim::wet_moisture, 40, "WET MOIST OFFSET"},
    {Trim::dry_moisture, 41, "DRY MOIST OFFSET"},
    {Trim::wet_temperature, 42, "WET TEMP OFFSET"},
    {Trim::dry_temperature, 43, "DRY TEMP OFFSET"},
}};

constexpr const char* kCalibrationCaption = " MOISTURE SENSOR CALIBRATION - 13";
constexpr const char* kBushelsCaption = " UNLOAD BUSHELS SETUP SCREEN - 17";
constexpr const char* kVoltageCaption = "Meter Rolls Output Voltage Setup - 27";

}  // namespace

// ---- Moisture sensor calibration -----------------------------------------

MoistureCalibrationDialog::MoistureCalibrationDialog(QWidget* over, link::LinkState& state, TextFn text)
    : kit::PanelDialog(over, qs(title_text(text(35), kCalibrationCaption))),
      state_(state),
      text_(std::move(text)),
      model_(state),
      wet_(add_lines(this, QStringLiteral("WET_READINGS"), {10, 6, 285, 90}, 18)),
      dry_(add_lines(this, QStringLiteral("DRY_READINGS"), {305, 6, 285, 90}, 18)) {
    panel_look(*this, kCalibrationCaption);
    for (std::size_t i = 0; i < kTrimRows.size(); ++i) {
        const TrimRow& r = kTrimRows[i];
        const int y = 106 + static_cast<int>(i) * 58;
        const QString name = QString::fromLatin1(r.name);
        add_lines(this, name, {10, y, 220, kButtonH}, 18)->set_lines({qs(title_text(text_(r.label), r.name))});
        QPushButton* down = kit::touch_button(this, QStringLiteral("<<< ") + name, QStringLiteral("<<<"), {240, y, 100, kButtonH});
        values_[i] = add_lines(this, name + QStringLiteral(" VALUE"), {355, y, 100, kButtonH}, 22);
        QPushButton* up = kit::touch_button(this, QStringLiteral(">>> ") + name, QStringLiteral(">>>"), {470, y, 100, kButtonH});
        arrows_[2 * i] = up;
        arrows_[2 * i + 1] = down;
        const Trim t = r.trim;
        connect(up, &QPushButton::clicked, this, [this, t] {
            model_.step(t, +1);
            show_trim(t);
        });
        connect(down, &QPushButton::clicked, this, [this, t] {
            model_.step(t, -1);
            show_trim(t);
        });
        show_trim(t);
    }
    add_help_and_accept(this, text_, 342, 450,
                        {362, "MOISTURE SENSOR CALIBRATION HELP", "MoistSensorCalibHelp.txt"},
                        [this] { model_.accept(state_); });
    place_below_caption(600, 402);
    show_readings();
}

QList<QAbstractButton*> MoistureCalibrationDialog::repeat_buttons() const {
    QList<QAbstractButton*> l;
    for (QPushButton* b : arrows_) l << b;
    return l;
}

void MoistureCalibrationDialog::show_readings() {
    const SensorReadings r = sensor_readings(state_.status);
    const std::string moisture = title_text(text_(38), "Moisture");
    const std::string temperature = title_text(text_(39), "Temperature");
    wet_->set_lines({qs(title_text(text_(36), "WET SENSOR (INLET)")), qs(moisture_line(moisture, r.wet_moisture)),
                     qs(temperature_line(temperature, r.wet_temperature))});
    dry_->set_lines({qs(title_text(text_(37), "DRY SENSOR (DISCHARGE)")), qs(moisture_line(moisture, r.dry_moisture)),
                     qs(temperature_line(temperature, r.dry_temperature))});
}

void MoistureCalibrationDialog::show_trim(Trim t) {
    values_[static_cast<std::size_t>(t)]->set_lines({qs(trim_text(model_.value(t)))});
}

// ---- Unload bushels -------------------------------------------------------

UnloadBushelsDialog::UnloadBushelsDialog(QWidget* over, link::LinkState& state, TextFn text)
    : kit::PanelDialog(over, qs(title_text(text(97), kBushelsCaption))),
      state_(state),
      text_(std::move(text)),
      model_(state),
      total_(add_lines(this, QStringLiteral("TOTAL_BUSHELS"), {10, 36, 280, kButtonH}, 22)),
      multiplier_(add_lines(this, QStringLiteral("MULTIPLIER"), {10, 136, 140, kButtonH}, 22)),
      increase_(kit::touch_button(this, QStringLiteral("INCREASE"), qs(title_text(text_(8), "INCREASE")),
                           {160, 136, 140, kButtonH})),
      decrease_(kit::touch_button(this, QStringLiteral("DECREASE"), qs(title_text(text_(9), "DECREASE")),
                           {310, 136, 140, kButtonH})) {
    panel_look(*this, kBushelsCaption);
    add_lines(this, QStringLiteral("Clear Total Bushels"), {10, 6, 440, 26}, 16)
        ->set_lines({qs(title_text(text_(98), "Clear Total Bushels"))});
    add_lines(this, QStringLiteral("Bushel / Hour Multiplier (Calibration)"), {10, 106, 440, 26}, 16)
        ->set_lines({qs(title_text(text_(100), "Bushel / Hour Multiplier (Calibration)"))});
    auto* clear = kit::touch_button(this, QStringLiteral("CLEAR"), qs(title_text(text_(99), "CLEAR")), {300, 36, 150, kButtonH});
    connect(clear, &QPushButton::clicked, this, [this] {
        if (kit::ask_yes(this, QMessageBox::Question, kit::local(kClearCounterTitle), kit::local(kClearCounterText),
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
            request_counter_zero(state_);
        }
    });
    connect(increase_, &QPushButton::clicked, this, [this] {
        model_.increase();
        refresh();
    });
    connect(decrease_, &QPushButton::clicked, this, [this] {
        model_.decrease();
        refresh();
    });
    add_help_and_accept(this, text_, 206, 310, {363, "BUSHELS / HOUR CALIBRATION HELP", "BphCalibHelp.txt"},
                        [this] { model_.accept(state_); });
    place_below_caption(460, 266);
    refresh();
}

QList<QAbstractButton*> UnloadBushelsDialog::repeat_buttons() const { return {increase_, decrease_}; }

void UnloadBushelsDialog::refresh() {
    total_->set_lines({QString::number(total_bushels(state_.status))});
    multiplier_->set_lines({qs(multiplier_text(model_.multiplier()))});
}

// ---- Metering-roll output voltage ---------------------------------------

MeterRollVoltageDialog::MeterRollVoltageDialog(QWidget* over, link::LinkState& state, TextFn text)
    : kit::PanelDialog(over, qs(title_text(text(391), kVoltageCaption))), state_(state), model_(state) {
    panel_look(*this, kVoltageCaption);
    struct Group {
        RollLimit limit;
        unsigned title;
        const char* name;
    };
    const std::array<Group, 2> groups{{{RollLimit::minimum, 392, "Minimum Speed"}, {RollLimit::maximum, 393, "Maximum Speed"}}};
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const Group& g = groups[i];
        const int x = 10 + static_cast<int>(i) * 280;
        const QString name = QString::fromLatin1(g.name);
        add_lines(this, name, {x, 6, 260, 26}, 16)->set_lines({qs(title_text(text(g.title), g.name))});
        values_[i] = add_lines(this, name + QStringLiteral(" VALUE"), {x, 36, 260, 60}, 22);
        auto* up =
            kit::touch_button(this, name + QStringLiteral(" UP"), qs(title_text(text(111), "UP")), {x, 100, 125, kButtonH});
        auto* down = kit::touch_button(this, name + QStringLiteral(" DOWN"), qs(title_text(text(112), "DOWN")),
                                {x + 135, 100, 125, kButtonH});
        auto* note = add_lines(this, name + QStringLiteral(" NOTE"), {x, 156, 260, 26}, 16);
        note->set_lines({kit::local("Meter rolls need to be on!")});
        note->set_red(0);
        const RollLimit l = g.limit;
        connect(up, &QPushButton::clicked, this, [this, l] {
            model_.step(state_, l, +1);
            show_limits();
        });
        connect(down, &QPushButton::clicked, this, [this, l] {
            model_.step(state_, l, -1);
            show_limits();
        });
    }
    auto* defaults =
        kit::touch_button(this, QStringLiteral("DEFAULT"), qs(title_text(text(55), "DEFAULT")), {10, 196, 170, kButtonH});
    connect(defaults, &QPushButton::clicked, this, [this] {
        model_.defaults(state_);
        show_limits();
    });
    auto* accept_button =
        kit::touch_button(this, QStringLiteral("ACCEPT"), qs(title_text(text(4), "ACCEPT")), {195, 196, 170, kButtonH});
    connect(accept_button, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel =
        kit::touch_button(this, QStringLiteral("CANCEL"), qs(title_text(text(10), "CANCEL")), {380, 196, 170, kButtonH});
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // ACCEPT, CANCEL or any other close: the rolls must not stay driven at
    // a limit once nobody watches them.
    connect(this, &QDialog::finished, this, [this] { MeterRollVoltage::leave(state_); });
    place_below_caption(560, 256);
    show_limits();
}

void MeterRollVoltageDialog::show_limits() {
    for (RollLimit l : {RollLimit::minimum, RollLimit::maximum}) {
        const int v = model_.value(l);
        const bool changed = model_.changed(l);
        values_[l == RollLimit::minimum ? 0 : 1]->set_lines({qs(percent_text(v, changed)), qs(volts_text(v, changed))});
    }
}

// ---- Registry rows ----------------------------------------------------------

namespace {

TextFn texts_of(const kit::PanelContext& c) {
    const views::Texts* t = &c.texts;
    return [t](unsigned n) { return t->text(n); };
}

// Runs a dialog modally over `over`, once at a time, refreshed on the
// decoder's redraw bits it names.
template <class Dialog, class Refresh>
void run(kit::PanelContext& c, QWidget* over, bool& open, std::uint64_t bits, Refresh refresh, int repeat_group) {
    if (open) return;
    open = true;
    Dialog dialog(over, c.state, texts_of(c));
    QMetaObject::Connection redraw;
    if (bits) {
        redraw = QObject::connect(&c.events, &kit::PanelEvents::redraw, &dialog, [&dialog, bits, refresh](std::uint64_t b) {
            if (b & bits) refresh(dialog);
        });
    }
    if constexpr (requires { dialog.repeat_buttons(); }) {
        shell::register_repeat_buttons(shell::auto_repeat_service(), repeat_group, &dialog, dialog.repeat_buttons());
    }
    dialog.exec();
    if (redraw) QObject::disconnect(redraw);
    open = false;
}

void open_moisture_calibration(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    run<MoistureCalibrationDialog>(c, over, open, link::redraw::moisture_calibration,
                                   [](MoistureCalibrationDialog& d) { d.show_readings(); },
                                   shell::repeat_group::moisture_calibration);
}

void open_unload_bushels(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    run<UnloadBushelsDialog>(c, over, open, link::redraw::unload_bushels, [](UnloadBushelsDialog& d) { d.refresh(); },
                             shell::repeat_group::unload_bushels);
}

void open_meter_roll_voltage(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    run<MeterRollVoltageDialog>(c, over, open, 0, [](MeterRollVoltageDialog&) {}, 0);
}

}  // namespace

const kit::DialogRow moisture_calibration_dialog{kit::DialogId::moisture_calibration, open_moisture_calibration};
const kit::DialogRow unload_bushels_dialog{kit::DialogId::unload_bushels, open_unload_bushels};
const kit::DialogRow meter_roll_voltage_dialog{kit::DialogId::meter_roll_voltage, open_meter_roll_voltage};

}  // namespace dryer::setup
