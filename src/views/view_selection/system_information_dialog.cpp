#include "views/view_selection/system_information_dialog.h"

#include <QPainter>

#include "kit/fit_text.h"
#include "link/link_state.h"
#include "views/scene/texts.h"
#include "views/view_selection/view_selection_model.h"

namespace dryer::views {

namespace {
constexpr int kClientW = 400;
constexpr int kClientH = 330;
constexpr int kLineH = 20;
constexpr int kLinkLinesTop = 6 * kLineH + 14;  // below the six lines and a gap
QString qs(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

SystemInformationDialog::SystemInformationDialog(kit::PanelContext& context, QWidget* over)
    : kit::PanelDialog(over, QStringLiteral(" SYSTEM INFORMATION / SOFTWARE VERSION - 32"), kit::Look::setup),
      context_(context) {
    exit_ = new QPushButton(qs(text(145, "EXIT")), this);
    exit_->setObjectName(QStringLiteral("EXIT"));
    exit_->setFocusPolicy(Qt::NoFocus);
    exit_->setGeometry(kClientW / 2 - 60, kClientH - 50, 120, 44);
    kit::fit_button_text(*exit_);
    connect(exit_, &QPushButton::clicked, this, &QDialog::accept);
    place_below_caption(kClientW, kClientH);
    set_caption(qs(text(422, " SYSTEM INFORMATION / SOFTWARE VERSION - 32")));
}

std::string SystemInformationDialog::text(unsigned n, const char* fallback) const {
    std::string t = context_.texts.text(n);
    return t.empty() ? std::string(fallback) : t;
}

QStringList SystemInformationDialog::lines() const {
    static const char* const fallbacks[] = {"Software Version", "Total Memory", "Available Memory", "Dryer panel"};
    const NumberedText numbered = [this](unsigned n) {
        return n >= 423 && n <= 426 ? text(n, fallbacks[n - 423]) : context_.texts.text(n);
    };
    QStringList out;
    for (const std::string& l : system_information_lines(numbered, platform::local_time_now(), read_memory_status()))
        out << qs(l);
    for (const std::string& l : link_statistics_lines(link_figures(context_.state.stats))) out << qs(l);
    return out;
}

void SystemInformationDialog::redraw_exit() {
    exit_->update();
    update();
}

void SystemInformationDialog::showEvent(QShowEvent* e) {
    kit::PanelDialog::showEvent(e);  // centred over its parent
    move(x(), std::max(0, y() - 20));
}

void SystemInformationDialog::paintEvent(QPaintEvent* e) {
    kit::PanelDialog::paintEvent(e);
    set_caption(qs(text(422, " SYSTEM INFORMATION / SOFTWARE VERSION - 32")));
    QPainter p(this);
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(15);
    f.setBold(true);
    const QRect client = contentsRect();
    const QStringList all = lines();
    for (qsizetype i = 0; i < all.size(); ++i) {
        const bool link_line = i >= 6;
        f.setBold(!link_line);
        f.setPixelSize(link_line ? 13 : 15);
        const int top = link_line ? kLinkLinesTop + static_cast<int>(i - 6) * 17 : static_cast<int>(i) * kLineH + 6;
        const QRect r(client.left() + 10, client.top() + top, client.width() - 20, link_line ? 17 : kLineH);
        p.setPen(link_line ? QColor(0, 0, 128) : Qt::black);
        kit::draw_fitted_text(p, r, Qt::AlignLeft | Qt::AlignVCenter, all[i], f);
    }
}

}  // namespace dryer::views
