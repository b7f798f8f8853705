// WARNING_WINDOW: raised over the main screen while the controller reports a
// shutdown or warning, or while the link is lost; and its help dialog
// "Shutdown Help File - 34".
#pragma once

#include "kit/panel_dialog.h"
#include <QPointer>

#include "kit/screen.h"
#include "views/scene/scene_window.h"
#include "views/warning/warning_model.h"

class QListWidget;
class QPushButton;

namespace dryer::views {

class WarningHelpDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    // The dialog shows the condition (node_id, warning_id) it was opened for;
    // the lost link is kLinkLostHelpNode, kLinkLostHelpWarning.
    WarningHelpDialog(QWidget* parent, link::LinkState& state, const Texts& texts, int node_id, int warning_id);

    // Set by the shutdown history screen when it opens the dialog: the
    // display tick then leaves it open when the condition clears.
    void set_owned_by_history(bool owned) { owned_by_history_ = owned; }
    bool owned_by_history() const { return owned_by_history_; }

    // animation_tick() is the display timer's share while the live status is
    // node 14 warning 5: advance the rear-discharge frame and redraw its area.
    void animation_tick();
    int frame() const { return frame_; }
    bool picture_failed() const { return picture_failed_; }
    QListWidget* list() const { return list_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void load_text_once();
    void ask_retry();

    link::LinkState& state_;
    const Texts& texts_;
    int node_, warning_;
    int frame_ = 0;
    bool picture_failed_ = false;
    bool retried_ = false;  // Retry was chosen once since the dialog opened
    bool text_loaded_ = false;
    bool asking_ = false;
    bool owned_by_history_ = false;
    QListWidget* list_;
    QPushButton* close_;
};

class WarningWindow : public SceneWindow {
    Q_OBJECT
public:
    WarningWindow(QWidget* parent, link::LinkState& state, const Texts& texts);

    WarningHelpDialog* help_dialog() const { return help_; }
    int marker() const { return marker_.position(); }

public slots:
    // help_animation_tick() is the display timer's duty while the live status
    // is node 14 warning 5: the open help dialog's animation takes a step.
    void help_animation_tick();
    // close_help() closes the help dialog when the condition has cleared,
    // unless the shutdown history opened it (the operator reads it there).
    void close_help();
    // marker_tick() is the duty of every third display tick: let the link-lost
    // marker take a step at the next repaint and redraw its area.
    void marker_tick();
    // refresh_caption() sets the caption for what the window shows now and
    // redraws the caption bar when it changed.
    void refresh_caption();
    // open_help() opens the help dialog for what the window shows: the
    // lost link while the link is down, else the reported condition (modal).
    void open_help();
    // Puts the help picture of the current language on the help button.
    void show_help_face();
    // open_help_for() opens the help dialog for the given condition over
    // `over` and return when it is closed; the shutdown history opens it so,
    // marked as its own, and the display tick then leaves it open.
    void open_help_for(QWidget* over, int node_id, int warning_id, bool owned_by_history);

protected:
    Scene build_scene() override;

private:
    LinkLostMarker marker_;
    bool marker_step_ = false;
    QPointer<WarningHelpDialog> help_;
    QPushButton* help_button_;
};

// WARNING_WINDOW's row of the screen registry.
extern const kit::ScreenRow warning_screen;

}  // namespace dryer::views
