#include "setup/timer_select/timer_select_window.h"

#include <algorithm>

#include <QPainter>

#include "link/link_state.h"
#include "setup/keypads/keypad_dialogs.h"
#include "views/scene/scene_painter.h"

namespace dryer::setup {

namespace {
constexpr int kTop = kit::kCaptionBarHeight;
constexpr int kButtonW = 200;
constexpr int kButtonH = 50;
constexpr int kLine = 13;        // pitch of the explanatory lines, when they fit
constexpr int kMarginTop = 4;
constexpr int kExitW = 158;      // the exit picture's own size
constexpr int kExitH = 41;

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

// Pitch of the explanatory lines: kLine, or less when the child's content
// area cannot hold all its lines below the buttons (the text then shrinks
// with it, so no line runs out of the window).
int line_pitch(const TimerChildView& v, int content_height) {
    int fixed = kMarginTop, lines = 0;
    for (const TimerBlock& b : v.blocks) {
        fixed += (b.box ? kButtonH + 2 : 0) + 2;
        lines += static_cast<int>(b.lines.size());
    }
    if (lines == 0) return kLine;
    return std::clamp((content_height - fixed) / lines, views::kMinTextSize + 1, kLine);
}

// Top of each block's button within the child's content area.
std::vector<int> block_tops(const TimerChildView& v, int pitch) {
    std::vector<int> tops;
    int y = kMarginTop;
    for (const TimerBlock& b : v.blocks) {
        tops.push_back(y);
        y += (b.box ? kButtonH + 2 : 0) + static_cast<int>(b.lines.size()) * pitch + 2;
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
    : kit::PanelWindow(parent, QString::fromUtf8(view.object_name), QString::fromUtf8(view.title.c_str()), true, kit::Look::setup), view_(view) {
    const auto tops = block_tops(view, kLine);
    for (std::size_t i = 0; i < view.blocks.size(); ++i) {
        const auto& box = view.blocks[i].box;
        if (!box) continue;
        auto* b = new kit::PictureButton(QString::fromUtf8(box->name), this, box->picture);
        b->setGeometry(5, kTop + tops[i], kButtonW, kButtonH);
        buttons_.push_back(b);
    }
}

void TimerChildWindow::show_view(const TimerChildView& view) {
    view_ = view;
    // The lines above a button may change with the language.
    const auto tops = block_tops(view, line_pitch(view, height() - kTop));
    std::size_t k = 0;
    for (std::size_t i = 0; i < view.blocks.size() && k < buttons_.size(); ++i) {
        if (view.blocks[i].box) buttons_[k++]->move(5, kTop + tops[i]);
    }
    set_caption(QString::fromStdString(view.title));
    update();
}

void TimerChildWindow::resizeEvent(QResizeEvent* e) {
    kit::PanelWindow::resizeEvent(e);
    show_view(view_);  // the buttons follow the lines' pitch
}

void TimerChildWindow::paint_client(QPainter& p) {
    const int pitch = line_pitch(view_, height() - kTop);
    const auto tops = block_tops(view_, pitch);
    const QFont bold = views::panel_font(12, 700);
    const QFont plain = views::panel_font(pitch - 1, 400);
    const int right = width() - 4;
    for (std::size_t i = 0; i < view_.blocks.size(); ++i) {
        const TimerBlock& b = view_.blocks[i];
        int y = tops[i];
        if (b.box) {
            const int x = 5 + kButtonW + 6;
            p.setPen(Qt::black);
            views::draw_fitted_text(p, QRect(x, y, right - x, 16), Qt::AlignLeft, QString::fromStdString(b.box->label), bold);
            p.setPen(Qt::blue);
            views::draw_fitted_text(p, QRect(x, y + 17, right - x, 16), Qt::AlignLeft,
                                    QString::fromStdString(b.box->minutes_line), bold);
            views::draw_fitted_text(p, QRect(x, y + 34, right - x, 16), Qt::AlignLeft,
                                    QString::fromStdString(b.box->seconds_line), bold);
            y += kButtonH + 2;
        }
        for (const InkLine& l : b.lines) {
            p.setPen(ink_colour(l.ink));
            views::draw_fitted_text(p, QRect(5, y, right - 5, pitch), Qt::AlignLeft, QString::fromStdString(l.text), plain);
            y += pitch;
        }
    }
}

TimerSelectWindow::TimerSelectWindow(link::LinkState& state, QWidget* parent, TextFn text)
    : kit::PanelWindow(parent, QString::fromUtf8("TIMER_SELECT_WINDOW"), QString::fromUtf8(" SELECT TIMER TO MODIFY - 01"), true, kit::Look::setup),
      state_(state),
      text_(std::move(text)),
      view_(timer_select_view(state.status, link::load(state.values.previous_load_time), text_)) {
    resize(640, 475);
    for (std::size_t i = 0; i < children_.size(); ++i) {
        auto* c = new TimerChildWindow(view_[i], this);
        c->setGeometry(i % 2 == 0 ? 4 : 322, kTop + (i < 2 ? 2 : 196), 314, 190);
        children_[i] = c;
        for (std::size_t k = 0; k < c->button_count(); ++k) {
            connect(c->button(k), &QPushButton::clicked, this, [this, i, k] {
                if (const auto target = box_target(view_[i], k)) run_timer_keypad(this, state_, *target, "timer selection");
                refresh();
            });
        }
    }
    auto* exit = new kit::PictureButton(QStringLiteral("EXIT"), this, 41);
    exit->setGeometry((640 - kExitW) / 2, kTop + 396, kExitW, kExitH);
    connect(exit, &QPushButton::clicked, this, [this] {
        hide();
        emit exit_to_main();
    });
    refresh();
}

void TimerSelectWindow::refresh() {
    set_caption(caption_text(text_, 44, " SELECT TIMER TO MODIFY - 01"));
    TimerSelectView v = timer_select_view(state_.status, link::load(state_.values.previous_load_time), text_);
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (!(v[i] == view_[i])) children_[i]->show_view(v[i]);
    }
    view_ = std::move(v);
}

void TimerSelectWindow::showEvent(QShowEvent* e) {
    kit::PanelWindow::showEvent(e);
    refresh();
}


namespace {
QWidget* create(kit::PanelContext& c, QWidget* parent) {
    auto* w = new TimerSelectWindow(c.state, parent);
    kit::PanelShell* shell = &c.shell;
    QObject::connect(w, &TimerSelectWindow::exit_to_main, w, [shell] { shell->restore_main_screen(); });
    QObject::connect(&c.events, &kit::PanelEvents::second_tick, w, [w] {
        if (w->isVisible()) w->refresh();
    });
    // A new language brings its button pictures, caption and texts at once.
    QObject::connect(&c.events, &kit::PanelEvents::language_changed, w, [w] {
        kit::reload_pictures(*w);
        w->refresh();
        w->update();
    });
    return w;
}
}  // namespace

const kit::ScreenRow timer_select_screen{kit::WindowId::timer_select,
                                         "TIMER_SELECT_WINDOW",
                                         " SELECT TIMER TO MODIFY - 01",
                                         {0, 0, 640, 475},
                                         kit::Frame::caption_bar,
                                         true,
                                         false,
                                         link::redraw::timer_select | link::redraw::out_of_grain_timer,
                                         create};

}  // namespace dryer::setup
