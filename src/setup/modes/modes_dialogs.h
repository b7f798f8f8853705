// The drying and burner mode dialogs on the widget kit: "Drying Mode
// Selection - 07", "CONTINUOUS FLOW SETUP", "STAGED BATCH SETUP - 09" and
// "Select Burner Mode - 10". Each is modal, centres itself over the window
// it is opened for and changes settings only through its model
// (modes_model.h); the widgets show what the model's view says.
#pragma once

#include <QWidget>
#include <array>

#include "kit/panel_dialog.h"
#include "kit/screen.h"
#include "setup/common/screen_text.h"
#include "setup/modes/modes_model.h"

class QPushButton;

namespace dryer::setup {

// A lit or dark indicator with its text fitted to its face.
class Lamp : public QWidget {
public:
    Lamp(QWidget* parent, const QString& name, const QString& text, QRect place);
    void set_lit(bool lit);
    bool lit() const { return lit_; }
    void set_text(const QString& text);
    const QString& text() const { return text_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString text_;
    bool lit_ = false;
};

class DryingModeDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    DryingModeDialog(kit::PanelContext& context, QWidget* over);
    void refresh();

private:
    kit::PanelContext& context_;
    TextFn text_;
    QPushButton* continuous_;
    QPushButton* staged_;
    Lamp* continuous_lamp_;
    Lamp* staged_lamp_;
};

class ContinuousFlowDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    ContinuousFlowDialog(kit::PanelContext& context, QWidget* over);
    void refresh();

private:
    kit::PanelContext& context_;
    std::array<QPushButton*, 6> scheme_{};  // TEMPERATURE, MOISTURE, 2 SPEED, 5 SPEED, VARIABLE, 5 SPEED
    QPushButton* auto_centering_;
    Lamp* auto_centering_lamp_;
    QPushButton* five_speed_setup_;
    Lamp* upper_sensor_lamp_;
    QPushButton* max_grain_;
    Lamp* max_grain_field_;
    QPushButton* safety_;
};

class StagedBatchDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    StagedBatchDialog(kit::PanelContext& context, QWidget* over);
    void refresh();

private:
    void accept_pressed();

    kit::PanelContext& context_;
    std::array<QPushButton*, 3> criteria_{};  // TIME, TEMPERATURE, MOISTURE
    std::array<QPushButton*, 2> plenum_{};    // SINGLE, DUAL *
    std::array<QPushButton*, 3> split_{};     // FULL, 1/3 - 2/3, 1/2 - 1/2
    std::array<Lamp*, 3> split_lamp_{};
    QPushButton* max_time_;
    Lamp* max_time_field_;
    QPushButton* max_grain_;
    Lamp* max_grain_field_;
    QPushButton* safety_;
};

class BurnerModeDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    BurnerModeDialog(kit::PanelContext& context, QWidget* over);
    void refresh();
    const BurnerModes& model() const { return model_; }

private:
    kit::PanelContext& context_;
    BurnerModes model_;
    // [fan/heater - 1][HI / LO, ON / OFF, AUTO]
    std::array<std::array<QPushButton*, 3>, 6> choice_{};
};

// run_mc_setup() opens the continuous-flow setup for mode 0, else the
// staged-batch setup, and returns true when it was accepted.
bool run_mc_setup(kit::PanelContext& context, QWidget* over, DryingMode mode);

// The dialogs' rows of the dialog registry. The moisture control setup
// opened from a menu follows the drying mode the controller reports.
extern const kit::DialogRow drying_mode_dialog;
extern const kit::DialogRow mc_setup_dialog;
extern const kit::DialogRow burner_mode_dialog;

}  // namespace dryer::setup
