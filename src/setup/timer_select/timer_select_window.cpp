#include "setup/timer_select/timer_select_window.h"

#include <QPainter>

#include "link/link_state.h"
#include "setup/keypads/keypad_dialogs.h"

namespace dryer::setup {

namespace {
constexpr int kTop = CaptionedWindow::kCaptionHeight;
constexpr int kButtonW = 200;
constexpr int kButtonH = 50;
constexpr int kLine = 13;

QColor ink_colour(Ink ink) {
    switch (ink) {
    case Ink::red: return QColor(255, 0, 0);
    case Ink::magenta: return QColor(255, 0, 255);
    case Ink::green: return QColor(0, 128, 0);
    case Ink::blue: return QColor(0, 0, 255);
    case Ink::black: break;
    }
    return QColor(0, 0, 0);
}

// Top of each block's button within the child's content area.
std::vector<int> block_tops(const TimerChildView& v) {
    std::vector<int> tops;
    int y = 4;
    for (const TimerBlock& b : v.blocks) {
        tops.push_back(y);
        y += (b.box ? kButtonH + 2 : 0) + static_cast<int>(b.lines.size()) * kLine + 2;
    }
    return tops;
}
// The target of the k-th timer button of a child.
std::optional<TimerTarget> box_target(const TimerChildView& v, std::size_t k) {
    std::size_t seen = 0;
    for (const TimerBlock& b : v.blocks) {
        if (b.box && seen++ == k) return b.box->target;
    }
    return std::nullopt;
}
}  // namespace

TimerChildWindow::TimerChildWindow(const TimerChildView& view, QWidget* parent)
    : CaptionedWindow(view.object_name, view.title.c_str(), parent), view_(view) {
    const auto tops = block_tops(view);
    for (std::size_t i = 0; i < view.blocks.size(); ++i) {
        const auto& box = view.blocks[i].box;
        if (!box) continue;
        auto* b = new PictureButton(QString::fromUtf8(box->name), box->picture, this);
        b->setGeometry(5, kTop + tops[i], kButtonW, kButtonH);
        buttons_.push_back(b);
    }
}

void TimerChildWindow::show_view(const TimerChildView& view) {
    view_ = view;
    // The lines above a button may change with the language.
    const auto tops = block_tops(view);
    std::size_t k = 0;
    for (std::size_t i = 0; i < view.blocks.size() && k < buttons_.size(); ++i) {
        if (view.blocks[i].box) buttons_[k++]->move(5, kTop + tops[i]);
    }
    setCaption(QString::fromStdString(view.title));
    update();
}

void TimerChildWindow::paintContent(QPainter& p) {
    const auto tops = block_tops(view_);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(12);
    for (std::size_t i = 0; i < view_.blocks.size(); ++i) {
        const TimerBlock& b = view_.blocks[i];
        int y = tops[i];
        if (b.box) {
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::black);
            const int x = 5 + kButtonW + 6;
            p.drawText(QRect(x, y, width() - x, 16), Qt::AlignLeft, QString::fromStdString(b.box->label));
            p.setPen(Qt::blue);
            p.drawText(QRect(x, y + 17, width() - x, 16), Qt::AlignLeft, QString::fromStdString(b.box->minutes_line));
            p.drawText(QRect(x, y + 34, width() - x, 16), Qt::AlignLeft, QString::fromStdString(b.box->seconds_line));
            y += kButtonH + 2;
        }
        f.setBold(false);
        p.setFont(f);
        for (const InkLine& l : b.lines) {
            p.setPen(ink_colour(l.ink));
            p.drawText(QRect(5, y, width() - 10, kLine), Qt::AlignLeft, QString::fromStdString(l.text));
            y += kLine;
        }
    }
}

TimerSelectWindow::TimerSelectWindow(link::LinkState& state, QWidget* parent, TextFn text)
    : CaptionedWindow("TIMER_SELECT_WINDOW", " SELECT TIMER TO MODIFY - 01", parent),
      state_(state),
      text_(std::move(text)),
      view_(timer_select_view(state.status, link::load(state.values.previous_load_time), text_)) {
    resize(640, 475);
    for (std::size_t i = 0; i < children_.size(); ++i) {
        auto* c = new TimerChildWindow(view_[i], this);
        c->setGeometry(i % 2 == 0 ? 4 : 322, kTop + (i < 2 ? 2 : 196), 314, 190);
        children_[i] = c;
        for (std::size_t k = 0; k < c->buttonCount(); ++k) {
            connect(c->button(k), &QPushButton::clicked, this, [this, i, k] {
                if (const auto target = box_target(view_[i], k)) run_timer_keypad(this, state_, *target, "timer selection");
                refresh();
            });
        }
    }
    auto* exit = new PictureButton(QStringLiteral("EXIT"), 41, this);
    exit->setGeometry(270, kTop + 392, 100, 50);
    connect(exit, &QPushButton::clicked, this, [this] {
        hide();
        emit exitToMain();
    });
    refresh();
}

void TimerSelectWindow::refresh() {
    setCaption(caption_text(text_, 44, " SELECT TIMER TO MODIFY - 01"));
    TimerSelectView v = timer_select_view(state_.status, link::load(state_.values.previous_load_time), text_);
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (!(v[i] == view_[i])) children_[i]->show_view(v[i]);
    }
    view_ = std::move(v);
}

void TimerSelectWindow::showEvent(QShowEvent* e) {
    CaptionedWindow::showEvent(e);
    refresh();
}

void TimerSelectWindow::paintEvent(QPaintEvent* e) {
    refresh();
    CaptionedWindow::paintEvent(e);
}

}  // namespace dryer::setup
