#include "views/warning/warning_window.h"

#include <QFile>
#include <QListWidget>
#include "kit/message_box.h"
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "kit/local_text.h"
#include "views/scene/blink.h"
#include "views/scene/scene_painter.h"

namespace dryer::views {
namespace {

namespace off = link::off;

QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

bool alive(const link::LinkState& st) { return link::load(st.link_alive) > 0; }

constexpr QRect kPictureRect{10, 0, 500, 400};
constexpr QRect kAnimationArea{150, 20, 250, 130};

}  // namespace

WarningHelpDialog::WarningHelpDialog(QWidget* parent, link::LinkState& state, const Texts& texts, int node_id,
                                     int warning_id)
    : kit::PanelDialog(parent, QStringLiteral("Shutdown Help File - 34")),
      state_(state),
      texts_(texts),
      node_(node_id),
      warning_(warning_id) {
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("HELP_LIST"));
    list_->setGeometry(10, 300, 600, 110);
    close_ = new QPushButton(QStringLiteral("CLOSE"), this);
    close_->setObjectName(QStringLiteral("CLOSE"));
    close_->setGeometry(510, 418, 100, 34);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    place_below_caption(620, 460);
}

void WarningHelpDialog::showEvent(QShowEvent* e) {
    picture_failed_ = false;
    retried_ = false;
    text_loaded_ = false;
    kit::PanelDialog::showEvent(e);
}

void WarningHelpDialog::load_text_once() {
    if (text_loaded_) return;
    text_loaded_ = true;
    list_->clear();
    QFile f(QString::fromStdString(texts_.warning_help_path(help_node(node_), warning_).string()));
    if (!f.open(QIODevice::ReadOnly)) {
        list_->addItem(kit::local(kNoHelpText));
        return;
    }
    const QByteArray bytes = f.read(static_cast<qint64>(kHelpFileMaxBytes));
    for (const auto& line : help_lines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        list_->addItem(qs(line));
}

void WarningHelpDialog::paintEvent(QPaintEvent* e) {
    setWindowTitle(qs(texts_.text(459)));
    close_->setText(qs(texts_.text(145)));
    load_text_once();
    kit::PanelDialog::paintEvent(e);
    if (picture_failed_) return;
    const int live_node = state_.status.get(off::shutdown_node), live_warning = state_.status.get(off::shutdown_code);
    // The lost link keeps its own picture even when the last status still
    // holds the rear-discharge condition.
    const bool rear = !is_link_lost_help(node_, warning_) && is_rear_discharge(live_node, live_warning);
    const int node = rear ? live_node : help_node(node_);
    const int warning = rear ? live_warning : warning_;
    const QPixmap pm(QString::fromStdString(texts_.warning_picture_path(node, warning, frame_).string()));
    if (pm.isNull()) {
        picture_failed_ = true;
        QTimer::singleShot(0, this, &WarningHelpDialog::ask_retry);
        return;
    }
    QPainter p(this);
    p.translate(contentsRect().topLeft());
    p.drawPixmap(kPictureRect, pm);
}

void WarningHelpDialog::ask_retry() {
    if (asking_) return;
    asking_ = true;
    // One Retry only: a picture that fails again is offered Cancel alone, so
    // the question cannot come back for ever.
    const auto buttons = retried_ ? QMessageBox::StandardButtons(QMessageBox::Cancel)
                                  : QMessageBox::StandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
    const auto answer = kit::show_message(this, QMessageBox::Information, qs(texts_.text(467)), qs(texts_.text(468)), buttons);
    asking_ = false;
    if (answer == QMessageBox::Retry && !retried_) {
        retried_ = true;
        picture_failed_ = false;
        update();
    } else {
        reject();
    }
}

void WarningHelpDialog::animation_tick() {
    frame_ = next_help_frame(frame_);
    update(kAnimationArea.translated(contentsRect().topLeft()));
}

WarningWindow::WarningWindow(QWidget* parent, link::LinkState& state, const Texts& texts)
    : SceneWindow(parent, state, texts, "WARNING_WINDOW") {
    setWindowTitle(QStringLiteral(" WARNING - DRYER SHUTTING DOWN! - 05"));
    resize(kWarningWidth, kWarningHeight);
    set_caption_bar(true);
    help_button_ = new QPushButton(this);
    help_button_->setObjectName(QStringLiteral("WARNING_HELP"));
    help_button_->setGeometry(QRect(contentsRect().topLeft() + QPoint(195, 125), QSize(200, 50)));
    show_help_face();
    connect(help_button_, &QPushButton::clicked, this, &WarningWindow::open_help);
    hide();
}

void WarningWindow::show_help_face() {
    const QPixmap face(QString::fromStdString(texts_.button_picture_path(72).string()));
    if (!face.isNull()) {
        help_button_->setIcon(face);
        help_button_->setIconSize(QSize(200, 50));
        help_button_->setFlat(true);
        help_button_->setText(QString());
    } else {
        help_button_->setIcon(QIcon());
        help_button_->setFlat(false);
        // Text 3 is the numbered "HELP".
        const std::string help = texts_.text(3);
        help_button_->setText(help.empty() ? QStringLiteral("HELP") : qs(help));
    }
}

void WarningWindow::help_animation_tick() {
    if (help_) help_->animation_tick();
}

void WarningWindow::close_help() {
    if (help_ && help_->isVisible() && !help_->owned_by_history()) help_->accept();
}

void WarningWindow::marker_tick() {
    marker_step_ = true;
    // Only the marker is drawn again on this tick: a caption that changed
    // since the last whole paint (the link lost during a shutdown) is
    // redrawn here, or the bar would keep the old one.
    refresh_caption();
    // The drawing is shown from the client area's corner, below the caption bar.
    const QRect area(kMarkerArea.left, kMarkerArea.top, kMarkerArea.right - kMarkerArea.left,
                     kMarkerArea.bottom - kMarkerArea.top);
    update(area.translated(contentsRect().topLeft()));
}

void WarningWindow::open_help() {
    if (help_) return;
    int node = state_.status.get(off::shutdown_node), warning = state_.status.get(off::shutdown_code);
    // The window shows the lost link before any reported condition; so does its help.
    if (!alive(state_)) node = kLinkLostHelpNode, warning = kLinkLostHelpWarning;
    auto* dlg = new WarningHelpDialog(this, state_, texts_, node, warning);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    help_ = dlg;
    dlg->open();
}

void WarningWindow::open_help_for(QWidget* over, int node_id, int warning_id, bool owned_by_history) {
    if (help_) help_->reject();
    WarningHelpDialog dlg(over ? over : this, state_, texts_, node_id, warning_id);
    dlg.set_owned_by_history(owned_by_history);
    help_ = &dlg;
    dlg.exec();
}

Scene WarningWindow::build_scene() {
    if (marker_step_) {
        marker_step_ = false;
        marker_.step();
    }
    WarningView v = warning_view(state_.status, alive(state_), blink_flags() & blink::phase, marker_.position(), texts_);
    if (v.link_lost_request) link::store(state_.link_lost_request, std::uint8_t{1});
    const QString caption = qs(v.caption);
    if (caption != windowTitle()) setWindowTitle(caption);
    return std::move(v.scene);
}

void WarningWindow::refresh_caption() { set_caption(qs(warning_caption(state_.status, alive(state_), texts_))); }

namespace {
QWidget* create(kit::PanelContext& c, QWidget* parent) {
    auto* w = new WarningWindow(parent, c.state, c.texts);
    w->listen(c.events);
    QObject::connect(&c.events, &kit::PanelEvents::message_line_tick, w, &WarningWindow::marker_tick);
    QObject::connect(&c.events, &kit::PanelEvents::help_animation_tick, w, &WarningWindow::help_animation_tick);
    QObject::connect(&c.events, &kit::PanelEvents::condition_cleared, w, &WarningWindow::close_help);
    QObject::connect(&c.events, &kit::PanelEvents::language_changed, w, [w] {
        w->show_help_face();
        w->refresh_caption();
        w->update();
    });
    return w;
}
}  // namespace

const kit::ScreenRow warning_screen{kit::WindowId::warning,
                                    "WARNING_WINDOW",
                                    " WARNING - DRYER SHUTTING DOWN! - 05",
                                    {10, 20, 600, 325},
                                    kit::Frame::caption_bar,
                                    false,
                                    false,
                                    link::redraw::warning_window,
                                    create};

}  // namespace dryer::views
