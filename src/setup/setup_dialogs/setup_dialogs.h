// The small setup dialogs on the widget kit and the calls the setup menus
// run them with. Every dialog is modal, centres itself over the window it is
// opened for and changes settings only through its model
// (setup_dialogs_model.h).
#pragma once

#include <QStringList>
#include <QWidget>
#include <array>

#include "kit/panel_dialog.h"
#include "setup/setup_dialogs/setup_dialogs_model.h"

class QPushButton;
class QButtonGroup;

namespace dryer::setup {

// Lines of text, each shrunk to fit its share of the widget's height (with
// word wrap, so a long question keeps every word).
class FittedLines : public QWidget {
public:
    FittedLines(QWidget* parent, int pixel_size, bool wrap);
    void set_lines(const QStringList& lines);
    const QStringList& lines() const { return lines_; }
    // Lines drawn in red (by index).
    void set_red(int index) { red_ = index; update(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QStringList lines_;
    int pixel_size_;
    bool wrap_;
    int red_ = -1;
};

// A question with the buttons "Yes", "No" and "CANCEL" (texts 134, 135, 10).
class QuestionDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    enum Answer { yes = 1, no = 2, cancel = 3 };
    QuestionDialog(QWidget* over, const QString& name, const Question& q, const TextFn& text);
    QPushButton* button(Answer a) const { return buttons_[static_cast<std::size_t>(a - 1)]; }

private:
    std::array<QPushButton*, 3> buttons_{};
};

// "MODIFYING BURNER DIFFERENTIAL SETTINGS - 15".
class BurnerDifferentialDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    BurnerDifferentialDialog(QWidget* over, link::LinkState& state, TextFn text);
    const BurnerDifferential& model() const { return model_; }

private:
    void redraw();

    link::LinkState& state_;
    TextFn text_;
    BurnerDifferential model_;
    std::array<QPushButton*, 6> plenum_{};
    FittedLines* lines_;
};

// "WATCHDOG SETUP": connection type and rings before answering.
class WatchdogDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    WatchdogDialog(QWidget* over, link::LinkState& state);
    Watchdog choice() const;

private:
    link::LinkState& state_;
    QButtonGroup* type_;
    QButtonGroup* rings_;
};

// "USER SETTINGS - 20": save or restore the controller's user settings.
class UserSettingsDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    UserSettingsDialog(QWidget* over, link::LinkState& state, const TextFn& text);
};

// The calls the menus make. Each returns true when it changed something the
// panel shows (the units) or sent a setting.
bool run_units_question(QWidget* over, link::LinkState& state);
bool run_units_dialog(QWidget* over, link::LinkState& state, const TextFn& text);
bool run_mrr_question(QWidget* over, link::LinkState& state);
bool run_mrr_dialog(QWidget* over, link::LinkState& state, const TextFn& text);
bool run_burner_differential(QWidget* over, link::LinkState& state, const TextFn& text);
bool run_clear_batch_counter(QWidget* over, link::LinkState& state, const TextFn& text);
bool run_watchdog(QWidget* over, link::LinkState& state);
bool run_user_settings(QWidget* over, link::LinkState& state, const TextFn& text);

}  // namespace dryer::setup
