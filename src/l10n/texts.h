// Numbered texts of the current language (Languages\XX\<Name>Strings.txt):
// text n is line n of the strings file, at most 100 characters on lookup.
//
// Usage:
//   char16_t buf[dryer::l10n::kTextBufferChars];
//   dryer::l10n::get_text(329, buf);              // exact, into a buffer
//   QString s = QString::fromStdU16String(dryer::l10n::text(329));
#pragma once

#include <cstddef>
#include <string>

namespace dryer::l10n {

inline constexpr unsigned kTextSlots = 1000;         // text numbers 1 to 1000
inline constexpr std::size_t kTextMaxChars = 100;    // a lookup returns at most this
inline constexpr std::size_t kTextBufferChars = kTextMaxChars + 1;

// load_strings_table() loads the current language's strings file (the
// English one when it is missing; when that is missing too the table keeps
// what it held) into the table, without clearing slots beyond its last line.
void load_strings_table();

// get_text() runs the reload-pending step, then, for n = 0, leave dest
// untouched; otherwise write at most the first 100 characters of text n and
// a terminator to dest (which holds kTextBufferChars). Text numbers above
// 1000 and empty slots give an empty string.
void get_text(unsigned n, char16_t* dest);

// text() returns what get_text() would write, as a string (empty for 0).
std::u16string text(unsigned n);

// text_utf8() returns text(n) converted to UTF-8.
std::string text_utf8(unsigned n);

}  // namespace dryer::l10n
