#include "views/view_selection/view_selection_window.h"

#include "views/scene/texts.h"

namespace dryer::views {

namespace {

struct ButtonPlace {
    const char* name;
    int x, y, w, h;
    int picture;
};

// The seven buttons: chart view, graph view, manuals, shutdown history,
// system information (its window name repeats the history button's), the
// hidden software-information button and EXIT.
constexpr std::array<ButtonPlace, 7> kButtons{{
    {"CHART VIEW BUTTON", 10, 10, 200, 50, 42},
    {"GRAPH VIEW BUTTON", 10, 70, 200, 50, 43},
    {"MANUALS BUTTON", 10, 130, 200, 50, 44},
    {"HISTORY BUTTON", 230, 10, 200, 50, 45},
    {"HISTORY BUTTON", 230, 70, 200, 50, 46},
    {"SOFTWARE INFO BUTTON", 230, 130, 200, 50, 47},
    {"EXIT VIEW BUTTON", 151, 190, 158, 41, 41},
}};
constexpr std::size_t kHistory = 3;
constexpr std::size_t kSoftwareInfo = 5;
constexpr std::size_t kExit = 6;

}  // namespace

ViewSelectionWindow::ViewSelectionWindow(kit::PanelContext& context, QWidget* parent)
    : kit::PanelWindow(parent, QStringLiteral("VIEW_SELECTION_WINDOW"), QStringLiteral("  VIEW SELECTION WINDOW - 04"),
                       true),
      context_(context) {
    const QPoint o = contentsRect().topLeft();
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const ButtonPlace& b = kButtons[i];
        buttons_[i] = new kit::PictureButton(QString::fromLatin1(b.name), this, b.picture);
        buttons_[i]->setGeometry(o.x() + b.x, o.y() + b.y, b.w, b.h);
    }
    buttons_[kSoftwareInfo]->hide();
    connect(buttons_[kExit], &QPushButton::clicked, this, &QWidget::hide);
    connect(buttons_[kHistory], &QPushButton::clicked, this, [this] {
        hide();
        context_.shell.open_dialog(kit::DialogId::shutdown_history, parentWidget());
    });
    connect(&context_.events, &kit::PanelEvents::language_changed, this, [this] {
        for (kit::PictureButton* b : buttons_) b->reload_picture();
        refresh();
    });
    refresh();
}

kit::PictureButton* ViewSelectionWindow::button(int picture) const {
    for (kit::PictureButton* b : buttons_)
        if (b->picture() == picture) return b;
    return nullptr;
}

void ViewSelectionWindow::refresh() {
    const std::string caption = context_.texts.text(469);
    if (!caption.empty()) set_caption(QString::fromStdString(caption));
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        // Only the history and EXIT lead anywhere yet; the others stay
        // disabled until their views and dialogs exist.
        const bool built = i == kExit || (i == kHistory && context_.shell.has_dialog(kit::DialogId::shutdown_history));
        buttons_[i]->setEnabled(built);
    }
    update();
}

void ViewSelectionWindow::showEvent(QShowEvent* e) {
    kit::PanelWindow::showEvent(e);
    refresh();
}

namespace {
QWidget* create(kit::PanelContext& c, QWidget* parent) { return new ViewSelectionWindow(c, parent); }
}  // namespace

const kit::ScreenRow view_selection_screen{kit::WindowId::view_selection,
                                           "VIEW_SELECTION_WINDOW",
                                           "  VIEW SELECTION WINDOW - 04",
                                           {100, 50, 450, 275},
                                           kit::Frame::caption_bar,
                                           false,
                                           false,
                                           0,
                                           create};

}  // namespace dryer::views
