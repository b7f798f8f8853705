// dryer-buttongen: renders the localized button pictures and the warning
// illustrations of one language folder as BMP files.
//
//   dryer-buttongen buttons CAPTIONS [FALLBACK_CAPTIONS] OUTDIR
//       CAPTIONS holds "NUMBER<TAB>CAPTION" lines for pictures 1 to 73 ('|'
//       breaks a caption into lines); a number missing there is taken from
//       FALLBACK_CAPTIONS (the English captions). Writes the 77 pictures
//       GRAPHIC_0NN_....BMP into OUTDIR at the sizes of the buttons that show
//       them; 74 to 77 are the four views of the rear discharge.
//   dryer-buttongen illustrations LIST OUTDIR
//       LIST holds "NID_nn_WARNING_ID_ww<TAB>KIND<TAB>TITLE" lines; writes
//       one 500 by 400 picture NID_nn_WARNING_ID_ww.bmp per line.
//
// Text is drawn in Tahoma (fonts-wine), else DejaVu Sans. Runs headless.
#include <QtCore/QFile>
#include <QtCore/QMap>
#include <QtCore/QTextStream>
#include <QtGui/QFontDatabase>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QTextLayout>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "l10n/resources.h"

namespace {

QString g_family = QStringLiteral("DejaVu Sans");

void load_fonts() {
    const int regular = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"));
    if (regular >= 0) {
        const QStringList families = QFontDatabase::applicationFontFamilies(regular);
        if (!families.isEmpty()) g_family = families.first();
    }
}

QSize picture_size(int n) {
    if (n >= 1 && n <= 6) return {105, 40};     // main button row
    if ((n >= 12 && n <= 22) || n == 70 || n == 71) return {180, 50};  // temperature setpoints
    if (n == 41) return {158, 41};              // screen exit, on every screen
    if (n == 48 || n == 49) return {120, 60};   // auto-start page buttons
    if (n >= 50 && n <= 61) return {100, 40};   // grains
    if (n == 62) return {160, 47};              // auto-start begin
    if (n >= 64 && n <= 69) return {110, 33};   // graph traces
    if (n >= 74 && n <= 77) return {500, 400};  // rear discharge views
    return {200, 50};                           // picture buttons of the menus
}

QMap<int, QString> read_keyed(const QString& path) {
    QMap<int, QString> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return out;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0) continue;
        bool ok = false;
        const int n = line.left(tab).toInt(&ok);
        if (ok) out.insert(n, line.mid(tab + 1));
    }
    return out;
}

// Blank rows kept between the lowest ink of a caption line and the highest
// ink of the next: one more than the widest gap between a capital and its own
// accent at these sizes, so an accent reads as part of its own line.
constexpr int kLineGap = 3;

// A caption laid out in a text area: the font, its lines and each line's
// baseline row.
struct CaptionLayout {
    QFont font;
    QStringList lines;
    QList<int> baselines;
};

// First and last row that a line's glyphs cover (accents and descenders
// included) when it is drawn with its baseline on row 0, found by drawing it.
std::pair<int, int> ink_rows(const QFont& font, const QString& line) {
    const int px = font.pixelSize();
    QImage scratch(QFontMetrics(font).horizontalAdvance(line) + 2 * px, 3 * px, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    {
        QPainter p(&scratch);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPoint(px, 2 * px), line);
    }
    int first = scratch.height(), last = -1;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x)
            if (qAlpha(row[x]) != 0) {
                first = std::min(first, y);
                last = y;
                break;
            }
    }
    return last < 0 ? std::pair{0, -1} : std::pair{first - 2 * px, last - 2 * px};
}

// The caption's lines at a font: '|' breaks a line, and a part wider than
// width wraps at word boundaries as QPainter's word wrap does. Empty when a
// single word is wider than width.
QStringList wrapped_lines(const QString& caption, const QFont& font, int width) {
    QStringList out;
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    for (const QString& part : caption.split(QLatin1Char('|'))) {
        QTextLayout layout(part, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            if (line.naturalTextWidth() > width) return {};
            out += part.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
    }
    return out;
}

// Largest bold font (at most max_px) at which the caption fits the area: its
// lines at the font's line spacing fit the area's height (the rule the
// English pictures were sized by), and with the lines moved apart where
// needed to keep kLineGap blank rows between their ink, all ink lies inside
// the area. The block of line boxes is centred; when that would put ink
// outside the area, the block moves inside it.
CaptionLayout fitting_layout(const QString& caption, const QRect& area, int max_px) {
    CaptionLayout out;
    out.font = QFont(g_family);
    out.font.setBold(true);
    for (int px = max_px; px >= 7; --px) {
        out.font.setPixelSize(px);
        const QFontMetrics fm(out.font);
        const bool smallest = px == 7;  // the last resort is drawn whatever its size
        out.lines = wrapped_lines(caption, out.font, area.width());
        if (out.lines.isEmpty() && smallest) out.lines = caption.split(QLatin1Char('|'));
        const auto n = static_cast<int>(out.lines.size());
        if (!smallest && (n == 0 || fm.height() + (n - 1) * fm.lineSpacing() > area.height())) continue;
        out.baselines = {0};
        auto [ink_top, ink_bottom] = ink_rows(out.font, out.lines[0]);
        for (int i = 1; i < n; ++i) {
            const auto [top, bottom] = ink_rows(out.font, out.lines[i]);
            const int baseline = std::max(out.baselines.last() + fm.lineSpacing(), ink_bottom + 1 + kLineGap - top);
            out.baselines += baseline;
            ink_top = std::min(ink_top, baseline + top);
            ink_bottom = baseline + bottom;
        }
        if (!smallest && ink_bottom - ink_top + 1 > area.height()) continue;
        const QFontMetricsF fmf(out.font);
        int shift = qRound(area.top() + (area.height() - (out.baselines.last() + fmf.height())) / 2 + fmf.ascent());
        shift = std::max(shift, area.top() - ink_top);
        shift = std::min(shift, area.bottom() - ink_bottom);
        for (int& b : out.baselines) b += shift;
        return out;
    }
    return out;
}

QImage render_button(const QString& caption, QSize size) {
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient face(0, 0, 0, size.height());
    face.setColorAt(0.0, QColor(236, 236, 236));
    face.setColorAt(1.0, QColor(196, 196, 200));
    p.fillRect(img.rect(), face);
    // Raised 3-D edge: light top and left, dark bottom and right.
    const int w = size.width() - 1, h = size.height() - 1;
    p.setPen(QColor(255, 255, 255));
    p.drawLine(0, 0, w, 0);
    p.drawLine(0, 0, 0, h);
    p.drawLine(1, 1, w - 1, 1);
    p.drawLine(1, 1, 1, h - 1);
    p.setPen(QColor(64, 64, 64));
    p.drawLine(0, h, w, h);
    p.drawLine(w, 0, w, h);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(1, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 1, w - 1, h - 1);
    const QRect area = img.rect().adjusted(5, 3, -5, -3);
    const CaptionLayout layout = fitting_layout(caption, area, size.height() >= 50 ? 18 : 15);
    const QFontMetrics fm(layout.font);
    p.setFont(layout.font);
    p.setPen(QColor(0, 0, 96));
    for (qsizetype i = 0; i < layout.lines.size(); ++i) {
        const QRect box(area.left(), layout.baselines[i] - fm.ascent(), area.width(), fm.height());
        p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, layout.lines[i]);
    }
    return img;
}

void draw_caption_band(QPainter& p, const QRect& r, const QString& text) {
    p.fillRect(r, QColor(0, 0, 96));
    QFont font(g_family);
    font.setBold(true);
    font.setPixelSize(18);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(r.adjusted(8, 0, -8, 0), Qt::AlignCenter | Qt::TextWordWrap, text);
}

// The back of the dryer, seen from behind: the discharge auger housing with
// its door. Frame 0 shows the door closed, frames 1 and 2 opening, frame 3
// open with grain running out.
QImage render_rear_discharge(int view, const QString& caption) {
    QImage img(500, 400, QImage::Format_RGB32);
    img.fill(QColor(235, 235, 225));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(190, 190, 195));
    p.drawRect(150, 40, 200, 230);                    // dryer column end
    p.setBrush(QColor(150, 150, 160));
    p.drawRect(120, 270, 260, 40);                    // discharge housing
    const int open = view * 14;                       // door swing in pixels
    p.setBrush(QColor(220, 60, 40));
    p.drawRect(215, 310 - open / 3, 70, 14);          // discharge door
    if (view >= 2) {
        p.setBrush(QColor(214, 170, 60));
        QPainterPath heap;
        heap.moveTo(230, 324);
        heap.lineTo(270, 324);
        heap.lineTo(250 + 10 * view, 360);
        heap.lineTo(250 - 10 * view, 360);
        heap.closeSubpath();
        p.drawPath(heap);
    }
    p.setPen(QPen(QColor(220, 0, 0), 4));
    p.drawLine(330, 340, 290, 318);                   // arrow to the door
    p.drawLine(290, 318, 302, 318);
    p.drawLine(290, 318, 297, 329);
    draw_caption_band(p, QRect(0, 364, 500, 36), caption);
    return img;
}

QImage render_illustration(const QString& kind, const QString& title) {
    QImage img(500, 400, QImage::Format_RGB32);
    img.fill(QColor(235, 235, 225));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    if (kind == QLatin1String("burner")) {
        p.setBrush(QColor(170, 170, 180));
        p.drawEllipse(QPoint(250, 180), 130, 130);     // fan housing
        p.setBrush(QColor(255, 140, 0));
        p.drawEllipse(QPoint(250, 180), 45, 60);       // flame
        p.setBrush(QColor(255, 230, 80));
        p.drawEllipse(QPoint(250, 195), 20, 30);
    } else if (kind == QLatin1String("fan")) {
        p.setBrush(QColor(170, 170, 180));
        p.drawEllipse(QPoint(250, 180), 130, 130);
        p.setBrush(QColor(90, 90, 110));
        for (int k = 0; k < 4; ++k) {
            p.save();
            p.translate(250, 180);
            p.rotate(90.0 * k);
            p.drawEllipse(QRect(-18, -110, 36, 95));   // fan blades
            p.restore();
        }
    } else if (kind == QLatin1String("sensor")) {
        p.setBrush(QColor(190, 190, 195));
        p.drawRect(170, 40, 160, 280);                // grain column
        p.setBrush(QColor(214, 170, 60));
        p.drawRect(180, 120, 140, 190);
        p.setBrush(QColor(30, 120, 200));
        p.drawRect(320, 200, 70, 22);                 // sensor probe
        p.drawLine(390, 211, 450, 211);
    } else {
        p.setBrush(QColor(190, 190, 195));
        p.drawRect(120, 40, 260, 280);                // control box
        p.setBrush(QColor(40, 160, 40));
        for (int k = 0; k < 4; ++k) p.drawRect(150 + 55 * k, 80, 35, 50);
        p.setBrush(QColor(220, 40, 40));
        p.drawEllipse(QPoint(250, 230), 30, 30);      // the tripped device
    }
    p.setPen(QPen(QColor(220, 0, 0), 6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(250, 190), 150, 150);
    draw_caption_band(p, QRect(0, 352, 500, 48), title);
    return img;
}

bool save(const QImage& img, const QString& path) {
    if (img.save(path, "BMP")) return true;
    std::fprintf(stderr, "dryer-buttongen: cannot write %s\n", qPrintable(path));
    return false;
}

int buttons(const QString& captions_path, const QString& fallback_path, const QString& outdir) {
    const QMap<int, QString> captions = read_keyed(captions_path);
    const QMap<int, QString> fallback = read_keyed(fallback_path);
    for (int n = 1; n < dryer::l10n::kButtonPictureCount; ++n) {
        const QString caption = captions.value(n, fallback.value(n));
        const std::string_view name = dryer::l10n::button_picture_name(n);
        const QString path = outdir + QLatin1Char('/') + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        const QImage img = (n >= 74) ? render_rear_discharge(n - 74, caption) : render_button(caption, picture_size(n));
        if (!save(img, path)) return 1;
    }
    return 0;
}

int illustrations(const QString& list_path, const QString& outdir) {
    QFile f(list_path);
    if (!f.open(QIODevice::ReadOnly)) return 1;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList cols = line.split(QLatin1Char('\t'));
        if (cols.size() != 3) return 1;
        if (!save(render_illustration(cols[1], cols[2]), outdir + QLatin1Char('/') + cols[0] + QStringLiteral(".bmp")))
            return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    load_fonts();
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("buttons")) return buttons(args[2], args[3], args[4]);
    if (args.size() == 4 && args[1] == QLatin1String("buttons")) return buttons(args[2], args[2], args[3]);
    if (args.size() == 4 && args[1] == QLatin1String("illustrations")) return illustrations(args[2], args[3]);
    std::fprintf(stderr, "usage: dryer-buttongen buttons CAPTIONS [FALLBACK] OUTDIR | illustrations LIST OUTDIR\n");
    return 2;
}
