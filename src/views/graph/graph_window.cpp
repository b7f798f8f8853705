#include "views/graph/graph_window.h"

#include <QButtonGroup>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "kit/fit_text.h"
#include "kit/panel_style.h"
#include "logging/data_logs/data_logs.h"
#include "views/scene/texts.h"

namespace dryer::views {

namespace {

using logging::GraphTrace;

QColor colour_of(GraphRgb c) { return QColor(c.r, c.g, c.b); }
QRect rect_of(const GraphBox& b) { return QRect(QPoint(b.left, b.top), QPoint(b.right - 1, b.bottom - 1)); }
QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A localized text, or the English one when the language has none.
QString text_or(const Texts& texts, unsigned n, const char* fallback) {
    const std::string t = texts.text(n);
    return t.empty() ? QString::fromUtf8(fallback) : qs(t);
}

void draw_label(QPainter& p, const GraphLabel& l) {
    const int align = l.align == GraphAlign::left    ? Qt::AlignLeft
                      : l.align == GraphAlign::right ? Qt::AlignRight
                                                     : Qt::AlignHCenter;
    p.setPen(colour_of(l.colour));
    kit::draw_fitted_text(p, rect_of(l.box), align | Qt::AlignTop, qs(l.text), kit::panel_font(l.size, l.weight));
}

struct TraceButtonPlace {
    const char* name;
    int x, y;
};
constexpr std::array<TraceButtonPlace, logging::kGraphTraceCount> kTraceButtons{{
    {"GRAPH_MOIST_IN_BUTTON", 8, 260},
    {"GRAPH_TEMP_IN_BUTTON", 8, 300},
    {"GRAPH_MOIST_OUT_BUTTON", 138, 260},
    {"GRAPH_TEMP_OUT_BUTTON", 138, 300},
    {"GRAPH_DRYER_GRAIN_TEMP_BUTTON", 270, 260},
    {"GRAPH_MR_SPEED_BUTTON", 270, 300},
}};
constexpr int kFirstTracePicture = 64;
constexpr const char* kHourNames[4] = {"1 HOUR", "2 HOURS", "4 HOURS", "8 HOUR"};

}  // namespace

void paint_graph(QImage& image, const GraphScene& scene) {
    if (image.size() != QSize(kGraphWidth, kGraphHeight)) image = QImage(kGraphWidth, kGraphHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QRgb grid = qRgb(kGraphGridColour.r, kGraphGridColour.g, kGraphGridColour.b);
    for (int y : kGraphGridRows)
        for (int x = kGraphGridFirstX; x <= kGraphGridLastX; x += kGraphGridPitch) image.setPixel(x, y, grid);
    QPainter p(&image);
    p.setPen(colour_of(kGraphBaseColour));
    p.drawLine(0, kGraphBaseY, kGraphWidth, kGraphBaseY);
    for (const GraphLabel& l : scene.value_labels) draw_label(p, l);
    for (const GraphLine& line : scene.lines) {
        p.setPen(QPen(colour_of(line.colour), 1));
        QPolygon poly(static_cast<int>(line.points.size()));
        for (std::size_t i = 0; i < line.points.size(); ++i)
            poly.setPoint(static_cast<int>(i), line.points[i].x, line.points[i].y);
        p.drawPolyline(poly);
    }
    for (const GraphBox& bar : kGraphFrameBars) p.fillRect(rect_of(bar), colour_of(kGraphFrameColour));
    for (const GraphLabel& l : scene.time_labels) draw_label(p, l);
    draw_label(p, scene.offset_label);
}

DrawGraphWindow::DrawGraphWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DRAW_GRAPH_WINDOW"));
    setWindowTitle(QStringLiteral(" DRYER VARIABLES ARE SAMPLED ONCE EACH MINUTE"));
    // The image covers the whole area: nothing is erased below it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void DrawGraphWindow::set_image(const QImage& image) {
    image_ = image;
    update();
}

void DrawGraphWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (image_.isNull()) p.fillRect(rect(), Qt::black);
    else p.drawImage(0, 0, image_);
}

GraphTraceButton::GraphTraceButton(const QString& name, QWidget* parent, int picture, GraphRgb colour)
    : kit::PictureButton(name, parent, picture), colour_(colour) {}

void GraphTraceButton::set_on(bool on) {
    if (on == on_) return;
    on_ = on;
    update();
}

void GraphTraceButton::paintEvent(QPaintEvent* event) {
    kit::PictureButton::paintEvent(event);
    if (!on_) return;
    QPainter p(this);
    p.setPen(QPen(colour_of(colour_), 3));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
}

GraphSetupDialog::GraphSetupDialog(QWidget* over, const Texts& texts, unsigned scale)
    : kit::PanelDialog(over, text_or(texts, 453, "GRAPH SETUP - 25")), radios_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("GRAPH SETUP - 25"));
    const QFont font = kit::panel_font(16, 700);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(text_or(texts, kGraphScaleTexts[static_cast<std::size_t>(i)], kHourNames[i]), this);
        b->setObjectName(QString::fromUtf8(kHourNames[i]));
        b->setFocusPolicy(Qt::NoFocus);
        b->setFont(font);
        b->setGeometry(20, 12 + i * 48, 190, kit::kTouchButtonHeight);
        kit::fit_button_text(*b);
        auto* r = new QRadioButton(this);
        r->setObjectName(QString::fromUtf8(kHourNames[i]) + QStringLiteral(" RADIO"));
        r->setFocusPolicy(Qt::NoFocus);
        r->setGeometry(225, 12 + i * 48, 40, kit::kTouchButtonHeight);
        radios_->addButton(r, i);
        hours_[static_cast<std::size_t>(i)] = b;
        connect(b, &QPushButton::clicked, r, [r] { r->setChecked(true); });
    }
    if (QAbstractButton* r = radios_->button(static_cast<int>(scale <= 3 ? scale : 0))) r->setChecked(true);
    accept_ = new QPushButton(text_or(texts, 4, "ACCEPT/EXIT"), this);
    accept_->setObjectName(QStringLiteral("ACCEPT/EXIT"));
    accept_->setFocusPolicy(Qt::NoFocus);
    accept_->setFont(font);
    accept_->setGeometry(40, 210, 200, kit::kTouchButtonHeight);
    kit::fit_button_text(*accept_);
    connect(accept_, &QPushButton::clicked, this, &QDialog::accept);
    place_below_caption(280, 262);
}

unsigned GraphSetupDialog::chosen_scale() const { return graph_scale_of_radio(radios_->checkedId()); }

GraphScreen::GraphScreen(logging::GraphLog& log, logging::SettingsStore& stored, const Texts& texts,
                         kit::PanelEvents* events, QWidget* parent)
    : kit::PanelWindow(parent, QStringLiteral("GRAPH_WINDOW"), QStringLiteral(" GRAPH OF SELECTED DRYER VARIABLES"), false,
                       kit::Look::setup),
      log_(log),
      stored_(stored),
      texts_(texts),
      drawing_(new DrawGraphWindow(this)),
      scroll_(new QScrollBar(Qt::Horizontal, this)),
      setup_(new QPushButton(this)) {
    resize(400, 380);
    const logging::StoredSettings s = stored_.settings();
    scale_ = s.graph_horizontal_scale <= 3 ? s.graph_horizontal_scale : 0;
    traces_ = static_cast<std::uint8_t>(s.graph_traces & 0x3F);

    drawing_->setGeometry(5, 5, kGraphWidth, kGraphHeight);
    scroll_->setObjectName(QStringLiteral("GRAPH_SCROLL_BAR"));
    scroll_->setGeometry(5, 225, 380, 25);
    scroll_->setSingleStep(1);
    scroll_->setPageStep(1);
    scroll_->setFocusPolicy(Qt::NoFocus);
    connect(scroll_, &QScrollBar::actionTriggered, this, &GraphScreen::on_scroll_action);
    connect(scroll_, &QScrollBar::sliderReleased, this,
            [this] { scroll_->setValue(graph_scroll_position(hours_available_, offset_)); });

    for (std::size_t t = 0; t < logging::kGraphTraceCount; ++t) {
        const auto trace = static_cast<GraphTrace>(t);
        auto* b = new GraphTraceButton(QString::fromUtf8(kTraceButtons[t].name), this, kFirstTracePicture + static_cast<int>(t),
                                       graph_trace_style(trace).line);
        b->setGeometry(kTraceButtons[t].x, kTraceButtons[t].y, 110, 33);
        b->set_on(graph_trace_on(traces_, trace));
        connect(b, &QPushButton::clicked, this, [this, trace] { toggle_trace(trace); });
        buttons_[t] = b;
    }
    setup_->setObjectName(QStringLiteral("GRAPH SETUP"));
    setup_->setFocusPolicy(Qt::NoFocus);
    setup_->setFont(kit::panel_font(14, 700));
    setup_->setGeometry(195, 340, 185, 25);
    connect(setup_, &QPushButton::clicked, this, &GraphScreen::open_setup);
    load_texts();

    if (events) {
        // The housekeeping appends on its tick; the cache tells whether the
        // files changed, so an unchanged folder costs no repaint.
        connect(events, &kit::PanelEvents::second_tick, this, [this] {
            if (isVisible()) refresh();
        });
        connect(events, &kit::PanelEvents::language_changed, this, [this] {
            load_texts();
            for (auto* b : buttons_) b->reload_picture();
            drawn_generation_ = ~std::uint64_t{0};
            refresh();
        });
    }
}

void GraphScreen::load_texts() {
    hours_text_ = texts_.text(460);
    if (hours_text_.empty()) hours_text_ = "HRS";
    setup_->setText(text_or(texts_, 453, "GRAPH SETUP"));
    kit::fit_button_text(*setup_);
}

void GraphScreen::refresh() {
    const logging::GraphWindow& w = log_.window(scale_, offset_);
    max_offset_ = w.max_offset;
    hours_available_ = w.hours_available;
    scroll_->setRange(0, static_cast<int>(hours_available_));
    const int position = graph_scroll_position(hours_available_, offset_);
    scroll_->setSliderPosition(position);
    scroll_->setValue(position);
    if (w.generation == drawn_generation_ && traces_ == drawn_traces_ && offset_ == drawn_offset_) return;
    paint_graph(image_, graph_scene(w, traces_, offset_, hours_text_));
    drawing_->set_image(image_);
    drawn_generation_ = w.generation;
    drawn_traces_ = traces_;
    drawn_offset_ = offset_;
}

void GraphScreen::showEvent(QShowEvent* event) {
    kit::PanelWindow::showEvent(event);
    refresh();
}

void GraphScreen::on_scroll_action(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
        case QAbstractSlider::SliderPageStepSub: scroll_back(); break;
        case QAbstractSlider::SliderSingleStepAdd:
        case QAbstractSlider::SliderPageStepAdd: scroll_forward(); break;
        default: break;  // dragging the thumb moves nothing
    }
    // The position is set again after every action, dragging included.
    scroll_->setSliderPosition(graph_scroll_position(hours_available_, offset_));
}

void GraphScreen::scroll_back() {
    offset_ = graph_scroll_left(offset_, max_offset_);
    refresh();
}

void GraphScreen::scroll_forward() {
    offset_ = graph_scroll_right(offset_);
    refresh();
}

void GraphScreen::toggle_trace(GraphTrace trace) {
    traces_ = graph_toggle_trace(traces_, trace);
    buttons_[static_cast<std::size_t>(trace)]->set_on(graph_trace_on(traces_, trace));
    stored_.write(logging::StoredKey::graph_traces_on_off, traces_);
    refresh();
}

void GraphScreen::set_scale(unsigned scale) {
    scale_ = scale <= 3 ? scale : 0;
    stored_.write(logging::StoredKey::graph_horizontal_scale, static_cast<std::uint8_t>(scale_));
    refresh();
}

void GraphScreen::open_setup() {
    GraphSetupDialog dialog(this, texts_, scale_);
    if (dialog.exec() == QDialog::Accepted) set_scale(dialog.chosen_scale());
}

namespace {
QWidget* create(kit::PanelContext& c, QWidget* parent) {
    if (!c.logs) return nullptr;
    return new GraphScreen(c.logs->graph, c.logs->stored, c.texts, &c.events, parent);
}
}  // namespace

const kit::ScreenRow graph_screen{kit::WindowId::graph,
                                  "GRAPH_WINDOW",
                                  " GRAPH OF SELECTED DRYER VARIABLES",
                                  {240, 40, 400, 380},
                                  kit::Frame::none,
                                  false,
                                  false,
                                  0,
                                  create};

}  // namespace dryer::views
