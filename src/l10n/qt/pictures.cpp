#include "l10n/qt/pictures.h"

#include <QtCore/QString>
#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "l10n/resources.h"

namespace dryer::l10n::qt {

QPixmap load_picture_file(const std::filesystem::path& path) {
    if (path.empty()) return {};
    QImage img;
    if (!img.load(QString::fromStdString(path.string()), "BMP")) return {};
    return QPixmap::fromImage(img);
}

QPixmap load_button_picture(int n) { return load_picture_file(button_picture_path(n)); }

QPixmap pressed_look(const QPixmap& released) {
    if (released.isNull()) return {};
    QPixmap out(released.size());
    out.fill(QColor(160, 160, 160));
    QPainter p(&out);
    p.drawPixmap(1, 1, released);
    p.fillRect(out.rect(), QColor(0, 0, 0, 40));
    const int w = out.width() - 1, h = out.height() - 1;
    p.setPen(QColor(64, 64, 64));
    p.drawLine(0, 0, w, 0);
    p.drawLine(0, 0, 0, h);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(0, h, w, h);
    p.drawLine(w, 0, w, h);
    return out;
}

}  // namespace dryer::l10n::qt
