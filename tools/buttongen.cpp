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

#include <cstdio>

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

// Largest bold font (at most max_px) whose wrapped caption fits the face.
QFont fitting_font(const QString& caption, const QRect& area, int max_px) {
    QFont font(g_family);
    font.setBold(true);
    for (int px = max_px; px >= 7; --px) {
        font.setPixelSize(px);
        const QFontMetrics fm(font);
        const QRect need = fm.boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, caption);
        if (need.width() <= area.width() && need.height() <= area.height()) return font;
    }
    return font;
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
    QString text = caption;
    text.replace(QLatin1Char('|'), QLatin1Char('\n'));
    const QRect area = img.rect().adjusted(5, 3, -5, -3);
    p.setFont(fitting_font(text, area, size.height() >= 50 ? 18 : 15));
    p.setPen(QColor(0, 0, 96));
    p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
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
