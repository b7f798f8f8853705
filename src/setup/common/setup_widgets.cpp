#include "setup/common/setup_widgets.h"


#include "kit/local_text.h"
#include "kit/message_box.h"
#include "kit/panel_dialog.h"
#include "l10n/texts.h"

namespace dryer::setup {

TextFn panel_texts() {
    return [](unsigned n) { return l10n::text_utf8(n); };
}

QString qtext(unsigned n, const char* fallback) {
    return QString::fromStdString(title_text(panel_texts()(n), fallback));
}

QString caption_text(const TextFn& text, unsigned n, const char* caption) {
    return QString::fromStdString(title_text(text(n), caption));
}

void centre_over_parent(QDialog& dialog) {
    if (const QWidget* parent = dialog.parentWidget()) kit::centre_over(dialog, parent->window());
}

void show_out_of_range(QWidget* parent) {
    kit::show_message(parent, QMessageBox::Warning, kit::local(kWarningTitle), kit::local(kOutOfRangeText));
}

}  // namespace dryer::setup
