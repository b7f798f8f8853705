#include "views/warning/warning_window.h"

#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

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
    : QDialog(parent), state_(state), texts_(texts), node_(node_id), warning_(warning_id) {
    setObjectName(QStringLiteral("Shutdown Help File - 34"));
    setWindowTitle(QStringLiteral("Shutdown Help File - 34"));
    setModal(true);
    resize(620, 460);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("HELP_LIST"));
    list_->setGeometry(10, 300, 600, 110);
    close_ = new QPushButton(QStringLiteral("CLOSE"), this);
    close_->setObjectName(QStringLiteral("CLOSE"));
    close_->setGeometry(510, 418, 100, 34);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
}

void WarningHelpDialog::showEvent(QShowEvent* e) {
    picture_failed_ = false;
    text_loaded_ = false;
    // Centre over the parent; negative coordinates become 0.
    if (QWidget* p = parentWidget()) {
        const QPoint centre = p->mapToGlobal(p->rect().center());
        move(std::max(0, centre.x() - width() / 2), std::max(0, centre.y() - height() / 2));
    }
    QDialog::showEvent(e);
}

void WarningHelpDialog::load_text_once() {
    if (text_loaded_) return;
    text_loaded_ = true;
    list_->clear();
    QFile f(QString::fromStdString(texts_.warning_help_path(help_node(node_), warning_).string()));
    if (!f.open(QIODevice::ReadOnly)) {
        list_->addItem(QString::fromLatin1(kNoHelpText));
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
    if (picture_failed_) return QDialog::paintEvent(e);
    const int live_node = state_.status.get(off::shutdown_node), live_warning = state_.status.get(off::shutdown_code);
    const bool rear = is_rear_discharge(live_node, live_warning);
    const int node = rear ? live_node : help_node(node_);
    const int warning = rear ? live_warning : warning_;
    const QPixmap pm(QString::fromStdString(texts_.warning_picture_path(node, warning, frame_).string()));
    if (pm.isNull()) {
        picture_failed_ = true;
        QTimer::singleShot(0, this, &WarningHelpDialog::ask_retry);
        return QDialog::paintEvent(e);
    }
    QPainter p(this);
    p.drawPixmap(kPictureRect, pm);
}

void WarningHelpDialog::ask_retry() {
    if (asking_) return;
    asking_ = true;
    const auto answer = QMessageBox::information(this, qs(texts_.text(467)), qs(texts_.text(468)),
                                                 QMessageBox::Retry | QMessageBox::Cancel);
    asking_ = false;
    if (answer == QMessageBox::Retry) {
        picture_failed_ = false;
        update();
    } else {
        reject();
    }
}

void WarningHelpDialog::animation_tick() {
    frame_ = next_help_frame(frame_);
    update(kAnimationArea);
}

WarningWindow::WarningWindow(QWidget* parent, link::LinkState& state, const Texts& texts)
    : SceneWindow(parent, state, texts, "WARNING_WINDOW") {
    setWindowTitle(QStringLiteral(" WARNING - DRYER SHUTTING DOWN! - 05"));
    resize(kWarningWidth, kWarningHeight);
    set_caption_bar(true);
    help_button_ = new QPushButton(this);
    help_button_->setObjectName(QStringLiteral("WARNING_HELP"));
    help_button_->setGeometry(QRect(contentsRect().topLeft() + QPoint(195, 125), QSize(200, 50)));
    const QPixmap face(QString::fromStdString(texts.button_picture_path(72).string()));
    if (!face.isNull()) {
        help_button_->setIcon(face);
        help_button_->setIconSize(QSize(200, 50));
        help_button_->setFlat(true);
    } else {
        help_button_->setText(QStringLiteral("HELP"));
    }
    connect(help_button_, &QPushButton::clicked, this, &WarningWindow::open_help);
    hide();
}

void WarningWindow::display_tick() {
    const int node = state_.status.get(off::shutdown_node), warning = state_.status.get(off::shutdown_code);
    if (node != 0 || warning != 0 || !alive(state_)) {
        if (isHidden()) show();
        if (help_ && is_rear_discharge(node, warning)) help_->animation_tick();
        return;
    }
    if (!isHidden()) hide();
    if (help_ && help_->isVisible() && !help_->owned_by_history()) help_->accept();
}

void WarningWindow::marker_tick() {
    marker_step_ = true;
    // The drawing is shown from the client area's corner, below the caption bar.
    const QRect area(kMarkerArea.left, kMarkerArea.top, kMarkerArea.right - kMarkerArea.left,
                     kMarkerArea.bottom - kMarkerArea.top);
    update(area.translated(contentsRect().topLeft()));
}

void WarningWindow::open_help() {
    if (help_) return;
    const int node = state_.status.get(off::shutdown_node), warning = state_.status.get(off::shutdown_code);
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

}  // namespace dryer::views
