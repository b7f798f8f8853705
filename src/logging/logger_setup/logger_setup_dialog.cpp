#include "logging/logger_setup/logger_setup_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <system_error>

#include "kit/fit_text.h"
#include "kit/message_box.h"
#include "link/link_state.h"
#include "logging/data_logs/data_logs.h"
#include "logging/journal/settings_journal.h"
#include "views/scene/texts.h"

namespace dryer::logging {
namespace {

constexpr int kWidth = 410;
constexpr int kHeight = 270;

QString qs(const std::string& s) { return QString::fromStdString(s); }

QMessageBox::Icon icon_of(BoxIcon i) {
    switch (i) {
    case BoxIcon::stop: return QMessageBox::Critical;
    case BoxIcon::information: return QMessageBox::Information;
    case BoxIcon::question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttons_of(BoxButtons b) {
    switch (b) {
    case BoxButtons::ok: return QMessageBox::Ok;
    case BoxButtons::retry_cancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case BoxButtons::yes_no_cancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case BoxButtons::yes_no: return QMessageBox::Yes | QMessageBox::No;
    }
    return QMessageBox::Ok;
}

Answer answer_of(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Ok: return Answer::ok;
    case QMessageBox::Retry: return Answer::retry;
    case QMessageBox::Yes: return Answer::yes;
    case QMessageBox::No: return Answer::no;
    default: return Answer::cancel;
    }
}

// ON and OFF are their own indicators: checkable buttons whose whole face a
// finger presses, lit green while checked.
QPushButton* indicator(QWidget* parent, const char* name, QRect at) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setCheckable(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFont(kit::panel_font(18, 700));
    b->setStyleSheet(QStringLiteral("QPushButton:checked { background-color: rgb(0, 160, 0); color: white; }"));
    b->setGeometry(at);
    return b;
}

QPushButton* button(QWidget* parent, const char* name, QRect at) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setFont(kit::panel_font(16, 700));
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(at);
    return b;
}

}  // namespace

LoggerSetupDialog::LoggerSetupDialog(link::LinkState& state, LongTermLog& log, LoggerTextFn text, Options options,
                                     QWidget* over)
    : kit::PanelDialog(over, QStringLiteral("DAY DATA LOGGER SETUP - 19")),
      state_(state),
      log_(log),
      text_(std::move(text)),
      options_(std::move(options)) {
    on_ = indicator(this, "ON", {20, 10, 170, 40});
    off_ = indicator(this, "OFF", {20, 55, 170, 40});
    used_title_ = new QLabel(this);
    used_title_->setObjectName(QStringLiteral("Used Space:"));
    used_title_->setGeometry(200, 10, 120, 40);
    used_title_->setFont(kit::panel_font(16));
    used_ = new QLabel(this);
    used_->setObjectName(QStringLiteral("USED_SPACE"));
    used_->setGeometry(320, 10, 80, 40);
    used_->setFont(kit::panel_font(16, 700));
    delete_ = button(this, "DELETE DATA LOG FILE", {20, 105, 370, 45});
    send_ = button(this, "SEND DATA LOG FILES TO USB FLASH CARD", {20, 160, 370, 45});
    exit_ = button(this, "EXIT", {135, 215, 140, 45});
    place_below_caption(kWidth, kHeight);

    connect(on_, &QPushButton::clicked, this, [this] { set_logging(true); });
    connect(off_, &QPushButton::clicked, this, [this] { set_logging(false); });
    connect(delete_, &QPushButton::clicked, this, &LoggerSetupDialog::delete_log);
    connect(send_, &QPushButton::clicked, this, &LoggerSetupDialog::send_to_usb);
    connect(exit_, &QPushButton::clicked, this, &QDialog::accept);

    begin_logger_setup(state_);
    refresh();
}

void LoggerSetupDialog::refresh() {
    std::error_code ec;
    const bool exists = std::filesystem::exists(log_.file(), ec);
    const LoggerSetupView v = logger_setup_view(state_.status, log_.fill_level(), exists, text_);
    set_caption(qs(v.caption));
    on_->setText(qs(v.on));
    off_->setText(qs(v.off));
    on_->setChecked(v.on_checked);
    off_->setChecked(!v.on_checked);
    used_title_->setText(qs(v.used_space_title));
    used_->setText(qs(v.used_space));
    delete_->setText(qs(v.delete_file));
    send_->setText(qs(v.send_to_usb));
    exit_->setText(qs(v.exit));
    for (QPushButton* b : {on_, off_, delete_, send_, exit_}) kit::fit_button_text(*b);
}

// The indicators show the press at once; the next redraw shows the echo.
void LoggerSetupDialog::set_logging(bool on) {
    on_->setChecked(on);
    off_->setChecked(!on);
    commit_logging(state_, on);
}

void LoggerSetupDialog::delete_log() {
    if (ask(delete_question()) != Answer::yes) return;
    log_.remove_file();
    refresh();
}

void LoggerSetupDialog::send_to_usb() {
    UsbCopyPorts ports;
    ports.stick_present = [this] { return platform::usb_target_present(options_.usb); };
    ports.ask = [this](const LoggerBox& box) { return ask(box); };
    ports.now = options_.now;
    ports.copy_log = [this](const std::string& name) {
        return platform::copy_file_to_usb(log_.file(), name, options_.usb).ok();
    };
    ports.copy_journal = [this](const std::string& name) {
        if (!options_.journal) return false;
        const std::optional<std::string> csv = journal_csv(*options_.journal);
        return csv && platform::write_bytes_to_usb(*csv, name, options_.usb).ok();
    };
    ports.delete_log = [this] { log_.remove_file(); };
    last_copy_ = run_usb_copy(ports);
    refresh();
}

Answer LoggerSetupDialog::ask(const LoggerBox& box) {
    return answer_of(kit::show_message(this, icon_of(box.icon), qs(box.title), qs(box.text), buttons_of(box.buttons)));
}

namespace {

// Runs the dialog modally over `over`, redrawn every second and on the
// decoder's setup redraws so that the controller's echo shows.
void open(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    if (!c.logs || open) return;
    open = true;
    LoggerSetupDialog::Options options;
    // The journal the settings-edit path writes to is the one copied.
    options.journal = dynamic_cast<journal::SettingsJournal*>(c.state.settings_sink.load(std::memory_order_acquire));
    const views::Texts& texts = c.texts;
    LoggerSetupDialog dialog(c.state, c.logs->long_term, [&texts](unsigned n) { return texts.text(n); },
                             std::move(options), over);
    const auto tick = QObject::connect(&c.events, &kit::PanelEvents::second_tick, &dialog, &LoggerSetupDialog::refresh);
    const auto redraw = QObject::connect(&c.events, &kit::PanelEvents::redraw, &dialog, [&dialog](std::uint64_t bits) {
        if (bits & link::redraw::setup_dialogs) dialog.refresh();
    });
    dialog.exec();
    QObject::disconnect(tick);
    QObject::disconnect(redraw);
    open = false;
}

}  // namespace

const kit::DialogRow logger_setup_dialog{kit::DialogId::logger_setup, open};

}  // namespace dryer::logging
