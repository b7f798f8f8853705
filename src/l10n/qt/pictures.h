// Localized button pictures for Qt widgets.
//
// Usage:
//   QPixmap face = dryer::l10n::qt::load_button_picture(41);   // null if missing
//   QPixmap down = dryer::l10n::qt::pressed_look(face);        // for a pressed state
//   QPixmap ill  = dryer::l10n::qt::load_picture_file(
//       dryer::l10n::warning_illustration_picture_path(node, w, frame));
//
// After the language dialog closes, screens load their pictures again by
// number (the files of the new language).
#pragma once

#include <QtGui/QPixmap>

#include <filesystem>

namespace dryer::l10n::qt {

// load_button_picture() loads picture n (1 to 77) of the current
// language from its Bitmaps folder, and return a null pixmap when the number
// is out of range or the file is missing or unreadable (no English fallback).
QPixmap load_button_picture(int n);

// load_picture_file() loads a BMP file; a null pixmap when it fails.
QPixmap load_picture_file(const std::filesystem::path& path);

// pressed_look() returns the face drawn pressed: shifted one pixel down
// and right, slightly darkened, with a sunken edge. Same size; a null input
// gives a null result.
QPixmap pressed_look(const QPixmap& released);

}  // namespace dryer::l10n::qt
