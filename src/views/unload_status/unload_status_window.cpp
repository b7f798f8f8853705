#include "views/unload_status/unload_status_window.h"

#include <QPushButton>

#include "kit/local_text.h"
#include "views/unload_status/unload_status_model.h"

namespace dryer::views {
namespace {

constexpr const char* kCaption = l10n::english(" UNLOAD STATUS");

// An owner-drawn button: a see-through push button over the part of the
// drawing that shows its face.
QPushButton* overlay(QWidget* parent, const char* name, Rect r) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFlat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    const QPoint o = parent->contentsRect().topLeft();
    b->setGeometry(o.x() + r.left, o.y() + r.top, r.right - r.left, r.bottom - r.top);
    return b;
}

}  // namespace

UnloadStatusWindow::UnloadStatusWindow(QWidget* parent, kit::PanelContext& context)
    : SceneWindow(parent, context.state, context.texts, "UNLOAD_STATUS_WINDOW"), context_(context) {
    set_caption(kit::local(kCaption));
    resize(kUnloadStatusWidth, kUnloadStatusHeight);
    set_caption_bar(true);
    // The rate and totals button shows; pressing it leads nowhere.
    overlay(this, "UNLOAD_STATUS_SELECT_BUTTON", kUnloadButton)->setEnabled(false);
    speed_ = overlay(this, "UNLOAD_MR_SPEED_SELECT_BUTTON", kSpeedButton);
    connect(speed_, &QPushButton::clicked, this,
            [this] { context_.shell.open_dialog(kit::DialogId::meter_roll_speed, window()); });
}

Scene UnloadStatusWindow::build_scene() { return unload_status_scene(state_.status, texts_); }

// The speed dialog is offered once the panel has it; the registry is
// complete before the main screen first shows this window.
void UnloadStatusWindow::showEvent(QShowEvent* e) {
    speed_->setEnabled(context_.shell.has_dialog(kit::DialogId::meter_roll_speed));
    SceneWindow::showEvent(e);
}

namespace {

QWidget* create(kit::PanelContext& context, QWidget* parent) {
    auto* w = new UnloadStatusWindow(parent, context);
    w->listen(context.events);
    QObject::connect(&context.events, &kit::PanelEvents::language_changed, w, [w] {
        w->set_caption(kit::local(kCaption));
        w->update();
    });
    return w;
}

}  // namespace

// Redrawn when the speeds, the speed in use, the rate, the counter or the
// large figure change.
const kit::ScreenRow unload_status_screen{kit::WindowId::unload_status,
                                          "UNLOAD_STATUS_WINDOW",
                                          kCaption,
                                          {0, 245, 240, 175},
                                          kit::Frame::caption_bar,
                                          false,
                                          false,
                                          link::redraw::unload_status,
                                          create};

}  // namespace dryer::views
