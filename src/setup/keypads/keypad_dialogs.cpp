#include "setup/keypads/keypad_dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>

#include "kit/panel_style.h"

#include "link/link_state.h"
#include "setup/common/setup_widgets.h"

namespace dryer::setup {

namespace {
constexpr int kDelete = 10;
constexpr int kClear = 12;

kit::KeypadCommands commands() {
    return {qtext(55, "DEFAULT"), qtext(4, "ACCEPT"), qtext(10, "CANCEL")};
}
}  // namespace

TempKeypadDialog::TempKeypadDialog(const TempKeypad& keypad, QWidget* parent)
    : kit::KeypadFrame(parent, QStringLiteral("TEMP_KEYPAD_DIALOG"), qtext(142, "Modifying Temperature Setpoint - 22"),
                       commands()),
      keypad_(keypad) {
    auto* grid = new QGridLayout;
    for (int d = 1; d <= 9; ++d) {
        auto* b = key_button(QString::number(d), QString::number(d), this);
        connect(b, &QPushButton::clicked, this, [this, d] { key(d); });
        grid->addWidget(b, (d - 1) / 3, (d - 1) % 3);
    }
    auto* zero = key_button(QStringLiteral("0"), QStringLiteral("0"), this);
    connect(zero, &QPushButton::clicked, this, [this] { key(0); });
    grid->addWidget(zero, 3, 1);
    auto* del = key_button(qtext(141, "DELETE"), QStringLiteral("DELETE"), this);
    connect(del, &QPushButton::clicked, this, [this] { key(kDelete); });
    grid->addWidget(del, 3, 2);
    auto* clr = key_button(qtext(99, "CLEAR"), QStringLiteral("CLEAR"), this);
    connect(clr, &QPushButton::clicked, this, [this] { key(kClear); });
    grid->addWidget(clr, 3, 0);
    set_body(nullptr, grid);
    redraw();
}

void TempKeypadDialog::key(int k) {
    if (k >= 0 && k <= 9) keypad_.digit(k);
    else if (k == kDelete) keypad_.del();
    else if (k == kClear) keypad_.clear();
    redraw();
}

void TempKeypadDialog::on_default() {
    keypad_.load_default();
    redraw();
}

void TempKeypadDialog::redraw() { show_value(keypad_.display()); }

void TempKeypadDialog::on_accept() {
    result_ = keypad_.accept();
    if (!result_) {
        show_out_of_range(this);
        reject();
        return;
    }
    accept();
}

TimerKeypadDialog::TimerKeypadDialog(const TimerKeypad& keypad, QWidget* parent)
    : kit::KeypadFrame(parent, QStringLiteral("TIMER_KEYPAD_DIALOG"), qtext(355, "MODIFYING TIMER SETPOINT - 21"),
                       commands()),
      keypad_(keypad) {
    auto* limits = new QLabel(this);
    limits->setObjectName(QStringLiteral("LIMITS"));
    limits->setFont(kit::panel_font(15));
    const TimerLimits& lim = keypad_.limits();
    limits->setText(QString::fromStdString(limit_line(qtext(55, "DEFAULT").toStdString(), lim.def) + "\n" +
                                           limit_line(qtext(356, "MAXIMUM").toStdString(), lim.max) + "\n" +
                                           limit_line(qtext(357, "MINIMUM").toStdString(), lim.min)));
    auto* pads = new QHBoxLayout;
    pads->addWidget(pad(true));
    pads->addWidget(pad(false));
    set_body(limits, pads);
    redraw();
}

// One pad: digits 1-9 in three rows, then 0 and DELETE. The minutes pad's
// keys are named MIN_<key>, the seconds pad's SEC_<key>.
QWidget* TimerKeypadDialog::pad(bool left) {
    auto* w = new QWidget(this);
    auto* grid = new QGridLayout(w);
    const QString prefix = left ? QStringLiteral("MIN_") : QStringLiteral("SEC_");
    auto press = [this, left](int d) {
        if (d < 0) left ? keypad_.left_del() : keypad_.right_del();
        else left ? keypad_.left_digit(d) : keypad_.right_digit(d);
        redraw();
    };
    for (int d = 0; d <= 9; ++d) {
        auto* b = key_button(QString::number(d), prefix + QString::number(d), w);
        connect(b, &QPushButton::clicked, this, [press, d] { press(d); });
        if (d == 0) grid->addWidget(b, 3, 0);
        else grid->addWidget(b, (d - 1) / 3, (d - 1) % 3);
    }
    auto* del = key_button(qtext(141, "DELETE"), prefix + QStringLiteral("DELETE"), w);
    connect(del, &QPushButton::clicked, this, [press] { press(-1); });
    grid->addWidget(del, 3, 1, 1, 2);
    return w;
}

void TimerKeypadDialog::on_default() {
    keypad_.load_default();
    redraw();
}

void TimerKeypadDialog::redraw() { show_value(keypad_.display()); }

void TimerKeypadDialog::on_accept() {
    result_ = keypad_.accept();
    if (!result_) {
        show_out_of_range(this);
        reject();
        return;
    }
    accept();
}

bool run_temperature_keypad(QWidget* parent, link::LinkState& state, TempTarget target, std::string_view source) {
    const std::uint16_t preload = begin_temperature_edit(state, target.offset);
    const bool celsius = link::load(state.values.si_units) != 0;
    TempKeypadDialog dialog(TempKeypad(preload, target.limits, celsius), parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.result_f()) return false;
    return store_temperature(state, target.offset, *dialog.result_f(), source);
}

bool run_timer_keypad(QWidget* parent, link::LinkState& state, TimerTarget target, std::string_view source) {
    const MinSec preload = begin_timer_edit(state, target.offset);
    TimerKeypadDialog dialog(TimerKeypad(preload, target.limits), parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.result()) return false;
    return store_timer(state, target.offset, *dialog.result(), source);
}

}  // namespace dryer::setup
