// "DRYER HARDWARE SETUP - 05" and "Moisture Sensor Selection" on the widget
// kit. Both paint what their models (hardware_model.h,
// sensor_selection_model.h) return and change settings only through them.
#pragma once

#include <QStringList>
#include <QWidget>
#include <array>

#include "kit/panel_dialog.h"
#include "kit/screen.h"
#include "setup/hardware/hardware_model.h"
#include "setup/hardware/sensor_selection_model.h"

class QPushButton;

namespace dryer::setup {

// A framed group of radio indicators under a caption: a dot marks the
// checked choice; the choices fill `columns` columns top to bottom. Every
// text is fitted to its place. The group draws only; its buttons are
// children placed by the dialog below the choices.
class ChoiceGroup : public QWidget {
public:
    ChoiceGroup(QWidget* parent, const QString& name, QRect place, int columns, int choices_height);
    void set(const QString& caption, const QStringList& choices, int checked);
    int checked() const { return checked_; }
    const QStringList& choices() const { return choices_; }
    // Returns the rectangle under the choices where the group's buttons go.
    QRect button_room() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString caption_;
    QStringList choices_;
    int checked_ = -1;
    int columns_;
    int choices_height_;
};

class DryerHardwareDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    DryerHardwareDialog(kit::PanelContext& context, QWidget* over);
    const DryerHardware& model() const { return model_; }
    ChoiceGroup* group(HardwareGroup g) const { return groups_[static_cast<std::size_t>(g)]; }

    // Shows the working values and the family the controller reports.
    void redraw();

private:
    void sampler_pressed();

    kit::PanelContext& context_;
    TextFn text_;
    DryerHardware model_;
    std::array<ChoiceGroup*, kHardwareGroupCount> groups_{};
    QPushButton* inverter_ = nullptr;
    QPushButton* sampler_ = nullptr;
};

class SensorSelectionDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    SensorSelectionDialog(link::LinkState& state, QWidget* over);
    const SensorSelection& model() const { return model_; }
    ChoiceGroup* group(SensorPlace p) const { return groups_[static_cast<std::size_t>(p)]; }
    void redraw();

private:
    SensorSelection model_;
    std::array<ChoiceGroup*, 2> groups_{};
};

// The dialogs' rows of the dialog registry.
extern const kit::DialogRow dryer_hardware_dialog;
extern const kit::DialogRow sensor_selection_dialog;

}  // namespace dryer::setup
