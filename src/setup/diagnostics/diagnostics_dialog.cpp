#include "setup/diagnostics/diagnostics_dialog.h"

#include <QFrame>
#include <algorithm>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "kit/fit_text.h"
#include "kit/local_text.h"
#include "kit/message_box.h"
#include "kit/picture_button.h"
#include "l10n/resources.h"
#include "link/settings_edit.h"
#include "setup/setup_dialogs/setup_dialogs.h"
#include "views/scene/texts.h"

namespace dryer::setup {

namespace {

constexpr std::uint64_t kLiveBits = link::redraw::diagnostics | link::redraw::switch_test |
                                    link::redraw::setup_dialogs;

QString qs(const std::string& s) { return QString::fromStdString(s); }

TextFn text_of(const kit::PanelContext& c) {
    const views::Texts* texts = &c.texts;
    return [texts](unsigned n) { return texts->text(n); };
}

QPushButton* add_button(QWidget* parent, const char* name, QRect place) {
    auto* b = new QPushButton(QString::fromUtf8(name), parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(place);
    return b;
}

// A group's frame with its caption fitted on its top edge.
class GroupFrame : public QFrame {
public:
    GroupFrame(QWidget* parent, const QString& name, QRect place) : QFrame(parent) {
        setObjectName(name);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setGeometry(place);
    }
    void set_caption(const QString& c) {
        caption_ = c;
        update();
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QFrame::paintEvent(e);
        QPainter p(this);
        p.setPen(Qt::black);
        kit::draw_fitted_text(p, QRect(8, 2, width() - 16, 22), Qt::AlignLeft | Qt::AlignVCenter, caption_,
                              kit::panel_font(15, 700));
    }

private:
    QString caption_;
};

// Answers a confirmation with Yes, No or CANCEL; returns true on Yes.
bool confirmed(QWidget* over, const char* name, const Confirmation& c, const TextFn& text) {
    QStringList lines;
    for (unsigned n : c.lines) lines << qs(text(n));
    const Question q{title_text(text(c.caption), name), lines.join(QLatin1Char('\n')).toStdString()};
    QuestionDialog d(over, QString::fromUtf8(name), q, text);
    return d.exec() == QuestionDialog::yes;
}

// Keeps `dialog` up to date while it is open.
template <class D> void follow_status(kit::PanelContext& c, D& dialog) {
    QObject::connect(&c.events, &kit::PanelEvents::redraw, &dialog, [&dialog](std::uint64_t bits) {
        if (bits & kLiveBits) dialog.refresh();
    });
    QObject::connect(&c.events, &kit::PanelEvents::language_changed, &dialog, [&dialog] { dialog.refresh(); });
}

}  // namespace

// ---- CheckMark ---------------------------------------------------------------

CheckMark::CheckMark(QWidget* parent, const QString& name, const QString& label) : QWidget(parent), label_(label) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CheckMark::set_checked(bool on) {
    if (on == checked_) return;
    checked_ = on;
    update();
}

void CheckMark::set_label(const QString& label) {
    if (label == label_) return;
    label_ = label;
    update();
}

void CheckMark::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(16, height() - 2);
    const QRect box(1, (height() - side) / 2, side, side);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(box);
    if (checked_) {
        p.setPen(QPen(QColor(0, 0, 0), 2));
        p.drawLine(box.left() + 3, box.center().y(), box.center().x() - 1, box.bottom() - 3);
        p.drawLine(box.center().x() - 1, box.bottom() - 3, box.right() - 2, box.top() + 3);
    }
    if (label_.isEmpty()) return;
    p.setPen(Qt::black);
    kit::draw_fitted_text(p, QRect(side + 6, 0, width() - side - 6, height()), Qt::AlignLeft | Qt::AlignVCenter,
                          label_, kit::panel_font(14, 700));
}

// ---- System Diagnostics ----------------------------------------------------

DiagnosticsDialog::DiagnosticsDialog(kit::PanelContext& context, QWidget* over)
    : kit::PanelDialog(over, QStringLiteral("System Diagnostics - 14")), context_(context), text_(text_of(context)) {
    setObjectName(QStringLiteral("System Diagnostics - 14"));
    setFont(kit::panel_font(16, 700));
    begin_diagnostics(context_.state);

    auto* io = new GroupFrame(this, QStringLiteral("Display I/O Testing"), {10, 8, 285, 140});
    auto* lights = add_button(this, "Check Light Outputs", {22, 38, 260, 46});
    auto* switches = add_button(this, "Check Switch Wiring", {22, 92, 260, 46});
    auto* air = new GroupFrame(this, QStringLiteral("Airswitch"), {10, 156, 285, 140});
    air_switch_mark_ = new CheckMark(this, QStringLiteral("Air Switch Testing Disabled"), {});
    air_switch_mark_->setGeometry(22, 186, 264, 36);
    air_switch_button_ = add_button(this, "DISABLE Testing", {22, 240, 260, 46});
    auto* rolls = new GroupFrame(this, QStringLiteral("Metering Rolls"), {305, 8, 305, 288});
    setup_rolls_ = add_button(this, "Setup Metering Rolls", {317, 38, 281, 46});
    set_speed_ = add_button(this, "Set MR Speed Via Screen", {317, 100, 281, 46});
    set_speed_->setCheckable(true);
    auto* sensor = add_button(this, "Disable metering rolls sensor failure shutdown", {317, 162, 281, 56});
    calibrate_ = add_button(this, "Calibrate Moisture Sensors", {317, 234, 281, 46});
    auto* help = add_button(this, "Help", {305, 306, 145, 50});
    auto* exit = add_button(this, "Exit", {465, 306, 145, 50});

    captioned_ = {{io, 203},         {lights, 204},    {switches, 205}, {air, 206},
                  {air_switch_mark_, 209}, {rolls, 210}, {setup_rolls_, 211}, {set_speed_, 212},
                  {sensor, 213},     {calibrate_, 214}, {help, 3},       {exit, 145}};

    setup_rolls_->setEnabled(context_.shell.has_dialog(kit::DialogId::meter_roll_voltage));
    calibrate_->setEnabled(context_.shell.has_dialog(kit::DialogId::moisture_calibration));
    connect(lights, &QPushButton::clicked, this, &DiagnosticsDialog::open_lights);
    connect(switches, &QPushButton::clicked, this, &DiagnosticsDialog::open_switches);
    connect(air_switch_button_, &QPushButton::clicked, this, &DiagnosticsDialog::ask_air_switch);
    // The button shows the flag, not the press: the question decides.
    connect(set_speed_, &QPushButton::clicked, this, [this] {
        set_speed_->setChecked(view_.set_speed_pressed);
        ask_set_speed();
    });
    connect(sensor, &QPushButton::clicked, this, &DiagnosticsDialog::ask_sensor_shutdown);
    connect(setup_rolls_, &QPushButton::clicked, this,
            [this] { context_.shell.open_dialog(kit::DialogId::meter_roll_voltage, this); });
    connect(calibrate_, &QPushButton::clicked, this,
            [this] { context_.shell.open_dialog(kit::DialogId::moisture_calibration, this); });
    connect(help, &QPushButton::clicked, this, [this] {
        kit::show_message(this, QMessageBox::Information, qs(title_text(text_(390), "DIAGNOSTICS HELP")),
                          QString::fromStdU16String(l10n::help_text("DiagnosticScreenHelp.txt")),
                          QMessageBox::Ok | QMessageBox::Cancel);
    });
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    place_below_caption(620, 366);
    follow_status(context_, *this);
    refresh();
}

DiagnosticsDialog::~DiagnosticsDialog() { end_diagnostics(context_.state); }

void DiagnosticsDialog::refresh() {
    view_ = refresh_diagnostics(context_.state);
    set_caption(qs(title_text(text_(202), "System Diagnostics - 14")));
    for (auto& [w, n] : captioned_) {
        const QString caption = qs(title_text(text_(n), w->objectName().toUtf8().constData()));
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            b->setText(caption);
        } else if (auto* g = dynamic_cast<GroupFrame*>(w)) {
            g->set_caption(caption);
        } else if (auto* m = dynamic_cast<CheckMark*>(w)) {
            m->set_label(caption);
        }
    }
    air_switch_mark_->set_checked(view_.air_switch_checked);
    air_switch_button_->setText(
        qs(title_text(text_(view_.air_switch_button), view_.air_switch_button == 208 ? "ENABLE Testing"
                                                                                        : "DISABLE Testing")));
    set_speed_->setChecked(view_.set_speed_pressed);
    for (QPushButton* b : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) kit::fit_button_text(*b);
}

void DiagnosticsDialog::ask_set_speed() {
    if (confirmed(this, "SET MR SPEED", set_speed_confirmation(context_.state), text_)) answer_set_speed(context_.state);
    refresh();
}

void DiagnosticsDialog::ask_sensor_shutdown() {
    if (confirmed(this, "SENSOR SHUTDOWN", sensor_shutdown_confirmation(context_.state.status), text_))
        answer_sensor_shutdown(context_.state);
    refresh();
}

void DiagnosticsDialog::ask_air_switch() {
    AirSwitchQuestion q(context_.state.status);
    // Disabling asks twice: the first Yes only brings the second question.
    while (confirmed(this, "AIR SWITCH TESTING", q.confirmation(), text_)) {
        if (q.yes(context_.state)) break;
    }
    refresh();
}

void DiagnosticsDialog::open_lights() {
    LightOutputsDialog d(context_, this);
    d.exec();
}

void DiagnosticsDialog::open_switches() {
    SwitchTestDialog d(context_, this);
    d.exec();
}

// ---- Light outputs -------------------------------------------------------------

LightOutputsDialog::LightOutputsDialog(kit::PanelContext& context, QWidget* over)
    : kit::PanelDialog(over, QStringLiteral("Display I/O Switch Light Outputs - 28")), context_(context) {
    setObjectName(QStringLiteral("Display I/O Switch Light Outputs - 28"));
    setFont(kit::panel_font(16, 700));
    const std::array<LightRow, 16> rows = light_rows(context_.state.status);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int y = 30 + static_cast<int>(i) * 21;
        auto* name = new FittedLines(this, 14, false);
        name->setObjectName(qs(rows[i].label));
        name->setGeometry(10, y, 200, 21);
        name->set_lines({kit::local(rows[i].label)});
        marks_[i][0] = new CheckMark(this, qs(rows[i].label) + QStringLiteral(" ACTIVATED"), {});
        marks_[i][0]->setGeometry(255, y + 1, 20, 19);
        marks_[i][1] = new CheckMark(this, qs(rows[i].label) + QStringLiteral(" SHORTED"), {});
        marks_[i][1]->setGeometry(345, y + 1, 20, 19);
    }
    auto* heads = new FittedLines(this, 14, false);
    heads->setObjectName(QStringLiteral("ACTIVATED"));
    heads->setGeometry(215, 4, 100, 22);
    auto* heads2 = new FittedLines(this, 14, false);
    heads2->setObjectName(QStringLiteral("SHORTED"));
    heads2->setGeometry(315, 4, 95, 22);
    auto* help = add_button(this, "HELP", {60, 374, 140, 46});
    auto* exit = add_button(this, "EXIT", {220, 374, 140, 46});
    connect(help, &QPushButton::clicked, this, [this] {
        kit::show_message(this, QMessageBox::Information,
                          qs(title_text(context_.texts.text(387), "CHECK LIGHT OUTPUTS HELP")),
                          QString::fromStdU16String(l10n::help_text("CheckLightOutputsHelp.txt")));
    });
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    place_below_caption(420, 430);
    follow_status(context_, *this);
    refresh();
}

void LightOutputsDialog::showEvent(QShowEvent* event) {
    kit::PanelDialog::showEvent(event);
    // Never past the screen's right edge.
    const int right = screen() ? screen()->geometry().right() + 1 : 640;
    move(std::max(0, std::min(x() + 20, right - width())), y());
}

void LightOutputsDialog::refresh() {
    const views::Texts& t = context_.texts;
    set_caption(qs(title_text(t.text(380), "Display I/O Switch Light Outputs - 28")));
    if (auto* h = findChild<FittedLines*>(QStringLiteral("ACTIVATED")))
        h->set_lines({qs(title_text(t.text(381), "ACTIVATED"))});
    if (auto* h = findChild<FittedLines*>(QStringLiteral("SHORTED")))
        h->set_lines({qs(title_text(t.text(382), "SHORTED"))});
    if (auto* b = findChild<QPushButton*>(QStringLiteral("HELP"))) b->setText(qs(title_text(t.text(3), "HELP")));
    if (auto* b = findChild<QPushButton*>(QStringLiteral("EXIT"))) b->setText(qs(title_text(t.text(145), "EXIT")));
    const std::array<LightRow, 16> rows = light_rows(context_.state.status);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        marks_[i][0]->set_checked(rows[i].activated);
        marks_[i][1]->set_checked(rows[i].shorted);
    }
    for (QPushButton* b : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) kit::fit_button_text(*b);
}

// ---- Switch test ---------------------------------------------------------------

SwitchTestDialog::SwitchTestDialog(kit::PanelContext& context, QWidget* over)
    : kit::PanelDialog(over, QStringLiteral("Display I/O Switch Test - 31")), context_(context) {
    setObjectName(QStringLiteral("Display I/O Switch Test - 31"));
    setFont(kit::panel_font(16, 700));
    const std::array<SwitchGroup, 7> groups = switch_groups(context_.state.status, text_of(context_));
    // J3 to J6 side by side; below them the dipswitch, the encoder and the
    // dryer-type switch (two columns of four).
    const std::array<QRect, 7> places{QRect{8, 6, 150, 206},   QRect{162, 6, 150, 206}, QRect{316, 6, 150, 206},
                                      QRect{470, 6, 150, 206}, QRect{8, 218, 150, 118}, QRect{162, 218, 150, 118},
                                      QRect{316, 218, 304, 118}};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        auto* frame = new GroupFrame(this, QStringLiteral("group %1").arg(g), places[g]);
        frame->set_caption(qs(groups[g].caption));
        for (std::size_t i = 0; i < groups[g].inputs.size(); ++i) {
            const SwitchInput& in = groups[g].inputs[i];
            const int col = static_cast<int>(i) / 4;
            const int x = places[g].x() + 6 + (g == 6 ? col * 150 : 0);
            const int y = places[g].y() + 26 + static_cast<int>(g == 6 ? i % 4 : i) * 22;
            auto* m = new CheckMark(this, qs(in.label), kit::local(in.label));
            m->setGeometry(x, y, 140, 22);
            marks_.push_back(m);
        }
    }
    auto* exit = add_button(this, "EXIT", {240, 344, 160, 46});
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    place_below_caption(628, 398);
    follow_status(context_, *this);
    refresh();
}

void SwitchTestDialog::refresh() {
    const TextFn text = text_of(context_);
    set_caption(qs(title_text(text(205), "Display I/O Switch Test - 31")));
    const std::array<SwitchGroup, 7> groups = switch_groups(context_.state.status, text);
    std::size_t k = 0;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (auto* f = findChild<GroupFrame*>(QStringLiteral("group %1").arg(g))) f->set_caption(qs(groups[g].caption));
        for (const SwitchInput& in : groups[g].inputs)
            if (k < marks_.size()) marks_[k++]->set_checked(in.closed);
    }
    if (auto* b = findChild<QPushButton*>(QStringLiteral("EXIT"))) {
        b->setText(qs(title_text(text(145), "EXIT")));
        kit::fit_button_text(*b);
    }
}

// ---- Programming update --------------------------------------------------------

QImage boot_loader_exit_picture(bool pressed, const QString& caption) {
    QImage im(159, 41, QImage::Format_RGB32);
    im.fill(pressed ? QColor(150, 150, 150) : QColor(200, 200, 200));
    QPainter p(&im);
    const QRect r = im.rect().adjusted(0, 0, -1, -1);
    p.setPen(pressed ? QColor(80, 80, 80) : QColor(255, 255, 255));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pressed ? QColor(255, 255, 255) : QColor(80, 80, 80));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(Qt::black);
    kit::draw_fitted_text(p, r.adjusted(4, 2 + (pressed ? 1 : 0), -4, -2 + (pressed ? 1 : 0)), Qt::AlignCenter,
                          caption, kit::panel_font(20, 700));
    return im;
}

BootLoaderWindow::BootLoaderWindow(kit::PanelContext& context, QWidget* parent)
    : kit::PanelWindow(parent, QStringLiteral("BOOT_LOADER_WINDOW"), kit::local(" UPDATE DRYER PROGRAMMING"), true),
      context_(context) {
    auto* exit = new kit::PictureButton(QStringLiteral("EXIT_BOOTLOADER_BUTTON"), this);
    // The caption and the button follow a change of language while shown.
    auto show_texts = [this, exit] {
        set_caption(kit::local(" UPDATE DRYER PROGRAMMING"));
        const QString caption = qs(title_text(context_.texts.text(145), "EXIT"));
        exit->set_images(boot_loader_exit_picture(false, caption), boot_loader_exit_picture(true, caption));
        update();
    };
    show_texts();
    connect(&context_.events, &kit::PanelEvents::language_changed, this, show_texts);
    const QMargins m = kit::caption_margins(look());
    exit->setGeometry(m.left() + 430, m.top() + 395, 159, 41);
    connect(exit, &QPushButton::clicked, this, [this] {
        hide();
        context_.shell.restore_main_screen();
    });
}

void BootLoaderWindow::paint_client(QPainter& p) {
    p.fillRect(QRect(0, 0, width(), height()), Qt::black);
    const QColor grey(200, 200, 200);
    p.setPen(QPen(grey, 1));
    for (int y = 25; y <= 375; y += 25) p.drawLine(0, y, width(), y);
    p.setPen(QPen(grey, 4));
    p.drawLine(2, 1, 629, 1);
    p.drawLine(2, 375, 629, 375);
    p.drawLine(2, 1, 2, 375);
    p.drawLine(629, 1, 629, 375);
    p.setPen(QColor(255, 0, 0));
    kit::draw_fitted_text(p, QRect(15, 0, 485, 25), Qt::AlignLeft | Qt::AlignVCenter,
                          kit::local("DISPLAY I/O:") + QStringLiteral("                 |||||||||||||||||||||||"),
                          kit::panel_font(14, 400));
}

namespace {

QWidget* make_boot_loader(kit::PanelContext& c, QWidget* parent) { return new BootLoaderWindow(c, parent); }

void open_diagnostics(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    if (open) return;
    open = true;
    {
        DiagnosticsDialog d(c, over);
        d.exec();
    }
    open = false;
}

}  // namespace

const kit::DialogRow diagnostics_dialog{kit::DialogId::diagnostics, open_diagnostics};

const kit::ScreenRow boot_loader_screen{kit::WindowId::boot_loader,
                                        "BOOT_LOADER_WINDOW",
                                        " UPDATE DRYER PROGRAMMING",
                                        {0, 0, 640, 480},
                                        kit::Frame::caption_bar,
                                        false,
                                        false,
                                        0,
                                        make_boot_loader};

}  // namespace dryer::setup
