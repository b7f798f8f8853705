#include "shell/panel_font.h"

#include <QFile>
#include <QFontDatabase>

namespace dryer::shell {

bool load_panel_fonts() {
    bool ok = false;
    for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
        if (QFile::exists(file) && QFontDatabase::addApplicationFont(file) >= 0) ok = true;
    }
    return ok;
}

QFont panel_font(int pixels, int weight) {
    QFont f(QStringLiteral("Tahoma"));
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixels);
    f.setWeight(static_cast<QFont::Weight>(weight));
    return f;
}

}  // namespace dryer::shell
