// " SYSTEM INFORMATION / SOFTWARE VERSION - 32": the program version, the
// time and date, the memory of the panel computer, and below them the link's
// statistics since the program started, for the service technician. A modal
// dialog with EXIT; the one-second housekeeping redraws it while it is open.
#pragma once

#include <QPushButton>

#include "kit/panel_dialog.h"
#include "kit/screen.h"

namespace dryer::views {

class SystemInformationDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    SystemInformationDialog(kit::PanelContext& context, QWidget* over);

    // The lines shown now: the six of the dialog, then the link statistics.
    QStringList lines() const;
    // Redraws EXIT and the lines (the clock line moves on).
    void redraw_exit();
    QPushButton* exit_button() const { return exit_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    std::string text(unsigned n, const char* fallback) const;

    kit::PanelContext& context_;
    QPushButton* exit_ = nullptr;
};

}  // namespace dryer::views
