#include "kit/message_box.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <QPushButton>

#include "kit/local_text.h"
#include "kit/panel_dialog.h"
#include "kit/panel_style.h"

namespace dryer::kit {

namespace {

// The answer buttons, with their captions in the current language.
struct Answer {
    QMessageBox::StandardButton button;
    const char* caption;
};
constexpr Answer kAnswers[] = {
    {QMessageBox::Yes, l10n::english("&Yes")},     {QMessageBox::No, l10n::english("&No")},
    {QMessageBox::Cancel, l10n::english("Cancel")}, {QMessageBox::Ok, l10n::english("OK")},
    {QMessageBox::Retry, l10n::english("Retry")},
};

}  // namespace

MessageBox::MessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons, QWidget* over)
    : QMessageBox(icon, title, text, buttons, over ? over->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint),
      over_(over) {
    load_panel_fonts();
    setFont(panel_font(14));
    // Room for the caption bar above the box's own layout.
    setContentsMargins(2, kCaptionBarHeight + 2, 2, 2);
    setStyleSheet(QStringLiteral("QPushButton { min-height: %1px; font-size: 16px; }")
                      .arg(kTouchButtonHeight));
    // A longer word than English's widens its button rather than losing
    // letters (German "Abbrechen").
    const QFontMetrics answer_metrics(panel_font(16));
    for (const Answer& a : kAnswers) {
        if (QAbstractButton* b = button(a.button)) {
            b->setText(local(a.caption));
            const int icon_room = b->icon().isNull() ? 0 : b->iconSize().width() + 8;
            b->setMinimumWidth(std::max(96, answer_metrics.horizontalAdvance(b->text().remove(u'&')) + icon_room + 28));
        }
    }
}

void MessageBox::paintEvent(QPaintEvent* event) {
    QMessageBox::paintEvent(event);
    QPainter p(this);
    paint_raised_edge(p, rect());
    paint_caption_bar(p, QRect(2, 2, width() - 4, kCaptionBarHeight), windowTitle());
}

void MessageBox::showEvent(QShowEvent* event) {
    QMessageBox::showEvent(event);
    // The title must fit its bar: the box is at least as wide as its title.
    const int title_width = QFontMetrics(panel_font(13, 700)).horizontalAdvance(windowTitle()) + 12;
    if (width() < title_width) setFixedSize(title_width, height());
    centre_over(*this, over_);
}

QMessageBox::StandardButton show_message(QWidget* over, QMessageBox::Icon icon, const QString& title,
                                         const QString& text, QMessageBox::StandardButtons buttons) {
    MessageBox box(icon, title, text, buttons, over);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool ask_yes(QWidget* over, QMessageBox::Icon icon, const QString& title, const QString& text,
             QMessageBox::StandardButtons buttons) {
    return show_message(over, icon, title, text, buttons) == QMessageBox::Yes;
}

}  // namespace dryer::kit
