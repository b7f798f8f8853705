#include "setup/set_time/set_time_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "kit/fit_text.h"
#include "kit/message_box.h"
#include "kit/touch_button.h"
#include "views/scene/texts.h"

namespace dryer::setup {
namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 415;
constexpr int kColumn = 132;

struct FieldSlot {
    ClockField field;
    const char* name;   // object names "<name> UP", "<name> DOWN", "<name> VALUE"
    unsigned title;     // text number of the column title, 0 for none
    const char* fallback;
    bool date;          // in the DATE frame, else in the TIME frame
    int column;
};

constexpr std::array<FieldSlot, kClockFieldCount> kSlots{{
    {ClockField::month, "MONTH", 104, "MONTH", true, 0},
    {ClockField::day, "DAY", 105, "DAY", true, 1},
    {ClockField::year, "YEAR", 106, "YEAR", true, 2},
    {ClockField::day_of_week, "WEEKDAY", 0, "", true, 3},
    {ClockField::hour, "HOUR", 107, "HOUR", false, 0},
    {ClockField::minute, "MINUTE", 108, "MINUTE", false, 1},
}};

QString qs(const std::string& s) { return QString::fromStdString(s); }

QString text_or(const TextFn& text, unsigned n, const char* fallback) {
    return qs(title_text(text ? text(n) : std::string(), fallback));
}

QLabel* label(QWidget* parent, const QString& name, QRect at, int size, int weight) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(kit::panel_font(size, weight));
    l->setGeometry(at);
    return l;
}

}  // namespace

SetTimeDialog::SetTimeDialog(TextFn text, const platform::LocalTime& now, SetClock set_clock, QWidget* over)
    : kit::PanelDialog(over, QStringLiteral("Set Time / Date - 18")),
      text_(std::move(text)),
      set_clock_(std::move(set_clock)),
      edit_(clock_edit_of(now)) {
    set_caption(text_or(text_, 101, "Set Time / Date - 18"));
    auto* date = new QGroupBox(text_or(text_, 102, "DATE"), this);
    date->setGeometry(10, 5, 540, 170);
    auto* time = new QGroupBox(text_or(text_, 103, "TIME"), this);
    time->setGeometry(10, 180, 540, 170);
    const QString up = text_or(text_, 111, "UP");
    const QString down = text_or(text_, 112, "DOWN");

    for (const FieldSlot& s : kSlots) {
        QWidget* frame = s.date ? date : time;
        const int x = 8 + s.column * kColumn;
        const QString name = QString::fromUtf8(s.name);
        if (s.title) label(frame, name + QStringLiteral(" TITLE"), {x, 20, 124, 22}, 14, 700)
                         ->setText(text_or(text_, s.title, s.fallback));
        auto* b_up = kit::touch_button(frame, name + QStringLiteral(" UP"), up, {x, 44, 124, 40});
        values_[static_cast<std::size_t>(s.field)] = label(frame, name + QStringLiteral(" VALUE"), {x, 86, 124, 30}, 16, 700);
        auto* b_down = kit::touch_button(frame, name + QStringLiteral(" DOWN"), down, {x, 120, 124, 40});
        connect(b_up, &QPushButton::clicked, this, [this, f = s.field] {
            edit_.step(f, true);
            show_fields();
        });
        connect(b_down, &QPushButton::clicked, this, [this, f = s.field] {
            edit_.step(f, false);
            show_fields();
        });
    }
    const int x = 8 + 2 * kColumn;
    label(time, QStringLiteral("AM/PM TITLE"), {x, 20, 124, 22}, 14, 700)->setText(qs(am_pm_title(text_)));
    auto* am = kit::touch_button(time, QStringLiteral("AM"), text_or(text_, 109, "AM"), {x, 44, 124, 40});
    am_pm_ = label(time, QStringLiteral("AM/PM VALUE"), {x, 86, 124, 30}, 16, 700);
    auto* pm = kit::touch_button(time, QStringLiteral("PM"), text_or(text_, 110, "PM"), {x, 120, 124, 40});
    connect(am, &QPushButton::clicked, this, [this] {
        edit_.pm = false;
        show_fields();
    });
    connect(pm, &QPushButton::clicked, this, [this] {
        edit_.pm = true;
        show_fields();
    });

    auto* cancel = kit::touch_button(this, QStringLiteral("CANCEL"), text_or(text_, 10, "CANCEL"), {10, 360, 200, 45});
    auto* accept = kit::touch_button(this, QStringLiteral("ACCEPT / EXIT"), text_or(text_, 4, "ACCEPT / EXIT"), {350, 360, 200, 45});
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(accept, &QPushButton::clicked, this, &SetTimeDialog::accept_pressed);
    place_below_caption(kWidth, kHeight);
    show_fields();
}

void SetTimeDialog::show_fields() {
    for (const FieldSlot& s : kSlots) values_[static_cast<std::size_t>(s.field)]->setText(qs(field_text(edit_, s.field, text_)));
    am_pm_->setText(qs(am_pm_text(edit_, text_)));
}

// A refusal is reported and the dialog stays open, so the operator can
// correct the date or leave with CANCEL.
void SetTimeDialog::accept_pressed() {
    const platform::ClockResult result = set_clock_(local_time_of(edit_));
    const ClockReport report = clock_report(result.outcome);
    if (report.shown) {
        kit::show_message(this, report.refused ? QMessageBox::Critical : QMessageBox::Warning, qs(report.title),
                          qs(report.text));
        if (report.refused) return;
    }
    accept();
}

namespace {

void open(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    if (open) return;
    open = true;
    const views::Texts& texts = c.texts;
    SetTimeDialog dialog([&texts](unsigned n) { return texts.text(n); }, platform::local_time_now(),
                         platform::set_local_clock, over);
    dialog.exec();
    open = false;
}

}  // namespace

const kit::DialogRow set_time_dialog{kit::DialogId::set_time, open};

}  // namespace dryer::setup
