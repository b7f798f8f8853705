// A child window of the main window: black, with an optional caption bar
// drawn in the panel's style. Screens of the panel derive from it and draw
// below the caption bar (contentsRect()).
#pragma once

#include <QWidget>

#include "views/scene/scene_painter.h"

namespace dryer::shell {

class PanelWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCaptionHeight = views::kCaptionBarHeight;

    PanelWindow(const QString& class_name, const QString& caption, bool caption_bar, QWidget* parent = nullptr);
    QString caption() const { return caption_; }
    void set_caption(const QString& caption);
    bool has_caption_bar() const { return caption_bar_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    bool caption_bar_;
};

}  // namespace dryer::shell
