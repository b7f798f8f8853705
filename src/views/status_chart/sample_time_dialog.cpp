#include "views/status_chart/sample_time_dialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "kit/fit_text.h"
#include "kit/message_box.h"
#include "link/link_state.h"
#include "logging/data_logs/data_logs.h"
#include "views/scene/texts.h"
#include "views/status_chart/sample_time_model.h"
#include "views/status_chart/status_chart_window.h"

namespace dryer::views {

namespace {

constexpr const char* kTitle = "Select Data Log Sample Time - 35";
constexpr std::array<const char*, 4> kMinuteNames{"1 MINUTE", "5 MINUTE", "10 MINUTE", "15 MINUTE"};
constexpr std::array<unsigned, 4> kMinuteTexts{368, 369, 370, 371};

// Client layout: the choices on the left, OPTIONS and ACCEPT / EXIT on the right.
constexpr int kClientWidth = 396;  // fits over the chart it opens from
constexpr int kClientHeight = 232;
constexpr int kRowTop = 26;
constexpr int kRowStep = 48;
constexpr int kButtonHeight = kit::kTouchButtonHeight + 4;

QString text_or(const Texts& texts, unsigned n, const char* fallback) {
    const std::string t = texts.text(n);
    return QString::fromStdString(t.empty() ? std::string(fallback) : t);
}

void fit(QAbstractButton& b) {
    b.setFont(kit::fit_text(b.text(), b.rect().adjusted(6, 2, -6, -2), kit::panel_font(15, 700), true).font);
}

}  // namespace

SampleTimeDialog::SampleTimeDialog(kit::PanelContext& context, QWidget* over)
    : kit::PanelDialog(over, QString::fromLatin1(kTitle)), context_(context) {
    const Texts& texts = context_.texts;
    set_caption(text_or(texts, 366, kTitle));
    cycled_ = cycled_sampler_selected(context_.state.status);
    const SampleTimeOpening opening = context_.logs ? open_sample_time(*context_.logs, context_.state.status)
                                                    : sample_time_opening(10, cycled_);

    auto* choices = new QGroupBox(text_or(texts, 367, "SET SAMPLE TIME"), this);
    choices->setObjectName(QStringLiteral("SET SAMPLE TIME"));
    choices->setGeometry(6, 4, 226, kClientHeight - 10);
    for (std::size_t i = 0; i < kSampleTimes.size(); ++i) {
        const int top = kRowTop + static_cast<int>(i) * kRowStep;
        auto* r = new QRadioButton(this);
        r->setObjectName(QString::fromLatin1(kMinuteNames[i]) + QStringLiteral(" RADIO"));
        r->setGeometry(14, top, 34, kButtonHeight);
        r->setStyleSheet(QStringLiteral("QRadioButton::indicator { width: 22px; height: 22px; }"));
        radios_[i] = r;
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(kMinuteNames[i]));
        b->setGeometry(50, top, 172, kButtonHeight);
        const unsigned text_number = i == 0 ? opening.one_minute_text : kMinuteTexts[i];
        b->setText(text_or(texts, text_number, i == 0 && opening.one_minute_text == 84 ? "1 MINUTE (SAMPLER)"
                                                                                         : kMinuteNames[i]));
        fit(*b);
        minutes_[i] = b;
        // A minute button checks its radio button; the choice is taken on ACCEPT / EXIT.
        connect(b, &QPushButton::clicked, r, [r] { r->setChecked(true); });
    }
    radios_[0]->setEnabled(opening.one_minute_enabled);
    minutes_[0]->setEnabled(opening.one_minute_enabled);
    for (std::size_t i = 0; i < kSampleTimes.size(); ++i)
        if (kSampleTimes[i] == opening.checked) radios_[i]->setChecked(true);

    auto* options = new QGroupBox(text_or(texts, 372, "OPTIONS"), this);
    options->setObjectName(QStringLiteral("OPTIONS"));
    options->setGeometry(240, 4, 150, 86);
    clear_ = new QPushButton(text_or(texts, 373, "CLEAR TABLE"), this);
    clear_->setObjectName(QStringLiteral("CLEAR TABLE"));
    clear_->setGeometry(248, 30, 134, kButtonHeight + 6);
    fit(*clear_);
    connect(clear_, &QPushButton::clicked, this, &SampleTimeDialog::clear_table);

    accept_ = new QPushButton(text_or(texts, 350, "ACCEPT / EXIT"), this);
    accept_->setObjectName(QStringLiteral("ACCEPT / EXIT"));
    accept_->setGeometry(240, kClientHeight - 80, 150, 70);
    fit(*accept_);
    connect(accept_, &QPushButton::clicked, this, &SampleTimeDialog::accept_and_close);

    place_below_caption(kClientWidth, kClientHeight);
}

std::optional<unsigned> SampleTimeDialog::checked() const {
    for (std::size_t i = 0; i < kSampleTimes.size(); ++i)
        if (radios_[i]->isChecked()) return kSampleTimes[i];
    return std::nullopt;
}

void SampleTimeDialog::accept_and_close() {
    if (context_.logs) accept_sample_time(*context_.logs, accepted_sample_time(checked(), cycled_));
    accept();
}

void SampleTimeDialog::clear_table() {
    const Texts& texts = context_.texts;
    kit::MessageBox box(QMessageBox::Question, text_or(texts, 374, "CLEAR TABLE"),
                        text_or(texts, 375, "Do you wish to delete all 24-hour data log files?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.button(QMessageBox::Yes)->setText(text_or(texts, 134, "Yes"));
    box.button(QMessageBox::No)->setText(text_or(texts, 135, "No"));
    box.button(QMessageBox::Cancel)->setText(text_or(texts, 10, "CANCEL"));
    if (box.exec() != QMessageBox::Yes || !context_.logs) return;
    context_.logs->day.delete_all();
    if (auto* chart = qobject_cast<StatusChartWindow*>(context_.shell.window(kit::WindowId::average_values)))
        chart->reload();
}

namespace {
void open(kit::PanelContext& c, QWidget* over, int) {
    SampleTimeDialog dialog(c, over);
    dialog.exec();
    if (auto* chart = qobject_cast<StatusChartWindow*>(c.shell.window(kit::WindowId::average_values))) chart->reload();
}
}  // namespace

const kit::DialogRow sample_time_dialog{kit::DialogId::sample_time, open};

}  // namespace dryer::views
