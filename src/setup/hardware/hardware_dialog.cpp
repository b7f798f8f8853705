#include "setup/hardware/hardware_dialog.h"

#include <QPainter>
#include <QPushButton>

#include "kit/fit_text.h"
#include "kit/local_text.h"
#include "kit/panel_style.h"
#include "kit/touch_button.h"
#include "setup/setup_dialogs/setup_dialogs.h"
#include "views/scene/texts.h"

namespace dryer::setup {

namespace {

constexpr int kCaptionH = 22;
constexpr int kButtonH = 44;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A two-line check button ("Grain Inverter" over "Present"), lit green while
// its option is on; the dialog sets the state, a press only asks.
QPushButton* add_option(QWidget* parent, const QString& name, const QString& caption, QRect place) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCheckable(true);
    b->setGeometry(place);
    b->setStyleSheet(QStringLiteral("QPushButton:checked { background-color: rgb(0, 160, 0); color: white; }"));
    b->setFont(kit::fit_text(caption, b->rect().adjusted(6, 4, -6, -4), parent->font(), true).font);
    return b;
}

constexpr std::array<const char*, 2> kSensorGroups{l10n::english("Wet Moisture Sensor Selection (Incoming Grain)"),
                                                   l10n::english("Dry Moisture Sensor Selection (Exiting Grain)")};

QStringList qlist(const std::vector<std::string>& v) {
    QStringList out;
    for (const std::string& s : v) out << qs(s);
    return out;
}

}  // namespace

ChoiceGroup::ChoiceGroup(QWidget* parent, const QString& name, QRect place, int columns, int choices_height)
    : QWidget(parent), columns_(columns), choices_height_(choices_height) {
    setObjectName(name);
    setGeometry(place);
}

void ChoiceGroup::set(const QString& caption, const QStringList& choices, int checked) {
    if (caption == caption_ && choices == choices_ && checked == checked_) return;
    caption_ = caption;
    choices_ = choices;
    checked_ = checked;
    update();
}

QRect ChoiceGroup::button_room() const {
    const int top = kCaptionH + choices_height_ + 4;
    return QRect(6, top, width() - 12, height() - top - 6);
}

void ChoiceGroup::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(96, 96, 96));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    kit::draw_fitted_text(p, QRect(6, 2, width() - 12, kCaptionH - 2), Qt::AlignLeft | Qt::AlignVCenter, caption_,
                          kit::panel_font(16, 700));
    if (choices_.isEmpty()) return;
    const int n = static_cast<int>(choices_.size());
    const int rows = (n + columns_ - 1) / columns_;
    const int col_w = (width() - 12) / columns_;
    const int row_h = choices_height_ / rows;
    for (int i = 0; i < n; ++i) {
        const QRect cell(6 + (i / rows) * col_w, kCaptionH + (i % rows) * row_h, col_w, row_h);
        const QRect dot(cell.left() + 2, cell.center().y() - 6, 12, 12);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawEllipse(dot);
        if (i == checked_) {
            p.setBrush(Qt::black);
            p.drawEllipse(dot.adjusted(3, 3, -3, -3));
        }
        kit::draw_fitted_text(p, cell.adjusted(18, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, choices_[i],
                              kit::panel_font(15, 400));
    }
}

// ---- DRYER HARDWARE SETUP - 05 ----------------------------------------------

DryerHardwareDialog::DryerHardwareDialog(kit::PanelContext& context, QWidget* over)
    : kit::PanelDialog(over, QStringLiteral("DRYER HARDWARE SETUP - 05")),
      context_(context),
      text_([&texts = context.texts](unsigned n) { return texts.text(n); }),
      model_(context.state) {
    set_caption(kit::local("DRYER HARDWARE SETUP - 05"));  // the object keeps its English name
    setFont(kit::panel_font(16, 700));
    // Four small groups across the top; the lengths below with the options
    // beside them.
    const std::array<const char*, kHardwareGroupCount> names{"Number FH", "Number Modules", "Fuel", "Load System",
                                                             "Dryer Length (ft)"};
    for (std::size_t g = 0; g < kHardwareGroupCount; ++g) {
        const bool length = g == static_cast<std::size_t>(HardwareGroup::length);
        const QRect place = length ? QRect(5, 205, 460, 195) : QRect(5 + static_cast<int>(g) * 153, 5, 147, 195);
        auto* box = new ChoiceGroup(this, QString::fromLatin1(names[g]), place, length ? 3 : 1, 120);
        auto* select = kit::touch_button(box, QStringLiteral("SELECT"), qs(title_text(text_(20), "SELECT")),
                                        box->button_room());
        const auto group = static_cast<HardwareGroup>(g);
        connect(select, &QPushButton::clicked, this, [this, group] {
            model_.select(group);
            redraw();
        });
        groups_[g] = box;
    }
    inverter_ = add_option(this, QStringLiteral("Grain Inverter"), kit::local("Grain Inverter\nPresent"),
                           QRect(475, 205, 140, kButtonH + 4));
    connect(inverter_, &QPushButton::clicked, this, [this] {
        model_.toggle_inverter();
        redraw();
    });
    sampler_ = add_option(this, QStringLiteral("Cycled Sampler"), kit::local("Cycled Sampler\nEnabled"),
                          QRect(475, 257, 140, kButtonH + 4));
    connect(sampler_, &QPushButton::clicked, this, &DryerHardwareDialog::sampler_pressed);
    auto* sensors = kit::touch_button(this, QStringLiteral("SENSOR SETUP"), kit::local("SENSOR SETUP"),
                               QRect(475, 309, 140, kButtonH));
    sensors->setEnabled(context_.shell.has_dialog(kit::DialogId::sensor_selection));
    connect(sensors, &QPushButton::clicked, this,
            [this] { context_.shell.open_dialog(kit::DialogId::sensor_selection, this); });
    auto* accept_exit = kit::touch_button(this, QStringLiteral("ACCEPT/EXIT"), kit::local("ACCEPT/EXIT"),
                                   QRect(475, 357, 140, kButtonH));
    connect(accept_exit, &QPushButton::clicked, this, [this] {
        context_.shell.request_graph_redraw();
        model_.accept();
        accept();
    });
    place_below_caption(620, 405);
    redraw();
}

void DryerHardwareDialog::redraw() {
    const HardwareView v = model_.view(text_);
    for (std::size_t g = 0; g < kHardwareGroupCount; ++g) {
        const HardwareGroupView& gv = v.groups[g];
        groups_[g]->set(qs(gv.caption), qlist(gv.choices), gv.checked);
        groups_[g]->setVisible(gv.shown);
    }
    inverter_->setVisible(v.inverter_shown);
    inverter_->setChecked(v.inverter_present);
    sampler_->setChecked(v.sampler_enabled);
}

void DryerHardwareDialog::sampler_pressed() {
    if (model_.sampler_enabled()) {
        model_.set_sampler(false);
    } else {
        const Question q{title_text(text_(388), "Cycled Sampler"),
                         title_text(text_(389),
                                    "Selecting YES requires the cycled sampler to be installed, are you sure?")};
        QuestionDialog ask(this, QStringLiteral("Cycled Sampler"), q, text_);
        const int answer = ask.exec();
        if (answer == QuestionDialog::yes) model_.set_sampler(true);
        if (answer == QuestionDialog::no) model_.set_sampler(false);
    }
    redraw();  // the button shows the working copy, whatever the click did to it
}

// ---- Moisture Sensor Selection --------------------------------------------

SensorSelectionDialog::SensorSelectionDialog(link::LinkState& state, QWidget* over)
    : kit::PanelDialog(over, QStringLiteral("Moisture Sensor Selection")), model_(state) {
    set_caption(kit::local("Moisture Sensor Selection"));
    setFont(kit::panel_font(16, 700));
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        const auto place = static_cast<SensorPlace>(i);
        auto* box = new ChoiceGroup(this, QString::fromLatin1(kSensorGroups[i]),
                                    QRect(5 + static_cast<int>(i) * 280, 5, 270, 130), 1, 56);
        const QRect room = box->button_room();
        const int half = room.width() / 2;
        auto* analog = kit::touch_button(box, QStringLiteral("Analog Interface"), kit::local("Analog Interface"),
                                  QRect(room.left(), room.top(), half - 3, room.height()));
        auto* network = kit::touch_button(box, QStringLiteral("Network Interface"), kit::local("Network Interface"),
                                   QRect(room.left() + half + 3, room.top(), half - 3, room.height()));
        connect(analog, &QPushButton::clicked, this, [this, place] {
            model_.choose(place, SensorKind::analog);
            redraw();
        });
        connect(network, &QPushButton::clicked, this, [this, place] {
            model_.choose(place, SensorKind::network);
            redraw();
        });
        groups_[i] = box;
    }
    auto* accept_button = kit::touch_button(this, QStringLiteral("Accept"), kit::local("Accept"),
                                     QRect(140, 145, 130, kButtonH));
    connect(accept_button, &QPushButton::clicked, this, [this] {
        model_.accept();
        accept();
    });
    auto* cancel = kit::touch_button(this, QStringLiteral("Cancel"), kit::local("Cancel"), QRect(290, 145, 130, kButtonH));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    place_below_caption(560, 195);
    redraw();
}

void SensorSelectionDialog::redraw() {
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        const SensorKind k = model_.kind(static_cast<SensorPlace>(i));
        const int checked = k == SensorKind::analog ? 0 : k == SensorKind::network ? 1 : -1;
        groups_[i]->set(kit::local(kSensorGroups[i]), {kit::local("Analog (DAZ Style)"), kit::local("Network")},
                        checked);
    }
}

namespace {

// Runs the hardware setup modally over `over`; the controller's report of
// the dryer family shows while it is open.
void open_hardware(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    if (open) return;
    open = true;
    DryerHardwareDialog dialog(c, over);
    const auto redraw = QObject::connect(&c.events, &kit::PanelEvents::redraw, &dialog, [&dialog](std::uint64_t bits) {
        if (bits & link::redraw::setup_dialogs) dialog.redraw();
    });
    dialog.exec();
    QObject::disconnect(redraw);
    open = false;
}

void open_sensor_selection(kit::PanelContext& c, QWidget* over, int) {
    static bool open = false;
    if (open) return;
    open = true;
    SensorSelectionDialog dialog(c.state, over);
    dialog.exec();
    open = false;
}

}  // namespace

const kit::DialogRow dryer_hardware_dialog{kit::DialogId::dryer_hardware, open_hardware};
const kit::DialogRow sensor_selection_dialog{kit::DialogId::sensor_selection, open_sensor_selection};

}  // namespace dryer::setup
