#include "logging/history_screen/history_screen.h"

#include <QHeaderView>
#include "kit/fit_text.h"
#include "kit/local_text.h"
#include "kit/message_box.h"
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <utility>

namespace dryer::history {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

struct SortSlot {
    const char* button_name;
    const char* indicator_name;
    HistoryControl button;
    HistoryControl indicator;
    int x;
};
// Indexed by SortOrder: by warning, by node, by date and time.
constexpr SortSlot kSortSlots[3] = {
    {"SORT BY WARNING", "Sorted by warning.", HistoryControl::sort_by_warning, HistoryControl::sorted_by_warning, 10},
    {"SORT BY    NODE ID", "Sorted by node id.", HistoryControl::sort_by_node, HistoryControl::sorted_by_node, 420},
    {"SORT BY DATE/TIME", "Sorted by date/time.", HistoryControl::sort_by_date_time,
     HistoryControl::sorted_by_date_time, 215},
};

constexpr int kScreenWidth = 630;
constexpr int kScreenHeight = 430;

}  // namespace

HistoryScreen::HistoryScreen(ShutdownStore& store, Hooks hooks, QWidget* parent)
    : kit::PanelDialog(parent, QStringLiteral("Shutdown History -29")), model_(store, hooks.text, hooks.warning_text), hooks_(std::move(hooks)) {
    if (hooks_.exit_hold) model_.use_hold_counter(*hooks_.exit_hold);
    if (hooks_.events) {
        connect(hooks_.events, &kit::PanelEvents::language_changed, this, [this] {
            model_.language_changed();
            refresh();
        });
    }
    build();
    place_below_caption(kScreenWidth, kScreenHeight);
    model_.open();
    refresh();
}

void HistoryScreen::build() {
    list_ = new QTreeWidget(this);
    list_->setObjectName("SHUTDOWN_LIST");
    list_->setGeometry(10, 10, 610, 250);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setColumnCount(static_cast<int>(kHistoryColumns.size()));
    list_->header()->setStretchLastSection(false);
    for (int i = 0; i < static_cast<int>(kHistoryColumns.size()); ++i)
        list_->setColumnWidth(i, kHistoryColumns[static_cast<std::size_t>(i)].width);

    // Sort buttons left to right: warning, date/time, node id, each with its
    // indicator below it. Arrays are indexed by SortOrder.
    for (int i = 0; i < 3; ++i) {
        const SortSlot& slot = kSortSlots[i];
        auto* b = new QPushButton(this);
        b->setObjectName(slot.button_name);
        b->setGeometry(slot.x, 270, 200, 40);
        connect(b, &QPushButton::clicked, this, [this, i] { sort(static_cast<SortOrder>(i)); });
        sort_buttons_[i] = b;
        auto* r = new QRadioButton(this);
        r->setObjectName(slot.indicator_name);
        r->setAutoExclusive(false);
        r->setAttribute(Qt::WA_TransparentForMouseEvents);
        r->setFocusPolicy(Qt::NoFocus);
        r->setGeometry(slot.x, 315, 200, 20);
        indicators_[i] = r;
    }
    help_ = new QPushButton(this);
    help_->setObjectName("Show Help File");
    help_->setGeometry(10, 350, 140, 60);
    connect(help_, &QPushButton::clicked, this, &HistoryScreen::show_help);
    copy_ = new QPushButton(this);
    copy_->setObjectName("COPY TO USB FLASH CARD AS \"DryerShutdownHistory.txt\"");
    copy_->setGeometry(160, 350, 310, 60);
    connect(copy_, &QPushButton::clicked, this, &HistoryScreen::copy_to_usb);
    exit_ = new QPushButton(this);
    exit_->setObjectName("EXIT");
    exit_->setGeometry(480, 350, 140, 60);
    connect(exit_, &QPushButton::clicked, this, &HistoryScreen::exit_pressed);
}

// Texts and list from the model; captions are fetched again each time, so a
// language change shows at the next refresh.
void HistoryScreen::refresh() {
    setWindowTitle(qs(model_.caption()));
    QStringList titles;
    for (const ListColumn& c : kHistoryColumns) titles << kit::local(c.title);
    list_->setHeaderLabels(titles);
    for (int i = 0; i < 3; ++i) {
        sort_buttons_[i]->setText(qs(model_.text_of(kSortSlots[i].button)));
        indicators_[i]->setText(qs(model_.text_of(kSortSlots[i].indicator)));
        indicators_[i]->setChecked(model_.indicator_on(static_cast<SortOrder>(i)));
    }
    help_->setText(qs(model_.text_of(HistoryControl::show_help)));
    copy_->setText(qs(model_.text_of(HistoryControl::copy_to_usb)));
    exit_->setText(qs(model_.text_of(HistoryControl::exit)));
    for (QPushButton* b : {sort_buttons_[0], sort_buttons_[1], sort_buttons_[2], help_, copy_, exit_})
        kit::fit_button_text(*b);

    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (const HistoryRow& r : model_.rows())
        items << new QTreeWidgetItem(QStringList{qs(r.warning), qs(r.node), qs(r.date), qs(r.time)});
    list_->addTopLevelItems(items);
}

void HistoryScreen::sort(SortOrder order) {
    model_.sort(order);
    refresh();
}

void HistoryScreen::show_help() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    const int row = selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.first());
    const std::optional<HelpSelectors> sel = model_.selectors_of_row(row);
    if (!sel) {
        ask(model_.no_selection_box());
        return;
    }
    if (hooks_.set_opened_from_history) hooks_.set_opened_from_history(true);
    if (hooks_.open_help) hooks_.open_help(*sel);
}

void HistoryScreen::copy_to_usb() {
    const std::optional<ExportResult> r =
        model_.copy_to_usb(hooks_.usb_folder.empty() ? usb_drive_folder() : hooks_.usb_folder,
                           [this](const HistoryMessage& s) { return ask(s); },
                           hooks_.export_code_page ? hooks_.export_code_page() : CodePage::windows_1252);
    if (r && r->kind == ExportResult::Kind::message) {
        kit::show_message(this, QMessageBox::NoIcon, QString(), qs(r->message));
    }
}

void HistoryScreen::exit_pressed() {
    if (model_.exit_released() == ExitAction::offer_clear) {
        clear_history();
        return;
    }
    if (hooks_.set_opened_from_history) hooks_.set_opened_from_history(false);
    accept();
}

void HistoryScreen::clear_history() {
    if (ask(model_.confirm_clear_box()) != Answer::yes) return;
    model_.clear_confirmed();
    refresh();
}

void HistoryScreen::housekeeping_tick() {
    if (isVisible()) model_.second_tick(exit_->isDown());
}

bool HistoryScreen::exit_down() const { return exit_->isDown(); }

// A question box with the message's buttons in order: with three buttons Yes,
// No, Cancel; with two OK, Cancel.
Answer HistoryScreen::ask(const HistoryMessage& message) {
    kit::MessageBox box(QMessageBox::Question, qs(message.caption), qs(message.text), QMessageBox::NoButton, this);
    const bool three = message.buttons.size() == 3;
    const Answer answers[3] = {three ? Answer::yes : Answer::ok, three ? Answer::no : Answer::cancel, Answer::cancel};
    const QMessageBox::ButtonRole roles[3] = {QMessageBox::YesRole, three ? QMessageBox::NoRole : QMessageBox::RejectRole,
                                              QMessageBox::RejectRole};
    QAbstractButton* buttons[3] = {};
    for (std::size_t i = 0; i < message.buttons.size() && i < 3; ++i) {
        buttons[i] = box.addButton(qs(message.buttons[i]), roles[i]);
        buttons[i]->setObjectName(qs(message.buttons[i]));
    }
    box.exec();
    for (int i = 0; i < 3; ++i)
        if (buttons[i] && box.clickedButton() == buttons[i]) return answers[i];
    return Answer::cancel;
}

}  // namespace dryer::history
