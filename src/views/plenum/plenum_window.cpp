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

const kit::ScreenRow plenum_screen{kit::WindowId::custom_view,
                                   "CUSTOM_VIEW_WINDOW",
                                   "  PLENUM(S)",
                                   {240, 245, 400, 175},
                                   kit::Frame::caption_bar,
                                   false,
                                   false,
                                   link::redraw::plenum_view | (0x3Full * link::redraw::plenum_box_first),
                                   create_scene_window<PlenumWindow>};

}  // namespace dryer::views
