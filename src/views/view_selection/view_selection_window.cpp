#include "views/view_selection/view_selection_window.h"

#include <QProcess>
#include <filesystem>

#include "kit/local_text.h"
#include "kit/message_box.h"
#include "link/link_state.h"
#include "logging/data_logs/data_logs.h"
#include "platform/panel_paths.h"
#include "views/scene/texts.h"
#include "views/view_selection/system_information_dialog.h"

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
constexpr std::size_t kChart = 0;
constexpr std::size_t kGraph = 1;
constexpr std::size_t kManuals = 2;
constexpr std::size_t kHistory = 3;
constexpr std::size_t kSystemInfo = 4;
constexpr std::size_t kSoftwareInfo = 5;
constexpr std::size_t kExit = 6;

// The desktop's file browser through xdg-open; false when it cannot be
// started or the folder is not there.
bool open_in_file_browser(const QString& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder.toStdString(), ec)) return false;
    return QProcess::startDetached(QStringLiteral("xdg-open"), {folder});
}

}  // namespace

ViewSelectionWindow::ViewSelectionWindow(kit::PanelContext& context, QWidget* parent)
    : kit::PanelWindow(parent, QStringLiteral("VIEW_SELECTION_WINDOW"), QStringLiteral("  VIEW SELECTION WINDOW - 04"),
                       true),
      context_(context),
      opener_(open_in_file_browser) {
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
    connect(buttons_[kChart], &QPushButton::clicked, this, [this] { choose(MainView::chart); });
    connect(buttons_[kGraph], &QPushButton::clicked, this, [this] { choose(MainView::graph); });
    connect(buttons_[kManuals], &QPushButton::clicked, this, &ViewSelectionWindow::open_manuals);
    connect(buttons_[kSystemInfo], &QPushButton::clicked, this, [this] {
        hide();
        open_system_information(context_, parentWidget());
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
    // The graph and the history stay disabled until the panel has them.
    buttons_[kGraph]->setEnabled(context_.shell.screen_built(kit::WindowId::graph));
    buttons_[kHistory]->setEnabled(context_.shell.has_dialog(kit::DialogId::shutdown_history));
    update();
}

void ViewSelectionWindow::choose(MainView view) {
    const ViewChoice choice = choose_main_view(context_.state, view);
    if (choice.refusal) {
        kit::show_message(this, QMessageBox::NoIcon, kit::local(kNotPermittedTitle), kit::local(*choice.refusal));
        return;
    }
    hide();
    // The rule reads the choice while it waits for the controller's echo.
    context_.state.redraw.request(link::redraw::right_hand_view_rule);
    if (context_.logs) (void)context_.logs->stored.write(logging::StoredKey::screen_view_selection, choice.stored_value);
}

void ViewSelectionWindow::open_manuals() {
    hide();
    const QString folder = QString::fromStdString(platform::map_panel_path(kManualsFolder).string());
    if (!opener_ || !opener_(folder))
        kit::show_message(parentWidget(), QMessageBox::NoIcon, kit::local(kManualsFailureTitle),
                          kit::local(kManualsFailureText));
}

void ViewSelectionWindow::showEvent(QShowEvent* e) {
    kit::PanelWindow::showEvent(e);
    refresh();
}

void open_system_information(kit::PanelContext& context, QWidget* over) {
    SystemInformationDialog dialog(context, over);
    dialog.exec();
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
