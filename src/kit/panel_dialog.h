// The frame of every modal dialog of the panel. The panel runs full screen
// without a window manager, so nobody else draws a title: the dialog is
// frameless and draws its own raised frame and caption bar (its window
// title); its layout and children sit below the bar. It centres itself over
// the window it is opened for, clamped to the screen's top left corner.
#pragma once

#include <QDialog>

#include "kit/panel_style.h"

namespace dryer::kit {

class PanelDialog : public QDialog {
    Q_OBJECT
public:
    // `over` is the window the dialog opens over and its parent's window;
    // `caption` its title, also its objectName unless set otherwise.
    PanelDialog(QWidget* over, const QString& caption, Look look = Look::setup);

    // Sets a fixed size of the area below the caption bar.
    void set_client_size(int width, int height);
    // For a dialog that places its children by coordinates: sets the client
    // size and moves every child placed so far below the caption bar.
    void place_below_caption(int width, int height);
    // Changes the caption (the window title) and redraws the bar.
    void set_caption(const QString& caption);
    QWidget* over() const { return over_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* over_;
    Look look_;
};

// Moves `dialog` so that it is centred over `over` (its window when `over` is
// null), with negative coordinates clamped to 0.
void centre_over(QWidget& dialog, const QWidget* over);

}  // namespace dryer::kit
