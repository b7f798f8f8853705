// Qt pieces shared by the setup screens and keypads: the panel's texts as
// the widgets fetch them, dialog centring and the keypads' out-of-range
// message. Windows and buttons come from the widget kit.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

#include "kit/panel_window.h"
#include "kit/picture_button.h"
#include "l10n/panel_texts.h"
#include "setup/common/screen_text.h"

namespace dryer::setup {

// panel_texts() returns the lookup of the current language's texts.
TextFn panel_texts();

// qtext() returns text n of the current language, or fallback when the
// language has no text n.
QString qtext(unsigned n, const char* fallback = "");

// caption_text() returns text(n), or caption when that is empty.
QString caption_text(const TextFn& text, unsigned n, const char* caption);

// centre_over_parent() moves the dialog so that it is centred over its
// parent window, with negative coordinates clamped to 0.
void centre_over_parent(QDialog& dialog);

// show_out_of_range() shows the "WARNING!" / "The value entered is out
// of range." message box over parent and return when it is closed.
void show_out_of_range(QWidget* parent);

// The English texts of that message box; it shows them in the current language.
inline constexpr const char* kWarningTitle = l10n::english("WARNING!");
inline constexpr const char* kOutOfRangeText = l10n::english("The value entered is out of range.");

}  // namespace dryer::setup
