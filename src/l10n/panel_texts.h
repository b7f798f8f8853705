// The panel's own captions, titles and messages -- the texts that have no
// number in the strings file -- in the current language, keyed by their
// English text.
//
// Each language folder may hold Languages\XX\PanelTexts\*.txt: UTF-8 lines
// "English<TAB>translation" ('#' starts a comment line, "\n" in either column
// is a line break). English is the key and needs no file. A missing file, a
// missing line or a line that cannot be used gives the English text.
//
// Usage:
//   QString title = kit::local("Select Data Log Sample Time - 35");
//   constexpr const char* kCaption = l10n::english("ACCEPT");  // looked up where shown
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace dryer::l10n {

// english() marks a text written into a table for translation; it returns
// the text unchanged. The completeness test finds every text marked so or
// passed to local() as a literal.
constexpr const char* english(const char* text) { return text; }

// local() returns the translation of english into the current language
// (UTF-8), or english itself when the language has none.
std::string local(std::string_view english);

// same_conversions() returns true when both texts hold the same printf
// conversions ("%d", "%02d", "%s", ...) and the same "%1".."%9" markers in
// the same order: a translation that differs would format the wrong values
// or read arguments that are not there.
bool same_conversions(std::string_view a, std::string_view b);

// read_panel_texts() returns the usable lines of every *.txt file in folder
// (file names in order; a later line for the same key wins). A line is used
// when it has exactly one tab, valid UTF-8, a key and a translation of at
// most 2000 bytes each, and the same conversions on both sides. Files are read
// up to 256 KiB each.
std::map<std::string, std::string> read_panel_texts(const std::filesystem::path& folder);

}  // namespace dryer::l10n
