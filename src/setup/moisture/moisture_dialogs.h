// The moisture-control setup dialogs on the widget kit: the moisture
// setpoint with its keypad, the meter roll speed setpoints, the unload
// parameters, the plenum temperature manager and the bracketed five-speed
// setup. Each is modal, draws what its model (moisture_model.h,
// meter_roll_model.h) returns and changes settings only through it.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>
#include <optional>

#include "kit/panel_dialog.h"
#include "kit/screen.h"
#include "setup/moisture/meter_roll_model.h"
#include "setup/moisture/moisture_model.h"

namespace dryer::setup {

// "MODIFY M/C SETPOINT": digits, DELETE, ACCEPT and CANCEL. Every key shows
// the entry through `shown`.
class MoistureKeypadDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    MoistureKeypadDialog(QWidget* over, std::uint16_t reported, const TextFn& text,
                         std::function<void(const std::string&)> shown);
    // The value typed and accepted in range; none after CANCEL or an ACCEPT
    // without any key.
    std::optional<std::uint16_t> result() const { return result_; }

protected:
    // Opens below the setpoint dialog's field, so the entry stays in sight.
    void showEvent(QShowEvent* event) override;

private:
    void key(int k);

    MoistureKeypad keypad_;
    std::function<void(const std::string&)> shown_;
    std::optional<std::uint16_t> result_;
};

// " MOISTURE SETPOINT - 26" in mode 3 (the setpoint) or mode 4 (the
// auto-start moisture value), placed 200 pixels right of its parent's centre.
class MoistureSetpointDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    MoistureSetpointDialog(QWidget* over, link::LinkState& state, TextFn text, int mode);
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void modify();

    link::LinkState& state_;
    TextFn text_;
    MoistureTarget target_;
    QLabel* value_;
    bool typing_ = false;
};

// The bar graph of the meter roll speeds.
class SpeedBars : public QWidget {
public:
    explicit SpeedBars(QWidget* parent) : QWidget(parent) {}
    void set_view(const MeterRollView& v);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    MeterRollView view_;
};

// "MODIFYING METER ROLL SPEED SETPOINTS (Use knob on control panel) - 23".
class MeterRollDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    MeterRollDialog(QWidget* over, link::LinkState& state, TextFn text);
    ~MeterRollDialog() override;
    void refresh();
    const MeterRoll& model() const { return model_; }
    QList<QAbstractButton*> repeat_buttons() const { return {increase_, decrease_}; }

private:
    void press_scheme();

    link::LinkState& state_;
    TextFn text_;
    MeterRoll model_;
    SpeedBars* bars_;
    QPushButton* scheme_;
    std::array<QRadioButton*, 2> radio_{};
    QLabel* adjust_;
    QPushButton* increase_;
    QPushButton* decrease_;
    QPushButton* select_;
};

// "Unload Parameters - 11".
class UnloadDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    UnloadDialog(QWidget* over, link::LinkState& state, TextFn text, bool& warned);
    void refresh();

private:
    void after(bool ask);

    link::LinkState& state_;
    UnloadRates rates_;
    std::array<QLabel*, 2> percent_{};
    std::array<QLabel*, 2> bph_{};
    std::array<QLabel*, 2> note_{};
};

// "PLENUM TEMPERATURE MANAGER - 12".
class TempManagerDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    TempManagerDialog(QWidget* over, link::LinkState& state, TextFn text);

private:
    void refresh();

    TextFn text_;
    TempManager model_;
    std::array<QRadioButton*, 2> radio_{};
    QLabel* time_;
    QLabel* step_;
};

// "BRACKETED 5 SPEED MOISTURE CONTROL SETUP - 23".
class FiveSpeedDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    FiveSpeedDialog(QWidget* over, link::LinkState& state, TextFn text);
    void refresh();

private:
    link::LinkState& state_;
    FiveSpeed model_;
    std::array<QLabel*, 5> error_{};
    std::array<QLabel*, 5> offset_{};
    std::array<QLabel*, 5> actual_{};
    std::array<QLabel*, 5> name_{};
};

// The pair the five-speed setup acts on, kept for the whole run.
FivePair& five_speed_pair();

extern const kit::DialogRow moisture_setpoint_dialog;
extern const kit::DialogRow meter_roll_speed_dialog;
extern const kit::DialogRow unload_parameters_dialog;
extern const kit::DialogRow temp_manager_dialog;
extern const kit::DialogRow five_speed_dialog;

}  // namespace dryer::setup
