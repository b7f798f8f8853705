// Texts that never leave their place: a text shrinks until it fits its
// rectangle within the window; a number that cannot be shown whole is not
// shown at all, and other words are shortened with an ellipsis only when even
// the smallest size is too large. Every screen and dialog draws through this.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>

class QAbstractButton;

namespace dryer::kit {

// The smallest pixel size a text is shrunk to.
inline constexpr int kMinTextSize = 7;

// How a text is drawn so that it is never cut: the font really used, the
// text drawn (trailing blanks dropped: they show no ink) and the room it has
// (its rectangle within the window). fits is false when the text does not fit
// even at kMinTextSize.
struct TextFit {
    QFont font;
    QString text;
    QRect room;
    bool fits = true;
};

// Returns the fit of text in room: the largest pixel size, at most font's,
// at which the line's advance width fits room's width, or, with wrap, at
// which the word-wrapped text fits room's width and height.
TextFit fit_text(const QString& text, const QRect& room, const QFont& font, bool wrap);

// Returns the room left between the lines of a wrapped text, so that the
// marks above a capital (Á, Č, Й) never touch the line above.
int line_gap(const QFont& font);

// Returns the size a text takes word-wrapped at width with line_gap()
// between its lines ('\n' breaks a line); wider than width when a word is.
QSize wrapped_size(const QString& text, int width, const QFont& font);

// Returns the part of rect between left and right (and, for wrapped text,
// between top and bottom): the room a text has inside its window.
QRect room_of(const QRect& rect, int left, int right, int top, int bottom, bool wrap);

// Draws a fitted text with the alignment flags: a number that does not fit
// is left out, other words that do not fit end in an ellipsis.
void draw_fit(QPainter& p, const TextFit& f, int flags);

// Draws text into rect with the alignment flags (and Qt::TextWordWrap for
// wrapped text), shrunk to the part of rect that the painter's device shows.
void draw_fitted_text(QPainter& p, const QRect& rect, int flags, const QString& text, const QFont& font);

// Gives a push button the largest font, at most the one it inherits, at which
// its caption fits on its face.
void fit_button_text(QAbstractButton& button);

}  // namespace dryer::kit
