// The calibration dialogs on the widget kit: " MOISTURE SENSOR CALIBRATION -
// 13", " UNLOAD BUSHELS SETUP SCREEN - 17" and "Meter Rolls Output Voltage
// Setup - 27". Each is modal, centres itself over the window it is opened
// for and changes settings only through its model (calibration_model.h).
#pragma once

#include <QList>
#include <array>

#include "kit/panel_dialog.h"
#include "kit/screen.h"
#include "setup/calibration/calibration_model.h"
#include "setup/common/screen_text.h"

class QAbstractButton;
class QPushButton;

namespace dryer::setup {

class FittedLines;

// The wet and dry sensors' live readings above four trims, each with "<<<"
// and ">>>"; ACCEPT sends the trims that differ, HELP shows the help text.
class MoistureCalibrationDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    MoistureCalibrationDialog(QWidget* over, link::LinkState& state, TextFn text);
    const MoistureCalibration& model() const { return model_; }
    // The ">>>" and "<<<" buttons in the auto-repeat's test order.
    QList<QAbstractButton*> repeat_buttons() const;

    // Shows the readings from the status image.
    void show_readings();

private:
    void show_trim(Trim t);

    link::LinkState& state_;
    TextFn text_;
    MoistureCalibration model_;
    FittedLines* wet_;
    FittedLines* dry_;
    std::array<FittedLines*, 4> values_{};
    std::array<QPushButton*, 8> arrows_{};  // per trim: ">>>", "<<<"
};

// The bushels-per-hour multiplier and the total counter with CLEAR.
class UnloadBushelsDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    UnloadBushelsDialog(QWidget* over, link::LinkState& state, TextFn text);
    const UnloadBushels& model() const { return model_; }
    QList<QAbstractButton*> repeat_buttons() const;

    // Shows the multiplier and the total from the status image.
    void refresh();

private:
    link::LinkState& state_;
    TextFn text_;
    UnloadBushels model_;
    FittedLines* total_;
    FittedLines* multiplier_;
    QPushButton* increase_;
    QPushButton* decrease_;
};

// The metering rolls' minimum and maximum output, sent at each press while
// the controller drives the rolls at the value being adjusted. However the
// dialog closes, the rolls go back to normal control.
class MeterRollVoltageDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    MeterRollVoltageDialog(QWidget* over, link::LinkState& state, TextFn text);
    const MeterRollVoltage& model() const { return model_; }

private:
    void show_limits();

    link::LinkState& state_;
    MeterRollVoltage model_;
    std::array<FittedLines*, 2> values_{};  // minimum, maximum
};

// The dialogs' rows of the dialog registry.
extern const kit::DialogRow moisture_calibration_dialog;
extern const kit::DialogRow unload_bushels_dialog;
extern const kit::DialogRow meter_roll_voltage_dialog;

}  // namespace dryer::setup
