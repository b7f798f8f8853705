#include "setup/batch_timers/batch_drying_window.h"

#include "kit/fit_text.h"
#include "kit/message_box.h"
#include <QFontMetrics>
#include <QPainter>

#include "link/link_state.h"
#include "setup/keypads/keypad_dialogs.h"

namespace dryer::setup {

namespace {
constexpr int kTop = kit::kCaptionBarHeight;
constexpr const char* kButtonNames[kBatchButtonCount] = {"HEAT", "HI HEAT", "LO HEAT", "COOL", "UNLOAD"};
constexpr int kButtonW = 110;

// Rows of the buttons and the diagram: top and height in the content area.
struct Band {
    int top;
    int height;
};
constexpr Band kHeat{4, 62};
constexpr Band kHiHeat{4, 30};
constexpr Band kLoHeat{36, 30};
constexpr Band kCool{72, 50};
constexpr Band kUnload{128, 50};
// The sample-time button sits at the right end of the unload row.
constexpr int kSampleTimeW = 76;
}  // namespace

BatchDryingWindow::BatchDryingWindow(link::LinkState& state, QWidget* parent, TextFn text)
    : kit::PanelWindow(parent, QString::fromUtf8("BATCH_DRYING_WINDOW"), QString::fromUtf8(" BATCH DRYING TIMERS"), true, kit::Look::setup),
      state_(state),
      text_(std::move(text)),
      sample_time_(new QPushButton(this)) {
    resize(400, 205);
    for (std::size_t i = 0; i < kBatchButtonCount; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromUtf8(kButtonNames[i]));
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();  // created hidden; refresh() shows the ones of the mode
        buttons_[i] = b;
        connect(b, &QPushButton::clicked, this, [this, i] {
            const TimerTarget target = view_.buttons[i].target;
            run_timer_keypad(this, state_, target, "batch drying timers");
            refresh();
        });
    }
    sample_time_->setObjectName(QStringLiteral("SAMPLE TIME"));
    sample_time_->setFocusPolicy(Qt::NoFocus);
    sample_time_->setEnabled(false);
    connect(sample_time_, &QPushButton::clicked, this, [this] {
        if (shell_) shell_->open_dialog(kit::DialogId::sample_time, this);
    });
    place_buttons();
    refresh();
}

void BatchDryingWindow::place_buttons() {
    const Band bands[kBatchButtonCount] = {kHeat, kHiHeat, kLoHeat, kCool, kUnload};
    for (std::size_t i = 0; i < kBatchButtonCount; ++i) {
        buttons_[i]->setGeometry(4, kTop + bands[i].top, kButtonW, bands[i].height);
    }
    sample_time_->setGeometry(width() - 6 - kSampleTimeW, kTop + kUnload.top + 4, kSampleTimeW, kUnload.height - 8);
}

void BatchDryingWindow::set_shell(kit::PanelShell* shell) {
    shell_ = shell;
    sample_time_->setEnabled(shell_ && shell_->has_dialog(kit::DialogId::sample_time));
}

void BatchDryingWindow::refresh() {
    BatchView v = batch_view(state_.status, text_);
    if (applied_ && v == view_) return;
    applied_ = true;
    view_ = std::move(v);
    set_caption(QString::fromStdString(view_.title));
    for (std::size_t i = 0; i < kBatchButtonCount; ++i) {
        buttons_[i]->setText(QString::fromStdString(view_.buttons[i].caption));
        buttons_[i]->setVisible(view_.buttons[i].shown);
    }
    buttons_[0]->setEnabled(true);
    // "SET SAMPLE TIME" on two lines, broken at its last blank.
    QString label = QString::fromStdString(text_(367));
    if (label.isEmpty()) label = QStringLiteral("SET SAMPLE TIME");
    if (const qsizetype blank = label.lastIndexOf(u' '); blank > 0) label[blank] = u'\n';
    if (sample_time_->text() != label) {
        sample_time_->setText(label);
        sample_time_->setFont(kit::fit_text(label, sample_time_->rect().adjusted(8, 4, -8, -4),
                                            kit::panel_font(12, 700), true).font);
    }
    update();
}

void BatchDryingWindow::showEvent(QShowEvent* e) {
    kit::PanelWindow::showEvent(e);
    refresh();
}

void BatchDryingWindow::paint_client(QPainter& p) {
    const int x = kButtonW + 12;
    const QColor grey(150, 150, 150);
    std::vector<Band> bands;
    if (view_.dual) bands = {kHiHeat, kLoHeat, kCool, kUnload};
    else bands = {kHeat, kCool, kUnload};
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(16);
    f.setBold(true);
    for (std::size_t i = 0; i < bands.size() && i < view_.stages.size(); ++i) {
        const Band& b = bands[i];
        const int right = b.top == kUnload.top ? kSampleTimeW + 12 : 6;
        const QRect r(x, b.top, width() - x - right, b.height);
        p.setPen(grey);
        p.drawLine(x, b.top + b.height + 2, width() - 6, b.top + b.height + 2);
        // The time keeps its size; the stage's name takes the room left of
        // it and shrinks there, so long names never run into the time.
        f.setPixelSize(16);
        const kit::TextFit time = kit::fit_text(QString::fromStdString(view_.stages[i].time_left),
                                                r.adjusted(0, 0, -4, 0), f, false);
        p.setFont(time.font);
        p.setPen(Qt::blue);
        kit::draw_fit(p, time, Qt::AlignRight | Qt::AlignVCenter);
        const int time_width = QFontMetrics(time.font).horizontalAdvance(time.text);
        f.setPixelSize(12);
        p.setPen(Qt::black);
        kit::draw_fitted_text(p, r.adjusted(4, 0, -(time_width + 4 + 6), 0), Qt::AlignLeft | Qt::AlignVCenter,
                              QString::fromStdString(view_.stages[i].name), f);
    }
    if (view_.dual) {  // the split between high and low heat
        p.setPen(grey);
        p.drawLine(x, kLoHeat.top - 2, width() - 6, kLoHeat.top - 2);
    }
}

std::array<bool, kHoldGroupCount> BatchDryingWindow::pressed_groups() const {
    std::array<bool, kHoldGroupCount> pressed{};
    for (std::size_t i = 0; i < kBatchButtonCount; ++i) {
        if (buttons_[i]->isVisible() && buttons_[i]->isDown()) pressed[hold_group(view_.buttons[i].id)] = true;
    }
    return pressed;
}

bool BatchDryingWindow::single_heat_pressed() const { return buttons_[0]->isDown(); }

void BatchDryingWindow::ask_stage_reset(std::size_t group, bool single_heat) {
    // The question replaces the press: no keypad opens when the button is
    // let go after it.
    for (std::size_t i = 0; i < kBatchButtonCount; ++i) {
        if (hold_group(view_.buttons[i].id) == group) buttons_[i]->setDown(false);
    }
    const QString question = QString::fromStdString(stage_reset_question(group, single_heat, state_.status, text_));
    if (kit::ask_yes(this, QMessageBox::Question, QString::fromStdString(text_(515)), question))
        confirm_stage_reset(state_, group);
    refresh();
}

namespace {
QWidget* create(kit::PanelContext& c, QWidget* parent) {
    auto* w = new BatchDryingWindow(c.state, parent);
    w->set_shell(&c.shell);
    QObject::connect(&c.events, &kit::PanelEvents::language_changed, w, &BatchDryingWindow::refresh);
    return w;
}
}  // namespace

const kit::ScreenRow batch_drying_screen{kit::WindowId::batch_drying,
                                         "BATCH_DRYING_WINDOW",
                                         " BATCH DRYING TIMERS",
                                         {240, 40, 400, 205},
                                         kit::Frame::caption_bar,
                                         false,
                                         false,
                                         link::redraw::batch_drying,
                                         create};

}  // namespace dryer::setup
