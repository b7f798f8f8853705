// Localized button pictures by number and the help texts.
//
// Usage:
//   auto p = dryer::l10n::button_picture_path(41);   // then load the BMP (Qt:
//                                                     // l10n/qt/pictures.h)
//   std::u16string h = dryer::l10n::help_text("PlenumDiffHelp.txt");
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace dryer::l10n {

inline constexpr int kButtonPictureCount = 78;   // numbers 0 (reserved) to 77
inline constexpr std::size_t kHelpCapacity = 1999;
inline constexpr std::size_t kLongHelpCapacity = 2998;

// button_picture_name() returns the file name of picture n
// ("GRAPHIC_041_SCREEN_EXIT_BUTTON.BMP"; "PLACE HOLDER" for 0), or an empty
// view for n outside 0 to 77.
std::string_view button_picture_name(int n);

// button_picture_path() runs the reload-pending step and return storage
// root + Languages\XX\Bitmaps\ + the name of picture n in the current
// language (no English fallback), or an empty path for n outside 1 to 77.
std::filesystem::path button_picture_path(int n);

// language_folder_path() returns storage root + Languages\XX for the
// current language.
std::filesystem::path language_folder_path();

// read_help_text() clears dest[0..capacity], read at most capacity bytes
// of the help file from the current language folder, store them as UTF-16 LE
// characters (an odd last byte is dropped; the byte-order mark is kept) and
// terminate them; dest holds capacity + 1 characters. A missing file gives
// an empty text. It returns the number of characters stored.
std::size_t read_help_text(std::string_view file_name, char16_t* dest, std::size_t capacity);

// help_text() returns what read_help_text() stores, without the
// byte-order mark, and with capacity kHelpCapacity unless given.
std::u16string help_text(std::string_view file_name, std::size_t capacity = kHelpCapacity);

}  // namespace dryer::l10n
