#include "setup/setup_selection/setup_selection_window.h"

#include "l10n/qt/language_dialog.h"
#include "link/link_state.h"
#include "setup/setup_dialogs/setup_dialogs.h"
#include "views/scene/texts.h"

namespace dryer::setup {

namespace {

// The buttons that open a dialog or screen built elsewhere, by its id.
constexpr std::pair<SetupAction, kit::DialogId> kOpenedById[]{
    {SetupAction::set_time, kit::DialogId::set_time},
    {SetupAction::logger_setup, kit::DialogId::logger_setup},
    {SetupAction::drying_mode, kit::DialogId::drying_mode},
    {SetupAction::burner_mode, kit::DialogId::burner_mode},
    {SetupAction::mc_setup, kit::DialogId::mc_setup},
    {SetupAction::unload_parameters, kit::DialogId::unload_parameters},
    {SetupAction::temp_manager, kit::DialogId::temp_manager},
    {SetupAction::dryer_hardware, kit::DialogId::dryer_hardware},
    {SetupAction::moisture_calibration, kit::DialogId::moisture_calibration},
    {SetupAction::unload_bushels, kit::DialogId::unload_bushels},
    {SetupAction::diagnostics, kit::DialogId::diagnostics},
    {SetupAction::auto_start, kit::DialogId::auto_start_setup},
};

}  // namespace

namespace {
constexpr int kTop = kit::kCaptionBarHeight;
constexpr int kButtonW = 200;  // the menu pictures' own size
constexpr int kButtonH = 50;
constexpr int kColumns = 3;
constexpr int kExitW = 158;  // the exit picture's own size
constexpr int kExitH = 41;
constexpr int kExitTop = 475 - 51;
constexpr int kExitPicture = 41;

// Every window's redraw bit: a change of units or language shows everywhere.
constexpr std::uint64_t kEveryWindow = (1ull << 28) - 1;

const char* fixed_caption(SetupMenu menu) {
    return menu == SetupMenu::hardware ? " SELECT HARDWARE SETUP PARAMETER TO MODIFY - 03"
                                       : " SELECT SETUP PARAMETER TO MODIFY - 06";
}
const char* class_of(SetupMenu menu) {
    return menu == SetupMenu::hardware ? "SETUP_SELECTION_WINDOW" : "EXTENDED_SETUP_SELECTION_WINDOW_NEW";
}
}  // namespace

QRect SetupMenuWindow::grid_place(std::size_t i, std::size_t n) {
    const int rows = static_cast<int>((n + kColumns - 1) / kColumns);
    const int gap = (kExitTop - kTop - rows * kButtonH) / (rows + 1);
    const int row = static_cast<int>(i) / kColumns;
    const int column = static_cast<int>(i) % kColumns;
    return {10 + column * (kButtonW + 10), kTop + gap + row * (kButtonH + gap), kButtonW, kButtonH};
}

SetupMenuWindow::SetupMenuWindow(kit::PanelContext& context, SetupMenu menu, QWidget* parent)
    : kit::PanelWindow(parent, QString::fromUtf8(class_of(menu)), QString::fromUtf8(fixed_caption(menu)), true,
                       kit::Look::setup),
      context_(context),
      menu_(menu),
      text_([&texts = context.texts](unsigned n) { return texts.text(n); }),
      exit_(new kit::PictureButton(QStringLiteral("EXIT"), this, kExitPicture)) {
    resize(640, 475);
    const auto table = setup_buttons(menu);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const SetupButton& row = table[i];
        auto* b = new kit::PictureButton(QString::fromUtf8(row.name), this, row.picture);
        b->setGeometry(grid_place(i, table.size()));
        const SetupAction action = row.action;
        connect(b, &QPushButton::clicked, this, [this, action] { run(action); });
        buttons_.push_back(b);
    }
    exit_->setGeometry((640 - kExitW) / 2, kExitTop, kExitW, kExitH);
    connect(exit_, &QPushButton::clicked, this, [this] {
        hide();
        emit exit_pressed();
    });
    connect(&context_.events, &kit::PanelEvents::language_changed, this, [this] {
        for (kit::PictureButton* b : buttons_) b->reload_picture();
        exit_->reload_picture();
        refresh();
    });
    refresh();
}

kit::PictureButton* SetupMenuWindow::button(const QString& name) const {
    for (kit::PictureButton* b : buttons_)
        if (b->objectName() == name) return b;
    return nullptr;
}

void SetupMenuWindow::refresh() {
    if (menu_ == SetupMenu::hardware) {
        set_caption(caption_text(text_, setup_caption::hardware_title, fixed_caption(menu_)));
    } else {
        // The extended menu keeps its screen number after the localized words.
        const std::string words = text_(setup_caption::extended_title);
        set_caption(words.empty() ? QString::fromUtf8(fixed_caption(menu_))
                                  : QStringLiteral(" %1 - 06").arg(QString::fromStdString(words)));
    }
    BuiltDialogs built;
    for (const auto& [action, id] : kOpenedById)
        if (context_.shell.has_dialog(id)) built.set(action);
    const auto table = setup_buttons(menu_);
    for (std::size_t i = 0; i < buttons_.size() && i < table.size(); ++i)
        if (table[i].picture == 0) buttons_[i]->setText(QString::fromStdString(text_(table[i].caption)));
    const auto view = setup_menu_view(menu_, setup_buttons_shown(context_.state.status), context_.state.status, built);
    for (std::size_t i = 0; i < buttons_.size() && i < view.size(); ++i) {
        buttons_[i]->setVisible(view[i].shown);
        buttons_[i]->setEnabled(view[i].enabled);
    }
    update();
}

void SetupMenuWindow::showEvent(QShowEvent* e) {
    kit::PanelWindow::showEvent(e);
    refresh();
}

void SetupMenuWindow::run(SetupAction action) {
    link::LinkState& state = context_.state;
    bool everywhere = false;  // the change shows on every window
    switch (action) {
        case SetupAction::units_question: everywhere = run_units_question(this, state); break;
        case SetupAction::units_dialog: everywhere = run_units_dialog(this, state, text_); break;
        case SetupAction::mrr_question: run_mrr_question(this, state); break;
        case SetupAction::mrr_dialog: run_mrr_dialog(this, state, text_); break;
        case SetupAction::burner_differential: run_burner_differential(this, state, text_); break;
        case SetupAction::clear_batch_counter: run_clear_batch_counter(this, state, text_); break;
        case SetupAction::watchdog: run_watchdog(this, state); break;
        case SetupAction::user_settings: run_user_settings(this, state, text_); break;
        case SetupAction::select_language: {
            l10n::qt::LanguageDialog dialog(this);
            dialog.exec();
            // Pictures and texts of every window follow the new language.
            emit context_.events.language_changed();
            everywhere = true;
            break;
        }
        case SetupAction::extended_setup:
            hide();
            emit extended_pressed();
            return;
        default:
            for (const auto& [a, id] : kOpenedById)
                if (a == action) context_.shell.open_dialog(id, this);
            break;
    }
    if (everywhere) state.redraw.request(kEveryWindow);
    refresh();
}

namespace {

void refresh_each_second(kit::PanelContext& c, SetupMenuWindow* w) {
    QObject::connect(&c.events, &kit::PanelEvents::second_tick, w, [w] {
        if (w->isVisible()) w->refresh();
    });
}

void show_window(kit::PanelShell& shell, kit::WindowId id) {
    if (QWidget* w = shell.window(id)) {
        w->show();
        w->raise();
    }
}

QWidget* create_hardware(kit::PanelContext& c, QWidget* parent) {
    auto* w = new SetupMenuWindow(c, SetupMenu::hardware, parent);
    kit::PanelShell* shell = &c.shell;
    link::LinkState* state = &c.state;
    QObject::connect(w, &SetupMenuWindow::exit_pressed, w, [shell, state] {
        leave_setup_menu(*state);
        shell->restore_main_screen();
    });
    QObject::connect(w, &SetupMenuWindow::extended_pressed, w,
                     [shell] { show_window(*shell, kit::WindowId::extended_setup_selection); });
    refresh_each_second(c, w);
    return w;
}

QWidget* create_extended(kit::PanelContext& c, QWidget* parent) {
    auto* w = new SetupMenuWindow(c, SetupMenu::extended, parent);
    kit::PanelShell* shell = &c.shell;
    QObject::connect(w, &SetupMenuWindow::exit_pressed, w,
                     [shell] { show_window(*shell, kit::WindowId::setup_selection); });
    refresh_each_second(c, w);
    return w;
}

}  // namespace

const kit::ScreenRow setup_selection_screen{kit::WindowId::setup_selection,
                                            "SETUP_SELECTION_WINDOW",
                                            " SELECT HARDWARE SETUP PARAMETER TO MODIFY - 03",
                                            {0, 0, 640, 475},
                                            kit::Frame::caption_bar,
                                            true,
                                            false,
                                            link::redraw::setup_selection,
                                            create_hardware};

const kit::ScreenRow extended_setup_selection_screen{kit::WindowId::extended_setup_selection,
                                                     "EXTENDED_SETUP_SELECTION_WINDOW_NEW",
                                                     " SELECT SETUP PARAMETER TO MODIFY - 06",
                                                     {0, 0, 640, 475},
                                                     kit::Frame::caption_bar,
                                                     true,
                                                     false,
                                                     0,
                                                     create_extended};

}  // namespace dryer::setup
