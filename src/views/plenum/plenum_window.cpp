#include "views/plenum/plenum_window.h"

#include "views/plenum/plenum_model.h"

namespace dryer::views {

PlenumWindow::PlenumWindow(QWidget* parent, link::LinkState& state, const Texts& texts)
    : SceneWindow(parent, state, texts, "CUSTOM_VIEW_WINDOW") {
    setWindowTitle(QStringLiteral("  PLENUM(S)"));
    resize(kPlenumWidth, kPlenumHeight);
    set_caption_bar(true);
}

Scene PlenumWindow::build_scene() {
    const QString title = QString::fromStdString(texts_.text(328));
    if (!title.isEmpty() && title != windowTitle()) setWindowTitle(title);
    return plenum_scene(state_.status, celsius(), texts_);
}

}  // namespace dryer::views
