#include "setup/setup_dialogs/setup_dialogs.h"

#include <QButtonGroup>
#include <QPainter>
#include <QPushButton>

#include "kit/fit_text.h"
#include "kit/local_text.h"
#include "kit/message_box.h"
#include "kit/panel_style.h"
#include "kit/touch_button.h"
#include "l10n/resources.h"
#include "l10n/texts.h"

namespace dryer::setup {

namespace {

constexpr int kButtonH = 50;

QString qs(const std::string& s) { return QString::fromStdString(s); }

QPushButton* add_button(QWidget* parent, const QString& name, const QString& caption, QRect place) {
    return kit::touch_button(parent, name, caption, place);
}

void panel_look(kit::PanelDialog& d, const QString& name) {
    d.setObjectName(name);
    d.setFont(kit::panel_font(16, 700));
}

}  // namespace

FittedLines::FittedLines(QWidget* parent, int pixel_size, bool wrap)
    : QWidget(parent), pixel_size_(pixel_size), wrap_(wrap) {}

void FittedLines::set_lines(const QStringList& lines) {
    lines_ = lines;
    update();
}

void FittedLines::paintEvent(QPaintEvent*) {
    if (lines_.isEmpty()) return;
    QPainter p(this);
    const int pitch = height() / static_cast<int>(lines_.size());
    const int flags = Qt::AlignVCenter | Qt::AlignLeft | (wrap_ ? Qt::TextWordWrap : 0);
    for (int i = 0; i < lines_.size(); ++i) {
        p.setPen(i == red_ ? QColor(255, 0, 0) : QColor(0, 0, 0));
        kit::draw_fitted_text(p, QRect(0, i * pitch, width(), pitch), flags, lines_[i], kit::panel_font(pixel_size_, 700));
    }
}

QuestionDialog::QuestionDialog(QWidget* over, const QString& name, const Question& q, const TextFn& text)
    : kit::PanelDialog(over, qs(q.title)) {
    panel_look(*this, name);
    auto* lines = new FittedLines(this, 18, true);
    lines->setGeometry(10, 10, 400, 90);
    lines->set_lines({qs(q.text)});
    const std::array<QString, 3> names{QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("CANCEL")};
    const std::array<unsigned, 3> numbers{134, 135, 10};
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const QString caption = qs(title_text(text(numbers[i]), names[i].toUtf8().constData()));
        buttons_[i] = add_button(this, names[i], caption, QRect(10 + static_cast<int>(i) * 137, 110, 126, kButtonH));
        const int answer = static_cast<int>(i) + 1;
        connect(buttons_[i], &QPushButton::clicked, this, [this, answer] { done(answer); });
    }
    place_below_caption(420, 170);
}

BurnerDifferentialDialog::BurnerDifferentialDialog(QWidget* over, link::LinkState& state, TextFn text)
    : kit::PanelDialog(over, qs(title_text(text(85), "MODIFYING BURNER DIFFERENTIAL SETTINGS - 15"))),
      state_(state),
      text_(std::move(text)),
      model_(state),
      lines_(new FittedLines(this, 16, false)) {
    panel_look(*this, QStringLiteral("MODIFYING BURNER DIFFERENTIAL SETTINGS - 15"));
    for (int i = 0; i < 6; ++i) {
        const QString name = QStringLiteral("PLENUM #%1").arg(i + 1);
        // Texts 327 down to 322 name plenums #1 to #6.
        const QString shown = qs(title_text(text_(327 - static_cast<unsigned>(i)), name.toLatin1().constData()));
        auto* b = add_button(this, name, shown, QRect(10, 10 + i * 46, 150, 40));
        connect(b, &QPushButton::clicked, this, [this, i] {
            model_.select(i + 1);
            redraw();
        });
        plenum_[static_cast<std::size_t>(i)] = b;
    }
    for (int d = 1; d <= 5; ++d) {
        const QString name = QStringLiteral("+/- %1 DEGREES").arg(d);
        auto* b = add_button(this, name, kit::local("+/- %1 DEGREES").arg(d), QRect(172, 10 + (d - 1) * 46, 160, 40));
        connect(b, &QPushButton::clicked, this, [this, d] {
            model_.set(d);
            redraw();
        });
    }
    lines_->setGeometry(346, 10, 264, 180);
    auto* help = add_button(this, QStringLiteral("HELP"), qs(title_text(text_(3), "HELP")), QRect(346, 236, 125, kButtonH));
    connect(help, &QPushButton::clicked, this, [this] {
        const QString title = qs(title_text(text_(364), "BURNER DIFFERENTIAL HELP"));
        kit::show_message(this, QMessageBox::Information, title,
                          QString::fromStdU16String(l10n::help_text("PlenumDiffHelp.txt")));
    });
    auto* accept_exit = add_button(this, QStringLiteral("ACCEPT / EXIT"), qs(title_text(text_(4), "ACCEPT / EXIT")),
                                   QRect(485, 236, 125, kButtonH));
    connect(accept_exit, &QPushButton::clicked, this, [this] {
        model_.accept(state_);
        accept();
    });
    place_below_caption(620, 296);
    redraw();
}

void BurnerDifferentialDialog::redraw() {
    for (int i = 0; i < 6; ++i) {
        QPalette pal = plenum_[static_cast<std::size_t>(i)]->palette();
        pal.setColor(QPalette::ButtonText, i + 1 == model_.selected() ? QColor(255, 0, 0) : QColor(0, 0, 0));
        plenum_[static_cast<std::size_t>(i)]->setPalette(pal);
    }
    QStringList l;
    for (const std::string& s : model_.lines(text_)) l << qs(s);
    lines_->set_lines(l);
}

WatchdogDialog::WatchdogDialog(QWidget* over, link::LinkState& state)
    : kit::PanelDialog(over, kit::local("WATCHDOG SETUP")),
      state_(state),
      type_(new QButtonGroup(this)),
      rings_(new QButtonGroup(this)) {
    panel_look(*this, QStringLiteral("WATCHDOG SETUP"));
    const Watchdog now = begin_watchdog(state_);
    auto* type_heading = new FittedLines(this, 16, false);
    type_heading->setGeometry(10, 6, 190, 24);
    type_heading->set_lines({kit::local("Connection Type")});
    const std::array<const char*, 3> types{l10n::english("Direct Serial"), l10n::english("MODEM"),
                                           l10n::english("ETHERNET")};
    for (int i = 0; i < 3; ++i) {
        auto* b = add_button(this, QString::fromLatin1(types[static_cast<std::size_t>(i)]),
                             kit::local(types[static_cast<std::size_t>(i)]), QRect(10, 34 + i * 54, 190, 48));
        b->setCheckable(true);
        b->setChecked(static_cast<int>(now.type) == i);
        type_->addButton(b, i);
    }
    type_->button(static_cast<int>(ConnectionType::ethernet))->setEnabled(false);  // not offered on this panel
    auto* rings_heading = new FittedLines(this, 16, false);
    rings_heading->setGeometry(220, 6, 290, 24);
    rings_heading->set_lines({kit::local("How many rings before connect?")});
    const std::array<const char*, 4> rings{l10n::english("1 RING"), l10n::english("5 RINGS"),
                                           l10n::english("10 RINGS"), l10n::english("15 RINGS")};
    for (int i = 0; i < 4; ++i) {
        auto* b = add_button(this, QString::fromLatin1(rings[static_cast<std::size_t>(i)]),
                             kit::local(rings[static_cast<std::size_t>(i)]),
                             QRect(220 + (i % 2) * 150, 34 + (i / 2) * 54, 140, 48));
        b->setCheckable(true);
        b->setChecked(now.rings == i);
        rings_->addButton(b, i);
    }
    auto* accept_exit =
        add_button(this, QStringLiteral("ACCEPT / EXIT"), qs(title_text(l10n::text_utf8(350), "ACCEPT / EXIT")),
                   QRect(220, 200, 140, kButtonH));
    connect(accept_exit, &QPushButton::clicked, this, [this] {
        accept_watchdog(state_, choice());
        accept();
    });
    auto* cancel = add_button(this, QStringLiteral("CANCEL"), qs(title_text(l10n::text_utf8(10), "CANCEL")),
                              QRect(370, 200, 140, kButtonH));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    place_below_caption(520, 260);
}

Watchdog WatchdogDialog::choice() const {
    // An unknown type that the operator did not replace stays as it was.
    const Watchdog now = watchdog_setting(state_.settings.get(link::off::watchdog));
    Watchdog w = now;
    if (type_->checkedId() >= 0) w.type = static_cast<ConnectionType>(type_->checkedId());
    if (rings_->checkedId() >= 0) w.rings = rings_->checkedId();
    return w;
}

UserSettingsDialog::UserSettingsDialog(QWidget* over, link::LinkState& state, const TextFn& text)
    : kit::PanelDialog(over, qs(title_text(text(215), "USER SETTINGS - 20"))) {
    panel_look(*this, QStringLiteral("USER SETTINGS - 20"));
    auto* lines = new FittedLines(this, 16, true);
    lines->setGeometry(10, 10, 440, 80);
    lines->set_lines({qs(text(216)), qs(text(217))});
    auto* save = add_button(this, QStringLiteral("SAVE SETTINGS"), qs(title_text(text(218), "SAVE SETTINGS")),
                            QRect(10, 100, 140, kButtonH));
    auto* restore = add_button(this, QStringLiteral("RESTORE SETTINGS"),
                               qs(title_text(text(219), "RESTORE SETTINGS")), QRect(160, 100, 140, kButtonH));
    auto* cancel = add_button(this, QStringLiteral("CANCEL"), qs(title_text(text(10), "CANCEL")),
                              QRect(310, 100, 140, kButtonH));
    link::LinkState* s = &state;
    connect(save, &QPushButton::clicked, this, [this, s] {
        request_user_settings(*s, true);
        accept();
    });
    connect(restore, &QPushButton::clicked, this, [this, s] {
        request_user_settings(*s, false);
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    place_below_caption(460, 160);
}

namespace {
// The Yes/No/Cancel message box of the hardware menu; true on "Yes".
bool box_says_yes(QWidget* over, const Question& q) {
    return kit::ask_yes(over, QMessageBox::Question, qs(q.title), qs(q.text),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}
// The localized question dialog of the extended menu; true on "Yes".
bool dialog_says_yes(QWidget* over, const char* name, const Question& q, const TextFn& text) {
    QuestionDialog d(over, QString::fromLatin1(name), q, text);
    return d.exec() == QuestionDialog::yes;
}
}  // namespace

bool run_units_question(QWidget* over, link::LinkState& state) {
    if (!box_says_yes(over, units_question(link::load(state.values.si_units) != 0))) return false;
    switch_units_on_panel(state);
    return true;
}

bool run_units_dialog(QWidget* over, link::LinkState& state, const TextFn& text) {
    const Question q = units_dialog_question(link::load(state.values.si_units) != 0, text);
    if (!dialog_says_yes(over, "Switch to SI units of Measure", q, text)) return false;
    switch_units_on_dryer(state);
    return true;
}

bool run_mrr_question(QWidget* over, link::LinkState& state) {
    if (!box_says_yes(over, mrr_question(mrr_active(state)))) return false;
    toggle_mrr(state);
    return true;
}

bool run_mrr_dialog(QWidget* over, link::LinkState& state, const TextFn& text) {
    if (!dialog_says_yes(over, "METERING ROLL REVERSE OPTION", mrr_dialog_question(mrr_active(state), text), text)) {
        return false;
    }
    toggle_mrr(state);
    return true;
}

bool run_burner_differential(QWidget* over, link::LinkState& state, const TextFn& text) {
    BurnerDifferentialDialog d(over, state, text);
    return d.exec() == QDialog::Accepted;
}

bool run_clear_batch_counter(QWidget* over, link::LinkState& state, const TextFn& text) {
    const Question q{title_text(text(221), "Clear Batch Counter"),
                     title_text(text(220), "Do you wish to clear the batch counter?")};
    if (!dialog_says_yes(over, "Clear Batch Counter", q, text)) return false;
    clear_batch_counter(state);
    return true;
}

bool run_watchdog(QWidget* over, link::LinkState& state) {
    WatchdogDialog d(over, state);
    return d.exec() == QDialog::Accepted;
}

bool run_user_settings(QWidget* over, link::LinkState& state, const TextFn& text) {
    UserSettingsDialog d(over, state, text);
    return d.exec() == QDialog::Accepted;
}

}  // namespace dryer::setup
